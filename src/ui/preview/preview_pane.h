// SPDX-License-Identifier: MIT
#pragma once

#include <QUrl>
#include <QWidget>

class QAction;

namespace sylvanode {

class LivePreview;
class SchemeDocument;

// Before the QApplication is made: registers the live pane's URL scheme, lets Qt share its GL
// contexts with the web engine, and (only when running as root, where Chromium's sandbox cannot
// start) turns the sandbox off. Does nothing in a build without the live pane.
void preparePreviewEngine();

// Whether the live pane can run here: built with Qt WebEngine and on a platform that draws it
// (the offscreen platform does not).
bool livePreviewAvailable();

// The content of the 预览 dock: the live preview when it can run (made the first time the pane
// is shown, so that a hidden pane costs nothing), else a button for the external preview.
class PreviewPane : public QWidget {
    Q_OBJECT
public:
    PreviewPane(SchemeDocument& document, QAction* externalPreview, QWidget* parent = nullptr);

    // The live preview, once made; null without one.
    LivePreview* live() const { return live_; }

Q_SIGNALS:
    // A row of the page was clicked: the item at this pre-order index.
    void itemClicked(int index);
    // A text for the window's status bar.
    void message(const QString& text);
    // A clicked link to open in the browser.
    void followLink(const QUrl& url);

protected:
    void showEvent(QShowEvent* event) override;

private:
    SchemeDocument& document_;
    LivePreview* live_ = nullptr;
};

}  // namespace sylvanode

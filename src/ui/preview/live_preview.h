// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <QVariant>
#include <QWidget>
#include <functional>
#include <vector>

class QAction;
class QLabel;
class QTimer;
class QWebEngineProfile;
class QWebEngineView;

namespace sylvanode {

class MenuNode;
class PanePage;
class PreviewSite;
class SchemeDocument;

// The URL scheme of the pages the live preview builds in memory.
inline constexpr const char* kPreviewScheme = "sylvanode-preview";

// The live preview: the document's menu drawn by the real library in a web view, following
// every change (debounced), with selection both ways, desktop, phone and right-to-left views,
// and a status line under the page. Nothing is written to disk.
class LivePreview : public QWidget {
    Q_OBJECT
public:
    explicit LivePreview(SchemeDocument& document, QWidget* parent = nullptr);
    ~LivePreview() override;

    // Changes are sent this long after the first of them; in a large menu, whose version takes
    // the editor longer to build, typing gets more room between versions.
    static constexpr int kDebounceMs = 30;
    static constexpr int kLargeDebounceMs = 200;
    static constexpr int kLargeMenu = 2000;
    // A version the page has not shown after this long is loaded again, with a new page.
    static constexpr int kWatchdogMs = 30000;

    // The version of the page asked for last, and the one the page has finished showing
    // (folders reopened, scroll and mark restored).
    int generation() const { return generation_; }
    int shownGeneration() const { return shown_; }
    // Whether the page shows the document as it is now (no change waiting, none on its way).
    bool upToDate() const;
    QWebEngineView* view() const { return view_; }
    // Runs JavaScript in the page; the result goes to `done` (when given).
    void runScript(const QString& script, const std::function<void(const QVariant&)>& done = {});
    // Rebuilds the page now (without waiting for the debounce).
    void updateNow();

Q_SIGNALS:
    void itemClicked(int index);
    void message(const QString& text);
    // A clicked link, to open in the browser (跟随链接 is on).
    void followLink(const QUrl& url);
    // The page finished showing a generation.
    void shown(int generation);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void schedule();
    void load();
    void swap(const QString& script);
    // Marks a version as on its way; returns where the page's items are in it (a JSON array).
    QString send();
    void finished(int generation);
    void markCurrent();
    void pageSaid(const QJsonObject& message);
    QString linkText(int index, const QJsonObject& click) const;

    SchemeDocument& document_;
    QWebEngineProfile* profile_ = nullptr;
    PreviewSite* site_ = nullptr;
    PanePage* page_ = nullptr;
    QWebEngineView* view_ = nullptr;
    QWidget* viewFrame_ = nullptr;
    QLabel* statusLine_ = nullptr;
    QTimer* debounce_ = nullptr;
    QTimer* watchdog_ = nullptr;
    QAction* desktopAction_ = nullptr;
    QAction* phoneAction_ = nullptr;
    QAction* rtlAction_ = nullptr;
    QAction* followLinksAction_ = nullptr;
    QString state_;
    QString pageKey_;
    // The items, in pre-order, of the version in the page and of the one being built.
    std::vector<const MenuNode*> pageNodes_;
    std::vector<const MenuNode*> nextNodes_;
    QString statusText_;
    QString hoveredLink_;
    int generation_ = 0;
    int shown_ = 0;
    int sent_ = 0;
    bool loading_ = false;  // a new page is on its way
    bool busy_ = false;     // a version is on its way (a new page, or a menu swapped in place)
    bool pageReady_ = false;
    bool dirty_ = false;
    bool stale_ = false;  // changed while hidden
};

}  // namespace sylvanode

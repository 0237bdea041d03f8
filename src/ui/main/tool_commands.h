// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>
#include <memory>

class MainWindow;
class QTemporaryDir;
class SuffixDialog;

namespace sylvanode {

class LinkCheckDialog;
struct LinkProblem;
class Prompter;
class SchemeDocument;

// The tools and help of a window: generate the script, preview it in the browser, check the
// links, the multi-menu suffix, the guide and the About box.
class ToolCommands : public QObject {
    Q_OBJECT
public:
    explicit ToolCommands(MainWindow& window);
    ~ToolCommands() override;

    // Writes the script file; the dialog suggests the scheme's folder and name with ".js".
    void generateScript();
    // Shows the menu in the browser: the script and a page in a folder kept for the run.
    void showPreview();
    void checkLinks();
    // The suffix is no undo step: it is never saved with the scheme.
    void editSuffix();
    void showHelp();
    void showAbout();

    // Made hidden at start-up and kept for the run: the typed text and the accepted suffix stay.
    SuffixDialog* suffixDialog() const { return suffixDialog_.get(); }
    // Made on first use, beside the window.
    LinkCheckDialog* linkCheckDialog() const { return linkCheckDialog_; }

private:
    void inform(const QString& text);
    // The link check's folder (the work directory, else the scheme file's) does not exist.
    void showMissingWorkFolder(const QString& folder);
    // A row of the link check chosen: the item that has that problem now, with its page.
    void showProblem(const LinkProblem& listed);

    MainWindow& window_;
    SchemeDocument& document_;
    Prompter& prompter_;
    std::unique_ptr<QTemporaryDir> previewDir_;
    LinkCheckDialog* linkCheckDialog_ = nullptr;
    struct SuffixDialogDeleter {
        void operator()(SuffixDialog* dialog) const;
    };
    std::unique_ptr<SuffixDialog, SuffixDialogDeleter> suffixDialog_;
};

}  // namespace sylvanode

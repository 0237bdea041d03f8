// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "ui/common/prompter.h"

class MainWindow;
class QProgressDialog;
class QTimer;

namespace sylvanode {

class SchemeDocument;
class Session;
class Workspace;
class ImportControl;

// The file menu of a window: the save question, New, Open, Save, Save As, import and export.
// It asks through the Prompter; the document reads and writes.
class FileCommands : public QObject {
    Q_OBJECT
public:
    explicit FileCommands(MainWindow& window);
    // Cancels an import under way and waits for its thread.
    ~FileCommands() override;

    // The question before a modified document goes; false: the caller stops. Yes goes on only
    // once the scheme is written (a cancelled dialog or a failed write keeps it).
    bool askToSave();
    void newScheme();
    // The open dialog; the file opens here when this window shows an untitled, unmodified
    // document, else in a window of its own.
    void open();
    // True once the scheme is written (not when a dialog was cancelled or the write failed).
    bool save();
    bool saveAs();
    void importFile();
    void importFolder();
    // A file or folder as a new untitled scheme (the save question comes before). The import
    // runs on a thread of its own; unless it is done at once, a window-modal progress dialog
    // ("importProgress") shows how far it has got and offers Cancel, and the window goes on
    // painting. Its result replaces the document; a refusal is reported and a cancelled
    // import leaves the document as it was. importFinished tells when it is over; while it
    // runs, another import is not started.
    void importFrom(const QString& path);
    bool importRunning() const { return import_ != nullptr; }
    // For tests: called on the importing thread after each report of progress.
    void setImportObserver(std::function<void(ImportControl&)> observer) { importObserver_ = std::move(observer); }
    void exportTree();

Q_SIGNALS:
    // An import is over: its tree is now the document (`adopted`), or it was refused or cancelled.
    void importFinished(bool adopted);

private:
    struct ImportJob;
    // The import's progress into its dialog; once it is done, its result into the document.
    void followImport();
    void finishImport();

    // Writes to `path`, first asking when another program changed the file since it was read.
    bool writeTo(const QString& path);
    // The save dialog: on the document's own file, or its title in the last folder used.
    std::optional<QString> askSavePath();
    void error(const QString& text);

    MainWindow& window_;
    SchemeDocument& document_;
    Workspace& workspace_;
    Prompter& prompter_;
    Session& session_;
    QString saveDialogTitle_;
    std::unique_ptr<ImportJob> import_;
    QProgressDialog* importProgress_ = nullptr;
    QTimer* importTimer_ = nullptr;
    std::function<void(ImportControl&)> importObserver_;
};

// The file dialogs start on the file last chosen in them: its folder, its name filled in.
void startDialogOn(Prompter::FileRequest& request, const QString& lastPath);

}  // namespace sylvanode

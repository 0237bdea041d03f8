// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>
#include <optional>

#include "ui/common/prompter.h"

class MainWindow;

namespace sylvanode {

class SchemeDocument;
class Session;
class Workspace;

// The file menu of a window: the save question, New, Open, Save, Save As, import and export.
// It asks through the Prompter; the document reads and writes.
class FileCommands : public QObject {
    Q_OBJECT
public:
    explicit FileCommands(MainWindow& window);

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
    // A file or folder as a new untitled scheme, after the save question; false when refused.
    bool importFrom(const QString& path);
    void exportTree();

private:
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
};

// The file dialogs start on the file last chosen in them: its folder, its name filled in.
void startDialogOn(Prompter::FileRequest& request, const QString& lastPath);

}  // namespace sylvanode

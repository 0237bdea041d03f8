// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>

class QDialog;
class QWidget;

namespace sylvanode {

// Everything modal that a test cannot click through goes through this seam:
// the editor passes QtPrompter, tests a scripted implementation that records
// every request and answers from a queue.
class Prompter {
public:
    enum class Icon { None, Information, Warning, Error, Question };
    // Buttons are a combination; the answer is one of them.
    enum Button { Ok = 0x1, Cancel = 0x2, Yes = 0x4, No = 0x8 };

    struct FileRequest {
        QString title;
        QString filter;            // "desc|pattern|desc|pattern" as the program states it
        QString initialDirectory;  // empty: the toolkit's choice
        QString initialFile;       // the file the dialog starts on (its folder and name), if any
        QString defaultExtension;  // e.g. "*.menu"
        bool confirmOverwrite = false;
    };

    virtual ~Prompter() = default;

    virtual int message(QWidget* parent, const QString& caption, const QString& text, Icon icon,
                        int buttons) = 0;
    // A question whose buttons say what they do ("覆盖", "另存为..."); the first is the default,
    // the last also answers Escape. Returns the index of the button chosen.
    virtual int choose(QWidget* parent, const QString& caption, const QString& text, Icon icon,
                       const QStringList& buttons) = 0;
    // Empty optional: cancelled.
    virtual std::optional<QString> openFile(QWidget* parent, const FileRequest& request) = 0;
    virtual std::optional<QString> saveFile(QWidget* parent, const FileRequest& request) = 0;
    virtual std::optional<QString> chooseFolder(QWidget* parent, const QString& title,
                                                const QString& initialDirectory) = 0;
    virtual std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) = 0;
    // The shell's "open" for a file or an address; false when nothing could open it.
    virtual bool openWithShell(const QString& pathOrUrl) = 0;
    // The desktop's application for a file type (a desktop entry name such as
    // "viewer.desktop"), as the desktop itself answers; empty when it names none
    // (so by default: a prompter without a desktop knows no application).
    virtual QString desktopApplicationFor(const QString& mimeType);
    // Runs one of the program's own modal dialogs; returns its result code.
    virtual int runDialog(QDialog& dialog) = 0;
};

// Converts "desc|pattern|desc|pattern" into Qt's "desc (pattern);;desc (pattern)".
// "*.*" means every file, as on the desktop it comes from: it becomes "*", so names
// without a dot are listed too.
QString qtFilterFromPipes(const QString& pipes);

}  // namespace sylvanode

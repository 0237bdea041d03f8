// SPDX-License-Identifier: MIT
#pragma once

#include "ui/common/prompter.h"

namespace sylvanode {

// The real thing: message boxes, file dialogs, the folder browser, the colour chooser,
// the desktop's "open" and modal dialogs, all from Qt.
class QtPrompter : public Prompter {
public:
    int message(QWidget* parent, const QString& caption, const QString& text, Icon icon,
                int buttons) override;
    int choose(QWidget* parent, const QString& caption, const QString& text, Icon icon,
               const QStringList& buttons) override;
    std::optional<QString> openFile(QWidget* parent, const FileRequest& request) override;
    std::optional<QString> saveFile(QWidget* parent, const FileRequest& request) override;
    std::optional<QString> chooseFolder(QWidget* parent, const QString& title,
                                        const QString& initialDirectory) override;
    std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) override;
    // Runs xdg-open and waits a moment for its answer (it fails at once when no program
    // takes the file); without xdg-open, Qt's own desktop services.
    bool openWithShell(const QString& pathOrUrl) override;
    // Asks GIO ("gio mime TYPE"), else xdg-utils ("xdg-mime query default TYPE").
    QString desktopApplicationFor(const QString& mimeType) override;
    int runDialog(QDialog& dialog) override;
};

// The application named by the output of "gio mime TYPE" in the C locale: the default
// one, else the first registered one; empty when it names none.
QString applicationFromGioMime(const QString& output);

}  // namespace sylvanode

#pragma once

#include "ui/common/prompter.h"

namespace sylvanode {

// The real thing: message boxes, file dialogs, the folder browser, the colour chooser,
// the desktop's "open" and modal dialogs, all from Qt.
class QtPrompter : public Prompter {
public:
    int message(QWidget* parent, const QString& caption, const QString& text, Icon icon,
                int buttons) override;
    std::optional<QString> openFile(QWidget* parent, const FileRequest& request) override;
    std::optional<QString> saveFile(QWidget* parent, const FileRequest& request) override;
    std::optional<QString> chooseFolder(QWidget* parent, const QString& title,
                                        const QString& initialDirectory) override;
    std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) override;
    bool openWithShell(const QString& pathOrUrl) override;
    int runDialog(QDialog& dialog) override;
};

}  // namespace sylvanode

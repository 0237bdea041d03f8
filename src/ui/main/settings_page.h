// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "document/scheme_document.h"

class QLineEdit;

namespace Ui {
class SettingsPage;
}

namespace sylvanode {

class Prompter;

// The page "方案属性" (settingsPage): scheme-wide options. Every change of a control is an
// undo step on the document at once; the controls follow the document's settings.
class SettingsPage : public QWidget {
    Q_OBJECT
public:
    SettingsPage(SchemeDocument& document, Prompter& prompter, QWidget* parent = nullptr);
    ~SettingsPage() override;

    // Brings the controls in step with the document. Showing is not editing.
    void refresh();

    // Handlers of the controls.
    void chooseWorkDir();
    void chooseLineFolder();
    void chooseFileIcon();
    void chooseFolderIcon1();
    void chooseFolderIcon2();
    void applyTarget();
    void applyUseImage();
    void applyIndent(int newValue);
    void applyScriptCharset();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void alignLabels();
    void paintReadOnlyFields();
    void chooseIcon(std::string SchemeSettings::*setting, const QString& stepName);
    // A change of the settings as one step (`mergeKey` >= 0: merged with the control's last).
    void change(const QString& stepName, int mergeKey, const std::function<void(SchemeSettings&)>& edit);

    std::unique_ptr<Ui::SettingsPage> ui;
    SchemeDocument& document_;
    Prompter& prompter_;
    bool refreshing_ = false;
    bool applying_ = false;
};

}  // namespace sylvanode

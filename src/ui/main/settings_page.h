// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

class QLineEdit;

namespace Ui {
class SettingsPage;
}

namespace sylvanode {

class MenuScheme;
class Prompter;

// Reports a change a page has just written into the scheme: the name of the undo
// step, and a key under which consecutive changes of one control merge into one
// step (-1: never merged).
using OptionChanged = std::function<void(const QString& stepName, int mergeKey)>;

// The page "方案属性" (settingsPage): scheme-wide options. Every control writes
// its setting into the scheme at once and reports the change.
class SettingsPage : public QWidget {
    Q_OBJECT
public:
    SettingsPage(MenuScheme& scheme, Prompter& prompter, OptionChanged changed, QWidget* parent = nullptr);
    ~SettingsPage() override;

    // The settings part of refreshPages: brings the controls in step with the scheme.
    // Showing is not editing: nothing is reported while the controls are set.
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

signals:
    // The item panel's icon rows (iconRows) are visible exactly while this is on.
    void useImageToggled(bool on);

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void alignLabels();
    void paintReadOnlyFields();
    void chooseIcon(std::string& setting, QLineEdit* field, const QString& stepName, int mergeKey);
    void applyFlag(bool& setting, bool checked, const QString& stepName, int mergeKey);
    void report(const QString& stepName, int mergeKey);

    std::unique_ptr<Ui::SettingsPage> ui;
    MenuScheme& scheme_;
    Prompter& prompter_;
    OptionChanged changed_;
    bool refreshing_ = false;
};

}  // namespace sylvanode

#pragma once

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

// The page "方案属性" (settingsPage): scheme-wide options. Every control writes
// its setting into the scheme at once and reports the change.
class SettingsPage : public QWidget {
    Q_OBJECT
public:
    SettingsPage(MenuScheme& scheme, Prompter& prompter, std::function<void()> markModified,
                 QWidget* parent = nullptr);
    ~SettingsPage() override;

    // The settings part of refreshPages: brings the controls in step with the scheme.
    // A check box or the target field whose value really changes runs its handler
    // (and so marks the scheme); callers filling the page for a new or opened
    // scheme clear the modified flag afterwards.
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
    void chooseIcon(std::string& setting, QLineEdit* field);
    void applyFlag(bool& setting, bool checked);

    std::unique_ptr<Ui::SettingsPage> ui;
    MenuScheme& scheme_;
    Prompter& prompter_;
    std::function<void()> markModified_;
};

}  // namespace sylvanode

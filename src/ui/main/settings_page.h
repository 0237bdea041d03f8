#pragma once

#include <QWidget>
#include <functional>
#include <memory>

namespace sylvanode {

class MenuScheme;
class Prompter;


// The page "方案属性" (TabSheet2): scheme-wide options. Every control writes
// its setting into the scheme at once and reports the change.
class SettingsPage : public QWidget {
    Q_OBJECT
public:
    SettingsPage(MenuScheme& scheme, Prompter& prompter, std::function<void()> markModified,
                 QWidget* parent = nullptr);
    ~SettingsPage() override;

    // The settings part of refreshPages: brings the controls in step with the scheme.
    // A control whose value really changes runs its handler (and so marks the scheme).
    void refresh();

signals:
    // The item panel's icon rows (Panel2) follow this.
    void useImageToggled(bool on);

private:
    MenuScheme& scheme_;
    Prompter& prompter_;
    std::function<void()> markModified_;
};

}  // namespace sylvanode

// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "model/menu_scheme.h"

namespace Ui {
class ItemPanel;
}
class QComboBox;
class QLineEdit;
class QRadioButton;
class QToolButton;

namespace sylvanode {

class Prompter;

// The fields of an item the panel edits; the action is the pair of radio buttons.
enum class ItemField { Title, Hint, Status, Icon1, Icon2, Link, Target, Script, Action };

// The page "菜单项属性" (itemPanel): the fields of the selected item. The fields
// hold their values until the window stores them into the item's record.
class ItemPanel : public QWidget {
    Q_OBJECT
public:
    // `workDir` gives the base directory of the browse buttons' chooser.
    ItemPanel(Prompter& prompter, std::function<std::string()> workDir, QWidget* parent = nullptr);
    ~ItemPanel() override;

    // Copies the fields into a record (the action not chosen is emptied).
    void store(MenuItemData& data) const;
    // Copies one field into a record, as typed (nothing else is emptied).
    void storeField(ItemField field, MenuItemData& data) const;
    // Puts a record into the fields (clear first; only the chosen action's fields).
    // Filling and emptying the fields report no edit.
    void show(const MenuItemData& data);
    // Empties every text field except the title; the radio buttons stay.
    void clear();
    // Empties every text field, the title too: no item is selected.
    void showNothing();
    // The action kind the radio buttons show: 0 link, 1 script.
    int contentType() const;
    // The icon rows follow the scheme's useImage.
    void setIconRowsVisible(bool visible);

    QLineEdit* menuName() const;
    QLineEdit* menuHint() const;
    QLineEdit* menuStatus() const;
    QLineEdit* menuIcon1() const;
    QLineEdit* menuIcon2() const;
    QLineEdit* menuLink() const;
    QComboBox* menuTarget() const;
    QLineEdit* menuScript() const;
    QRadioButton* radioLink() const;
    QRadioButton* radioScript() const;

Q_SIGNALS:
    // A field's text changed (typed, or set by a copy or browse button), or an action
    // radio button became checked. Not emitted while the panel is filled or emptied.
    void fieldEdited(sylvanode::ItemField field);

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void browse(QLineEdit* field, const QString& filter);
    // Widens the label columns so every field starts at the same x, across the
    // plain rows and the two frames.
    void alignColumns();
    void activateLayouts();
    void report(ItemField field);

    std::unique_ptr<Ui::ItemPanel> ui;
    Prompter& prompter_;
    std::function<std::string()> workDir_;
    QPoint baseRightMargins_;  // the frames' own right margins, before alignment
    bool filling_ = false;
};

}  // namespace sylvanode

// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>
#include <memory>

#include "document/scheme_document.h"

namespace Ui {
class ItemPanel;
}
class QComboBox;
class QLineEdit;
class QRadioButton;
class QToolButton;

namespace sylvanode {

class Prompter;

// The page "菜单项属性" (itemPanel): the fields of the document's current item. Each edit
// of a field is an undo step on the document at once (typing merges); the fields follow the
// item when an undo, a rename or another view changes it.
class ItemPanel : public QWidget {
    Q_OBJECT
public:
    ItemPanel(SchemeDocument& document, Prompter& prompter, QWidget* parent = nullptr);
    ~ItemPanel() override;

    // The action kind the radio buttons show: 0 link, 1 script.
    int contentType() const;

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

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Puts a newly current item into the fields (those of the action not chosen stay empty);
    // none empties every field. Showing reports no edit.
    void showItem(const MenuNode* node);
    // The shown item changed: fields that differ take its texts (the cursor of the others
    // stays); those of the action not chosen keep what was typed there.
    void followItem(const MenuNode* node);
    // Empties every text field except the title; the radio buttons stay.
    void clearTexts();
    // The texts and the action kind as the fields hold them.
    MenuItemData fieldValues() const;
    void browse(QLineEdit* field, const QString& filter);
    // Widens the label columns so every field starts at the same x, across the
    // plain rows and the two frames.
    void alignColumns();
    void activateLayouts();
    void report(ItemField field);

    std::unique_ptr<Ui::ItemPanel> ui;
    SchemeDocument& document_;
    Prompter& prompter_;
    QPoint baseRightMargins_;  // the frames' own right margins, before alignment
    bool filling_ = false;
};

}  // namespace sylvanode

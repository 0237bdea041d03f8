// SPDX-License-Identifier: MIT
#include "ui/main/item_panel.h"

#include <QEvent>
#include <QLabel>
#include <QLayout>
#include <QScopedValueRollback>

#include "ui/common/choosers.h"
#include "ui/common/file_filters.h"
#include "ui/common/icons.h"
#include "ui/common/text_codec.h"
#include "ui_item_panel.h"

namespace sylvanode {

ItemPanel::ItemPanel(Prompter& prompter, std::function<std::string()> workDir, QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::ItemPanel>()), prompter_(prompter), workDir_(std::move(workDir)) {
    ui->setupUi(this);

    for (QToolButton* b : {ui->copyToHintButton, ui->copyToStatusButton}) b->setIcon(ownIcon("copy"));
    for (QToolButton* b : {ui->browseIcon1Button, ui->browseIcon2Button, ui->browseLinkButton})
        b->setIcon(ownIcon("browse"));
    // The target list starts with an empty text, not with its first entry.
    ui->menuTargetCombo->setCurrentIndex(-1);
    ui->menuTargetCombo->setEditText(QString());

    const std::pair<QLineEdit*, ItemField> fields[] = {
        {ui->menuNameEdit, ItemField::Title},    {ui->menuHintEdit, ItemField::Hint},
        {ui->menuStatusEdit, ItemField::Status}, {ui->menuIcon1Edit, ItemField::Icon1},
        {ui->menuIcon2Edit, ItemField::Icon2},   {ui->menuLinkEdit, ItemField::Link},
        {ui->menuScriptEdit, ItemField::Script}};
    for (const auto& [edit, field] : fields)
        connect(edit, &QLineEdit::textChanged, this, [this, field = field] { report(field); });
    connect(ui->menuTargetCombo, &QComboBox::editTextChanged, this, [this] { report(ItemField::Target); });
    for (QRadioButton* radio : {ui->linkRadio, ui->scriptRadio})
        connect(radio, &QRadioButton::toggled, this, [this](bool on) {
            if (on) report(ItemField::Action);
        });

    connect(ui->copyToHintButton, &QToolButton::clicked, this,
            [this] { ui->menuHintEdit->setText(ui->menuNameEdit->text()); });
    connect(ui->copyToStatusButton, &QToolButton::clicked, this,
            [this] { ui->menuStatusEdit->setText(ui->menuNameEdit->text()); });
    const QString gif = gifFileFilter();
    connect(ui->browseIcon1Button, &QToolButton::clicked, this,
            [this, gif] { browse(ui->menuIcon1Edit, gif); });
    connect(ui->browseIcon2Button, &QToolButton::clicked, this,
            [this, gif] { browse(ui->menuIcon2Edit, gif); });
    connect(ui->browseLinkButton, &QToolButton::clicked, this,
            [this] { browse(ui->menuLinkEdit, pageFileFilter()); });
}

ItemPanel::~ItemPanel() = default;

void ItemPanel::alignColumns() {
    const QList<QWidget*> texts{ui->menuNameLabel, ui->menuHintLabel, ui->menuStatusLabel};
    const QList<QWidget*> icons{ui->menuIcon1Label, ui->menuIcon2Label};
    const QList<QWidget*> action{ui->linkRadio, ui->menuTargetLabel, ui->scriptRadio};
    int base = 0;
    for (const QList<QWidget*>* column : {&texts, &icons, &action})
        for (QWidget* w : *column) base = std::max(base, w->sizeHint().width());
    for (const QList<QWidget*>* column : {&texts, &icons, &action})
        for (QWidget* w : *column) w->setMinimumWidth(base);
    activateLayouts();
    const int xText = ui->menuNameEdit->mapTo(this, QPoint()).x();
    const int xIcon = ui->menuIcon1Edit->mapTo(this, QPoint()).x();
    const int xAction = ui->menuLinkEdit->mapTo(this, QPoint()).x();
    const int target = std::max({xText, xIcon, xAction});
    for (QWidget* w : texts) w->setMinimumWidth(base + target - xText);
    for (QWidget* w : icons) w->setMinimumWidth(base + target - xIcon);
    for (QWidget* w : action) w->setMinimumWidth(base + target - xAction);
    activateLayouts();

    // And the small buttons end at the same right edge.
    QLayout* iconGrid = ui->iconRows->layout();
    QLayout* actionGrid = ui->actionBox->layout();
    QLayout* textGrid = ui->textsLayout;
    if (baseRightMargins_.isNull())
        baseRightMargins_ = QPoint(iconGrid->contentsMargins().right(), actionGrid->contentsMargins().right());
    QMargins m = textGrid->contentsMargins();
    m.setRight(0);
    textGrid->setContentsMargins(m);
    m = iconGrid->contentsMargins();
    m.setRight(baseRightMargins_.x());
    iconGrid->setContentsMargins(m);
    m = actionGrid->contentsMargins();
    m.setRight(baseRightMargins_.y());
    actionGrid->setContentsMargins(m);
    activateLayouts();
    const auto right = [this](QWidget* w) { return w->mapTo(this, QPoint(w->width(), 0)).x(); };
    const int rText = right(ui->copyToHintButton);
    const int rIcon = right(ui->browseIcon1Button);
    const int rAction = right(ui->browseLinkButton);
    const int edge = std::min({rText, rIcon, rAction});
    m = textGrid->contentsMargins();
    m.setRight(rText - edge);
    textGrid->setContentsMargins(m);
    m = iconGrid->contentsMargins();
    m.setRight(baseRightMargins_.x() + rIcon - edge);
    iconGrid->setContentsMargins(m);
    m = actionGrid->contentsMargins();
    m.setRight(baseRightMargins_.y() + rAction - edge);
    actionGrid->setContentsMargins(m);
    activateLayouts();
}

void ItemPanel::activateLayouts() {
    // Outer first: each frame's own layout then places its rows in the frame's new size.
    for (QWidget* w : {static_cast<QWidget*>(this), static_cast<QWidget*>(ui->iconsBox),
                       static_cast<QWidget*>(ui->iconRows), static_cast<QWidget*>(ui->actionBox)})
        if (w->layout()) w->layout()->activate();
}

void ItemPanel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    alignColumns();
}

void ItemPanel::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) alignColumns();
}

void ItemPanel::browse(QLineEdit* field, const QString& filter) {
    const std::string path = chooseRelativePath(prompter_, window(), workDir_(), filter);
    if (!path.empty()) field->setText(toQString(path));
}

void ItemPanel::report(ItemField field) {
    if (!filling_) Q_EMIT fieldEdited(field);
}

void ItemPanel::storeField(ItemField field, MenuItemData& data) const {
    switch (field) {
        case ItemField::Title: data.menuName = toSchemeBytes(ui->menuNameEdit->text()); break;
        case ItemField::Hint: data.menuHint = toSchemeBytes(ui->menuHintEdit->text()); break;
        case ItemField::Status: data.menuStatus = toSchemeBytes(ui->menuStatusEdit->text()); break;
        case ItemField::Icon1: data.menuIcon1 = toSchemeBytes(ui->menuIcon1Edit->text()); break;
        case ItemField::Icon2: data.menuIcon2 = toSchemeBytes(ui->menuIcon2Edit->text()); break;
        case ItemField::Link: data.menuLink = toSchemeBytes(ui->menuLinkEdit->text()); break;
        case ItemField::Target: data.menuTarget = toSchemeBytes(ui->menuTargetCombo->currentText()); break;
        case ItemField::Script: data.menuScript = toSchemeBytes(ui->menuScriptEdit->text()); break;
        case ItemField::Action: data.contentType = contentType(); break;
    }
}

int ItemPanel::contentType() const { return ui->linkRadio->isChecked() ? 0 : 1; }

void ItemPanel::store(MenuItemData& data) const {
    data.menuName = toSchemeBytes(ui->menuNameEdit->text());
    data.menuHint = toSchemeBytes(ui->menuHintEdit->text());
    data.menuStatus = toSchemeBytes(ui->menuStatusEdit->text());
    data.menuIcon1 = toSchemeBytes(ui->menuIcon1Edit->text());
    data.menuIcon2 = toSchemeBytes(ui->menuIcon2Edit->text());
    const bool link = ui->linkRadio->isChecked();
    data.contentType = link ? 0 : 1;
    if (link) {
        data.menuLink = toSchemeBytes(ui->menuLinkEdit->text());
        data.menuTarget = toSchemeBytes(ui->menuTargetCombo->currentText());
        data.menuScript.clear();
    } else {
        data.menuLink.clear();
        data.menuTarget.clear();
        data.menuScript = toSchemeBytes(ui->menuScriptEdit->text());
    }
}

void ItemPanel::show(const MenuItemData& data) {
    const QScopedValueRollback<bool> filling(filling_, true);
    clear();
    ui->menuNameEdit->setText(toQString(data.menuName));
    ui->menuHintEdit->setText(toQString(data.menuHint));
    ui->menuStatusEdit->setText(toQString(data.menuStatus));
    ui->menuIcon1Edit->setText(toQString(data.menuIcon1));
    ui->menuIcon2Edit->setText(toQString(data.menuIcon2));
    // Exclusive buttons cannot be unchecked directly: check the one that applies.
    if (data.contentType == 0)
        ui->linkRadio->setChecked(true);
    else
        ui->scriptRadio->setChecked(true);
    if (ui->linkRadio->isChecked()) {
        ui->menuLinkEdit->setText(toQString(data.menuLink));
        ui->menuTargetCombo->setEditText(toQString(data.menuTarget));
    } else {
        ui->menuScriptEdit->setText(toQString(data.menuScript));
    }
}

void ItemPanel::clear() {
    const QScopedValueRollback<bool> filling(filling_, true);
    ui->menuLinkEdit->clear();
    ui->menuTargetCombo->setEditText(QString());
    ui->menuScriptEdit->clear();
    ui->menuHintEdit->clear();
    ui->menuStatusEdit->clear();
    ui->menuIcon1Edit->clear();
    ui->menuIcon2Edit->clear();
}

void ItemPanel::showNothing() {
    const QScopedValueRollback<bool> filling(filling_, true);
    clear();
    ui->menuNameEdit->clear();
}

void ItemPanel::setIconRowsVisible(bool visible) { ui->iconRows->setVisible(visible); }

QLineEdit* ItemPanel::menuName() const { return ui->menuNameEdit; }
QLineEdit* ItemPanel::menuHint() const { return ui->menuHintEdit; }
QLineEdit* ItemPanel::menuStatus() const { return ui->menuStatusEdit; }
QLineEdit* ItemPanel::menuIcon1() const { return ui->menuIcon1Edit; }
QLineEdit* ItemPanel::menuIcon2() const { return ui->menuIcon2Edit; }
QLineEdit* ItemPanel::menuLink() const { return ui->menuLinkEdit; }
QComboBox* ItemPanel::menuTarget() const { return ui->menuTargetCombo; }
QLineEdit* ItemPanel::menuScript() const { return ui->menuScriptEdit; }
QRadioButton* ItemPanel::radioLink() const { return ui->linkRadio; }
QRadioButton* ItemPanel::radioScript() const { return ui->scriptRadio; }

}  // namespace sylvanode

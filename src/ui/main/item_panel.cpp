// SPDX-License-Identifier: MIT
#include "ui/main/item_panel.h"

#include <QEvent>
#include <QLabel>
#include <QLayout>
#include <QScopedValueRollback>

#include "document/item_edits.h"
#include "document/text_codec.h"
#include "ui/common/choosers.h"
#include "ui/common/file_filters.h"
#include "ui/common/icons.h"
#include "ui_item_panel.h"

namespace sylvanode {
namespace {

// Sets a field's text only when it differs, so typing there keeps its cursor.
void follow(QLineEdit* field, const std::string& bytes) {
    const QString text = toQString(bytes);
    if (field->text() != text) field->setText(text);
}

}  // namespace

ItemPanel::ItemPanel(SchemeDocument& document, Prompter& prompter, QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::ItemPanel>()), document_(document), prompter_(prompter) {
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

    connect(&document_, &SchemeDocument::currentItemChanged, this, &ItemPanel::showItem);
    connect(&document_, &SchemeDocument::itemChanged, this, [this](MenuNode* node) {
        if (node == document_.currentItem()) followItem(node);
    });
    const auto followIconSetting = [this] { ui->iconRows->setVisible(document_.scheme().settings.useImage); };
    connect(&document_, &SchemeDocument::optionsChanged, this, followIconSetting);
    connect(&document_, &SchemeDocument::replaced, this, followIconSetting);
    followIconSetting();
    showItem(document_.currentItem());
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
    const std::string path = chooseRelativePath(prompter_, window(), browseBaseDirectory(document_.scheme()), filter);
    if (!path.empty()) field->setText(toQString(path));
}

void ItemPanel::report(ItemField field) {
    // Without a current item an edit goes nowhere.
    if (!filling_) editItemField(document_, document_.currentItem(), field, fieldValues());
}

MenuItemData ItemPanel::fieldValues() const {
    MenuItemData d;
    d.menuName = toSchemeBytes(ui->menuNameEdit->text());
    d.menuHint = toSchemeBytes(ui->menuHintEdit->text());
    d.menuStatus = toSchemeBytes(ui->menuStatusEdit->text());
    d.menuIcon1 = toSchemeBytes(ui->menuIcon1Edit->text());
    d.menuIcon2 = toSchemeBytes(ui->menuIcon2Edit->text());
    d.contentType = contentType();
    d.menuLink = toSchemeBytes(ui->menuLinkEdit->text());
    d.menuTarget = toSchemeBytes(ui->menuTargetCombo->currentText());
    d.menuScript = toSchemeBytes(ui->menuScriptEdit->text());
    return d;
}

int ItemPanel::contentType() const { return ui->linkRadio->isChecked() ? 0 : 1; }

void ItemPanel::showItem(const MenuNode* node) {
    const QScopedValueRollback<bool> filling(filling_, true);
    clearTexts();
    if (!node) {
        ui->menuNameEdit->clear();
        return;
    }
    followItem(node);
}

void ItemPanel::followItem(const MenuNode* node) {
    const QScopedValueRollback<bool> filling(filling_, true);
    const MenuItemData& data = node->data;
    follow(ui->menuNameEdit, data.menuName);
    follow(ui->menuHintEdit, data.menuHint);
    follow(ui->menuStatusEdit, data.menuStatus);
    follow(ui->menuIcon1Edit, data.menuIcon1);
    follow(ui->menuIcon2Edit, data.menuIcon2);
    // Exclusive buttons cannot be unchecked directly: check the one that applies.
    if (data.contentType == 0)
        ui->linkRadio->setChecked(true);
    else
        ui->scriptRadio->setChecked(true);
    if (ui->linkRadio->isChecked()) {
        follow(ui->menuLinkEdit, data.menuLink);
        const QString target = toQString(data.menuTarget);
        if (ui->menuTargetCombo->currentText() != target) ui->menuTargetCombo->setEditText(target);
    } else {
        follow(ui->menuScriptEdit, data.menuScript);
    }
}

void ItemPanel::clearTexts() {
    const QScopedValueRollback<bool> filling(filling_, true);
    ui->menuLinkEdit->clear();
    ui->menuTargetCombo->setEditText(QString());
    ui->menuScriptEdit->clear();
    ui->menuHintEdit->clear();
    ui->menuStatusEdit->clear();
    ui->menuIcon1Edit->clear();
    ui->menuIcon2Edit->clear();
}

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

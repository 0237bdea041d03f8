#include "ui/main/item_panel.h"

#include <QEvent>
#include <QLabel>
#include <QLayout>

#include "ui/common/choosers.h"
#include "ui/common/icons.h"
#include "ui/common/text_codec.h"
#include "ui_item_panel.h"

namespace sylvanode {

ItemPanel::ItemPanel(Prompter& prompter, std::function<std::string()> workDir, QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::ItemPanel>()), prompter_(prompter), workDir_(std::move(workDir)) {
    ui->setupUi(this);

    for (QToolButton* b : {ui->c_copy, ui->m_copy_2}) b->setIcon(ownIcon("copy"));
    for (QToolButton* b : {ui->SpeedButton6, ui->SpeedButton7, ui->SpeedButton8}) b->setIcon(ownIcon("browse"));
    // The target list starts with an empty text, not with its first entry.
    ui->c_menuTarget->setCurrentIndex(-1);
    ui->c_menuTarget->setEditText(QString());

    connect(ui->c_menuName, &QLineEdit::textChanged, this, &ItemPanel::titleChanged);
    for (QLineEdit* e : {ui->c_menuHint, ui->c_menuStatus, ui->c_menuIcon1, ui->c_menuIcon2,
                         ui->c_menuLink, ui->c_menuScript})
        connect(e, &QLineEdit::textChanged, this, &ItemPanel::edited);
    connect(ui->c_menuTarget, &QComboBox::editTextChanged, this, &ItemPanel::edited);
    connect(ui->radio_link, &QRadioButton::toggled, this, [this](bool on) {
        if (on) Q_EMIT edited();
    });
    connect(ui->radio_script, &QRadioButton::toggled, this, [this](bool on) {
        if (on) Q_EMIT edited();
    });

    connect(ui->c_copy, &QToolButton::clicked, this, [this] { ui->c_menuHint->setText(ui->c_menuName->text()); });
    connect(ui->m_copy_2, &QToolButton::clicked, this,
            [this] { ui->c_menuStatus->setText(ui->c_menuName->text()); });
    const QString gif = QStringLiteral("Gif文件(*.gif)|*.gif");
    connect(ui->SpeedButton6, &QToolButton::clicked, this, [this, gif] { browse(ui->c_menuIcon1, gif); });
    connect(ui->SpeedButton7, &QToolButton::clicked, this, [this, gif] { browse(ui->c_menuIcon2, gif); });
    connect(ui->SpeedButton8, &QToolButton::clicked, this,
            [this] { browse(ui->c_menuLink, QStringLiteral("Html文件(*.html)|*.html;*.htm")); });
}

ItemPanel::~ItemPanel() = default;

void ItemPanel::alignColumns() {
    const QList<QWidget*> texts{ui->Label1, ui->Label2, ui->Label3};
    const QList<QWidget*> icons{ui->Label4, ui->Label5};
    const QList<QWidget*> action{ui->radio_link, ui->Label6, ui->radio_script};
    int base = 0;
    for (const QList<QWidget*>* column : {&texts, &icons, &action})
        for (QWidget* w : *column) base = std::max(base, w->sizeHint().width());
    for (const QList<QWidget*>* column : {&texts, &icons, &action})
        for (QWidget* w : *column) w->setMinimumWidth(base);
    activateLayouts();
    const int xText = ui->c_menuName->mapTo(this, QPoint()).x();
    const int xIcon = ui->c_menuIcon1->mapTo(this, QPoint()).x();
    const int xAction = ui->c_menuLink->mapTo(this, QPoint()).x();
    const int target = std::max({xText, xIcon, xAction});
    for (QWidget* w : texts) w->setMinimumWidth(base + target - xText);
    for (QWidget* w : icons) w->setMinimumWidth(base + target - xIcon);
    for (QWidget* w : action) w->setMinimumWidth(base + target - xAction);
    activateLayouts();

    // And the small buttons end at the same right edge.
    QLayout* iconGrid = ui->Panel2->layout();
    QLayout* actionGrid = ui->GroupBox3->layout();
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
    const int rText = right(ui->c_copy);
    const int rIcon = right(ui->SpeedButton6);
    const int rAction = right(ui->SpeedButton8);
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
    for (QWidget* w : {static_cast<QWidget*>(this), static_cast<QWidget*>(ui->GroupBox2),
                       static_cast<QWidget*>(ui->Panel2), static_cast<QWidget*>(ui->GroupBox3)})
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

void ItemPanel::store(MenuItemData& data) const {
    data.menuName = toSchemeBytes(ui->c_menuName->text());
    data.menuHint = toSchemeBytes(ui->c_menuHint->text());
    data.menuStatus = toSchemeBytes(ui->c_menuStatus->text());
    data.menuIcon1 = toSchemeBytes(ui->c_menuIcon1->text());
    data.menuIcon2 = toSchemeBytes(ui->c_menuIcon2->text());
    const bool link = ui->radio_link->isChecked();
    data.contentType = link ? 0 : 1;
    if (link) {
        data.menuLink = toSchemeBytes(ui->c_menuLink->text());
        data.menuTarget = toSchemeBytes(ui->c_menuTarget->currentText());
        data.menuScript.clear();
    } else {
        data.menuLink.clear();
        data.menuTarget.clear();
        data.menuScript = toSchemeBytes(ui->c_menuScript->text());
    }
}

void ItemPanel::show(const MenuItemData& data) {
    clear();
    ui->c_menuName->setText(toQString(data.menuName));
    ui->c_menuHint->setText(toQString(data.menuHint));
    ui->c_menuStatus->setText(toQString(data.menuStatus));
    ui->c_menuIcon1->setText(toQString(data.menuIcon1));
    ui->c_menuIcon2->setText(toQString(data.menuIcon2));
    // Exclusive buttons cannot be unchecked directly: check the one that applies.
    if (data.contentType == 0)
        ui->radio_link->setChecked(true);
    else
        ui->radio_script->setChecked(true);
    if (ui->radio_link->isChecked()) {
        ui->c_menuLink->setText(toQString(data.menuLink));
        ui->c_menuTarget->setEditText(toQString(data.menuTarget));
    } else {
        ui->c_menuScript->setText(toQString(data.menuScript));
    }
}

void ItemPanel::clear() {
    ui->c_menuLink->clear();
    ui->c_menuTarget->setEditText(QString());
    ui->c_menuScript->clear();
    ui->c_menuHint->clear();
    ui->c_menuStatus->clear();
    ui->c_menuIcon1->clear();
    ui->c_menuIcon2->clear();
}

void ItemPanel::setIconRowsVisible(bool visible) { ui->Panel2->setVisible(visible); }

QLineEdit* ItemPanel::menuName() const { return ui->c_menuName; }
QLineEdit* ItemPanel::menuHint() const { return ui->c_menuHint; }
QLineEdit* ItemPanel::menuStatus() const { return ui->c_menuStatus; }
QLineEdit* ItemPanel::menuIcon1() const { return ui->c_menuIcon1; }
QLineEdit* ItemPanel::menuIcon2() const { return ui->c_menuIcon2; }
QLineEdit* ItemPanel::menuLink() const { return ui->c_menuLink; }
QComboBox* ItemPanel::menuTarget() const { return ui->c_menuTarget; }
QLineEdit* ItemPanel::menuScript() const { return ui->c_menuScript; }
QRadioButton* ItemPanel::radioLink() const { return ui->radio_link; }
QRadioButton* ItemPanel::radioScript() const { return ui->radio_script; }

}  // namespace sylvanode

// SPDX-License-Identifier: MIT
#include "ui/main/settings_page.h"

#include <QLineEdit>
#include <QScopedValueRollback>
#include <algorithm>
#include <tuple>

#include "model/menu_scheme.h"
#include "platform/paths.h"
#include "ui/common/choosers.h"
#include "ui/common/icons.h"
#include "ui/common/file_filters.h"
#include "ui/common/prompter.h"
#include "ui/common/text_codec.h"
#include "ui/dialogs/desktop_colors.h"
#include "ui_settings_page.h"

namespace sylvanode {
namespace {


// Sets a field's text only when it differs, so the cursor of an unchanged field stays.
void setTextIfChanged(QLineEdit* field, const QString& text) {
    if (field->text() != text) field->setText(text);
}

// Typing in the target field and steps of the indent spinner merge into one undo step each.
enum MergeKey { kTargetKey = 1, kIndentKey = 2 };

}  // namespace

SettingsPage::SettingsPage(MenuScheme& scheme, Prompter& prompter, OptionChanged changed, QWidget* parent)
    : QWidget(parent),
      ui(std::make_unique<Ui::SettingsPage>()),
      scheme_(scheme),
      prompter_(prompter),
      changed_(std::move(changed)) {
    ui->setupUi(this);
    setObjectName(QStringLiteral("settingsPage"));
    ui->indentSpin->findChild<QLineEdit*>()->setObjectName(QStringLiteral("indentEdit"));
    paintReadOnlyFields();
    for (QToolButton* b : {ui->workDirButton, ui->lineFolderButton, ui->fileIconButton, ui->folderIcon1Button,
                           ui->folderIcon2Button}) {
        b->setIcon(ownIcon("browse"));
        b->setText(QString());
    }
    // Compact rows, so the whole page fits the window's smallest height.
    const int rowHeight = std::max(21, fontMetrics().height() + 4);
    for (QWidget* field : std::initializer_list<QWidget*>{
             ui->workDirEdit, ui->lineFolder, ui->target, ui->fileIconEdit, ui->folderIcon1Edit,
             ui->folderIcon2Edit, ui->indentSpin, ui->scriptCharsetCombo})
        field->setFixedHeight(rowHeight);
    ui->indentSpin->setRange(10, 50);
    ui->indentSpin->setValue(13);

    connect(ui->workDirButton, &QToolButton::clicked, this, [this] { chooseWorkDir(); });
    connect(ui->lineFolderButton, &QToolButton::clicked, this, [this] { chooseLineFolder(); });
    connect(ui->fileIconButton, &QToolButton::clicked, this, [this] { chooseFileIcon(); });
    connect(ui->folderIcon1Button, &QToolButton::clicked, this, [this] { chooseFolderIcon1(); });
    connect(ui->folderIcon2Button, &QToolButton::clicked, this, [this] { chooseFolderIcon2(); });
    connect(ui->target, &QLineEdit::textChanged, this, [this] { applyTarget(); });
    connect(ui->indentSpin, &StepSpinBox::changing, this, [this](int v) { applyIndent(v); });
    connect(ui->scriptCharsetCombo, &QComboBox::currentIndexChanged, this, [this] { applyScriptCharset(); });
    // A check box runs its handler whenever its state changes, by a click or by refresh().
    connect(ui->useImage, &QCheckBox::toggled, this, [this] { applyUseImage(); });
    const std::tuple<QCheckBox*, bool SchemeSettings::*, QString> flags[] = {
        {ui->useTitleAsHint, &SchemeSettings::useTitleAsHint, tr("切换以标题为提示文字")},
        {ui->useTitleAsStatus, &SchemeSettings::useTitleAsStatus, tr("切换以标题为状态栏文字")},
        {ui->useHint, &SchemeSettings::showHint, tr("切换显示提示文字")},
        {ui->useStatus, &SchemeSettings::showStatus, tr("切换显示状态栏文字")},
        {ui->showSelect, &SchemeSettings::showSelect, tr("切换使用选择样式")},
        {ui->showLine, &SchemeSettings::showLine, tr("切换显示结点连线")}};
    for (const auto& [box, member, stepName] : flags)
        connect(box, &QCheckBox::toggled, this, [this, member = member, stepName = stepName](bool on) {
            applyFlag(scheme_.settings.*member, on, stepName, -1);
        });
}

SettingsPage::~SettingsPage() = default;

void SettingsPage::alignLabels() {
    // One label column across both frames, so the fields line up (again after a font change).
    const std::initializer_list<QLabel*> labels{
        ui->labelWorkDir,  ui->labelLineFolder,  ui->labelTarget,     ui->labelScriptCharset,
        ui->labelIconFile, ui->labelIconFolder1, ui->labelIconFolder2};
    int width = 0;
    for (QLabel* label : labels) {
        label->setMinimumWidth(0);
        width = std::max(width, label->sizeHint().width());
    }
    for (QLabel* label : labels) label->setMinimumWidth(width);
}

void SettingsPage::showEvent(QShowEvent* event) {
    alignLabels();
    QWidget::showEvent(event);
}

void SettingsPage::paintReadOnlyFields() {
    for (QWidget* field :
         std::initializer_list<QWidget*>{ui->workDirEdit, ui->lineFolder, ui->fileIconEdit,
                                         ui->folderIcon1Edit, ui->folderIcon2Edit, ui->indentSpin})
        paintReadOnlyField(field);
}

void SettingsPage::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) alignLabels();
    // The grey of the read-only fields follows a new desktop palette (a dark one too).
    if (event->type() == QEvent::PaletteChange) paintReadOnlyFields();
    QWidget::changeEvent(event);
}

void SettingsPage::report(const QString& stepName, int mergeKey) {
    if (!refreshing_) changed_(stepName, mergeKey);
}

void SettingsPage::refresh() {
    const QScopedValueRollback<bool> refreshing(refreshing_, true);
    const SchemeSettings& s = scheme_.settings;
    // Fields first (none of them has a change handler), then the check boxes, then the target.
    ui->workDirEdit->setText(toQString(s.workDir));
    ui->lineFolder->setText(toQString(s.lineFolder));
    ui->fileIconEdit->setText(toQString(s.fileIcon));
    ui->folderIcon1Edit->setText(toQString(s.folderIcon1));
    ui->folderIcon2Edit->setText(toQString(s.folderIcon2));
    ui->indentSpin->setValue(s.indent);

    // Each box takes the value it must show before any handler can write back.
    const bool flags[] = {s.useImage,   s.showLine,       s.showHint,        s.showStatus,
                          s.showSelect, s.useTitleAsHint, s.useTitleAsStatus};
    QCheckBox* boxes[] = {ui->useImage,   ui->showLine,       ui->useHint,         ui->useStatus,
                          ui->showSelect, ui->useTitleAsHint, ui->useTitleAsStatus};
    for (size_t i = 0; i < std::size(boxes); ++i) boxes[i]->setChecked(flags[i]);
    setTextIfChanged(ui->target, toQString(s.target));
    ui->scriptCharsetCombo->setCurrentIndex(s.scriptCharset == ScriptCharset::Utf8 ? 1 : 0);
}

void SettingsPage::chooseWorkDir() {
    const std::string p = chooseFolder(prompter_, window(), tr("选择工作目录"));
    if (p.empty()) return;
    ui->workDirEdit->setText(toQString(p));
    scheme_.settings.workDir = p;
    report(tr("修改工作目录"), -1);
}

void SettingsPage::chooseLineFolder() {
    const std::string p = chooseFolder(prompter_, window(), tr("结点图片目录"));
    if (p.empty()) return;
    // The work directory itself gives the empty relative path.
    const std::string relative = relativeWebPath(p, browseBaseDirectory(scheme_));
    ui->lineFolder->setText(toQString(relative));
    scheme_.settings.lineFolder = relative;
    report(tr("修改结点图片目录"), -1);
}

void SettingsPage::chooseIcon(std::string& setting, QLineEdit* field, const QString& stepName, int mergeKey) {
    const std::string p = chooseRelativePath(prompter_, window(), browseBaseDirectory(scheme_), gifFileFilter());
    if (p.empty()) return;
    field->setText(toQString(p));
    setting = p;
    report(stepName, mergeKey);
}

void SettingsPage::chooseFileIcon() {
    chooseIcon(scheme_.settings.fileIcon, ui->fileIconEdit, tr("修改默认文件图标"), -1);
}
void SettingsPage::chooseFolderIcon1() {
    chooseIcon(scheme_.settings.folderIcon1, ui->folderIcon1Edit, tr("修改默认文件夹图标"), -1);
}
void SettingsPage::chooseFolderIcon2() {
    chooseIcon(scheme_.settings.folderIcon2, ui->folderIcon2Edit, tr("修改默认文件夹图标"), -1);
}

void SettingsPage::applyTarget() {
    scheme_.settings.target = toSchemeBytes(ui->target->text());
    report(tr("修改默认目标框架"), kTargetKey);
}

void SettingsPage::applyUseImage() {
    const bool on = ui->useImage->isChecked();
    emit useImageToggled(on);
    scheme_.settings.useImage = on;
    report(tr("切换使用图标"), -1);
}

void SettingsPage::applyFlag(bool& setting, bool checked, const QString& stepName, int mergeKey) {
    setting = checked;
    report(stepName, mergeKey);
}

void SettingsPage::applyScriptCharset() {
    scheme_.settings.scriptCharset =
        ui->scriptCharsetCombo->currentIndex() == 1 ? ScriptCharset::Utf8 : ScriptCharset::Gbk;
    report(tr("修改脚本字符集"), -1);
}

void SettingsPage::applyIndent(int newValue) {
    scheme_.settings.indent = std::clamp(newValue, 10, 50);
    report(tr("修改缩进"), kIndentKey);
}

}  // namespace sylvanode

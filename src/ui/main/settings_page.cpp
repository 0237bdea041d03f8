// SPDX-License-Identifier: MIT
#include "ui/main/settings_page.h"

#include <QLineEdit>
#include <QScopedValueRollback>
#include <algorithm>
#include <tuple>

#include "document/item_edits.h"
#include "model/menu_scheme.h"
#include "platform/paths.h"
#include "ui/common/choosers.h"
#include "ui/common/icons.h"
#include "ui/common/file_filters.h"
#include "ui/common/prompter.h"
#include "document/text_codec.h"
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

SettingsPage::SettingsPage(SchemeDocument& document, Prompter& prompter, QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::SettingsPage>()), document_(document), prompter_(prompter) {
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
            change(stepName, -1, [&](SchemeSettings& s) { s.*member = on; });
        });

    connect(&document_, &SchemeDocument::optionsChanged, this, [this](DocumentPart part) {
        if (part == DocumentPart::Settings) refresh();
    });
    connect(&document_, &SchemeDocument::replaced, this, &SettingsPage::refresh);
    refresh();
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

void SettingsPage::change(const QString& stepName, int mergeKey,
                          const std::function<void(SchemeSettings&)>& edit) {
    if (refreshing_) return;
    SchemeOptions after = optionsOf(document_.scheme());
    edit(after.settings);
    // A spinner shows its step only after reporting it: the page must not set it meanwhile.
    const QScopedValueRollback<bool> applying(applying_, true);
    changeOptions(document_, DocumentPart::Settings, stepName, mergeKey, after);
}

void SettingsPage::refresh() {
    const QScopedValueRollback<bool> refreshing(refreshing_, true);
    const SchemeSettings& s = document_.scheme().settings;
    // Fields first (none of them has a change handler), then the check boxes, then the target.
    ui->workDirEdit->setText(toQString(s.workDir));
    ui->lineFolder->setText(toQString(s.lineFolder));
    ui->fileIconEdit->setText(toQString(s.fileIcon));
    ui->folderIcon1Edit->setText(toQString(s.folderIcon1));
    ui->folderIcon2Edit->setText(toQString(s.folderIcon2));
    if (!applying_) ui->indentSpin->setValue(s.indent);

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
    change(tr("修改工作目录"), -1, [&](SchemeSettings& s) { s.workDir = p; });
}

void SettingsPage::chooseLineFolder() {
    const std::string p = chooseFolder(prompter_, window(), tr("结点图片目录"));
    if (p.empty()) return;
    // The work directory itself gives the empty relative path.
    const std::string relative = relativeWebPath(p, browseBaseDirectory(document_.scheme()));
    change(tr("修改结点图片目录"), -1, [&](SchemeSettings& s) { s.lineFolder = relative; });
}

void SettingsPage::chooseIcon(std::string SchemeSettings::*setting, const QString& stepName) {
    const std::string p =
        chooseRelativePath(prompter_, window(), browseBaseDirectory(document_.scheme()), gifFileFilter());
    if (p.empty()) return;
    change(stepName, -1, [&](SchemeSettings& s) { s.*setting = p; });
}

void SettingsPage::chooseFileIcon() { chooseIcon(&SchemeSettings::fileIcon, tr("修改默认文件图标")); }
void SettingsPage::chooseFolderIcon1() { chooseIcon(&SchemeSettings::folderIcon1, tr("修改默认文件夹图标")); }
void SettingsPage::chooseFolderIcon2() { chooseIcon(&SchemeSettings::folderIcon2, tr("修改默认文件夹图标")); }

void SettingsPage::applyTarget() {
    const std::string target = toSchemeBytes(ui->target->text());
    change(tr("修改默认目标框架"), kTargetKey, [&](SchemeSettings& s) { s.target = target; });
}

void SettingsPage::applyUseImage() {
    const bool on = ui->useImage->isChecked();
    change(tr("切换使用图标"), -1, [&](SchemeSettings& s) { s.useImage = on; });
}

void SettingsPage::applyScriptCharset() {
    const ScriptCharset charset =
        ui->scriptCharsetCombo->currentIndex() == 1 ? ScriptCharset::Utf8 : ScriptCharset::Gbk;
    change(tr("修改脚本字符集"), -1, [&](SchemeSettings& s) { s.scriptCharset = charset; });
}

void SettingsPage::applyIndent(int newValue) {
    change(tr("修改缩进"), kIndentKey, [&](SchemeSettings& s) { s.indent = std::clamp(newValue, 10, 50); });
}

}  // namespace sylvanode

#include "ui/main/settings_page.h"

#include <QLineEdit>
#include <algorithm>

#include "model/menu_scheme.h"
#include "platform/paths.h"
#include "ui/common/choosers.h"
#include "ui/common/icons.h"
#include "ui/common/prompter.h"
#include "ui/common/text_codec.h"
#include "ui/dialogs/desktop_colors.h"
#include "ui_settings_page.h"

namespace sylvanode {
namespace {

const QString kGifFilter = QStringLiteral("Gif文件(*.gif)|*.gif");

// Sets a field's text only when it differs, so an unchanged value runs no handler.
void setTextIfChanged(QLineEdit* field, const QString& text) {
    if (field->text() != text) field->setText(text);
}

}  // namespace

SettingsPage::SettingsPage(MenuScheme& scheme, Prompter& prompter, std::function<void()> markModified,
                           QWidget* parent)
    : QWidget(parent),
      ui(std::make_unique<Ui::SettingsPage>()),
      scheme_(scheme),
      prompter_(prompter),
      markModified_(std::move(markModified)) {
    ui->setupUi(this);
    setObjectName(QStringLiteral("TabSheet2"));
    ui->UpDown1->findChild<QLineEdit*>()->setObjectName(QStringLiteral("c_indent"));
    for (QWidget* field :
         std::initializer_list<QWidget*>{ui->c_workDir, ui->lineFolder, ui->c_icon_file, ui->c_icon_folder1,
                                         ui->c_icon_folder2, ui->UpDown1})
        paintReadOnlyField(field);
    for (QToolButton* b :
         {ui->SpeedButton1, ui->SpeedButton5, ui->SpeedButton2, ui->SpeedButton3, ui->SpeedButton4}) {
        b->setIcon(ownIcon("browse"));
        b->setText(QString());
    }
    // Compact rows, so the whole page fits the window's smallest height.
    const int rowHeight = std::max(21, fontMetrics().height() + 4);
    for (QWidget* field :
         std::initializer_list<QWidget*>{ui->c_workDir, ui->lineFolder, ui->target, ui->c_icon_file,
                                         ui->c_icon_folder1, ui->c_icon_folder2, ui->UpDown1})
        field->setFixedHeight(rowHeight);
    ui->UpDown1->setRange(10, 50);
    ui->UpDown1->setValue(13);

    connect(ui->SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
    connect(ui->SpeedButton5, &QToolButton::clicked, this, [this] { SpeedButton5Click(); });
    connect(ui->SpeedButton2, &QToolButton::clicked, this, [this] { SpeedButton2Click(); });
    connect(ui->SpeedButton3, &QToolButton::clicked, this, [this] { SpeedButton3Click(); });
    connect(ui->SpeedButton4, &QToolButton::clicked, this, [this] { SpeedButton4Click(); });
    connect(ui->target, &QLineEdit::textChanged, this, [this] { targetChange(); });
    connect(ui->UpDown1, &StepSpinBox::changing, this, [this](int v) { UpDown1ChangingEx(v); });
    // A check box runs its handler whenever its state changes, by a click or by refresh().
    connect(ui->c_useImg, &QCheckBox::toggled, this, [this] { c_useImgClick(); });
    connect(ui->useTitleAsHint, &QCheckBox::toggled, this,
            [this](bool on) { flagClick(scheme_.settings.useTitleAsHint, on); });
    connect(ui->useTitleAsStatus, &QCheckBox::toggled, this,
            [this](bool on) { flagClick(scheme_.settings.useTitleAsStatus, on); });
    connect(ui->useHint, &QCheckBox::toggled, this,
            [this](bool on) { flagClick(scheme_.settings.showHint, on); });
    connect(ui->useStatus, &QCheckBox::toggled, this,
            [this](bool on) { flagClick(scheme_.settings.showStatus, on); });
    connect(ui->showSelect, &QCheckBox::toggled, this,
            [this](bool on) { flagClick(scheme_.settings.showSelect, on); });
    connect(ui->showLine, &QCheckBox::toggled, this,
            [this](bool on) { flagClick(scheme_.settings.showLine, on); });
}

SettingsPage::~SettingsPage() = default;

void SettingsPage::alignLabels() {
    // One label column across both frames, so the fields line up (again after a font change).
    const std::initializer_list<QLabel*> labels{ui->labelWorkDir,     ui->labelLineFolder,
                                                ui->labelTarget,      ui->labelIconFile,
                                                ui->labelIconFolder1, ui->labelIconFolder2};
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

void SettingsPage::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) alignLabels();
    QWidget::changeEvent(event);
}

void SettingsPage::refresh() {
    const SchemeSettings& s = scheme_.settings;
    // Fields first (none of them has a change handler), then the check boxes, then the target.
    ui->c_workDir->setText(toQString(s.workDir));
    ui->lineFolder->setText(toQString(s.lineFolder));
    ui->c_icon_file->setText(toQString(s.fileIcon));
    ui->c_icon_folder1->setText(toQString(s.folderIcon1));
    ui->c_icon_folder2->setText(toQString(s.folderIcon2));
    ui->UpDown1->setValue(s.indent);

    // Each box takes the value it must show before any handler can write back.
    const bool flags[] = {s.useImage,   s.showLine,       s.showHint,        s.showStatus,
                          s.showSelect, s.useTitleAsHint, s.useTitleAsStatus};
    QCheckBox* boxes[] = {ui->c_useImg,   ui->showLine,       ui->useHint,         ui->useStatus,
                          ui->showSelect, ui->useTitleAsHint, ui->useTitleAsStatus};
    for (size_t i = 0; i < std::size(boxes); ++i) boxes[i]->setChecked(flags[i]);
    setTextIfChanged(ui->target, toQString(s.target));
}

void SettingsPage::SpeedButton1Click() {
    const std::string p = chooseFolder(prompter_, window(), tr("选择工作目录"));
    if (p.empty()) return;
    ui->c_workDir->setText(toQString(p));
    scheme_.settings.workDir = p;
    markModified_();
}

void SettingsPage::SpeedButton5Click() {
    const std::string p = chooseFolder(prompter_, window(), tr("结点图片目录"));
    if (p.empty()) return;
    // The work directory itself gives the empty relative path.
    const std::string relative = relativeWebPath(p, scheme_.settings.workDir);
    ui->lineFolder->setText(toQString(relative));
    scheme_.settings.lineFolder = relative;
    markModified_();
}

void SettingsPage::chooseIcon(std::string& setting, QLineEdit* field) {
    const std::string p = chooseRelativePath(prompter_, window(), scheme_.settings.workDir, kGifFilter);
    if (p.empty()) return;
    field->setText(toQString(p));
    setting = p;
    markModified_();
}

void SettingsPage::SpeedButton2Click() { chooseIcon(scheme_.settings.fileIcon, ui->c_icon_file); }
void SettingsPage::SpeedButton3Click() { chooseIcon(scheme_.settings.folderIcon1, ui->c_icon_folder1); }
void SettingsPage::SpeedButton4Click() { chooseIcon(scheme_.settings.folderIcon2, ui->c_icon_folder2); }

void SettingsPage::targetChange() {
    scheme_.settings.target = toSchemeBytes(ui->target->text());
    markModified_();
}

void SettingsPage::c_useImgClick() {
    const bool on = ui->c_useImg->isChecked();
    emit useImageToggled(on);
    scheme_.settings.useImage = on;
    markModified_();
}

void SettingsPage::flagClick(bool& setting, bool checked) {
    setting = checked;
    markModified_();
}

void SettingsPage::UpDown1ChangingEx(int newValue) {
    scheme_.settings.indent = std::clamp(newValue, 10, 50);
    markModified_();
}

}  // namespace sylvanode

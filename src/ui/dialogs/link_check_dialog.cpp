// SPDX-License-Identifier: MIT
#include "ui/dialogs/link_check_dialog.h"

#include <QHeaderView>
#include <QPushButton>

#include "document/text_codec.h"
#include "ui/dialogs/form_font.h"
#include "ui_link_check_dialog.h"

namespace sylvanode {

LinkCheckDialog::LinkCheckDialog(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::LinkCheckDialog>()) {
    ui->setupUi(this);
    setFont(formFont());
    setModal(false);
    ui->problemList->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    ui->problemList->header()->setSectionResizeMode(1, QHeaderView::Interactive);
    ui->problemList->header()->setStretchLastSection(true);
    ui->problemList->setColumnWidth(1, 160);
    connect(ui->closeButton, &QPushButton::clicked, this, &QDialog::close);
    connect(ui->problemList, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item, int) { activateRow(ui->problemList->indexOfTopLevelItem(item)); });
}

LinkCheckDialog::~LinkCheckDialog() = default;

QString LinkCheckDialog::problemText(const LinkProblem& p) {
    const QString value = toQString(p.value);
    const bool icon = p.field != "link";
    switch (p.kind) {
        case LinkProblemKind::Missing:
            return (icon ? tr("图标不存在：") : tr("文件不存在：")) + value;
        case LinkProblemKind::NotPortable:
            return tr("本机路径，放到服务器上无法使用：") + value;
        case LinkProblemKind::ScriptInLink:
            return tr("链接中含有 javascript:，应改为脚本：") + value;
        case LinkProblemKind::EmptyLink:
            return tr("链接为空");
        case LinkProblemKind::Duplicate:
            return tr("链接与第 %1 项相同：").arg(p.firstItem) + value;
        case LinkProblemKind::NotChecked:
            return tr("外部地址，未检查：") + value;
        case LinkProblemKind::OutsideRoot:
            return tr("指向网站目录之外：") + value;
        case LinkProblemKind::MissingAnchor:
            return tr("页面中没有这个锚点：") + value;
    }
    return {};
}

QString LinkCheckDialog::defaultIconName(const std::string& field) {
    // As the settings page labels them.
    if (field == "fileIcon") return tr("文件");
    if (field == "folderIcon1") return tr("文件夹(折叠)");
    if (field == "folderIcon2") return tr("文件夹(展开)");
    return QString::fromStdString(field);
}

void LinkCheckDialog::showResult(const LinkCheckResult& result, const QString& folder) {
    problems_ = result.problems;
    ui->problemList->clear();
    for (const LinkProblem& p : result.problems) {
        auto* row = new QTreeWidgetItem(ui->problemList);
        row->setText(0, p.item < 0 ? tr("默认图标") : QString::number(p.item));
        row->setData(0, Qt::UserRole, p.item);
        row->setText(1, p.item < 0 ? defaultIconName(p.field) : toQString(p.title));
        row->setText(2, problemText(p));
        if (!p.isFault()) row->setForeground(2, palette().brush(QPalette::Disabled, QPalette::Text));
    }
    ui->summaryLabel->setText(tr("在 %1 中检查：%n 个问题", nullptr, result.faults()).arg(folder));
    if (ui->problemList->topLevelItemCount() > 0)
        ui->problemList->setCurrentItem(ui->problemList->topLevelItem(0));
}

int LinkCheckDialog::rowCount() const { return ui->problemList->topLevelItemCount(); }

int LinkCheckDialog::itemOfRow(int row) const {
    const QTreeWidgetItem* item = ui->problemList->topLevelItem(row);
    return item ? item->data(0, Qt::UserRole).toInt() : -1;
}

QString LinkCheckDialog::rowText(int row) const {
    const QTreeWidgetItem* item = ui->problemList->topLevelItem(row);
    return item ? item->text(0) + '\t' + item->text(1) + '\t' + item->text(2) : QString();
}

void LinkCheckDialog::setCurrentRow(int row) {
    if (QTreeWidgetItem* item = ui->problemList->topLevelItem(row)) ui->problemList->setCurrentItem(item);
}

void LinkCheckDialog::activateRow(int row) {
    if (row >= 0 && row < static_cast<int>(problems_.size()))
        emit problemChosen(problems_[static_cast<size_t>(row)]);
}

}  // namespace sylvanode

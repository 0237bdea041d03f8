// SPDX-License-Identifier: MIT
#include "ui/main/file_change_bar.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "document/scheme_document.h"
#include "document/text_codec.h"
#include "ui/common/failure_text.h"

namespace sylvanode {

FileChangeBar::FileChangeBar(SchemeDocument& document, QWidget* parent)
    : QFrame(parent),
      document_(document),
      message_(new QLabel(this)),
      reloadButton_(new QPushButton(tr("重新载入"), this)),
      keepButton_(new QPushButton(tr("保留我的版本"), this)),
      closeButton_(new QPushButton(tr("关闭"), this)) {
    setObjectName(QStringLiteral("fileChangeBar"));
    message_->setObjectName(QStringLiteral("fileChangeMessage"));
    reloadButton_->setObjectName(QStringLiteral("reloadButton"));
    keepButton_->setObjectName(QStringLiteral("keepMineButton"));
    closeButton_->setObjectName(QStringLiteral("closeBarButton"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::ToolTipBase);
    setForegroundRole(QPalette::ToolTipText);
    message_->setWordWrap(true);
    // The message above its buttons: the tree pane is narrow, and a row of both would squeeze
    // the buttons' words (the longer ones of a translation first).
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->addWidget(message_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* b : {reloadButton_, keepButton_, closeButton_}) buttons->addWidget(b);
    layout->addLayout(buttons);
    hide();

    connect(reloadButton_, &QPushButton::clicked, this, [this] {
        const SchemeResult result = document_.reload();
        if (!result)
            say(tr("无法重新载入：%1").arg(failureReason(result)), true);
        else
            hide();
    });
    connect(keepButton_, &QPushButton::clicked, this, [this] {
        document_.keepMine();
        hide();
    });
    connect(closeButton_, &QPushButton::clicked, this, &QWidget::hide);
    connect(&document_, &SchemeDocument::diskStateChanged, this, &FileChangeBar::followDiskState);
    connect(&document_, &SchemeDocument::reloadedFromDisk, this, [this] {
        say(tr("文件已被其他程序修改，已重新载入。撤销可以取回之前的内容。"), false);
        reloadNotice_ = true;
    });
    connect(&document_, &SchemeDocument::filePathChanged, this, &QWidget::hide);
}

void FileChangeBar::followDiskState() {
    switch (document_.diskState()) {
        case SchemeDocument::DiskState::Changed:
            say(tr("文件已被其他程序修改。"), true);
            break;
        case SchemeDocument::DiskState::Deleted:
            say(tr("文件已从磁盘上删除。保存可以重新写入它。"), false);
            break;
        case SchemeDocument::DiskState::InStep:
            // Back in step: a warning is over; the notice of a reload stays until closed.
            if (!reloadNotice_) hide();
            break;
    }
}

void FileChangeBar::say(const QString& text, bool offerChoice) {
    reloadNotice_ = false;
    message_->setText(text);
    reloadButton_->setVisible(offerChoice);
    keepButton_->setVisible(offerChoice);
    closeButton_->setVisible(!offerChoice);
    show();
}

}  // namespace sylvanode

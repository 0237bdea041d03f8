// SPDX-License-Identifier: MIT
#include "ui/dialogs/suffix_dialog.h"

#include <QKeyEvent>
#include <QLayout>
#include <algorithm>

#include "codegen/script_text.h"
#include "ui/common/prompter.h"
#include "document/text_codec.h"
#include "ui/dialogs/form_font.h"
#include "ui_suffix_dialog.h"

using namespace sylvanode;

SuffixDialog::SuffixDialog(Prompter& prompter, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::SuffixDialog>()), prompter_(prompter) {
    ui->setupUi(this);
    setFont(formFont());
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    connect(ui->okButton, &QPushButton::clicked, this, [this] { acceptSuffix(); });
    connect(ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    // The form's width; the word-wrapped note decides the height.
    const int width = std::max(264, minimumSizeHint().width());
    const int height =
        layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(width) : sizeHint().height();
    setFixedSize(width, std::max(141, height));
}

SuffixDialog::~SuffixDialog() = default;

void SuffixDialog::acceptSuffix() {
    std::string normalised;
    if (!checkMenuSuffix(toSchemeBytes(ui->suffixEdit->text()), normalised)) {
        prompter_.message(this, QStringLiteral("Sylvanode"), tr("后缀名格式不正确"), Prompter::Icon::Error,
                          Prompter::Ok);
        return;
    }
    suffix_ = normalised;
    accept();
}

void SuffixDialog::showEvent(QShowEvent* event) {
    // Every showing starts in the text field, wherever the focus was left last time.
    ui->suffixEdit->setFocus(Qt::OtherFocusReason);
    QDialog::showEvent(event);
}

void SuffixDialog::keyPressEvent(QKeyEvent* event) {
    // Esc does nothing here: only Cancel and the close box leave without OK.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

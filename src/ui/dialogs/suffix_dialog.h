// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <memory>
#include <string>

namespace Ui {
class SuffixDialog;
}
namespace sylvanode {
class Prompter;
}

// "多菜单设置": the multi-menu suffix. Created once at start-up and kept, so the
// typed text and the last accepted suffix stay from one showing to the next.
class SuffixDialog : public QDialog {
    Q_OBJECT
public:
    SuffixDialog(sylvanode::Prompter& prompter, QWidget* parent = nullptr);
    ~SuffixDialog() override;

    // The last accepted suffix (trimmed, lower case); empty at first.
    const std::string& suffix() const { return suffix_; }

    void acceptSuffix();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<Ui::SuffixDialog> ui;
    sylvanode::Prompter& prompter_;
    std::string suffix_;
};

// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <QPixmap>
#include <memory>

namespace Ui {
class AboutDialog;
}
namespace sylvanode {
class Prompter;
}

// "About Sylvanode": logo, version, date and the link to the maker's page.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    AboutDialog(sylvanode::Prompter& prompter, QWidget* parent = nullptr);
    ~AboutDialog() override;

    // The maker's web address, set at build time.
    static QString homepage();
    // Our logo, 130 x 49.
    static QPixmap logo();

    void openHomepage();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::unique_ptr<Ui::AboutDialog> ui;
    sylvanode::Prompter& prompter_;
};

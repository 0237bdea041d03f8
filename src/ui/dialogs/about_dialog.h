#pragma once

#include <QDialog>
#include <QPixmap>
#include <memory>

namespace Ui {
class TfmAbout;
}
namespace sylvanode {
class Prompter;
}

// "About Sylvanode": logo, version, date and the link to the maker's page.
class TfmAbout : public QDialog {
    Q_OBJECT
public:
    TfmAbout(sylvanode::Prompter& prompter, QWidget* parent = nullptr);
    ~TfmAbout() override;

    // The maker's web address, set at build time.
    static QString homepage();
    // Our logo, 130 x 49.
    static QPixmap logo();

    void Button1Click();
    void urlClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::unique_ptr<Ui::TfmAbout> ui;
    sylvanode::Prompter& prompter_;
};

// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <memory>

#include "exchange/link_check.h"

class QTreeWidgetItem;
namespace Ui {
class LinkCheckDialog;
}

namespace sylvanode {

// The list of link problems. It stays open beside the main window while the author mends
// the links; double-clicking a row (or Enter on it) asks for that item to be selected.
class LinkCheckDialog : public QDialog {
    Q_OBJECT
public:
    explicit LinkCheckDialog(QWidget* parent = nullptr);
    ~LinkCheckDialog() override;

    void showResult(const LinkCheckResult& result, const QString& folder);
    // The problems listed, one a row.
    const std::vector<LinkProblem>& problems() const { return problems_; }
    int rowCount() const;
    // The item index of a row; -1 for a default icon of the settings.
    int itemOfRow(int row) const;
    void setCurrentRow(int row);
    // The texts of a row's three columns, joined by tabs (what a test reads).
    QString rowText(int row) const;
    void activateRow(int row);

    // The problem alone, as the list shows it.
    static QString problemText(const LinkProblem& problem);
    // A default icon ("fileIcon", …) by its label on the settings page.
    static QString defaultIconName(const std::string& field);

signals:
    // A row was chosen: its problem (its item's index is -1 for a default icon of the settings).
    // The tree may have changed since the check.
    void problemChosen(sylvanode::LinkProblem problem);

private:
    std::unique_ptr<Ui::LinkCheckDialog> ui;
    std::vector<LinkProblem> problems_;
};

}  // namespace sylvanode

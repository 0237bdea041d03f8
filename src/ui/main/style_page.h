// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "document/scheme_document.h"

class QLineEdit;

namespace Ui {
class StylePage;
}

class QColor;

namespace sylvanode {

// The contrast of two colours as the accessibility guidelines count it (1 to 21).
double contrastRatio(const QColor& a, const QColor& b);

class Prompter;

// The page "风格样式" (stylePage): the six CSS styles, heights and paddings of the folder
// and file kinds. Every change is an undo step on the document; the page follows its styles.
class StylePage : public QWidget {
    Q_OBJECT
public:
    StylePage(SchemeDocument& document, Prompter& prompter, QWidget* parent = nullptr);
    ~StylePage() override;

    // The six style texts first, then heights and paddings (side selectors back to the top
    // side), as for a document just opened. Runs no handler.
    void refresh();
    void refreshStyleTexts();
    void refreshSizes();
    // The heights and paddings again, each selector keeping the side it shows (a change).
    void refreshValues();

    // A click on the style field of a slot (1..6): the CSS style dialog for that slot.
    void editStyle(int slot);
    // Side selector change of kind 0 (folderPaddingSide) or 1 (filePaddingSide).
    void showPaddingSide(int kind);
    // Spinner step requests.
    void applyHeight(int kind, int newValue);
    void applyPadding(int kind, int newValue);

    // The padding side each kind shows at present.
    int kindSide(int kind) const { return kindSide_[static_cast<size_t>(kind)]; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The style field of a slot: folder normal, hover, select, then file normal, hover, select.
    QLineEdit* styleField(int slot) const;
    void paintReadOnlyFields();
    void showCss(int slot, const std::string& css);
    // A change of the styles as one step (`mergeKey` >= 0: merged with the control's last).
    void change(const QString& stepName, int mergeKey, const std::function<void(std::array<KindStyle, 2>&)>& edit);

    std::unique_ptr<Ui::StylePage> ui;
    SchemeDocument& document_;
    Prompter& prompter_;
    bool refreshing_ = false;
    bool applying_ = false;
    std::array<int, 2> kindSide_{0, 0};
    std::array<QLineEdit*, 6> styleFields_{};
    QLineEdit* pressedField_ = nullptr;
};

}  // namespace sylvanode

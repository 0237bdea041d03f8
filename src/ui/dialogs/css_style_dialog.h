// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QDialog>
#include <memory>
#include <string>

#include "model/menu_scheme.h"

namespace Ui {
class CssStyleDialog;
}
namespace sylvanode {
class Prompter;
}

// "CSS样式设定": edits a working copy of one CSS style with a live preview.
// Control values reach the working copy only while the dialog is on screen,
// so loading a style never rewrites it.
class CssStyleDialog : public QDialog {
    Q_OBJECT
public:
    CssStyleDialog(sylvanode::Prompter& prompter, QWidget* parent = nullptr);
    ~CssStyleDialog() override;

    void loadStyle(const sylvanode::CssStyle& style);
    const sylvanode::CssStyle& workStyle() const { return workStyle_; }
    // The CSS declaration text of the working copy.
    std::string cssText() const;

    void updatePreview();

    // Handlers of the controls.
    void toggleFontName();
    void applyFontName();
    void toggleFontStyle();
    void applyFontStyle();
    void toggleFontSize();
    void applyFontSize();
    void toggleUnderline();
    void toggleTextColor();
    void toggleBackgroundColor();
    void chooseTextColor();
    void chooseBackgroundColor();
    void chooseBorderColor();
    void pickTextColor();
    void pickBackgroundColor();
    void pickBorderColor();
    void toggleBorder();
    void applyBorderWidth(int newPosition);
    void acceptStyle();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fillFontLists();
    bool onScreen() const { return isVisible(); }
    // The standard chooser, starting on the colour last chosen in this dialog.
    bool chooseStandardColor(std::string& field);
    // The colour picker dialog; its result text on OK.
    bool runPicker(std::string& field);

    std::unique_ptr<Ui::CssStyleDialog> ui;
    sylvanode::Prompter& prompter_;
    sylvanode::CssStyle workStyle_;
    QColor lastChosen_{Qt::black};
};

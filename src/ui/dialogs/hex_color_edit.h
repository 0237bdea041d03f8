// SPDX-License-Identifier: MIT
#pragma once

#include <QLineEdit>

// The colour picker's hexadecimal entry field: at most six characters, and of
// the typed characters only hexadecimal digits reach the field; Backspace and
// Delete delete as in any field.
// Text that arrives by other routes (a paste from the context menu) is not filtered.
class HexColorEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit HexColorEdit(QWidget* parent = nullptr);

    // Whether a typed character is let through.
    static bool acceptsTypedCharacter(QChar c);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
};

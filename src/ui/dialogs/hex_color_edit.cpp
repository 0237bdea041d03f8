// SPDX-License-Identifier: MIT
#include "ui/dialogs/hex_color_edit.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

HexColorEdit::HexColorEdit(QWidget* parent) : QLineEdit(parent) { setMaxLength(6); }

bool HexColorEdit::acceptsTypedCharacter(QChar c) {
    const char16_t u = c.unicode();
    return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'F') || (u >= 'a' && u <= 'f') || u == 8;
}

void HexColorEdit::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        // Dialog keys belong to the dialog (default and cancel buttons, focus).
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        // Deleting works as in every field (Delete arrives as the character 0x7F).
        case Qt::Key_Delete:
        case Qt::Key_Backspace:
            QLineEdit::keyPressEvent(event);
            return;
        default:
            break;
    }
    // Ctrl+letter is a control character even where the platform sends no text for it.
    if ((event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) && event->key() >= Qt::Key_A &&
        event->key() <= Qt::Key_Z) {
        event->accept();
        return;
    }
    const QString text = event->text();
    if (text.isEmpty()) {
        // No character: cursor movement, Delete and the like pass unchanged.
        QLineEdit::keyPressEvent(event);
        return;
    }
    for (QChar c : text) {
        if (!acceptsTypedCharacter(c)) {
            // Dropped before the field sees it; shortcuts that arrive as control
            // characters (Ctrl+V is 0x16) do nothing here.
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void HexColorEdit::inputMethodEvent(QInputMethodEvent* event) {
    // A committed input-method text is typing as well.
    QString kept;
    for (QChar c : event->commitString())
        if (acceptsTypedCharacter(c) && c.unicode() != 8) kept.append(c);
    if (kept == event->commitString()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(kept, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&filtered);
}

// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <vector>

#include "model/scheme_look.h"

class QListWidget;

namespace sylvanode {

class Prompter;
class SchemeDocument;

// A look and the file it came from.
struct LookFile {
    QString path;
    SchemeLook look;
};

// The looks shipped with the program, then the user's own (by file name in each folder).
std::vector<LookFile> readLooks(const QStringList& folders);
// Where the program's looks lie, and where the user's are saved (XDG data home).
QString shippedLooksFolder();
QString userLooksFolder();

// Applies a look to the document as one undo step; no item changes.
bool applyLookTo(SchemeDocument& document, const SchemeLook& look);
// 保存当前样式…: asks for a name in the user's looks folder and writes the document's look there.
// Returns the path written, or empty (cancelled or failed; a failure is shown).
QString saveCurrentLook(SchemeDocument& document, Prompter& prompter, QWidget* parent);

// 样式库: the looks as a list with live thumbnails (where the web engine runs); 应用 applies the
// chosen one to the document.
class LookGallery : public QDialog {
    Q_OBJECT
public:
    LookGallery(SchemeDocument& document, const std::vector<LookFile>& looks, QWidget* parent = nullptr);

    QListWidget& list() { return *list_; }

private:
    SchemeDocument& document_;
    std::vector<LookFile> looks_;
    QListWidget* list_ = nullptr;
};

}  // namespace sylvanode

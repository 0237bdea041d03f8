// SPDX-License-Identifier: MIT
#pragma once

#include <QFrame>

class QLabel;
class QPushButton;

namespace sylvanode {

class SchemeDocument;

// The bar above the tree that says what happened to the document's file on disk: reloaded
// after another program changed it (undo takes that back), changed while the document has
// changes of its own (reload, or keep this version), or deleted.
class FileChangeBar : public QFrame {
    Q_OBJECT
public:
    explicit FileChangeBar(SchemeDocument& document, QWidget* parent = nullptr);

    QLabel* message() const { return message_; }

private:
    void followDiskState();
    void say(const QString& text, bool offerChoice);

    SchemeDocument& document_;
    QLabel* message_;
    QPushButton* reloadButton_;
    QPushButton* keepButton_;
    QPushButton* closeButton_;
    bool reloadNotice_ = false;
};

}  // namespace sylvanode

// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <string_view>

namespace sylvanode {

// What a file was at one moment: whether it existed, its size, its modification time and a
// hash of its bytes. Two identities name the same content when both files are missing, or
// both hold bytes of the same size and hash; a new modification time alone (a file touched,
// or written again with the same bytes) is no change.
struct FileIdentity {
    bool exists = false;
    qint64 size = -1;
    qint64 modifiedMs = 0;
    QByteArray hash;

    bool sameContent(const FileIdentity& other) const;

    // The file as it is now (reads it to hash it; a file that cannot be read counts as
    // present with an empty hash, so it never matches a file that could).
    static FileIdentity of(const QString& path);
    // The file as it is now, known to hold `bytes` (just read or written).
    static FileIdentity of(const QString& path, std::string_view bytes);
    static QByteArray hashOf(std::string_view bytes);
};

}  // namespace sylvanode

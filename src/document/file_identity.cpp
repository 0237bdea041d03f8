// SPDX-License-Identifier: MIT
#include "document/file_identity.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <string>

#include "platform/safe_file.h"

namespace sylvanode {

bool FileIdentity::sameContent(const FileIdentity& other) const {
    if (!exists || !other.exists) return exists == other.exists;
    return size == other.size && !hash.isEmpty() && hash == other.hash;
}

QByteArray FileIdentity::hashOf(std::string_view bytes) {
    return QCryptographicHash::hash(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())),
                                    QCryptographicHash::Sha256);
}

FileIdentity FileIdentity::of(const QString& path, std::string_view bytes) {
    FileIdentity id;
    const QFileInfo info(path);
    id.exists = info.exists();
    if (!id.exists) return id;
    id.size = static_cast<qint64>(bytes.size());
    id.modifiedMs = info.lastModified().toMSecsSinceEpoch();
    id.hash = hashOf(bytes);
    return id;
}

FileIdentity FileIdentity::of(const QString& path) {
    FileIdentity id;
    const QFileInfo info(path);
    id.exists = info.exists();
    if (!id.exists) return id;
    id.size = info.size();
    id.modifiedMs = info.lastModified().toMSecsSinceEpoch();
    std::string bytes;
    if (readWholeFile(QFile::encodeName(path).toStdString(), bytes)) {
        id.size = static_cast<qint64>(bytes.size());
        id.hash = hashOf(bytes);
    }
    return id;
}

}  // namespace sylvanode

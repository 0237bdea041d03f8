// SPDX-License-Identifier: MIT
#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QString>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlSchemeHandler>
#include <map>
#include <utility>

namespace sylvanode {

// The host of the pages built in memory (sylvanode-preview://pane/...).
inline constexpr const char* kPreviewHost = "pane";

// What the page's address serves: the page, the library (with its node-line images), the
// pane's own script and the generated script from memory; everything under site/ from the
// work directory.
class PreviewSite : public QWebEngineUrlSchemeHandler {
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

    std::map<QString, std::pair<QByteArray, QByteArray>> memory;  // path: MIME type, bytes
    QString libraryDir;
    QString baseDir;

    void requestStarted(QWebEngineUrlRequestJob* job) override {
        const QUrl url = job->requestUrl();
        const QString path = url.path();
        if (url.host() != QLatin1String(kPreviewHost)) return job->fail(QWebEngineUrlRequestJob::UrlInvalid);
        if (auto it = memory.find(path); it != memory.end()) return reply(job, it->second.first, it->second.second);
        QString file;
        if (path.startsWith(QLatin1String("/lib/")) && !libraryDir.isEmpty()) {
            file = inside(libraryDir, path.mid(5));
        } else if (path.startsWith(QLatin1String("/site/"))) {
            file = inside(baseDir, path.mid(6));
        }
        QFile f(file);
        if (file.isEmpty() || !QFileInfo(file).isFile() || !f.open(QIODevice::ReadOnly))
            return job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        reply(job, QMimeDatabase().mimeTypeForFile(file).name().toUtf8(), f.readAll());
    }

private:
    // The file at `relative` below `dir`; empty when the name would leave it.
    static QString inside(const QString& dir, const QString& relative) {
        const QString root = QDir::cleanPath(dir);
        const QString file = QDir::cleanPath(root + QLatin1Char('/') + relative);
        return file.startsWith(root + QLatin1Char('/')) ? file : QString();
    }

    static void reply(QWebEngineUrlRequestJob* job, const QByteArray& type, const QByteArray& bytes) {
        auto* buffer = new QBuffer(job);
        buffer->setData(bytes);
        job->reply(type, buffer);
    }
};

}  // namespace sylvanode

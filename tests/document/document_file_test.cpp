// SPDX-License-Identifier: MIT
// A document and its file, with a real second writer: outside changes are reloaded (and can be
// undone) or reported, never lost; a save notices someone else's change; read-only files.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <random>
#include <thread>
#include <unistd.h>

#include "document/item_edits.h"
#include "document_fixture.h"
#include "platform/safe_file.h"

using namespace sylvanode;
using namespace sylvanode::testing;

namespace {

// Another program saving the file the way careful editors do: a new file renamed over it.
void replaceByRename(const QString& path, const std::string& bytes) {
    const QString temporary = path + QStringLiteral(".new");
    writeFile(temporary, bytes);
    QVERIFY(::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(path).constData()) == 0);
}

}  // namespace

class DocumentFileTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    std::mt19937 rng{11};

    QString newFile(const QString& name) {
        const QString path = dir.filePath(name);
        writeFile(path, randomSchemeText(rng));
        return path;
    }

private Q_SLOTS:
    // Unmodified, the document follows its file: written in place or renamed over, it is read
    // again as one undo step (undo gives the version before back), and stays clean.
    void anUnmodifiedDocumentReloads_data() {
        QTest::addColumn<bool>("byRename");
        QTest::newRow("written in place") << false;
        QTest::newRow("a new file renamed over it") << true;
    }
    void anUnmodifiedDocumentReloads() {
        QFETCH(bool, byRename);
        const QString path = newFile(QStringLiteral("follow.menu"));
        SchemeDocument document;
        QVERIFY(document.open(path));
        const std::string before = bytesOf(document);
        QSignalSpy reloaded(&document, &SchemeDocument::reloadedFromDisk);
        const std::string outside = randomSchemeText(rng);
        if (byRename)
            replaceByRename(path, outside);
        else
            writeFile(path, outside);
        QTRY_COMPARE(reloaded.count(), 1);
        QCOMPARE(bytesOf(document), outside);
        QVERIFY(!document.isModified());
        QCOMPARE(document.diskState(), SchemeDocument::DiskState::InStep);
        QVERIFY(!document.changedOnDiskSinceRead(path));
        QCOMPARE(document.undoStack().undoText(), QStringLiteral("重新载入"));
        document.undo();
        QCOMPARE(bytesOf(document), before);
        QVERIFY(document.isModified());
        document.redo();
        QCOMPARE(bytesOf(document), outside);
        QVERIFY(!document.isModified());
        // The watcher follows the new file: the next change is seen too.
        writeFile(path, before);
        QTRY_COMPARE(reloaded.count(), 2);
        QCOMPARE(bytesOf(document), before);
    }

    // Modified, the document never reloads by itself: it reports the change; the author keeps
    // this version (the next save writes without asking again) or reloads.
    void aModifiedDocumentKeepsItsVersion() {
        const QString path = newFile(QStringLiteral("mine.menu"));
        SchemeDocument document;
        QVERIFY(document.open(path));
        addRootItem(document, 0);
        const std::string mine = bytesOf(document);
        QSignalSpy reloaded(&document, &SchemeDocument::reloadedFromDisk);
        const std::string outside = randomSchemeText(rng);
        writeFile(path, outside);
        QTRY_COMPARE(document.diskState(), SchemeDocument::DiskState::Changed);
        QCOMPARE(bytesOf(document), mine);
        QCOMPARE(reloaded.count(), 0);
        QVERIFY(document.changedOnDiskSinceRead(path));
        QVERIFY(!document.changedOnDiskSinceRead(dir.filePath(QStringLiteral("elsewhere.menu"))));
        document.keepMine();
        QCOMPARE(document.diskState(), SchemeDocument::DiskState::InStep);
        QVERIFY(!document.changedOnDiskSinceRead(path));
        QVERIFY(document.save(path));
        QCOMPARE(readFile(path), mine);

        // Changed again, and this time taken from the disk.
        addRootItem(document, 1);
        const std::string mineAgain = bytesOf(document);
        writeFile(path, outside);
        QTRY_COMPARE(document.diskState(), SchemeDocument::DiskState::Changed);
        QVERIFY(document.reload());
        QCOMPARE(bytesOf(document), outside);
        QVERIFY(!document.isModified());
        QCOMPARE(document.diskState(), SchemeDocument::DiskState::InStep);
        document.undo();
        QCOMPARE(bytesOf(document), mineAgain);
    }

    // A file that changes into something that cannot be read is reported, not read.
    void anUnreadableChangeIsReported() {
        const QString path = newFile(QStringLiteral("broken.menu"));
        SchemeDocument document;
        QVERIFY(document.open(path));
        const std::string before = bytesOf(document);
        writeFile(path, "[Config]\r\ncount=2\r\n[MenuLevel]\r\n0=3\r\n");
        QTRY_COMPARE(document.diskState(), SchemeDocument::DiskState::Changed);
        QCOMPARE(bytesOf(document), before);
        QVERIFY(!document.reload());
        QCOMPARE(bytesOf(document), before);
    }

    // A deleted file is reported; saving writes it again; once back, all is in step.
    void aDeletedFileIsReported() {
        const QString path = newFile(QStringLiteral("gone.menu"));
        SchemeDocument document;
        QVERIFY(document.open(path));
        QVERIFY(QFile::remove(path));
        QTRY_COMPARE(document.diskState(), SchemeDocument::DiskState::Deleted);
        QVERIFY(!document.changedOnDiskSinceRead(path));  // nothing there to lose
        QVERIFY(document.save(path));
        QCOMPARE(document.diskState(), SchemeDocument::DiskState::InStep);
        QCOMPARE(readFile(path), bytesOf(document));
    }

    // Two editors on one file: after the first saves, the second's save would overwrite that
    // work, so it is told; its own saves and a touched file are no outside change.
    void twoDocumentsOnOneFile() {
        const QString path = newFile(QStringLiteral("shared.menu"));
        SchemeDocument first;
        SchemeDocument second;
        QVERIFY(first.open(path));
        QVERIFY(second.open(path));
        addRootItem(second, 0);
        QVERIFY(!second.changedOnDiskSinceRead(path));
        addRootItem(first, 1);
        QVERIFY(first.save(path));
        first.checkFileOnDisk();
        QCOMPARE(first.diskState(), SchemeDocument::DiskState::InStep);
        QVERIFY(!first.changedOnDiskSinceRead(path));
        QVERIFY(second.changedOnDiskSinceRead(path));
        QTRY_COMPARE(second.diskState(), SchemeDocument::DiskState::Changed);
        // Its save writes nothing and says why, until the author keeps this version.
        const std::string firsts = bytesOf(first);
        const SchemeDocument::SaveResult refused = second.save(path);
        QVERIFY(!refused);
        QVERIFY(refused.changedOnDisk);
        QVERIFY(second.isModified());
        QCOMPARE(readFile(path), firsts);
        second.keepMine();
        QVERIFY(second.save(path));
        QCOMPARE(readFile(path), bytesOf(second));
        QVERIFY(first.changedOnDiskSinceRead(path));
        first.keepMine();
        // A new modification time alone is no change.
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
        file.close();
        first.checkFileOnDisk();
        QCOMPARE(first.diskState(), SchemeDocument::DiskState::InStep);
        QVERIFY(!first.changedOnDiskSinceRead(path));
    }

    // The check and the write happen under the file's save lock: a saver that holds the lock
    // when the document starts to save, and changes the file, is seen; its change stays.
    void theCheckBeforeASaveHoldsTheLock() {
        const QString path = newFile(QStringLiteral("locked-by-another.menu"));
        SchemeDocument document;
        QVERIFY(document.open(path));
        addRootItem(document, 0);
        const std::string outside = randomSchemeText(rng);
        std::atomic<bool> held{false};
        std::atomic<bool> saving{false};
        bool acquired = false;
        std::thread other([&] {
            SaveLock lock;
            acquired = static_cast<bool>(lock.acquire(QFile::encodeName(path).toStdString()));
            held = true;
            if (!acquired) return;
            while (!saving) std::this_thread::yield();
            lock.write(outside);
        });
        while (!held) std::this_thread::yield();
        if (!acquired) {
            other.join();
            QFAIL("the other saver could not take the lock");
        }
        saving = true;
        const SchemeDocument::SaveResult result = document.save(path);
        other.join();
        QVERIFY(result.changedOnDisk);
        QCOMPARE(readFile(path), outside);
        QVERIFY(document.isModified());
    }

    // A file the user may not write (its mode, or a folder where no file can be made) makes a
    // read-only document; it follows the file's mode when that changes.
    void readOnlyFiles() {
        const QString path = newFile(QStringLiteral("locked.menu"));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
        SchemeDocument document;
        QSignalSpy readOnly(&document, &SchemeDocument::readOnlyChanged);
        QVERIFY(document.open(path));
        QVERIFY(document.isReadOnly());
        QVERIFY(!document.save(path));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
        QTRY_VERIFY(!document.isReadOnly());
        QCOMPARE(readOnly.count(), 2);
        QVERIFY(document.save(path));

        if (::geteuid() == 0) QSKIP("root may make files in any folder: a read-only folder is no obstacle");
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sealed")));
        const QString sealed = dir.filePath(QStringLiteral("sealed/s.menu"));
        writeFile(sealed, randomSchemeText(rng));
        const QString folder = QFileInfo(sealed).absolutePath();
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        SchemeDocument inSealed;
        QVERIFY(inSealed.open(sealed));
        const bool wasReadOnly = inSealed.isReadOnly();
        const bool saved = static_cast<bool>(inSealed.save(sealed));
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(wasReadOnly);
        QVERIFY(!saved);
    }

};

QTEST_GUILESS_MAIN(DocumentFileTest)
#include "document_file_test.moc"

// SPDX-License-Identifier: MIT
// The shared UI pieces: text conversion, the step-reporting spin box, the
// pipe-filter conversion and the two choosers.
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QTimer>

#include "scripted_prompter.h"
#include "ui/common/choosers.h"
#include "ui/common/qt_prompter.h"
#include "ui/common/step_spin_box.h"
#include "document/text_codec.h"

using namespace sylvanode;

class UiCommonTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyDoubleByteSequenceRoundTrips() {
        // Every lead/trail pair, valid or not, comes back as the same bytes.
        std::string all;
        for (int lead = 0x81; lead <= 0xFE; ++lead)
            for (int trail = 0x40; trail <= 0xFE; ++trail) {
                if (trail == 0x7F) continue;
                all.push_back(static_cast<char>(lead));
                all.push_back(static_cast<char>(trail));
                all.push_back('|');
            }
        QCOMPARE(toSchemeBytes(toQString(all)), all);
    }

    void knownCharactersDecode() {
        QCOMPARE(toQString("\xD6\xD0\xCE\xC4"), QStringLiteral("中文"));
        // Trail bytes 0x5C and 0x5D are parts of characters, not "\" or "]".
        QCOMPARE(toQString("\xD5\x5C\xDF\x5C]"), QStringLiteral("誠運]"));
        QCOMPARE(toQString("\x80"), QStringLiteral("€"));
        QCOMPARE(toSchemeBytes(QStringLiteral("菜单标题")), std::string("\xB2\xCB\xB5\xA5\xB1\xEA\xCC\xE2"));
    }

    void invalidBytesSurviveAndShowAsEscapes() {
        const std::string odd("a\xFF" "b\x81" " \xFE", 6);  // 0xFF never valid; 0x81 + blank is no character
        const QString shown = toQString(odd);
        QCOMPARE(shown.size(), 6);
        QCOMPARE(shown.at(1).unicode(), char16_t(0xDCFF));
        QCOMPARE(toSchemeBytes(shown), odd);
        // A lone lead byte at the end.
        const std::string tail("x\xB0", 2);
        QCOMPARE(toSchemeBytes(toQString(tail)), tail);
    }

    void charactersOutsideCp936BecomeGb18030() {
        const QString typed = QStringLiteral("a😀€ß");
        const std::string bytes = toSchemeBytes(typed);
        QVERIFY(bytes.find('?') == std::string::npos);
        QVERIFY(bytes.find("\x94\x39\xFC\x36") != std::string::npos);  // U+1F600 in GB18030
        QCOMPARE(toQString(bytes), typed);
        QCOMPARE(toSchemeBytes(toQString(bytes)), bytes);
    }

    void spinBoxReportsEveryStepAlsoAtTheEnds() {
        StepSpinBox spin;
        spin.setRange(0, 50);
        spin.setValue(49);
        QSignalSpy changing(&spin, &StepSpinBox::changing);
        spin.stepBy(1);
        spin.stepBy(1);  // at the top: still reported, the value stays
        QCOMPARE(changing.count(), 2);
        QCOMPARE(changing.at(0).at(0).toInt(), 50);
        QCOMPARE(changing.at(1).at(0).toInt(), 51);
        QCOMPARE(spin.value(), 50);
        spin.setValue(0);
        changing.clear();
        QTest::keyClick(&spin, Qt::Key_Down);
        QCOMPARE(changing.count(), 1);
        QCOMPARE(changing.at(0).at(0).toInt(), -1);
        QCOMPARE(spin.value(), 0);
        // The field cannot be typed into.
        QTest::keyClicks(&spin, QStringLiteral("7"));
        QCOMPARE(spin.value(), 0);
    }

    void pipeFiltersBecomeQtFilters() {
        // "*.*" is every file, names without a dot included.
        QCOMPARE(qtFilterFromPipes(QStringLiteral("menu文件(*.menu)|*.menu|所有文件(*.*)|*.*")),
                 QStringLiteral("menu文件(*.menu) (*.menu);;所有文件(*.*) (*)"));
        QCOMPARE(qtFilterFromPipes(QStringLiteral("Html文件(*.html)|*.html;*.htm")),
                 QStringLiteral("Html文件(*.html) (*.html *.htm)"));
    }

    void relativePathChooser() {
        ScriptedPrompter prompter;
        prompter.answerOpenFile(QStringLiteral("/srv/site/pages/index.htm"));
        prompter.answerOpenFile(QStringLiteral("/srv/other/b.html"));
        prompter.answerOpenFile(std::nullopt);
        const QString filter = QStringLiteral("Html文件(*.html)|*.html;*.htm");
        QCOMPARE(chooseRelativePath(prompter, nullptr, "/srv/site/", filter), std::string("pages/index.htm"));
        QCOMPARE(chooseRelativePath(prompter, nullptr, "/srv/site/", filter), std::string("../other/b.html"));
        QCOMPARE(chooseRelativePath(prompter, nullptr, "/srv/site/", filter), std::string());
        QCOMPARE(prompter.requests().size(), size_t(3));
        QCOMPARE(prompter.last().filter, filter + QStringLiteral("|所有文件(*.*)|*.*"));
        QCOMPARE(prompter.last().initialDirectory, QStringLiteral("/srv/site/"));
        QVERIFY2(prompter.failures().isEmpty(), qPrintable(prompter.failures().join(QLatin1Char('\n'))));
    }

    void folderChooserEndsInSeparator() {
        ScriptedPrompter prompter;
        prompter.answerFolder(QStringLiteral("/srv/图片"));
        prompter.answerFolder(QStringLiteral("/"));
        prompter.answerFolder(std::nullopt);
        QCOMPARE(chooseFolder(prompter, nullptr, QStringLiteral("选择工作目录")),
                 std::string("/srv/\xCD\xBC\xC6\xAC/"));
        QCOMPARE(chooseFolder(prompter, nullptr, QStringLiteral("x")), std::string("/"));
        QCOMPARE(chooseFolder(prompter, nullptr, QStringLiteral("x")), std::string());
        QCOMPARE(prompter.requests().front().title, QStringLiteral("选择工作目录"));
        QVERIFY(prompter.failures().isEmpty());
    }

    void qtPrompterMessageBoxes() {
        QtPrompter prompter;
        QString seen;
        const auto answerWith = [&seen](QMessageBox::StandardButton button) {
            QTimer::singleShot(0, [&seen, button] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (!box) return;
                seen = box->windowTitle() + QLatin1Char('|') + box->text() + QLatin1Char('|') +
                       QString::number(box->icon()) + QLatin1Char('|') +
                       QString::number(box->standardButtons().toInt(), 16);
                box->button(button)->click();
            });
        };
        answerWith(QMessageBox::No);
        QCOMPARE(prompter.message(nullptr, QStringLiteral("Sylvanode"), QStringLiteral("菜单方案已修改，是否保存"),
                                  Prompter::Icon::Information, Prompter::Yes | Prompter::No | Prompter::Cancel),
                 int(Prompter::No));
        QCOMPARE(seen, QStringLiteral("Sylvanode|菜单方案已修改，是否保存|1|") +
                           QString::number((QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel).toInt(), 16));
        answerWith(QMessageBox::Cancel);
        QCOMPARE(prompter.message(nullptr, QStringLiteral("Sylvanode"), QStringLiteral("x"), Prompter::Icon::Question,
                                  Prompter::Yes | Prompter::No | Prompter::Cancel),
                 int(Prompter::Cancel));
        answerWith(QMessageBox::Ok);
        QCOMPARE(prompter.message(nullptr, QStringLiteral("Sylvanode"), QStringLiteral("生成代码时出错"),
                                  Prompter::Icon::Error, Prompter::Ok),
                 int(Prompter::Ok));
        QVERIFY(seen.startsWith(QStringLiteral("Sylvanode|生成代码时出错|3|")));
    }

    void qtPrompterSaveDialog() {
        QTemporaryDir dir;
        QtPrompter prompter;
        QString title;
        QStringList filters;
        QString suffix;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            title = dialog->windowTitle();
            filters = dialog->nameFilters();
            suffix = dialog->defaultSuffix();
            dialog->selectFile(dir.filePath(QStringLiteral("menu")));
            static_cast<QDialog*>(dialog)->accept();
        });
        Prompter::FileRequest request;
        request.title = QStringLiteral("生成脚本文件");
        request.filter = QStringLiteral("脚本文件(*.js)|*.js|所有文件(*.*)|*.*");
        request.initialDirectory = dir.path();
        request.defaultExtension = QStringLiteral("*.js");
        request.confirmOverwrite = true;
        const std::optional<QString> chosen = prompter.saveFile(nullptr, request);
        QCOMPARE(title, QStringLiteral("生成脚本文件"));
        QCOMPARE(filters, QStringList({"脚本文件(*.js) (*.js)", "所有文件(*.*) (*)"}));
        QCOMPARE(suffix, QStringLiteral("js"));
        QVERIFY(chosen.has_value());
        QCOMPARE(*chosen, dir.filePath(QStringLiteral("menu.js")));
    }

    // The open dialog starts on the last file, and "所有文件(*.*)" lists a name without a dot.
    void qtPrompterOpenDialogStartsOnTheLastFileAndListsEveryFile() {
        QTemporaryDir dir;
        for (const char* name : {"README", "a.menu", "b.menu"}) {
            QFile file(dir.filePath(QLatin1String(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QtPrompter prompter;
        QString startedOn;
        bool dotlessListed = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            startedOn = dialog->selectedFiles().value(0);
            dialog->selectNameFilter(dialog->nameFilters().constLast());
            auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
            // The folder is read in the background; wait until the view shows it.
            dotlessListed = view && QTest::qWaitFor([&] {
                                QAbstractItemModel* m = view->model();
                                const QModelIndex root = view->rootIndex();
                                for (int row = 0; row < m->rowCount(root); ++row) {
                                    const QModelIndex i = m->index(row, 0, root);
                                    if (i.data().toString() == QLatin1String("README") &&
                                        (m->flags(i) & Qt::ItemIsEnabled))
                                        return true;
                                }
                                return false;
                            });
            static_cast<QDialog*>(dialog)->reject();
        });
        Prompter::FileRequest request;
        request.title = QStringLiteral("打开菜单文件");
        request.filter = QStringLiteral("menu文件(*.menu)|*.menu|所有文件(*.*)|*.*");
        request.initialFile = dir.filePath(QStringLiteral("b.menu"));
        QCOMPARE(prompter.openFile(nullptr, request), std::optional<QString>());
        QCOMPARE(startedOn, dir.filePath(QStringLiteral("b.menu")));
        QVERIFY(dotlessListed);
    }

    void gioMimeOutputNamesTheApplication() {
        const struct {
            const char* output;
            const char* application;
        } cases[] = {
            {"Default application for \xE2\x80\x9C"
             "application/x-chm\xE2\x80\x9D"
             ": xchm.desktop\n"
             "Registered applications:\n\txchm.desktop\n",
             "xchm.desktop"},
            {"Default application for ?application/x-chm?: kchmviewer.desktop\n", "kchmviewer.desktop"},
            {"No default applications for ?application/x-chm?\nRegistered applications:\n\tviewer.desktop\n"
             "\tother.desktop\nRecommended applications:\n\tviewer.desktop\n",
             "viewer.desktop"},
            {"No default applications for ?application/x-chm?\nRecommended applications:\n\tr.desktop\n", ""},
            {"No default applications for ?application/vnd.ms-htmlhelp?\n", ""},
            {"", ""},
        };
        for (const auto& c : cases)
            QCOMPARE(applicationFromGioMime(QString::fromUtf8(c.output)), QString::fromUtf8(c.application));
    }

    // The desktop is asked through its own tools: GIO first, xdg-utils where GIO names none.
    void qtPrompterAsksTheDesktopForAnApplication() {
        QTemporaryDir bin;
        const auto tool = [&bin](const char* name, const QByteArray& script) {
            QFile file(bin.filePath(QLatin1String(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("#!/bin/sh\n" + script);
            file.close();
            QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        };
        tool("gio",
             "[ \"$1 $LC_ALL\" = \"mime C\" ] || exit 1\n"
             "case \"$2\" in application/x-chm) echo \"Default application for ?$2?: gio-viewer.desktop\";;\n"
             "*) echo \"No default applications for ?$2?\";; esac\n");
        tool("xdg-mime",
             "[ \"$1 $2 $3\" = \"query default application/vnd.ms-htmlhelp\" ] && echo xdg-viewer.desktop\n"
             "exit 0\n");
        const QByteArray oldPath = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(bin.path()));
        QtPrompter prompter;
        const QString viaGio = prompter.desktopApplicationFor(QStringLiteral("application/x-chm"));
        const QString viaXdg = prompter.desktopApplicationFor(QStringLiteral("application/vnd.ms-htmlhelp"));
        const QString none = prompter.desktopApplicationFor(QStringLiteral("text/x-none"));
        qputenv("PATH", QFile::encodeName(bin.path() + QStringLiteral("/missing")));
        const QString noTools = prompter.desktopApplicationFor(QStringLiteral("application/x-chm"));
        qputenv("PATH", oldPath);
        QCOMPARE(viaGio, QStringLiteral("gio-viewer.desktop"));
        QCOMPARE(viaXdg, QStringLiteral("xdg-viewer.desktop"));
        QCOMPARE(none, QString());
        QCOMPARE(noTools, QString());
    }

    // The shell's "open" says whether a program took the file: xdg-open's own answer, which
    // fails when none can (Qt's desktop services would call that a success).
    void qtPrompterOpensThroughXdgOpen() {
        QTemporaryDir bin;
        QFile opener(bin.filePath(QStringLiteral("xdg-open")));
        QVERIFY(opener.open(QIODevice::WriteOnly));
        opener.write("#!/bin/sh\necho \"$1\" > \"${0%/*}/asked\"\n"
                     "case \"$1\" in *nobrowser*) exit 3;; esac\nexit 0\n");
        opener.close();
        QVERIFY(opener.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        const QString page = bin.filePath(QStringLiteral("page.html"));
        const QString refused = bin.filePath(QStringLiteral("nobrowser.html"));
        QFile(page).open(QIODevice::WriteOnly);
        QFile(refused).open(QIODevice::WriteOnly);
        const QByteArray oldPath = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(bin.path()));
        QtPrompter prompter;
        const bool opened = prompter.openWithShell(page);
        QFile asked(bin.filePath(QStringLiteral("asked")));
        asked.open(QIODevice::ReadOnly);
        const QString target = QString::fromUtf8(asked.readAll()).trimmed();
        asked.close();
        const bool none = prompter.openWithShell(refused);
        const bool missing = prompter.openWithShell(bin.filePath(QStringLiteral("absent.html")));
        qputenv("PATH", oldPath);
        QVERIFY(opened);
        QCOMPARE(target, QUrl::fromLocalFile(page).toString());
        QVERIFY(!none);
        QVERIFY(!missing);
    }

    void scriptedPrompterReportsTheUnexpected() {
        ScriptedPrompter prompter;
        prompter.answerMessage(Prompter::Yes);
        // A file dialog nobody scripted: recorded, answered with cancel.
        QCOMPARE(prompter.openFile(nullptr, {}), std::optional<QString>());
        QCOMPARE(prompter.failures().size(), 2);  // the unexpected dialog and the unused answer
    }
};

QTEST_MAIN(UiCommonTest)
#include "ui_common_test.moc"

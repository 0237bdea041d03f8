// SPDX-License-Identifier: MIT
#include "window_fixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QTest>

#include "document/item_edits.h"
#include "ui/main/file_commands.h"
#include "model/menu_scheme.h"
#include "document/text_codec.h"

namespace sylvanode {

WindowFixture::WindowFixture()
    : session(std::make_unique<Session>(settingsDir.filePath(QStringLiteral("sylvanode.ini")))),
      workspace(std::make_unique<Workspace>(prompter, *session)) {
    window = std::make_unique<MainWindow>(*workspace);
    window->show();
}

WindowFixture::~WindowFixture() {
    window.reset();
    workspace.reset();
}

void closeWindowFixture(std::unique_ptr<WindowFixture>& fixture) {
    const QStringList failures = fixture->prompter.failures();
    fixture.reset();
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QLatin1Char('\n'))));
}

void WindowFixture::changeSettings(const std::function<void(SchemeSettings&)>& edit) {
    SchemeOptions options = optionsOf(scheme());
    edit(options.settings);
    changeOptions(doc(), DocumentPart::Settings, QStringLiteral("test"), -1, options);
}

void WindowFixture::changeStyles(const std::function<void(std::array<KindStyle, 2>&)>& edit) {
    SchemeOptions options = optionsOf(scheme());
    edit(options.kinds);
    changeOptions(doc(), DocumentPart::Styles, QStringLiteral("test"), -1, options);
}

QString WindowFixture::fixturePath(const QString& relative) {
    return QStringLiteral(SYLVANODE_FIXTURES_DIR "/") + relative;
}

QString WindowFixture::copyFixture(const QString& relative, const QString& as) {
    const QString target = path(as.isEmpty() ? relative.section(QLatin1Char('/'), -1) : as);
    QFile::remove(target);
    QFile::copy(fixturePath(relative), target);
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    return target;
}

QAction* WindowFixture::action(const char* name) const { return child<QAction>(name); }

void WindowFixture::trigger(const char* name) {
    if (QAction* a = action(name))
        a->trigger();
    else if (auto* button = child<QAbstractButton>(name))
        button->click();
    else
        QTest::qFail(qPrintable(QStringLiteral("no action or button named ") + QLatin1String(name)), __FILE__,
                     __LINE__);
    // An import runs on a thread of its own: what it did shows once it is over.
    QTRY_VERIFY_WITH_TIMEOUT(!window->fileCommands().importRunning(), 60000);
}

QLineEdit* WindowFixture::edit(const char* name) const { return child<QLineEdit>(name); }

QStringList WindowFixture::outline() const {
    QStringList out;
    forEachPreOrder(window->document().scheme().roots(), [&](MenuNode* n, int level) {
        out << QString(level * 2, QLatin1Char(' ')) + toQString(n->caption);
    });
    return out;
}

MenuNode* WindowFixture::node(std::initializer_list<int> rows) const {
    const std::vector<std::unique_ptr<MenuNode>>* group = &window->document().scheme().roots();
    MenuNode* n = nullptr;
    for (int r : rows) {
        if (r < 0 || static_cast<size_t>(r) >= group->size()) return nullptr;
        n = (*group)[static_cast<size_t>(r)].get();
        group = &n->children();
    }
    return n;
}

QString WindowFixture::title() const { return window->windowTitle(); }

QString WindowFixture::writeFile(const QString& name, const std::string& bytes) const {
    const QString p = path(name);
    QFile f(p);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes.data(), static_cast<qint64>(bytes.size()));
    return p;
}

std::string WindowFixture::readFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll().toStdString();
}

}  // namespace sylvanode

// SPDX-License-Identifier: MIT
// The editor: a window for each scheme file named on the command line (or one untitled,
// empty scheme). --help and --version print and exit without a window.
#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <cstring>
#include <exception>
#include <new>

#include "platform/user_language.h"
#include "ui/common/qt_prompter.h"
#include "ui/common/translations.h"
#include "ui/main/main_window.h"
#include "ui/main/session.h"
#include "ui/main/workspace.h"
#include "ui/preview/preview_pane.h"

namespace {

// An error that escapes a command's own handling is shown, and the program goes on.
class Application : public QApplication {
public:
    Application(int& argc, char** argv, sylvanode::Prompter& prompter)
        : QApplication(argc, argv), prompter_(prompter) {}

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::bad_alloc&) {
            report(QCoreApplication::translate("MainWindow", "内存不足"));
        } catch (const std::exception& e) {
            report(QString::fromLocal8Bit(e.what()));
        } catch (...) {
            report(QCoreApplication::translate("MainWindow", "未知错误"));
        }
        return false;
    }

private:
    void report(const QString& what) {
        prompter_.message(activeWindow(), QStringLiteral("Sylvanode"), what, sylvanode::Prompter::Icon::Error,
                          sylvanode::Prompter::Ok);
    }
    sylvanode::Prompter& prompter_;
};

// Before there is an application, the texts follow the locale as the command-line tool's do.
constexpr const char* kHelpText[] = {
    "用法：sylvanode [--help] [--version] [文件...]\n"
    "\n"
    "Sylvanode，网页上可折叠树形菜单的编辑器。它在各自的窗口中打开每个菜单方案文件，\n"
    "或者以一个空的、未命名的菜单方案启动。另见 sylvanode-cli(1)。\n"
    "\n"
    "  --help     显示本帮助\n"
    "  --version  显示版本\n",
    "Usage: sylvanode [--help] [--version] [FILE...]\n"
    "\n"
    "Sylvanode, an editor for collapsible tree menus on web pages. It opens each menu scheme\n"
    "FILE in a window of its own, or starts with an empty, untitled scheme.\n"
    "See also sylvanode-cli(1).\n"
    "\n"
    "  --help     show this help\n"
    "  --version  show the version\n"};
constexpr const char* kCannotWrite[] = {"sylvanode: 无法写入标准输出\n",
                                        "sylvanode: cannot write to standard output\n"};

// Answers --help and --version before any window (or display) is needed; -1 otherwise.
int answerInformationOptions(int argc, char** argv) {
    const auto language = static_cast<size_t>(sylvanode::environmentLanguage() == sylvanode::Language::English);
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        const char* text = nullptr;
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) text = kHelpText[language];
        if (std::strcmp(argv[i], "--version") == 0) text = "sylvanode " SYLVANODE_VERSION "\n";
        if (!text) continue;
        const bool written = std::fputs(text, stdout) >= 0 && std::fflush(stdout) == 0;
        if (!written) std::fputs(kCannotWrite[language], stderr);
        return written ? 0 : 3;
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    if (const int code = answerInformationOptions(argc, argv); code >= 0) return code;
    sylvanode::preparePreviewEngine();
    sylvanode::QtPrompter prompter;
    Application app(argc, argv, prompter);
    QApplication::setApplicationName(QStringLiteral("Sylvanode"));
    QApplication::setApplicationVersion(QStringLiteral(SYLVANODE_VERSION));
    // The installed theme icon when there is one, else the same picture built in.
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral("sylvanode"), QIcon(QStringLiteral(":/icons/sylvanode.svg"))));

    // The language chosen in View → Language, else the system's; Qt's own dialogs and buttons
    // speak it too.
    sylvanode::installTranslations(sylvanode::languageToUse());

    sylvanode::Session session;
    sylvanode::Workspace workspace(prompter, session);
    MainWindow* first = workspace.newWindow();
    QStringList files = QApplication::arguments().mid(1);
    // "--" ends the options: a file may be named "-x".
    files.removeOne(QStringLiteral("--"));
    workspace.openFiles(files, first);
    return QApplication::exec();
}

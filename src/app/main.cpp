// The editor: one window with an untitled, empty scheme. Command-line arguments
// are not read (a file name given there does not open anything).
#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <exception>
#include <new>

#include "ui/common/qt_prompter.h"
#include "ui/main/main_window.h"

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
            report(QStringLiteral("Unknown error"));
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

}  // namespace

int main(int argc, char** argv) {
    sylvanode::QtPrompter prompter;
    Application app(argc, argv, prompter);
    QApplication::setApplicationName(QStringLiteral("Sylvanode"));
    QApplication::setApplicationVersion(QStringLiteral(SYLVANODE_VERSION));
    // The installed theme icon when there is one, else the same picture built in.
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral("sylvanode"), QIcon(QStringLiteral(":/icons/sylvanode.svg"))));

    // The program speaks Simplified Chinese; so do Qt's own dialogs and buttons.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    MainWindow window(prompter);
    window.show();
    return QApplication::exec();
}

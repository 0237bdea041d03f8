// SPDX-License-Identifier: MIT
#include "ui/common/qt_prompter.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QEventLoop>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>
#include <memory>

namespace sylvanode {
namespace {

// How long the shell's "open" may take to say that no program took the file.
constexpr int kShellAnswerMs = 4000;

QMessageBox::Icon toQtIcon(Prompter::Icon icon) {
    switch (icon) {
        case Prompter::Icon::Information: return QMessageBox::Information;
        case Prompter::Icon::Warning: return QMessageBox::Warning;
        case Prompter::Icon::Error: return QMessageBox::Critical;
        case Prompter::Icon::Question: return QMessageBox::Question;
        case Prompter::Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

std::optional<QString> runFileDialog(QWidget* parent, const Prompter::FileRequest& request,
                                     QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, request.title, request.initialDirectory,
                       qtFilterFromPipes(request.filter));
    if (!request.initialFile.isEmpty()) {
        // The dialog opens in the file's folder with its name filled in.
        const QFileInfo last(request.initialFile);
        dialog.setDirectory(last.absolutePath());
        dialog.selectFile(last.fileName());
    }
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    // The descriptions already name their patterns, e.g. "menu文件(*.menu)".
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    if (mode == QFileDialog::AcceptSave && !request.confirmOverwrite)
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    QString suffix = request.defaultExtension;
    if (suffix.startsWith(QLatin1String("*."))) suffix = suffix.mid(2);
    if (!suffix.isEmpty()) dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

// Runs a desktop tool in the C locale and returns what it printed; empty when it is
// missing, fails or takes too long (a window must not freeze on it).
QString runDesktopTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    process.setProcessEnvironment(env);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(program, arguments, QIODevice::ReadOnly);
    if (!process.waitForStarted(3000)) return {};
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(1000);
        return {};
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

QString applicationFromGioMime(const QString& output) {
    // "Default application for 'TYPE': NAME.desktop", else the first entry of
    // "Registered applications:", which GIO falls back to when opening.
    bool inRegistered = false;
    for (const QString& raw : output.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1String("Default application for "))) {
            const qsizetype colon = line.lastIndexOf(QLatin1String(": "));
            if (colon > 0) return line.mid(colon + 2).trimmed();
        }
        if (line.endsWith(QLatin1Char(':'))) {
            inRegistered = line == QLatin1String("Registered applications:");
            continue;
        }
        if (inRegistered && line.endsWith(QLatin1String(".desktop"))) return line;
    }
    return {};
}

int QtPrompter::message(QWidget* parent, const QString& caption, const QString& text, Icon icon,
                        int buttons) {
    QMessageBox box(toQtIcon(icon), caption, text, QMessageBox::NoButton, parent);
    QMessageBox::StandardButtons qtButtons;
    if (buttons & Yes) qtButtons |= QMessageBox::Yes;
    if (buttons & No) qtButtons |= QMessageBox::No;
    if (buttons & Ok) qtButtons |= QMessageBox::Ok;
    if (buttons & Cancel) qtButtons |= QMessageBox::Cancel;
    if (!qtButtons) qtButtons = QMessageBox::Ok;
    box.setStandardButtons(qtButtons);
    switch (box.exec()) {
        case QMessageBox::Yes: return Yes;
        case QMessageBox::No: return No;
        case QMessageBox::Ok: return Ok;
        default: return (buttons & Cancel) ? Cancel : (buttons & No) ? No : Ok;
    }
}

int QtPrompter::choose(QWidget* parent, const QString& caption, const QString& text, Icon icon,
                       const QStringList& buttons) {
    QMessageBox box(toQtIcon(icon), caption, text, QMessageBox::NoButton, parent);
    QList<QAbstractButton*> made;
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        const bool last = i + 1 == buttons.size() && buttons.size() > 1;
        made << box.addButton(buttons[i], last ? QMessageBox::RejectRole : QMessageBox::AcceptRole);
    }
    if (!made.isEmpty()) {
        box.setDefaultButton(qobject_cast<QPushButton*>(made.front()));
        box.setEscapeButton(made.back());
    }
    box.exec();
    const qsizetype chosen = made.indexOf(box.clickedButton());
    return chosen < 0 ? static_cast<int>(buttons.size()) - 1 : static_cast<int>(chosen);
}

std::optional<QString> QtPrompter::openFile(QWidget* parent, const FileRequest& request) {
    return runFileDialog(parent, request, QFileDialog::AcceptOpen);
}

std::optional<QString> QtPrompter::saveFile(QWidget* parent, const FileRequest& request) {
    return runFileDialog(parent, request, QFileDialog::AcceptSave);
}

std::optional<QString> QtPrompter::chooseFolder(QWidget* parent, const QString& title,
                                                const QString& initialDirectory) {
    const QString dir = QFileDialog::getExistingDirectory(parent, title, initialDirectory);
    if (dir.isEmpty()) return std::nullopt;
    return dir;
}

std::optional<QColor> QtPrompter::chooseColor(QWidget* parent, const QColor& initial) {
    const QColor c = QColorDialog::getColor(initial, parent);
    if (!c.isValid()) return std::nullopt;
    return c;
}

bool QtPrompter::openWithShell(const QString& pathOrUrl) {
    const bool isUrl = pathOrUrl.contains(QLatin1String("://"));
    const QUrl url = isUrl ? QUrl(pathOrUrl) : QUrl::fromLocalFile(pathOrUrl);
    if (!isUrl && !QFileInfo::exists(pathOrUrl)) return false;
    // Qt's desktop services start xdg-open and call that success, whether or not a program
    // took the file. xdg-open itself says so: it ends at once with a failure code when none
    // can, and hands the file over (or keeps running with the program it started) otherwise.
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) return QDesktopServices::openUrl(url);
    auto process = std::make_unique<QProcess>();
    process->setProgram(opener);
    process->setArguments({url.toString(QUrl::FullyEncoded)});
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    process->start();
    if (!process->waitForStarted(3000)) return false;
    // Waits without taking input, painting meanwhile.
    QEventLoop wait;
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &wait, &QEventLoop::quit);
    QObject::connect(process.get(), &QProcess::finished, &wait, &QEventLoop::quit);
    timeout.start(kShellAnswerMs);
    wait.exec(QEventLoop::ExcludeUserInputEvents);
    if (process->state() != QProcess::NotRunning) {
        // A browser that stays in the foreground keeps xdg-open running: it started.
        QProcess* running = process.release();
        QObject::connect(running, &QProcess::finished, running, &QObject::deleteLater);
        return true;
    }
    return process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
}

QString QtPrompter::desktopApplicationFor(const QString& mimeType) {
    // GIO answers as GTK and most desktops open files; xdg-utils where GIO's tool is missing.
    const QString gio =
        applicationFromGioMime(runDesktopTool(QStringLiteral("gio"), {QStringLiteral("mime"), mimeType}));
    if (!gio.isEmpty()) return gio;
    return runDesktopTool(QStringLiteral("xdg-mime"),
                          {QStringLiteral("query"), QStringLiteral("default"), mimeType})
        .trimmed();
}

int QtPrompter::runDialog(QDialog& dialog) { return dialog.exec(); }

}  // namespace sylvanode

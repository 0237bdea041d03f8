#include "ui/common/qt_prompter.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

namespace sylvanode {
namespace {

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

}  // namespace

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
    return QDesktopServices::openUrl(url);
}

int QtPrompter::runDialog(QDialog& dialog) { return dialog.exec(); }

}  // namespace sylvanode

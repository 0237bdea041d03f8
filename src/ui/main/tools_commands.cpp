// Tools and Help commands of the main window (multi-menu settings, help, About).
#include <QFile>

#include "platform/help_files.h"
#include "platform/paths.h"
#include "ui/common/prompter.h"
#include "ui/common/text_codec.h"
#include "ui/dialogs/about_dialog.h"
#include "ui/dialogs/suffix_dialog.h"
#include "ui/main/main_window.h"

void MainWindow::SuffixDialogDeleter::operator()(SuffixDialog* dialog) const { delete dialog; }

void MainWindow::createToolDialogs() {
    // Made once, hidden, and kept: the typed text and the accepted suffix stay for the run.
    suffixDialog_.reset(new SuffixDialog(prompter_, this));
    suffixDialog_->hide();
}

void MainWindow::editSuffix() {
    // Setting the suffix does not mark the scheme: it is never saved with it.
    if (prompter_.runDialog(*suffixDialog_) == QDialog::Accepted)
        scheme_.settings.menuSuffix = suffixDialog_->suffix();
}

void MainWindow::showHelp() {
    // The help file beside the executable when the desktop has a viewer for it, else the
    // HTML user guide. A missing help file is not reported; with neither nothing happens.
    const auto docs = sylvanode::helpDocuments(sylvanode::executableDirectory(),
                                               sylvanode::desktopOpensHelpFiles(sylvanode::XdgDirectories::fromEnvironment()));
    for (const std::string& doc : docs)
        if (prompter_.openWithShell(QFile::decodeName(doc.c_str()))) return;
}

void MainWindow::showAbout() {
    AboutDialog about(prompter_, this);
    prompter_.runDialog(about);
}

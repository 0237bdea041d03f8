// SPDX-License-Identifier: MIT
// Tools and Help commands of the main window (multi-menu settings, help, About).
#include <QFile>

#include "platform/help_files.h"
#include "platform/paths.h"
#include "ui/common/prompter.h"
#include "ui/common/text_codec.h"
#include "ui/common/translations.h"
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
    // The guide in the language the editor speaks (English for a language it has no guide in).
    // Chinese readers get the help file first when the desktop names a viewer for it; a viewer
    // that fails to start gives way to the HTML guide.
    const std::string exeDir = sylvanode::executableDirectory();
    const sylvanode::Language language = sylvanode::languageOfLocale(sylvanode::uiLanguage().toStdString());
    bool viewerKnown = false;
    if (language == sylvanode::Language::Chinese && !sylvanode::findHelpFile(exeDir).empty())
        for (const char* type : sylvanode::kHelpFileTypes)
            if (!viewerKnown) viewerKnown = !prompter_.desktopApplicationFor(QLatin1String(type)).isEmpty();
    const std::vector<std::string> docs = sylvanode::helpDocuments(exeDir, language, viewerKnown);
    for (const std::string& doc : docs)
        if (prompter_.openWithShell(QFile::decodeName(doc.c_str()))) return;

    const QString caption = QStringLiteral("Sylvanode");
    // The guide, when found, is the last document; the help file alone means it is missing.
    const bool guideFound = !docs.empty() && docs.back().size() > 5 && docs.back().ends_with(".html");
    if (!guideFound) {
        const QString expected =
            QFile::decodeName(sylvanode::installedUserGuidePath(exeDir, language).c_str());
        prompter_.message(this, caption, tr("找不到用户指南，它应在：") + QLatin1Char('\n') + expected,
                          sylvanode::Prompter::Icon::Information, sylvanode::Prompter::Ok);
    } else {
        const QString guide = QFile::decodeName(docs.back().c_str());
        prompter_.message(this, caption, tr("没有可以打开用户指南的程序：") + QLatin1Char('\n') + guide,
                          sylvanode::Prompter::Icon::Information, sylvanode::Prompter::Ok);
    }
}

void MainWindow::showAbout() {
    AboutDialog about(prompter_, this);
    prompter_.runDialog(about);
}

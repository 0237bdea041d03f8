// Tools and Help commands of the main window (multi-menu settings, help, About).
#include <QFile>

#include "platform/help_files.h"
#include "platform/paths.h"
#include "ui/common/prompter.h"
#include "ui/common/text_codec.h"
#include "ui/dialogs/about_dialog.h"
#include "ui/dialogs/suffix_dialog.h"
#include "ui/main/tfm_main.h"

void TfmMain::TForm3Deleter::operator()(TForm3* dialog) const { delete dialog; }

void TfmMain::createToolDialogs() {
    // Made once, hidden, and kept: the typed text and the accepted suffix stay for the run.
    Form3.reset(new TForm3(prompter_, this));
    Form3->hide();
}

void TfmMain::M1Click() {
    // Setting the suffix does not mark the scheme: it is never saved with it.
    if (prompter_.runDialog(*Form3) == QDialog::Accepted) scheme_.settings.menuSuffix = Form3->suffix();
}

void TfmMain::m_helpClick() {
    // The help file beside the executable when the desktop has a viewer for it, else the
    // HTML user guide. A missing help file is not reported; with neither nothing happens.
    const auto docs = sylvanode::helpDocuments(sylvanode::executableDirectory(),
                                               sylvanode::desktopOpensHelpFiles(sylvanode::XdgDirectories::fromEnvironment()));
    for (const std::string& doc : docs)
        if (prompter_.openWithShell(QFile::decodeName(doc.c_str()))) return;
}

void TfmMain::ToolButton11Click() { m_helpClick(); }

void TfmMain::m_aboutClick() {
    TfmAbout about(prompter_, this);
    prompter_.runDialog(about);
}

// Tools and Help commands of the main window (multi-menu settings, help, About).
#include <QFileInfo>

#include "platform/paths.h"
#include "ui/common/prompter.h"
#include "ui/common/text_codec.h"
#include "ui/dialogs/about_dialog.h"
#include "ui/dialogs/suffix_dialog.h"
#include "ui/main/tfm_main.h"

namespace {

// The help file lives beside the executable.
QString helpFilePath() {
    std::string dir = sylvanode::executableDirectory();
    if (dir.empty() || dir.back() != sylvanode::kNativeSeparator) dir.push_back(sylvanode::kNativeSeparator);
    return sylvanode::toQString(dir + "sylvanode.chm");
}

}  // namespace

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
    // A missing help file is not reported; without the file there is nothing to
    // hand to the desktop, whose "open" would only raise an error of its own.
    const QString path = helpFilePath();
    if (!QFileInfo::exists(path)) return;
    prompter_.openWithShell(path);
}

void TfmMain::ToolButton11Click() { m_helpClick(); }

void TfmMain::m_aboutClick() {
    TfmAbout about(prompter_, this);
    prompter_.runDialog(about);
}

// SPDX-License-Identifier: MIT
#include "scripted_prompter.h"

#include <QDialog>
#include <QTest>
#include <stdexcept>

namespace sylvanode {

const char* kindName(ScriptedPrompter::Kind kind) {
    switch (kind) {
        case ScriptedPrompter::Kind::Message: return "message";
        case ScriptedPrompter::Kind::OpenFile: return "open file";
        case ScriptedPrompter::Kind::SaveFile: return "save file";
        case ScriptedPrompter::Kind::ChooseFolder: return "choose folder";
        case ScriptedPrompter::Kind::ChooseColor: return "choose colour";
        case ScriptedPrompter::Kind::OpenWithShell: return "open with shell";
        case ScriptedPrompter::Kind::RunDialog: return "run dialog";
        case ScriptedPrompter::Kind::DesktopQuery: return "desktop query";
        case ScriptedPrompter::Kind::Choice: return "choice";
    }
    return "?";
}

void ScriptedPrompter::answerMessage(int button) {
    Answer a;
    a.kind = Kind::Message;
    a.button = button;
    answers_.push_back(std::move(a));
}
void ScriptedPrompter::answerChoice(int index) {
    Answer a;
    a.kind = Kind::Choice;
    a.button = index;
    answers_.push_back(std::move(a));
}
void ScriptedPrompter::answerOpenFile(std::optional<QString> path) {
    Answer a;
    a.kind = Kind::OpenFile;
    a.path = std::move(path);
    answers_.push_back(std::move(a));
}
void ScriptedPrompter::answerSaveFile(std::optional<QString> path) {
    Answer a;
    a.kind = Kind::SaveFile;
    a.path = std::move(path);
    answers_.push_back(std::move(a));
}
void ScriptedPrompter::answerFolder(std::optional<QString> path) {
    Answer a;
    a.kind = Kind::ChooseFolder;
    a.path = std::move(path);
    answers_.push_back(std::move(a));
}
void ScriptedPrompter::answerColor(std::optional<QColor> color) {
    Answer a;
    a.kind = Kind::ChooseColor;
    a.color = color;
    answers_.push_back(std::move(a));
}
void ScriptedPrompter::answerShell(bool ok) {
    Answer a;
    a.kind = Kind::OpenWithShell;
    a.shell = ok;
    answers_.push_back(std::move(a));
}
void ScriptedPrompter::answerDialog(std::function<int(QDialog&)> run) {
    Answer a;
    a.kind = Kind::RunDialog;
    a.dialog = std::move(run);
    answers_.push_back(std::move(a));
}

void ScriptedPrompter::answerThrow(Kind kind, const std::string& what) {
    Answer a;
    a.kind = kind;
    a.thrown = std::make_exception_ptr(std::runtime_error(what.empty() ? std::string("failure") : what));
    answers_.push_back(std::move(a));
}

void ScriptedPrompter::answerThrow(Kind kind, std::exception_ptr exception) {
    Answer a;
    a.kind = kind;
    a.thrown = std::move(exception);
    answers_.push_back(std::move(a));
}

void ScriptedPrompter::setDesktopApplication(const QString& mimeType, const QString& application) {
    desktopApplications_[mimeType] = application;
}

int ScriptedPrompter::count(Kind kind) const {
    int n = 0;
    for (const Request& r : requests_)
        if (r.kind == kind) ++n;
    return n;
}

QStringList ScriptedPrompter::failures() const {
    QStringList out = unexpected_;
    for (const Answer& a : answers_)
        out << QStringLiteral("answer never asked for: %1").arg(QLatin1String(kindName(a.kind)));
    return out;
}

void verifyAsScripted(const ScriptedPrompter& prompter) {
    const QStringList failures = prompter.failures();
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QLatin1Char('\n'))));
}

void ScriptedPrompter::reset() {
    requests_.clear();
    answers_.clear();
    unexpected_.clear();
}

std::optional<ScriptedPrompter::Answer> ScriptedPrompter::take(Kind kind, const QString& what) {
    if (answers_.empty() || answers_.front().kind != kind) {
        unexpected_ << QStringLiteral("unexpected %1: %2").arg(QLatin1String(kindName(kind)), what);
        return std::nullopt;
    }
    Answer a = std::move(answers_.front());
    answers_.pop_front();
    if (a.thrown) std::rethrow_exception(a.thrown);
    return a;
}

int ScriptedPrompter::message(QWidget*, const QString& caption, const QString& text, Icon icon,
                              int buttons) {
    Request r;
    r.kind = Kind::Message;
    r.caption = caption;
    r.text = text;
    r.icon = icon;
    r.buttons = buttons;
    requests_.push_back(r);
    const auto a = take(Kind::Message, text);
    if (!a) return (buttons & Cancel) ? Cancel : (buttons & No) ? No : Ok;
    return a->button;
}

int ScriptedPrompter::choose(QWidget*, const QString& caption, const QString& text, Icon icon,
                             const QStringList& buttons) {
    Request r;
    r.kind = Kind::Choice;
    r.caption = caption;
    r.text = text;
    r.icon = icon;
    r.choices = buttons;
    requests_.push_back(r);
    const auto a = take(Kind::Choice, text);
    // Unexpected: the last button, as Escape would.
    return a ? a->button : static_cast<int>(buttons.size()) - 1;
}

std::optional<QString> ScriptedPrompter::openFile(QWidget*, const FileRequest& request) {
    Request r;
    r.kind = Kind::OpenFile;
    r.title = request.title;
    r.filter = request.filter;
    r.initialDirectory = request.initialDirectory;
    r.initialFile = request.initialFile;
    r.defaultExtension = request.defaultExtension;
    r.confirmOverwrite = request.confirmOverwrite;
    requests_.push_back(r);
    const auto a = take(Kind::OpenFile, request.title);
    return a ? a->path : std::nullopt;
}

std::optional<QString> ScriptedPrompter::saveFile(QWidget*, const FileRequest& request) {
    Request r;
    r.kind = Kind::SaveFile;
    r.title = request.title;
    r.filter = request.filter;
    r.initialDirectory = request.initialDirectory;
    r.initialFile = request.initialFile;
    r.defaultExtension = request.defaultExtension;
    r.confirmOverwrite = request.confirmOverwrite;
    requests_.push_back(r);
    const auto a = take(Kind::SaveFile, request.title);
    return a ? a->path : std::nullopt;
}

std::optional<QString> ScriptedPrompter::chooseFolder(QWidget*, const QString& title,
                                                      const QString& initialDirectory) {
    Request r;
    r.kind = Kind::ChooseFolder;
    r.title = title;
    r.initialDirectory = initialDirectory;
    requests_.push_back(r);
    const auto a = take(Kind::ChooseFolder, title);
    return a ? a->path : std::nullopt;
}

std::optional<QColor> ScriptedPrompter::chooseColor(QWidget*, const QColor& initial) {
    Request r;
    r.kind = Kind::ChooseColor;
    r.color = initial;
    requests_.push_back(r);
    const auto a = take(Kind::ChooseColor, initial.name());
    return a ? a->color : std::nullopt;
}

bool ScriptedPrompter::openWithShell(const QString& pathOrUrl) {
    Request r;
    r.kind = Kind::OpenWithShell;
    r.target = pathOrUrl;
    requests_.push_back(r);
    const auto a = take(Kind::OpenWithShell, pathOrUrl);
    return a ? a->shell : false;
}

QString ScriptedPrompter::desktopApplicationFor(const QString& mimeType) {
    Request r;
    r.kind = Kind::DesktopQuery;
    r.target = mimeType;
    requests_.push_back(r);
    return desktopApplications_.value(mimeType);
}

int ScriptedPrompter::runDialog(QDialog& dialog) {
    Request r;
    r.kind = Kind::RunDialog;
    r.dialogClass = QString::fromLatin1(dialog.metaObject()->className());
    r.dialogObjectName = dialog.objectName();
    requests_.push_back(r);
    const auto a = take(Kind::RunDialog, r.dialogClass);
    if (!a || !a->dialog) return QDialog::Rejected;
    const int result = a->dialog(dialog);
    dialog.setResult(result);
    return result;
}

}  // namespace sylvanode

// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QMap>
#include <QString>
#include <QStringList>
#include <deque>
#include <exception>
#include <functional>
#include <optional>
#include <vector>

#include "ui/common/prompter.h"

namespace sylvanode {

// A Prompter for tests: records every request and answers from a queue filled by
// the test. A request with no queued answer of its kind is an error: it is recorded
// (see failures()) and answered with "cancel", so the flow under test goes on.
class ScriptedPrompter : public Prompter {
public:
    enum class Kind {
        Message,
        OpenFile,
        SaveFile,
        ChooseFolder,
        ChooseColor,
        OpenWithShell,
        RunDialog,
        DesktopQuery,
        Choice
    };

    struct Request {
        Kind kind{};
        QString caption;   // message
        QString text;      // message
        Icon icon = Icon::None;
        int buttons = 0;
        QStringList choices;  // choose: the buttons' words
        QString title;     // file dialogs, folder browser
        QString filter;
        QString initialDirectory;
        QString initialFile;
        QString defaultExtension;
        bool confirmOverwrite = false;
        QColor color;      // colour chooser: the initial colour
        QString target;    // openWithShell; the MIME type of a desktop query
        QString dialogClass;  // runDialog: the dialog's class name
        QString dialogObjectName;
    };

    // Queue answers, in the order the requests are expected.
    void answerMessage(int button);
    // A question with buttons of their own words: the index of the button to press.
    void answerChoice(int index);
    void answerOpenFile(std::optional<QString> path);
    void answerSaveFile(std::optional<QString> path);
    void answerFolder(std::optional<QString> path);
    void answerColor(std::optional<QColor> color);
    void answerShell(bool ok);
    // The function may fill the dialog's controls and returns the result code (1 OK, 0/2 cancel).
    void answerDialog(std::function<int(QDialog&)> run);
    // The request of `kind` throws std::runtime_error(what), as a failing service might.
    void answerThrow(Kind kind, const std::string& what);
    // The request of `kind` throws the given exception (std::bad_alloc, for one).
    void answerThrow(Kind kind, std::exception_ptr exception);
    // The desktop's application for a MIME type; not queued: every query is answered from
    // this table (empty for a type it lacks) and recorded as a DesktopQuery request.
    void setDesktopApplication(const QString& mimeType, const QString& application);

    const std::vector<Request>& requests() const { return requests_; }
    const Request& last() const { return requests_.back(); }
    int count(Kind kind) const;
    void clearRequests() { requests_.clear(); }

    // Unexpected requests and answers never used; empty when the script went as planned.
    QStringList failures() const;
    bool pending() const { return !answers_.empty(); }
    void reset();

    int message(QWidget* parent, const QString& caption, const QString& text, Icon icon,
                int buttons) override;
    int choose(QWidget* parent, const QString& caption, const QString& text, Icon icon,
               const QStringList& buttons) override;
    std::optional<QString> openFile(QWidget* parent, const FileRequest& request) override;
    std::optional<QString> saveFile(QWidget* parent, const FileRequest& request) override;
    std::optional<QString> chooseFolder(QWidget* parent, const QString& title,
                                        const QString& initialDirectory) override;
    std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) override;
    bool openWithShell(const QString& pathOrUrl) override;
    QString desktopApplicationFor(const QString& mimeType) override;
    int runDialog(QDialog& dialog) override;

private:
    struct Answer {
        Kind kind{};
        int button = 0;
        std::optional<QString> path;
        std::optional<QColor> color;
        bool shell = false;
        std::function<int(QDialog&)> dialog;
        std::exception_ptr thrown;  // set: throw instead of answering
    };
    // Takes the next answer if it is of `kind`; records a failure otherwise.
    std::optional<Answer> take(Kind kind, const QString& what);

    std::vector<Request> requests_;
    std::deque<Answer> answers_;
    QStringList unexpected_;
    QMap<QString, QString> desktopApplications_;
};

const char* kindName(ScriptedPrompter::Kind kind);

// Fails the running test when the prompter met a request it was not told to expect, or kept an
// answer nobody asked for (for a test class's cleanup()).
void verifyAsScripted(const ScriptedPrompter& prompter);

}  // namespace sylvanode

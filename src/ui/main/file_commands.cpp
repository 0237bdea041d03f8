// SPDX-License-Identifier: MIT
#include "ui/main/file_commands.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <future>

#include "document/scheme_document.h"
#include "document/text_codec.h"
#include "exchange/exporter.h"
#include "exchange/import_control.h"
#include "exchange/importer.h"
#include "platform/safe_file.h"
#include "ui/common/failure_text.h"
#include "ui/common/file_filters.h"
#include "ui/main/main_window.h"
#include "ui/main/session.h"
#include "ui/main/workspace.h"

namespace sylvanode {
namespace {

const QString kCaption = QStringLiteral("Sylvanode");
// The export format a file name asks for by its ending.
bool formatOfPath(const QString& path, ExportFormat& format) {
    const QString ending = QFileInfo(path).suffix().toLower();
    if (ending == QLatin1String("html") || ending == QLatin1String("htm"))
        format = ExportFormat::Html;
    else if (ending == QLatin1String("txt") || ending == QLatin1String("md"))
        format = ExportFormat::Outline;
    else if (ending == QLatin1String("opml") || ending == QLatin1String("xml"))
        format = ExportFormat::Opml;
    else if (ending == QLatin1String("json"))
        format = ExportFormat::Json;
    else
        return false;
    return true;
}

// A file that may not be written, or a folder where no new file can be made.
bool mayNotWrite(const QString& path) {
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    constexpr auto anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    if (file.exists() && (!file.isWritable() || !(file.permissions() & anyWrite))) return true;
    return folder.isDir() && !folder.isWritable();
}

}  // namespace

void startDialogOn(Prompter::FileRequest& request, const QString& lastPath) {
    if (lastPath.isEmpty()) return;
    request.initialFile = lastPath;
    request.initialDirectory = QFileInfo(lastPath).absolutePath();
}

FileCommands::FileCommands(MainWindow& window)
    : QObject(&window),
      window_(window),
      document_(window.document()),
      workspace_(window.workspace()),
      prompter_(workspace_.prompter()),
      session_(workspace_.session()),
      saveDialogTitle_(tr("保存菜单文件")) {}

void FileCommands::error(const QString& text) {
    prompter_.message(&window_, kCaption, text, Prompter::Icon::Error, Prompter::Ok);
}

bool FileCommands::askToSave() {
    if (!document_.isModified()) return true;
    const int answer = prompter_.message(&window_, kCaption, tr("菜单方案已修改，是否保存"),
                                         Prompter::Icon::Information, Prompter::Yes | Prompter::No | Prompter::Cancel);
    if (answer == Prompter::Yes) return save();
    return answer == Prompter::No;
}

void FileCommands::newScheme() {
    if (!askToSave()) return;
    document_.newScheme();
}

void FileCommands::open() {
    Prompter::FileRequest request;
    request.title = tr("打开菜单文件");
    request.filter = menuFileFilter();
    request.defaultExtension = QStringLiteral("*.menu");
    startDialogOn(request, session_.lastPath(Session::Dialog::Open));
    const std::optional<QString> path = prompter_.openFile(&window_, request);
    if (!path) return;
    session_.setLastPath(Session::Dialog::Open, *path);
    workspace_.openFiles({*path}, &window_);
}

std::optional<QString> FileCommands::askSavePath() {
    Prompter::FileRequest request;
    request.title = saveDialogTitle_;
    request.filter = menuFileFilter();
    request.defaultExtension = QStringLiteral("*.menu");
    request.confirmOverwrite = true;
    if (!document_.isUntitled()) {
        startDialogOn(request, document_.filePath());
    } else {
        QString folder = session_.lastFolder();
        if (folder.isEmpty()) folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (folder.isEmpty()) folder = QDir::homePath();
        startDialogOn(request, QDir(folder).filePath(tr("未命名") + QStringLiteral(".menu")));
    }
    std::optional<QString> path = prompter_.saveFile(&window_, request);
    if (path) session_.setLastPath(Session::Dialog::Save, *path);
    return path;
}

bool FileCommands::save() {
    const QFileInfo own(document_.filePath());
    // Untitled, or the file has gone since it was opened or written: the dialog, on its name.
    if (document_.isUntitled() || !own.exists() || own.isDir()) {
        const std::optional<QString> path = askSavePath();
        return path && writeTo(*path);
    }
    return writeTo(document_.filePath());
}

bool FileCommands::saveAs() {
    saveDialogTitle_ = tr("另存为...");
    const std::optional<QString> path = askSavePath();
    saveDialogTitle_ = tr("保存菜单方案");
    return path && writeTo(*path);
}

bool FileCommands::writeTo(const QString& path) {
    // The document checks the file under the save lock; another program's work in it is
    // never overwritten without asking (and asked again if it changes once more meanwhile).
    SchemeDocument::SaveResult result = document_.save(path);
    while (result.changedOnDisk) {
        const int choice = prompter_.choose(
            &window_, kCaption,
            tr("“%1”已被其他程序修改。保存会覆盖那些修改。").arg(QFileInfo(path).fileName()),
            Prompter::Icon::Warning, {tr("覆盖"), tr("另存为..."), tr("取消")});
        if (choice == 1) return saveAs();
        if (choice != 0) return false;
        document_.keepMine();
        result = document_.save(path);
    }
    if (!result) {
        const QString text = withReason(tr("保存菜单方案时出错"), failureReason(result));
        // A file that may not be written: another place for it, at once.
        if (!result.outOfMemory() && mayNotWrite(path)) {
            if (prompter_.choose(&window_, kCaption, text, Prompter::Icon::Error, {tr("另存为..."), tr("取消")}) == 0)
                return saveAs();
            return false;
        }
        error(text);
        return false;
    }
    session_.addRecentFile(document_.filePath());
    return true;
}

void FileCommands::importFile() {
    if (!askToSave()) return;
    Prompter::FileRequest request;
    request.title = tr("导入");
    request.filter = importFileFilter();
    startDialogOn(request, session_.lastPath(Session::Dialog::Import));
    const std::optional<QString> path = prompter_.openFile(&window_, request);
    if (!path) return;
    session_.setLastPath(Session::Dialog::Import, *path);
    importFrom(*path);
}

void FileCommands::importFolder() {
    if (!askToSave()) return;
    const QString last = session_.lastPath(Session::Dialog::Import);
    const QString start = last.isEmpty() ? QString() : QFileInfo(last).absolutePath();
    const std::optional<QString> folder = prompter_.chooseFolder(&window_, tr("选择要导入的网站文件夹"), start);
    if (!folder) return;
    session_.setLastPath(Session::Dialog::Import, *folder + QStringLiteral("/"));
    importFrom(*folder);
}

// One import on its thread. The future is the last member: it is destroyed first, and its
// destructor waits for the thread, which uses the others.
struct FileCommands::ImportJob {
    QString path;
    ImportControl control;
    ImportResult result;
    std::future<void> done;

    ~ImportJob() {
        control.cancel();
        if (done.valid()) done.wait();
    }
    bool finished() const { return done.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }
};

namespace {

// An import done within this time replaces the document without a progress dialog.
constexpr auto kQuietImport = std::chrono::milliseconds(100);
// How often the dialog shows the progress, and the window looks whether the import is done.
constexpr int kImportPollMs = 50;
constexpr int kProgressSteps = 1000;

}  // namespace

FileCommands::~FileCommands() = default;

void FileCommands::importFrom(const QString& path) {
    if (import_) return;
    import_ = std::make_unique<ImportJob>();
    ImportJob* job = import_.get();
    job->path = path;
    if (importObserver_)
        job->control.onProgress = [job, observer = importObserver_](uint64_t, uint64_t) { observer(job->control); };
    job->done = std::async(std::launch::async, [job] {
        job->result = importPath(QFile::encodeName(job->path).toStdString(), {}, &job->control);
    });
    if (job->done.wait_for(kQuietImport) == std::future_status::ready) {
        finishImport();
        return;
    }
    importProgress_ = new QProgressDialog(tr("正在导入 %1…").arg(QFileInfo(path).fileName()), tr("取消"), 0,
                                          kProgressSteps, &window_);
    importProgress_->setObjectName(QStringLiteral("importProgress"));
    importProgress_->setWindowTitle(kCaption);
    importProgress_->setWindowModality(Qt::WindowModal);
    importProgress_->setAutoReset(false);
    importProgress_->setMinimumDuration(0);
    // Cancel stops the import where it is; its result, whatever it was, is then dropped.
    connect(importProgress_, &QProgressDialog::canceled, this, [job] { job->control.cancel(); });
    importProgress_->show();
    importTimer_ = new QTimer(this);
    connect(importTimer_, &QTimer::timeout, this, &FileCommands::followImport);
    importTimer_->start(kImportPollMs);
}

void FileCommands::followImport() {
    if (!import_) return;
    if (import_->finished()) {
        finishImport();
        return;
    }
    // Cancelled, the dialog has gone; the import stops at its next look.
    if (import_->control.cancelled()) return;
    const uint64_t total = import_->control.total();
    const uint64_t done = import_->control.done();
    // A folder counts its pages once it knows them; until then the bar only shows it works.
    const int maximum = total ? kProgressSteps : 0;
    const int value = total ? static_cast<int>(std::min<uint64_t>(done, total) * kProgressSteps / total) : 0;
    if (importProgress_->maximum() != maximum) importProgress_->setMaximum(maximum);
    // Last thing here: a modal progress dialog handles events inside setValue.
    if (importProgress_->value() != value) importProgress_->setValue(value);
}

void FileCommands::finishImport() {
    std::unique_ptr<ImportJob> job = std::move(import_);
    if (!job) return;
    job->done.get();
    if (importTimer_) {
        importTimer_->deleteLater();
        importTimer_ = nullptr;
    }
    if (importProgress_) {
        importProgress_->hide();
        importProgress_->deleteLater();
        importProgress_ = nullptr;
    }
    // Cancelled: the document stays as it was, even when the import got to its end.
    if (job->control.cancelled()) {
        Q_EMIT importFinished(false);
        return;
    }
    if (!job->result) {
        error(tr("无法导入 %1：%2").arg(job->path, failureReason(job->result.failure)));
        Q_EMIT importFinished(false);
        return;
    }
    document_.adoptImported(std::move(job->result));
    Q_EMIT importFinished(true);
}

void FileCommands::exportTree() {
    Prompter::FileRequest request;
    request.title = tr("导出");
    request.filter = exportFileFilter();
    startDialogOn(request, session_.lastPath(Session::Dialog::Export));
    request.defaultExtension = QStringLiteral("*.html");
    request.confirmOverwrite = true;
    const std::optional<QString> path = prompter_.saveFile(&window_, request);
    if (!path) return;
    session_.setLastPath(Session::Dialog::Export, *path);
    ExportFormat format;
    if (!formatOfPath(*path, format)) {
        error(tr("请用 .html、.txt、.opml 或 .json 作文件的扩展名"));
        return;
    }
    const ExportResult result = exportScheme(document_.scheme(), format);
    const IoResult written = result
                                 ? writeFileAtomically(QFile::encodeName(*path).toStdString(), result.bytes)
                                 : IoResult::failed(result.failure);
    if (!written) error(tr("导出时出错：%1").arg(failureReason(written)));
}

}  // namespace sylvanode

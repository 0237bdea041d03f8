// SPDX-License-Identifier: MIT
#include "document/scheme_document.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QStandardPaths>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <new>

#include "document/edit_commands.h"
#include "document/text_codec.h"
#include "platform/paths.h"
#include "platform/safe_file.h"

namespace sylvanode {
namespace {

// The file-name part of a path in scheme bytes: what follows the last "/", "\" or ":",
// each taken only as a character of its own (never as a trail byte).
std::string fileNamePart(const std::string& path) {
    size_t start = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        const auto c = static_cast<unsigned char>(path[i]);
        if (isGbkLeadByte(c) && i + 1 < path.size()) {
            ++i;
            continue;
        }
        if (c == '\\' || c == '/' || c == ':') start = i + 1;
    }
    return path.substr(start);
}

// Where a new scheme's work directory points: the user's documents folder (the program's
// own folder is a system folder once installed), else the home folder.
std::string newWorkDir() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (dir.isEmpty() || !QFileInfo(dir).isDir()) dir = QDir::homePath();
    if (!dir.endsWith(QLatin1Char('/'))) dir += QLatin1Char('/');
    return toSchemeBytes(dir);
}

std::unique_ptr<MenuScheme> newSchemeContent() {
    auto scheme = std::make_unique<MenuScheme>();
    scheme->reset();
    scheme->settings.workDir = newWorkDir();
    return scheme;
}

void applyOptions(MenuScheme& scheme, const SchemeOptions& options) {
    std::string suffix = std::move(scheme.settings.menuSuffix);
    scheme.settings = options.settings;
    scheme.settings.menuSuffix = std::move(suffix);
    scheme.kinds = options.kinds;
}

}  // namespace

SchemeOptions optionsOf(const MenuScheme& scheme) {
    SchemeOptions o{scheme.settings, scheme.kinds};
    o.settings.menuSuffix.clear();
    return o;
}

SchemeDocument::SchemeDocument(QObject* parent) : QObject(parent), scheme_(newSchemeContent()) {
    connect(&undoStack_, &QUndoStack::cleanChanged, this, [this](bool clean) { Q_EMIT modifiedChanged(!clean); });
}

SchemeDocument::~SchemeDocument() {
    // The commands own the nodes out of the tree; they go before the tree, telling no one.
    blockSignals(true);
    undoStack_.blockSignals(true);
    undoStack_.clear();
}

QString SchemeDocument::fileName() const {
    return filePath_.isEmpty() ? QString() : toQString(fileNamePart(scheme_->fileName));
}

qint64 SchemeDocument::now() const {
    if (clock_) return clock_();
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// ---- replacing ----

void SchemeDocument::replaceScheme(std::unique_ptr<MenuScheme> next, const QString& path,
                                   const FileIdentity& identity, bool saved) {
    Q_EMIT aboutToReplace();
    ++stepDepth_;
    currentLost_ = current_ != nullptr;
    current_ = nullptr;
    // The history, and with it every node out of the tree, belongs to the scheme that goes.
    undoStack_.clear();
    scheme_.swap(next);
    rows_.clear();
    forgetOrder();
    indexGroup(scheme_->roots());
    --stepDepth_;
    sealMerging();
    Q_EMIT replaced();
    // The previous tree goes with `next`, after the views have let go of it.
    next.reset();

    identity_ = identity;
    setFilePath(path);
    updateReadOnly();
    watchFile();
    setDiskState(DiskState::InStep);
    if (!saved) undoStack_.resetClean();
    Q_EMIT contentChanged();
    selectFirstItem();
}

void SchemeDocument::newScheme() { replaceScheme(newSchemeContent(), QString(), FileIdentity{}, true); }

LoadedScheme SchemeDocument::read(const QString& path) {
    LoadedScheme loaded;
    const std::string fsPath = QFile::encodeName(path).toStdString();
    try {
        loaded.scheme = std::make_unique<MenuScheme>();
        std::string bytes;
        const IoResult r = readWholeFile(fsPath, bytes);
        if (!r) {
            loaded.result = SchemeResult::from(r);
            return loaded;
        }
        loaded.result = readSchemeText(*loaded.scheme, bytes);
        if (loaded.result.outOfMemory()) loaded.result.failure.path = fsPath;
        if (loaded.result) loaded.identity = FileIdentity::of(path, bytes);
    } catch (const std::bad_alloc&) {
        loaded.result = SchemeResult::ioFailure(Failure::of(FailureKind::OutOfMemory, fsPath));
    }
    return loaded;
}

void SchemeDocument::adopt(LoadedScheme loaded, const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    loaded.scheme->fileName = toSchemeBytes(absolute);
    replaceScheme(std::move(loaded.scheme), absolute, loaded.identity, true);
}

void SchemeDocument::adoptRestored(LoadedScheme fromBackup, const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    fromBackup.scheme->fileName = toSchemeBytes(absolute);
    // The file as it is now is what saving replaces, not a change made by someone else.
    replaceScheme(std::move(fromBackup.scheme), absolute, FileIdentity::of(absolute), false);
}

SchemeResult SchemeDocument::open(const QString& path) {
    LoadedScheme loaded = read(path);
    if (!loaded.result) return loaded.result;
    SchemeResult result = loaded.result;
    adopt(std::move(loaded), path);
    return result;
}

void SchemeDocument::adoptImported(ImportResult imported) {
    std::unique_ptr<MenuScheme> next = newSchemeContent();
    applyImportSettings(next->settings, imported);
    for (auto& root : imported.roots) next->appendRoot(std::move(root));
    // Items that exist nowhere else yet: closing asks to save them, and no undo ever
    // takes the mark off a scheme that was never written.
    replaceScheme(std::move(next), QString(), FileIdentity{}, false);
}

// ---- the file ----

void SchemeDocument::setFilePath(const QString& path) {
    if (path == filePath_) return;
    filePath_ = path;
    Q_EMIT filePathChanged(filePath_);
}

bool SchemeDocument::changedOnDiskSinceRead(const QString& path) const {
    if (filePath_.isEmpty() || QFileInfo(path).absoluteFilePath() != filePath_) return false;
    // A file that is gone holds no one's work: writing it again loses nothing.
    const FileIdentity now = FileIdentity::of(filePath_);
    return now.exists && !identity_.sameContent(now);
}

SchemeDocument::SaveResult SchemeDocument::save(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const std::string fsPath = QFile::encodeName(absolute).toStdString();
    SaveResult result;
    const auto fail = [&result](const IoResult& io) {
        static_cast<SchemeResult&>(result) = SchemeResult::from(io);
        return result;
    };
    std::string text;
    try {
        text = writeSchemeText(*scheme_);
    } catch (const std::bad_alloc&) {
        return fail(IoResult::failed(Failure::of(FailureKind::OutOfMemory, fsPath)));
    }
    // The check and the write under one lock: a saver that came first is seen here, and no
    // other saver writes between the check and our write.
    SaveLock lock;
    if (const IoResult locked = lock.acquire(fsPath); !locked) return fail(locked);
    if (changedOnDiskSinceRead(absolute)) {
        fail(IoResult::failed(Failure::of(FailureKind::ChangedOnDisk, fsPath)));
        result.changedOnDisk = true;
        setDiskState(DiskState::Changed);
        return result;
    }
    const IoResult written = lock.write(text);
    if (!written) return fail(written);
    identity_ = FileIdentity::of(absolute, text);
    lock.release();
    scheme_->fileName = toSchemeBytes(absolute);
    setFilePath(absolute);
    undoStack_.setClean();
    updateReadOnly();
    watchFile();
    setDiskState(DiskState::InStep);
    return result;
}

SchemeResult SchemeDocument::reload() {
    if (filePath_.isEmpty()) return SchemeResult::ioFailure(Failure::of(FailureKind::NoFileName));
    LoadedScheme loaded = read(filePath_);
    if (!loaded.result) return loaded.result;
    push(new ReloadCommand(*this, tr("重新载入"), std::move(loaded.scheme)));
    identity_ = loaded.identity;
    undoStack_.setClean();
    updateReadOnly();
    setDiskState(DiskState::InStep);
    return {};
}

void SchemeDocument::keepMine() {
    if (filePath_.isEmpty()) return;
    identity_ = FileIdentity::of(filePath_);
    setDiskState(DiskState::InStep);
}

void SchemeDocument::checkFileOnDisk() {
    if (filePath_.isEmpty()) return;
    const FileIdentity onDisk = FileIdentity::of(filePath_);
    // A file replaced by a rename is a new file: the watcher follows the path again.
    watchFile();
    updateReadOnly();
    if (identity_.sameContent(onDisk)) {
        setDiskState(DiskState::InStep);
        return;
    }
    if (!onDisk.exists) {
        setDiskState(DiskState::Deleted);
        return;
    }
    if (!isModified() && reload()) {
        Q_EMIT reloadedFromDisk();
        return;
    }
    // Modified (or the new file cannot be read): never replaced by itself.
    setDiskState(DiskState::Changed);
}

void SchemeDocument::setDiskState(DiskState state) {
    if (state == diskState_) return;
    diskState_ = state;
    Q_EMIT diskStateChanged(state);
}

void SchemeDocument::updateReadOnly() {
    bool readOnly = false;
    if (!filePath_.isEmpty()) {
        const QFileInfo file(filePath_);
        const QFileInfo folder(file.absolutePath());
        // A save makes a new file in the folder and renames it over the old one; a file with no
        // write bit at all is left alone even by a user who could override it.
        constexpr auto anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
        if (file.exists()) readOnly = !file.isWritable() || !(file.permissions() & anyWrite);
        if (!folder.isWritable()) readOnly = true;
    }
    if (readOnly == readOnly_) return;
    readOnly_ = readOnly;
    Q_EMIT readOnlyChanged(readOnly_);
}

void SchemeDocument::watchFile() {
    if (!watcher_) {
        watcher_ = new QFileSystemWatcher(this);
        settle_ = new QTimer(this);
        settle_->setSingleShot(true);
        settle_->setInterval(kDiskSettleMs);
        connect(settle_, &QTimer::timeout, this, &SchemeDocument::checkFileOnDisk);
        connect(watcher_, &QFileSystemWatcher::fileChanged, this, &SchemeDocument::onWatcherSignal);
        connect(watcher_, &QFileSystemWatcher::directoryChanged, this, &SchemeDocument::onWatcherSignal);
    }
    QStringList wanted;
    if (!filePath_.isEmpty()) {
        // The folder too: another editor may save by writing a new file and renaming it.
        const QString folder = QFileInfo(filePath_).absolutePath();
        if (QFileInfo::exists(filePath_)) wanted << filePath_;
        if (QFileInfo(folder).isDir()) wanted << folder;
    }
    const QStringList watched = watcher_->files() + watcher_->directories();
    for (const QString& p : watched)
        if (!wanted.contains(p)) watcher_->removePath(p);
    for (const QString& p : wanted)
        if (!watched.contains(p)) watcher_->addPath(p);
}

void SchemeDocument::onWatcherSignal() {
    // Writers take a moment: compare once the file has been quiet for a little while.
    settle_->start();
}

// ---- the current item ----

void SchemeDocument::selectFirstItem() {
    MenuNode* first = scheme_->empty() ? nullptr : scheme_->roots().front().get();
    const bool lost = currentLost_;
    currentLost_ = false;
    if (first) {
        setCurrentItem(first);
    } else if (lost) {
        Q_EMIT currentItemChanged(nullptr);
    }
}

void SchemeDocument::setCurrentItem(MenuNode* node) {
    if (node && !contains(node)) node = nullptr;
    if (node == current_) return;
    current_ = node;
    sealMerging();
    Q_EMIT currentItemChanged(current_);
}

bool SchemeDocument::currentInside(const MenuNode* node) const {
    return current_ && (current_ == node || isAncestorOf(node, current_));
}

// ---- where items are ----

const SchemeDocument::Siblings& SchemeDocument::groupOf(const MenuNode* parent) const {
    return parent ? parent->children() : scheme_->roots();
}

void SchemeDocument::indexGroup(const Siblings& group, size_t from) const {
    for (size_t i = from; i < group.size(); ++i) rows_[group[i].get()] = static_cast<int>(i);
}

int SchemeDocument::rowOf(const MenuNode* node) const {
    if (!node) return -1;
    const Siblings& group = groupOf(node->parent());
    auto it = rows_.find(node);
    if (it != rows_.end()) {
        const auto row = static_cast<size_t>(it->second);
        if (row < group.size() && group[row].get() == node) return it->second;
    }
    // Not indexed yet (a group never asked for) or stale: index the whole group once.
    indexGroup(group);
    it = rows_.find(node);
    if (it == rows_.end()) return -1;
    const auto row = static_cast<size_t>(it->second);
    return row < group.size() && group[row].get() == node ? it->second : -1;
}

bool SchemeDocument::contains(const MenuNode* node) const {
    if (!node) return false;
    const MenuNode* top = node;
    while (top->parent()) top = top->parent();
    return rowOf(top) >= 0;
}

int SchemeDocument::indexOf(const MenuNode* node) const {
    if (!orderValid_) itemCount();
    const auto it = orderIndex_.find(node);
    return it == orderIndex_.end() ? -1 : it->second;
}

MenuNode* SchemeDocument::itemAt(int index) const {
    const int count = itemCount();
    return index >= 0 && index < count ? order_[static_cast<size_t>(index)] : nullptr;
}

int SchemeDocument::itemCount() const {
    if (!orderValid_) {
        order_ = scheme_->flatten();
        orderIndex_.clear();
        orderIndex_.reserve(order_.size());
        for (size_t i = 0; i < order_.size(); ++i) orderIndex_[order_[i]] = static_cast<int>(i);
        orderValid_ = true;
    }
    return static_cast<int>(order_.size());
}

// ---- changes that are no step ----

void SchemeDocument::setExpanded(MenuNode* node, bool expanded) {
    if (!node || node->expanded == expanded) return;
    if (expanded && nodeLevel(node) >= kDeepestExpandedLevel) return;
    node->expanded = expanded;
    node->refreshImage();
    Q_EMIT itemLookChanged(node);
}

void SchemeDocument::setMenuSuffix(std::string suffix) {
    if (suffix == scheme_->settings.menuSuffix) return;
    scheme_->settings.menuSuffix = std::move(suffix);
    Q_EMIT contentChanged();
}

// ---- steps ----

void SchemeDocument::push(QUndoCommand* command) { undoStack_.push(command); }

void SchemeDocument::undo() {
    if (!undoStack_.canUndo()) return;
    sealMerging();
    undoStack_.undo();
}

void SchemeDocument::redo() {
    if (!undoStack_.canRedo()) return;
    sealMerging();
    undoStack_.redo();
}

void SchemeDocument::beginStep() { ++stepDepth_; }

void SchemeDocument::endStep(MenuNode* select) {
    if (select && !contains(select)) select = nullptr;
    const bool changed = select != current_ || currentLost_;
    current_ = select;
    currentLost_ = false;
    --stepDepth_;
    sealMerging();
    if (changed) Q_EMIT currentItemChanged(current_);
    Q_EMIT contentChanged();
}

void SchemeDocument::refreshImage(MenuNode* node) {
    if (!node) return;
    node->refreshImage();
    Q_EMIT itemLookChanged(node);
}

MenuNode* SchemeDocument::insertSubtree(MenuNode* parent, int row, std::unique_ptr<MenuNode> node) {
    row = std::clamp(row, 0, static_cast<int>(groupOf(parent).size()));
    Q_EMIT itemsAboutToBeInserted(parent, row, row);
    MenuNode* added =
        parent ? parent->insertChild(row, std::move(node)) : scheme_->insertRoot(row, std::move(node));
    indexGroup(groupOf(parent), static_cast<size_t>(row));
    forgetOrder();
    Q_EMIT itemsInserted(parent, row, row);
    // A page that got its first child is a folder at once.
    refreshImage(parent);
    return added;
}

std::unique_ptr<MenuNode> SchemeDocument::takeSubtree(MenuNode* node) {
    MenuNode* parent = node->parent();
    const int row = rowOf(node);
    Q_EMIT itemsAboutToBeRemoved(parent, row, row);
    // Forget the cached rows of the whole subtree while it is out of the tree.
    std::vector<const MenuNode*> stack{node};
    while (!stack.empty()) {
        const MenuNode* n = stack.back();
        stack.pop_back();
        rows_.erase(n);
        for (const auto& c : n->children()) stack.push_back(c.get());
    }
    if (currentInside(node)) {
        current_ = nullptr;
        currentLost_ = true;
    }
    std::unique_ptr<MenuNode> taken = scheme_->detach(node);
    indexGroup(groupOf(parent), static_cast<size_t>(row));
    forgetOrder();
    Q_EMIT itemsRemoved(parent, row, row);
    // A parent that lost its last child is a page again at once.
    refreshImage(parent);
    return taken;
}

void SchemeDocument::moveSubtree(MenuNode* node, MenuNode* newParent, int row) {
    MenuNode* oldParent = node->parent();
    const int from = rowOf(node);
    const bool sameGroup = oldParent == newParent;
    const int last = static_cast<int>(groupOf(newParent).size()) - (sameGroup ? 1 : 0);
    row = std::clamp(row, 0, last);
    if (sameGroup && row == from) return;
    Q_EMIT itemAboutToBeMoved(node, newParent, row);
    std::unique_ptr<MenuNode> taken = scheme_->detach(node);
    if (newParent)
        newParent->insertChild(row, std::move(taken));
    else
        scheme_->insertRoot(row, std::move(taken));
    indexGroup(groupOf(oldParent), static_cast<size_t>(sameGroup ? std::min(from, row) : from));
    if (!sameGroup) indexGroup(groupOf(newParent), static_cast<size_t>(row));
    forgetOrder();
    Q_EMIT itemMoved(node, oldParent, from);
    refreshImage(oldParent);
    if (newParent != oldParent) refreshImage(newParent);
}

void SchemeDocument::setItemState(MenuNode* node, const ItemState& state) {
    node->caption = state.caption;
    node->data = state.data;
    Q_EMIT itemChanged(node);
    Q_EMIT contentChanged();
}

void SchemeDocument::setOptions(const SchemeOptions& options, DocumentPart part) {
    applyOptions(*scheme_, options);
    Q_EMIT optionsChanged(part);
    Q_EMIT contentChanged();
}

void SchemeDocument::swapContent(MenuScheme& other) {
    Q_EMIT aboutToReplace();
    ++stepDepth_;
    currentLost_ = current_ != nullptr;
    current_ = nullptr;
    // The file name and the suffix belong to the document, not to a version of its content.
    std::string fileName = scheme_->fileName;
    std::string suffix = scheme_->settings.menuSuffix;
    scheme_->swap(other);
    scheme_->settings.menuSuffix = std::move(suffix);
    scheme_->fileName = std::move(fileName);
    rows_.clear();
    forgetOrder();
    indexGroup(scheme_->roots());
    --stepDepth_;
    sealMerging();
    Q_EMIT replaced();
    Q_EMIT contentChanged();
    selectFirstItem();
}

}  // namespace sylvanode

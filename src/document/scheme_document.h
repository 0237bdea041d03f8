// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "document/file_identity.h"
#include "exchange/imported_tree.h"
#include "model/menu_scheme.h"
#include "model/scheme_io.h"

class QFileSystemWatcher;
class QTimer;

namespace sylvanode {

// The parts of a document a change can touch: the items, or the options of one page.
enum class DocumentPart { Items, Settings, Styles };

// What the settings and style pages edit: everything of the scheme but the tree, the file
// name and the suffix (which is not part of the document's history).
struct SchemeOptions {
    SchemeSettings settings;
    std::array<KindStyle, 2> kinds{};
    bool operator==(const SchemeOptions&) const = default;
};
SchemeOptions optionsOf(const MenuScheme& scheme);

// The fields of an item that the item panel edits; the action is the pair of radio buttons
// (the kind with the link, target and script texts).
enum class ItemField { Title, Hint, Status, Icon1, Icon2, Link, Target, Script, Action };

// The texts of one item as its record and its caption hold them.
struct ItemState {
    std::string caption;
    MenuItemData data;
    bool operator==(const ItemState&) const = default;
};

// A scheme file read into memory, with what the file was when it was read.
struct LoadedScheme {
    SchemeResult result;
    std::unique_ptr<MenuScheme> scheme;
    FileIdentity identity;
};

// One open scheme: the document that the window, its pages and the tree only view.
//
// It owns the MenuScheme, the file it belongs to (path, and what the file was when last
// read or written), the undo history and the current item. Every change of the scheme is
// an undo step (edit_commands.h) pushed on its stack; "modified" is the stack's clean state.
// Views follow the signals: about-to/done pairs around every change of the tree (so an item
// model can map them 1:1), one signal per changed item or option page, and contentChanged
// after every change of what the scheme would write or generate.
class SchemeDocument : public QObject {
    Q_OBJECT
public:
    explicit SchemeDocument(QObject* parent = nullptr);
    ~SchemeDocument() override;

    const MenuScheme& scheme() const { return *scheme_; }
    QUndoStack& undoStack() { return undoStack_; }

    // ---- The file ----
    // Native path of the scheme file; empty while the document is untitled.
    QString filePath() const { return filePath_; }
    bool isUntitled() const { return filePath_.isEmpty(); }
    // The file-name part of the path ("site.menu"); empty while untitled.
    QString fileName() const;
    bool isModified() const { return !undoStack_.isClean(); }
    // The file may not be written (its mode, or a folder where no file can be made).
    bool isReadOnly() const { return readOnly_; }
    // What the file on disk was, as the document last saw it.
    enum class DiskState { InStep, Changed, Deleted };
    DiskState diskState() const { return diskState_; }

    // ---- Replacing the whole document: new, open, import and start-up share one path ----
    // A new untitled scheme with the reset settings; its work directory is the user's
    // documents folder.
    void newScheme();
    // Reads a scheme file without touching any document.
    static LoadedScheme read(const QString& path);
    // Takes over a file read with read() (which succeeded) as the whole document.
    void adopt(LoadedScheme loaded, const QString& path);
    // A scheme read from a backup of the file at `path` (a save of it was interrupted): it becomes
    // that file's document, modified, so that saving writes it back there.
    void adoptRestored(LoadedScheme fromBackup, const QString& path);
    // read() and adopt(); a failure leaves the document exactly as it was.
    SchemeResult open(const QString& path);
    // An imported tree as a new untitled scheme that has never been saved (so "modified"),
    // with the settings the import gives (work directory, title, default target).
    void adoptImported(ImportResult imported);

    // ---- Saving ----
    // Whether writing to `path` would overwrite a change some other program made: `path`
    // is this document's own file, and it exists but no longer holds what was last read,
    // written or seen.
    bool changedOnDiskSinceRead(const QString& path) const;
    // Writes the scheme to `path` under the file's save lock (safe_file.h). While it holds the
    // lock it checks what changedOnDiskSinceRead checks: when another program (another saver
    // that came first, say) changed the file, nothing is written and the result says
    // `changedOnDisk`; the author decides, and keepMine() lets the next save overwrite it.
    // On success the document takes the path, the history's clean state and the file's new
    // identity; on failure nothing changes.
    struct SaveResult : SchemeResult {
        bool changedOnDisk = false;
    };
    SaveResult save(const QString& path);

    // ---- The file changed outside ----
    // Reads the file again as one undo step; the document is then clean.
    SchemeResult reload();
    // The author keeps this version: the file as it is now counts as seen, so the next
    // save writes without asking again.
    void keepMine();
    // Compares the file with what was last read or written (the watcher calls it after a
    // short pause). An unmodified document reloads a changed file by itself.
    void checkFileOnDisk();
    // Time the watcher waits for a writer to finish before it compares.
    static constexpr int kDiskSettleMs = 150;

    // ---- The current item (selection shown by views) ----
    MenuNode* currentItem() const { return current_; }
    // An item not in the tree counts as none.
    void setCurrentItem(MenuNode* node);

    // ---- Where items are ----
    bool contains(const MenuNode* node) const;
    // Position among its siblings (-1: not in the tree).
    int rowOf(const MenuNode* node) const;
    // Pre-order index (the item index of the file and the script); -1: not in the tree.
    int indexOf(const MenuNode* node) const;
    MenuNode* itemAt(int index) const;
    int itemCount() const;
    // A step is under way: the tree may be between two states, selection changes that views
    // see meanwhile are noise.
    bool isChanging() const { return stepDepth_ > 0; }

    // ---- Changes that are no undo step ----
    // Expansion is view state kept on the node (its picture): items this deep never open,
    // as a tree view lays out expanded levels recursively.
    static constexpr int kDeepestExpandedLevel = 1000;
    void setExpanded(MenuNode* node, bool expanded);
    // The multi-menu suffix lives in memory only.
    void setMenuSuffix(std::string suffix);

    // ---- Undo steps ----
    // Pushes a step; its first redo runs now.
    void push(QUndoCommand* command);
    void undo();
    void redo();
    // Typing merges into one step within an editing session; a new session starts on every
    // change of the current item, every undo and redo, and whenever a view calls this.
    int editSession() const { return editSession_; }
    void sealMerging() { ++editSession_; }
    // Milliseconds of a monotonic clock (a test may set its own).
    qint64 now() const;
    void setClock(std::function<qint64()> clock) { clock_ = std::move(clock); }
    // Typed texts merge while the pauses between edits stay below this.
    static constexpr qint64 kMergePauseMs = 1000;

Q_SIGNALS:
    // The whole scheme is replaced (new, open, import): views drop everything they hold.
    void aboutToReplace();
    void replaced();
    // Consecutive children `first`..`last` of `parent` (none: roots).
    void itemsAboutToBeInserted(sylvanode::MenuNode* parent, int first, int last);
    void itemsInserted(sylvanode::MenuNode* parent, int first, int last);
    void itemsAboutToBeRemoved(sylvanode::MenuNode* parent, int first, int last);
    void itemsRemoved(sylvanode::MenuNode* parent, int first, int last);
    // `node` becomes child `newRow` of `newParent`, `newRow` counted after the move.
    void itemAboutToBeMoved(sylvanode::MenuNode* node, sylvanode::MenuNode* newParent, int newRow);
    void itemMoved(sylvanode::MenuNode* node, sylvanode::MenuNode* oldParent, int oldRow);
    // The caption or record of an item changed.
    void itemChanged(sylvanode::MenuNode* node);
    // An item opened or closed (its picture), or its picture changed with its children.
    void itemLookChanged(sylvanode::MenuNode* node);
    // Settings (DocumentPart::Settings) or styles (DocumentPart::Styles) changed.
    void optionsChanged(sylvanode::DocumentPart part);
    // Anything the scheme would write or generate changed (items, options, the suffix).
    void contentChanged();
    // An undo or redo made a change again: views may show where it happened.
    void changeReplayed(sylvanode::DocumentPart part, sylvanode::MenuNode* item);
    void currentItemChanged(sylvanode::MenuNode* current);
    void filePathChanged(const QString& path);
    void modifiedChanged(bool modified);
    void readOnlyChanged(bool readOnly);
    // The file changed or vanished on disk while the document was modified (so it was not
    // reloaded), or it is back in step.
    void diskStateChanged(sylvanode::SchemeDocument::DiskState state);
    // An unmodified document read its file again after another program changed it.
    void reloadedFromDisk();

private:
    friend class InsertItemsCommand;
    friend class RemoveItemCommand;
    friend class MoveItemCommand;
    friend class ItemEditCommand;
    friend class OptionsCommand;
    friend class ReloadCommand;

    // ---- The steps undo commands are made of ----
    // Structural steps run between these: views ignore selection noise meanwhile, and
    // afterwards `select` is the current item (none when it is not in the tree).
    void beginStep();
    void endStep(MenuNode* select);
    bool inStep() const { return stepDepth_ > 0; }
    MenuNode* insertSubtree(MenuNode* parent, int row, std::unique_ptr<MenuNode> node);
    std::unique_ptr<MenuNode> takeSubtree(MenuNode* node);
    void moveSubtree(MenuNode* node, MenuNode* parent, int row);
    void setItemState(MenuNode* node, const ItemState& state);
    void setOptions(const SchemeOptions& options, DocumentPart part);
    // Exchanges tree, settings and kinds with `other` (a reload and its undo).
    void swapContent(MenuScheme& other);
    void refreshImage(MenuNode* node);

    using Siblings = std::vector<std::unique_ptr<MenuNode>>;
    const Siblings& groupOf(const MenuNode* parent) const;
    void indexGroup(const Siblings& group, size_t from = 0) const;
    void forgetOrder() { orderValid_ = false; }
    void replaceScheme(std::unique_ptr<MenuScheme> next, const QString& path, const FileIdentity& identity,
                       bool saved);
    void setFilePath(const QString& path);
    void updateReadOnly();
    void watchFile();
    void setDiskState(DiskState state);
    void onWatcherSignal();
    // Whether the current item is `node` or below it.
    bool currentInside(const MenuNode* node) const;
    // After a replacement: the first root is current (views hear of it even when it is none).
    void selectFirstItem();

    std::unique_ptr<MenuScheme> scheme_;
    QUndoStack undoStack_;
    QString filePath_;
    FileIdentity identity_;  // what the file was when last read, written or seen
    bool readOnly_ = false;
    DiskState diskState_ = DiskState::InStep;
    QFileSystemWatcher* watcher_ = nullptr;
    QTimer* settle_ = nullptr;
    MenuNode* current_ = nullptr;
    bool currentLost_ = false;  // the current item left the tree during this step
    int stepDepth_ = 0;
    int editSession_ = 0;
    std::function<qint64()> clock_;

    mutable std::unordered_map<const MenuNode*, int> rows_;
    mutable std::vector<MenuNode*> order_;
    mutable std::unordered_map<const MenuNode*, int> orderIndex_;
    mutable bool orderValid_ = false;
};

}  // namespace sylvanode

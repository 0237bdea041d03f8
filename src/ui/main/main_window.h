// SPDX-License-Identifier: MIT
#pragma once

#include <QMainWindow>
#include <QString>
#include <exception>
#include <new>
#include <memory>
#include <optional>
#include <vector>

class QTemporaryDir;

#include "model/menu_scheme.h"
#include "ui/common/prompter.h"

class QAction;
class QLabel;
class QMenu;
class QMimeData;
class QTreeView;
class QUndoCommand;
class QUndoStack;

namespace Ui {
class MainWindow;
}

class SuffixDialog;

namespace sylvanode {
class ItemPanel;
class LinkCheckDialog;
class MenuTreeView;
class Prompter;
class SchemeTreeModel;
class SettingsPage;
class StylePage;
struct ItemState;
struct SchemeOptions;
enum class ItemField;
}  // namespace sylvanode

// The main window: owns the one open scheme, the tree model and view, the item
// panel and the two option pages; keeps the document lifecycle and the commands.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(sylvanode::Prompter& prompter, QWidget* parent = nullptr);
    ~MainWindow() override;

    sylvanode::MenuScheme& scheme() { return scheme_; }
    sylvanode::Prompter& prompter() { return prompter_; }
    sylvanode::SchemeTreeModel& treeModel() { return *model_; }
    sylvanode::MenuTreeView& tree() { return *tree_; }
    sylvanode::ItemPanel& itemPanel() { return *panel_; }
    sylvanode::SettingsPage& settingsPage() { return *settingsPage_; }
    sylvanode::StylePage& stylePage() { return *stylePage_; }
    SuffixDialog* suffixDialog() { return suffixDialog_.get(); }
    QUndoStack& undoStack() { return *undoStack_; }
    sylvanode::MenuNode* selectedNode() const { return selected_; }
    sylvanode::MenuNode* dragNode() const { return dragNode_; }
    sylvanode::MenuNode* clickedNode() const { return clickedNode_; }
    QString saveDialogTitle() const { return saveDialogTitle_; }

    // Document lifecycle.
    void markModified();
    void updateTitle();
    bool askToSave();  // false: the caller stops
    void refreshPages();
    void newScheme();
    void openScheme();
    void saveScheme();
    void saveSchemeAs();
    // Import, export and the link check (exchange_commands.cpp).
    void importFile();
    void importFolder();
    // A file or folder as a new untitled scheme, after the save question; false when refused.
    bool importFrom(const QString& path);
    void exportTree();
    void checkLinks();
    sylvanode::LinkCheckDialog* linkCheckDialog() const { return linkCheckDialog_; }

    // The bridge between the tree and the item panel.
    void saveNodeData(sylvanode::MenuNode* node);
    void showNodeData(sylvanode::MenuNode* node);
    void clearItemPanel();
    // Selects a node (none clears the selection); runs the selection-change steps.
    void selectNode(sylvanode::MenuNode* node);

    // Tree commands, each one undo step.
    void addRootItem();
    void addSubItem();
    void deleteItem();
    void moveDown();
    void moveUp();
    // The item becomes the next sibling of its parent.
    void outdentItem();
    // The item becomes the last child of its previous sibling.
    void indentItem();
    // Renames the selected item in place in the tree (Escape cancels).
    void renameItem();

    // Edit menu: undo and redo, and the clipboard (the selected item with its subtree).
    void undo();
    void redo();
    void cutItem();
    void copyItem();
    // Inserts the clipboard's items as the next siblings of the selected item (nothing
    // selected: new roots at the end) and selects the first.
    void pasteItems();
    void duplicateItem();
    // Re-evaluates the enabling rules (itemSelectedAction, canMoveDownAction, canMoveUpAction)
    // and the commands that follow them.
    void updateActions();

    // Generate, Tools and Help.
    void generateScript();
    // Shows the menu in the browser: the script and a page in a folder kept for the run.
    void showPreview();
    void editSuffix();
    void showHelp();
    void showAbout();
    // Closes the window (asking to save first).
    void exit();
    // Opens a scheme file by path, after the save question (a file dropped on the window).
    void openSchemeFile(const QString& path);

    // ---- The steps the undo commands are made of (undo_commands.cpp) ----
    // Structural changes run between these two: first the panel is stored into the selected
    // item; afterwards `select` is the selected item (none: nothing) and the panel shows it.
    void beginTreeChange();
    void endTreeChange(sylvanode::MenuNode* select);
    sylvanode::MenuNode* insertSubtree(sylvanode::MenuNode* parent, int row,
                                       std::unique_ptr<sylvanode::MenuNode> node);
    std::unique_ptr<sylvanode::MenuNode> takeSubtree(sylvanode::MenuNode* node);
    void moveSubtree(sylvanode::MenuNode* node, sylvanode::MenuNode* parent, int row, bool expandParent);
    // Puts texts into an item; `fromPanel`: they came from the panel, which shows them already.
    void setItemState(sylvanode::MenuNode* node, const sylvanode::ItemState& state, bool fromPanel);
    // Selects an item on the item page, to show what an undo or redo changes.
    void revealItem(sylvanode::MenuNode* node);
    // Puts settings and styles into the scheme and the pages, and shows the page.
    void setOptions(const sylvanode::SchemeOptions& options, int page);

    // Items at this level and deeper are never expanded: the tree view lays out expanded
    // levels recursively, and a chain thousands of levels deep would overflow the stack.
    static constexpr int kDeepestExpandedLevel = 1000;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildFrame();
    void buildEditMenu();
    void setUpKeyboardAndNames();
    void connectCommands();
    void onCurrentChanged(const QModelIndex& current, const QModelIndex& previous);
    void onExpandedChanged(const QModelIndex& index, bool expanded);
    void onPanelFieldEdited(sylvanode::ItemField field);
    void onOptionChanged(int page, const QString& stepName, int mergeKey);
    void onRenamed(sylvanode::MenuNode* node, const QString& title);
    void onLeftPressed(sylvanode::MenuNode* pressed);
    void onDropped(sylvanode::MenuNode* target);
    void expandSubtree(sylvanode::MenuNode* node);
    // Pushes an undo step (its first redo runs now) and marks the scheme modified.
    void perform(QUndoCommand* command);
    // Forgets the undo history: the scheme in memory is a new document.
    void clearHistory();
    // Inserts a forest as the next siblings of the selected item (or new last roots).
    void insertItems(std::vector<std::unique_ptr<sylvanode::MenuNode>> nodes, const QString& stepName);
    // Ends typing-merges: the next edit starts a new undo step.
    void sealMerging() { ++editSession_; }
    // Expands the nodes of a subtree stored as expanded (a subtree put back into the tree).
    void restoreExpansion(sylvanode::MenuNode* root);
    bool inTree(const sylvanode::MenuNode* node) const;
    // Reads a scheme file into the window (Open after its dialog, or a dropped file).
    void loadScheme(const QString& path);
    class TreeReplacement;
    void emptyTree();
    // Runs a command; an exception escaping it is shown and the window goes on.
    template <class F>
    void guarded(F&& command) {
        try {
            command();
        } catch (const std::bad_alloc&) {
            showFailure(tr("内存不足"));
        } catch (const std::exception& e) {
            showFailure(QString::fromLocal8Bit(e.what()));
        } catch (...) {
            showFailure(tr("未知错误"));
        }
        updateActions();
    }
    void showFailure(const QString& what);
    // The link check's folder (the work directory, else the scheme file's) does not exist.
    void showMissingWorkFolder(const QString& folder);
    void moveSelected(int delta);
    bool writeTo(const QString& path);
    // Save: true once the scheme is written (not when the dialog was cancelled or the write failed).
    bool saveToFile();
    // The save dialog with the current title; remembers the folder chosen.
    std::optional<QString> askSavePath();
    // Settings and kinds to new-scheme values, untitled.
    void resetScheme();
    void refreshImage(sylvanode::MenuNode* node);
    void startDialogOn(sylvanode::Prompter::FileRequest& request, const QString& lastPath) const;

    std::unique_ptr<Ui::MainWindow> ui;
    sylvanode::Prompter& prompter_;
    sylvanode::MenuScheme scheme_;
    sylvanode::SchemeTreeModel* model_ = nullptr;
    sylvanode::MenuTreeView* tree_ = nullptr;
    sylvanode::ItemPanel* panel_ = nullptr;
    sylvanode::SettingsPage* settingsPage_ = nullptr;
    sylvanode::StylePage* stylePage_ = nullptr;
    QLabel* hintPanel_ = nullptr;
    QLabel* namePanel_ = nullptr;

    sylvanode::MenuNode* selected_ = nullptr;
    sylvanode::MenuNode* dragNode_ = nullptr;
    sylvanode::MenuNode* clickedNode_ = nullptr;
    bool suppressSelection_ = false;
    bool restoringExpansion_ = false;

    QUndoStack* undoStack_ = nullptr;
    // Settings and styles as the last step left them: the "before" of the next page change.
    std::unique_ptr<sylvanode::SchemeOptions> shownOptions_;
    int editSession_ = 0;
    QMenu* treeContextMenu_ = nullptr;
    bool clipboardMayPaste_ = false;

    std::unique_ptr<QTemporaryDir> previewDir_;
    sylvanode::LinkCheckDialog* linkCheckDialog_ = nullptr;  // made on first use, a child of the window
    QString lastImportPath_;
    QString lastExportPath_;
    QString saveDialogTitle_;
    QString lastOpenPath_;
    QString lastSavePath_;
    QString lastScriptPath_;

    // The multi-menu suffix dialog, made hidden at start-up and kept for the run
    // (created by createToolDialogs, both in tools_commands.cpp).
    struct SuffixDialogDeleter {
        void operator()(SuffixDialog* dialog) const;
    };
    void createToolDialogs();
    std::unique_ptr<SuffixDialog, SuffixDialogDeleter> suffixDialog_;
};

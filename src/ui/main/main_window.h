#pragma once

#include <QMainWindow>
#include <QString>
#include <memory>

class QTemporaryDir;

#include "model/menu_scheme.h"
#include "ui/common/prompter.h"

class QAction;
class QLabel;
class QTreeView;

namespace Ui {
class MainWindow;
}

class SuffixDialog;

namespace sylvanode {
class ItemPanel;
class MenuTreeView;
class Prompter;
class SchemeTreeModel;
class SettingsPage;
class StylePage;
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

    // The bridge between the tree and the item panel.
    void saveNodeData(sylvanode::MenuNode* node);
    void showNodeData(sylvanode::MenuNode* node);
    void clearItemPanel();
    // Selects a node (none clears the selection); runs the selection-change steps.
    void selectNode(sylvanode::MenuNode* node);

    // Tree commands.
    void addRootItem();
    void addSubItem();
    void deleteItem();
    void moveDown();
    void moveUp();
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

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void buildFrame();
    void connectCommands();
    void onCurrentChanged(const QModelIndex& current, const QModelIndex& previous);
    void onExpandedChanged(const QModelIndex& index, bool expanded);
    void onPanelTitleChanged(const QString& text);
    void onPanelEdited();
    void onLeftPressed(sylvanode::MenuNode* pressed);
    void onDropped(sylvanode::MenuNode* target);
    class TreeReplacement;
    void emptyTree();
    // Runs a command; an exception escaping it is shown and the window goes on.
    template <class F>
    void guarded(F&& command);
    void showFailure(const QString& what);
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
    // A new root item between being appended and receiving its record: shown as a
    // node without a record, so the panel keeps the previous item's action kind.
    sylvanode::MenuNode* awaitingRecord_ = nullptr;
    bool suppressSelection_ = false;

    std::unique_ptr<QTemporaryDir> previewDir_;
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

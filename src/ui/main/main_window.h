// SPDX-License-Identifier: MIT
#pragma once

#include <QMainWindow>
#include <QString>
#include <exception>
#include <memory>
#include <new>

#include "document/scheme_document.h"

class QLabel;
class QMenu;

namespace Ui {
class MainWindow;
}

namespace sylvanode {
class FileChangeBar;
class FileCommands;
class ItemPanel;
class ItemTreeController;
class MenuTreeView;
class Prompter;
class SchemeTreeModel;
class SettingsPage;
class StylePage;
class ToolCommands;
class Workspace;
}  // namespace sylvanode

// A window onto one document: the item tree, the item panel and the two option pages, the
// menus and tool bars whose commands act on the document. It keeps only view state (the
// page shown, the splitter, the expansion the tree shows); the document is the one truth.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(sylvanode::Workspace& workspace, QWidget* parent = nullptr);
    ~MainWindow() override;

    sylvanode::SchemeDocument& document() { return *document_; }
    sylvanode::Workspace& workspace() { return workspace_; }
    sylvanode::SchemeTreeModel& treeModel() { return *model_; }
    sylvanode::MenuTreeView& tree() { return *tree_; }
    sylvanode::ItemTreeController& treeController() { return *treeController_; }
    sylvanode::ItemPanel& itemPanel() { return *panel_; }
    sylvanode::SettingsPage& settingsPage() { return *settingsPage_; }
    sylvanode::StylePage& stylePage() { return *stylePage_; }
    sylvanode::FileCommands& fileCommands() { return *fileCommands_; }
    sylvanode::ToolCommands& toolCommands() { return *toolCommands_; }

    // Shows the page of a part of the document (the item page for items).
    void showPage(sylvanode::DocumentPart part);
    // Shows an item: opened to in the tree, current, on the item page.
    void showItem(sylvanode::MenuNode* node);
    // Re-evaluates the enabling rules (itemSelectedAction, canMoveDownAction, canMoveUpAction)
    // and the commands that follow them.
    void updateActions();

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

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildFrame();
    void buildMenus();
    void setUpKeyboardAndNames();
    void connectCommands();
    void followDocument();
    void updateTitle();
    // The remembered size, splitter and page, or sizes that fit the screen.
    void restoreWindowState();
    void showFailure(const QString& what);

    std::unique_ptr<Ui::MainWindow> ui;
    sylvanode::Workspace& workspace_;
    sylvanode::Prompter& prompter_;
    sylvanode::SchemeDocument* document_ = nullptr;
    sylvanode::SchemeTreeModel* model_ = nullptr;
    sylvanode::MenuTreeView* tree_ = nullptr;
    sylvanode::ItemTreeController* treeController_ = nullptr;
    sylvanode::ItemPanel* panel_ = nullptr;
    sylvanode::SettingsPage* settingsPage_ = nullptr;
    sylvanode::StylePage* stylePage_ = nullptr;
    sylvanode::FileChangeBar* fileBar_ = nullptr;
    sylvanode::FileCommands* fileCommands_ = nullptr;
    sylvanode::ToolCommands* toolCommands_ = nullptr;
    QLabel* hintPanel_ = nullptr;
    QMenu* treeContextMenu_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    bool clipboardMayPaste_ = false;
};

// SPDX-License-Identifier: MIT
// The editor at 10,000 items, driven offscreen through its window: opening a
// scheme, a keystroke in the title field, add root, delete, move up, and undoing
// the delete of a 10,000-item branch. Each edit includes the event processing
// (layout and painting) that follows it.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <cstdlib>
#include <string>

#include "document/item_edits.h"
#include "model/scheme_io.h"
#include "scheme_generator.h"
#include "ui/common/prompter.h"
#include "ui/main/item_panel.h"
#include "ui/main/main_window.h"
#include "ui/main/menu_tree_view.h"
#include "ui/main/scheme_tree_model.h"
#include "ui/main/session.h"
#include "ui/main/workspace.h"

namespace {

using namespace sylvanode;

// Answers every open dialog with one path and every question with "No".
class BenchPrompter : public Prompter {
public:
    QString openPath;
    int message(QWidget*, const QString&, const QString&, Icon, int) override { return No; }
    int choose(QWidget*, const QString&, const QString&, Icon, const QStringList& buttons) override {
        return static_cast<int>(buttons.size()) - 1;
    }
    std::optional<QString> openFile(QWidget*, const FileRequest&) override { return openPath; }
    std::optional<QString> saveFile(QWidget*, const FileRequest&) override { return std::nullopt; }
    std::optional<QString> chooseFolder(QWidget*, const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<QColor> chooseColor(QWidget*, const QColor&) override { return std::nullopt; }
    bool openWithShell(const QString&) override { return false; }
    int runDialog(QDialog&) override { return 0; }
};

std::string tempPath(const char* name) {
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir && *dir ? dir : "/tmp") + "/sylvanode-editor-bench-" + std::to_string(::getpid()) +
           "-" + name;
}

// A realistic nested scheme, or (flat) 10,000 roots: the worst case for sibling lookups.
std::string writeScheme(int items, bool flat) {
    MenuScheme s;
    s.reset();
    if (flat) {
        for (int i = 0; i < items; ++i) {
            MenuNode* n = s.appendRoot();
            n->caption = n->data.menuName = "Item " + std::to_string(i);
            n->data.menuLink = "page" + std::to_string(i) + ".htm";
        }
    } else {
        bench::generateScheme(s, items);
    }
    const std::string path = tempPath(flat ? "flat.menu" : "nested.menu");
    writeSchemeFile(s, path);
    return path;
}

// A window of its own, with settings in a file of the run (never the user's).
struct Editor {
    BenchPrompter prompter;
    Session session{QString::fromStdString(tempPath("settings.ini"))};
    Workspace workspace{prompter, session};
    MainWindow window{workspace};
    SchemeDocument& doc = window.document();
    explicit Editor(const std::string& path = {}) {
        window.show();
        if (!path.empty()) doc.open(QString::fromStdString(path));
        QCoreApplication::processEvents();
    }
    ~Editor() { ::unlink(tempPath("settings.ini").c_str()); }
    void settle() { QCoreApplication::processEvents(); }
};

// Opening replaces the window's document (the path New, Open and import share), with the
// layout and painting that follow.
void BM_OpenScheme(benchmark::State& state) {
    const std::string path = writeScheme(static_cast<int>(state.range(0)), state.range(1) != 0);
    Editor e;
    for (auto _ : state) {
        e.doc.open(QString::fromStdString(path));
        e.settle();
    }
    if (e.doc.itemCount() != state.range(0)) state.SkipWithError("scheme not loaded");
    ::unlink(path.c_str());
}

void BM_TitleKeystroke(benchmark::State& state) {
    const std::string path = writeScheme(10000, state.range(0) != 0);
    Editor e(path);
    // The last root: the farthest row from the top.
    e.doc.setCurrentItem(e.doc.scheme().roots().back().get());
    QLineEdit* title = e.window.itemPanel().menuName();
    title->setFocus();
    bool add = true;
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, add ? Qt::Key_A : Qt::Key_Backspace, Qt::NoModifier,
                        add ? QStringLiteral("a") : QString());
        QCoreApplication::sendEvent(title, &press);
        e.settle();
        add = !add;
    }
    ::unlink(path.c_str());
}

void BM_AddRoot(benchmark::State& state) {
    const std::string path = writeScheme(10000, state.range(0) != 0);
    Editor e(path);
    for (auto _ : state) {
        addRootItem(e.doc, 0);
        e.settle();
        state.PauseTiming();
        deleteItem(e.doc);
        e.settle();
        state.ResumeTiming();
    }
    ::unlink(path.c_str());
}

void BM_Delete(benchmark::State& state) {
    const std::string path = writeScheme(10000, state.range(0) != 0);
    Editor e(path);
    const auto& roots = e.doc.scheme().roots();
    for (auto _ : state) {
        state.PauseTiming();
        addRootItem(e.doc, 0);
        // A root in the middle of the sibling group, so the rows after it shift.
        e.doc.setCurrentItem(roots[roots.size() / 2].get());
        e.settle();
        state.ResumeTiming();
        deleteItem(e.doc);
        e.settle();
    }
    ::unlink(path.c_str());
}

void BM_MoveUp(benchmark::State& state) {
    const std::string path = writeScheme(10000, state.range(0) != 0);
    Editor e(path);
    MenuNode* moving = e.doc.scheme().roots().back().get();
    e.doc.setCurrentItem(moving);
    for (auto _ : state) {
        if (e.doc.scheme().roots().front().get() == moving) {
            state.PauseTiming();
            e.doc.setCurrentItem(e.doc.scheme().roots().back().get());
            moving = e.doc.currentItem();
            state.ResumeTiming();
        }
        moveItem(e.doc, -1);
        e.settle();
    }
    ::unlink(path.c_str());
}

// One root holding a 10,000-item branch. Undoing its delete: state.range(0) 0 with the branch
// collapsed, 1 with every folder in it expanded (the view lays all of it out again when the
// branch comes back); 2: "*" on the branch instead, opening every level.
void BM_UndoDeleteBranch(benchmark::State& state) {
    const bool expanded = state.range(0) == 1;
    MenuScheme s;
    s.reset();
    bench::generateScheme(s, 9999);
    auto top = std::make_unique<MenuNode>();
    top->caption = top->data.menuName = "Branch";
    while (!s.roots().empty()) top->appendChild(s.takeRoot(0));
    s.appendRoot(std::move(top))->refreshImage();
    const std::string path = tempPath("branch.menu");
    writeSchemeFile(s, path);
    Editor e(path);
    MenuNode* branch = e.doc.scheme().roots().front().get();
    if (expanded) {
        // The view opens what the scheme holds, top down.
        for (MenuNode* n : e.doc.scheme().flatten())
            if (n->hasChildren()) e.window.tree().expand(e.window.treeModel().indexOf(n));
    }
    e.settle();
    if (state.range(0) == 2) {
        // "*" on the branch: every level below it opens.
        for (auto _ : state) {
            state.PauseTiming();
            e.window.tree().collapseAll();
            e.doc.setCurrentItem(branch);
            e.settle();
            state.ResumeTiming();
            QKeyEvent star(QEvent::KeyPress, Qt::Key_Asterisk, Qt::NoModifier, QStringLiteral("*"));
            QCoreApplication::sendEvent(&e.window.tree(), &star);
            e.settle();
        }
        if (!e.window.tree().isExpanded(e.window.treeModel().indexOf(branch->lastChild())))
            state.SkipWithError("not expanded");
        ::unlink(path.c_str());
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        e.doc.setCurrentItem(branch);
        deleteItem(e.doc);
        e.settle();
        state.ResumeTiming();
        e.doc.undo();
        e.settle();
    }
    if (e.doc.itemCount() != 10000) state.SkipWithError("branch not back");
    if (expanded && !e.window.tree().isExpanded(e.window.treeModel().indexOf(branch->lastChild())))
        state.SkipWithError("expansion not restored");
    ::unlink(path.c_str());
}

}  // namespace

BENCHMARK(BM_OpenScheme)->Args({10000, 0})->Args({10000, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TitleKeystroke)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddRoot)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Delete)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MoveUp)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoDeleteBranch)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

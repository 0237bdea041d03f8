// SPDX-License-Identifier: MIT
// The live preview pane, measured in a real window (run under an X server, e.g. xvfb-run -a):
//  - the time from an edit to the pane showing it, at 100, 1,000 and 10,000 items (median of 10);
//  - how long the edit keeps the editor busy, and how long building the page takes (the pane's
//    share of the editor's time);
//  - the editor's memory (its own and its web engine processes') with the pane hidden and shown.
// Prints a table; nothing is asserted.
#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "document/item_edits.h"
#include "document/scheme_document.h"
#include "model/scheme_io.h"
#include "scheme_generator.h"
#include "ui/common/qt_prompter.h"
#include "ui/main/main_window.h"
#include "ui/main/session.h"
#include "ui/main/workspace.h"
#include "ui/preview/live_preview.h"
#include "ui/preview/preview_pane.h"

using namespace sylvanode;

namespace {

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Resident memory in KiB of a process and everything it started.
long residentKiB(pid_t pid) {
    long total = 0;
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) total += std::stol(line.substr(6));
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool number = false;
        const int child = entry.toInt(&number);
        if (!number) continue;
        std::ifstream stat("/proc/" + std::to_string(child) + "/stat");
        std::string text((std::istreambuf_iterator<char>(stat)), {});
        const size_t close = text.rfind(')');
        if (close == std::string::npos) continue;
        std::istringstream rest(text.substr(close + 2));
        char state = 0;
        int parent = 0;
        rest >> state >> parent;
        if (parent == pid) total += residentKiB(child);
    }
    return total;
}

bool waitUpToDate(LivePreview& pane) {
    return QTest::qWaitFor([&] { return pane.upToDate(); }, 120000);
}

}  // namespace

int main(int argc, char** argv) {
    preparePreviewEngine();
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QtPrompter prompter;
    Session session(dir.filePath(QStringLiteral("session.ini")));
    Workspace workspace(prompter, session);

    const auto schemeFile = [&](int items) {
        MenuScheme scheme;
        bench::generateScheme(scheme, items);
        const QString path = dir.filePath(QStringLiteral("s%1.menu").arg(items));
        writeSchemeFile(scheme, QFile::encodeName(path).toStdString());
        return path;
    };
    {
        // Memory first, before any web engine has started in this process.
        auto window = std::make_unique<MainWindow>(workspace);
        window->previewDock().hide();
        window->show();
        window->document().open(schemeFile(1000));
        QTest::qWait(1000);
        const long without = residentKiB(getpid());
        window->previewDock().show();
        LivePreview* pane = window->previewPane().live();
        if (!pane || !waitUpToDate(*pane)) return 1;
        QTest::qWait(1000);
        std::printf("memory at 1,000 items: %ld MiB without the pane, %ld MiB with it (web engine processes included)\n",
                    without / 1024, residentKiB(getpid()) / 1024);
        window->close();
    }
    std::printf("%-8s %14s %14s %14s\n", "items", "edit->pane ms", "edit busy ms", "page build ms");
    for (const int items : {100, 1000, 10000}) {
        const QString path = schemeFile(items);
        auto window = std::make_unique<MainWindow>(workspace);
        window->previewDock().hide();
        window->show();
        window->document().open(path);
        window->previewDock().show();
        LivePreview* pane = window->previewPane().live();
        if (!pane || !waitUpToDate(*pane)) return 1;

        std::vector<double> latency, busy, build;
        SchemeDocument& doc = window->document();
        MenuNode* item = doc.itemAt(items / 2);
        for (int round = 0; round < 10; ++round) {
            QElapsedTimer clock;
            clock.start();
            renameItem(doc, item, "Renamed " + std::to_string(round));
            busy.push_back(clock.nsecsElapsed() / 1e6);
            if (!waitUpToDate(*pane)) return 1;
            latency.push_back(clock.nsecsElapsed() / 1e6);
            clock.restart();
            pane->updateNow();
            build.push_back(clock.nsecsElapsed() / 1e6);
            if (!waitUpToDate(*pane)) return 1;
        }
        std::printf("%-8d %14.1f %14.2f %14.2f\n", items, median(latency), median(busy), median(build));
        window->document().undoStack().clear();
        window->close();
    }
    return 0;
}

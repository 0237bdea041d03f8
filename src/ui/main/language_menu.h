// SPDX-License-Identifier: MIT
#pragma once

class QMenu;
class QWidget;

namespace sylvanode {

class Prompter;

// The menu "视图(&V)" with its submenu "语言(&L)": the system's language, or one of the
// languages the editor has, each listed by its own name. A choice is stored for the next
// start; when it changes the language, a message says so.
QMenu* createViewMenu(QWidget* window, Prompter& prompter);

}  // namespace sylvanode

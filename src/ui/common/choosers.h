// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <string>

class QWidget;

namespace sylvanode {

class MenuScheme;
class Prompter;

// The folder the browse buttons make paths relative to: the work directory, a relative one
// taken from the scheme file's folder (an untitled scheme: the current folder). Empty when
// the scheme has no work directory (chosen files then keep their file URL).
std::string browseBaseDirectory(const MenuScheme& scheme);

// Asks for a file starting in `workDir` (absolute, or empty; the filter gets an "all files"
// entry appended) and returns it as a web path relative to `workDir`, in scheme bytes:
// "../" steps, "/" separators, the file's URL when it cannot be relative. Empty when cancelled.
std::string chooseRelativePath(Prompter& prompter, QWidget* parent, const std::string& workDir,
                               const QString& pipeFilter);

// Asks for a directory; returns it in scheme bytes ending in "/", or empty when cancelled.
std::string chooseFolder(Prompter& prompter, QWidget* parent, const QString& title);

}  // namespace sylvanode

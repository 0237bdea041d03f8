#pragma once

#include <QString>
#include <string>

class QWidget;

namespace sylvanode {

class Prompter;

// Asks for a file starting in `workDir` (the filter gets an "all files" entry
// appended) and returns it as a web path relative to `workDir`, in scheme bytes:
// "../" steps, "/" separators, "file:///" in front when it is still absolute.
// Empty when cancelled.
std::string chooseRelativePath(Prompter& prompter, QWidget* parent, const std::string& workDir,
                               const QString& pipeFilter);

// Asks for a directory; returns it in scheme bytes ending in "/", or empty when cancelled.
std::string chooseFolder(Prompter& prompter, QWidget* parent, const QString& title);

}  // namespace sylvanode

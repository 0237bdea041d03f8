// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

#include "platform/user_language.h"

namespace sylvanode {

// The help file's name; it is looked for beside the executable.
inline constexpr const char* kHelpFileName = "sylvanode.chm";

// The MIME type of the help file and its older alias, as the desktop knows them.
inline constexpr const char* kHelpFileTypes[] = {"application/vnd.ms-htmlhelp", "application/x-chm"};

// The user guide comes in Chinese (index.html, also the help file's first page) and English
// (index.en.html).
const char* userGuideFileName(Language language);

// <exeDir>/sylvanode.chm, whether it exists or not.
std::string helpFilePath(const std::string& exeDir);

// The help file to open: beside the executable, else the installed copy
// <exeDir>/../share/doc/sylvanode/sylvanode.chm; empty when neither exists.
std::string findHelpFile(const std::string& exeDir);

// The HTML user guide in `language`: installed at <exeDir>/../share/doc/sylvanode/guide/,
// or the copy in the build tree at <build>/share/doc/sylvanode/guide/, found up to three
// levels above the executable. Empty when none is found.
std::string findUserGuide(const std::string& exeDir, Language language = Language::Chinese);

// Where an installation keeps the guide: <exeDir>/../share/doc/sylvanode/guide/<file>,
// without "..", whether it exists or not. For the message shown when it is missing.
std::string installedUserGuidePath(const std::string& exeDir, Language language);

// What Help hands to the desktop, in order, until one opens: the help file when it exists,
// the desktop has a viewer for it and the reader reads Chinese (its pages open in Chinese);
// then the guide in the reader's language, else the guide in the other language.
std::vector<std::string> helpDocuments(const std::string& exeDir, Language language,
                                       bool helpViewerKnown);

}  // namespace sylvanode

// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace sylvanode {

// The file dialogs' filters, "description|patterns|description|patterns", with the
// descriptions in the user's language; made when asked for, after the translations are in.
QString menuFileFilter();    // scheme files and all files
QString scriptFileFilter();  // generated scripts and all files
QString importFileFilter();  // what Import reads, and all files
QString exportFileFilter();  // the four export formats
QString gifFileFilter();     // icons (chooseRelativePath appends all files)
QString pageFileFilter();    // pages (ditto)
QString allFilesFilter();

}  // namespace sylvanode

// SPDX-License-Identifier: MIT
#pragma once

#include "cli/command_line.h"

namespace sylvanode::cli {

// `import SOURCE -o OUT.menu [--from KIND] [--select ID]`: a page, outline, sitemap, OPML
// file, JSON export or site folder as a new scheme file; SOURCE "-" reads standard input.
CommandSyntax importCommandSyntax();
// `export FILE.menu --to html|outline|opml|json [-o OUT] [--suffix S]`.
CommandSyntax exportCommandSyntax();
// `links FILE.menu [--root DIR] [--format text|json]`: one line per problem; exit 1 when
// any problem other than an unchecked address was found.
CommandSyntax linksCommandSyntax();

}  // namespace sylvanode::cli

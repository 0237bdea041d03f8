// SPDX-License-Identifier: MIT
#pragma once

#include "cli/command_line.h"

namespace sylvanode::cli {

// `import SOURCE -o OUT.menu [--from KIND] [--select SELECTOR] [--charset NAME] [--format F]`:
// a page, Markdown file, outline, sitemap, OPML file, JSON tree or site folder as a new scheme
// file; SOURCE "-" reads standard input.
CommandSyntax importCommandSyntax();
// `export FILE.menu --to html|outline|opml|json|jstree [-o OUT] [--suffix S]`.
CommandSyntax exportCommandSyntax();
// `links FILE.menu [--root DIR] [--ignore PATTERN]... [--strict] [--format text|json]`: one
// line per problem; exit 1 when any problem other than an unchecked address or a warning was found.
CommandSyntax linksCommandSyntax();

}  // namespace sylvanode::cli

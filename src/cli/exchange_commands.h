#pragma once

#include <iosfwd>
#include <map>
#include <string>
#include <vector>

namespace sylvanode::cli {

// `import SOURCE -o OUT.menu [--from KIND] [--select ID]`: a page, outline, sitemap, OPML
// file, JSON export or site folder as a new scheme file.
int importCommand(const std::vector<std::string>& positional,
                  const std::map<std::string, std::string>& values, std::ostream& out, std::ostream& err);

// `export FILE.menu --to html|outline|opml|json [-o OUT] [--suffix S]`.
int exportCommand(const std::vector<std::string>& positional,
                  const std::map<std::string, std::string>& values, std::ostream& out, std::ostream& err);

// `links FILE.menu [--root DIR] [--format text|json]`: one line per problem; exit 1 when
// any problem other than an unchecked address was found.
int linksCommand(const std::vector<std::string>& positional, const std::map<std::string, std::string>& values,
                 std::ostream& out, std::ostream& err);

}  // namespace sylvanode::cli

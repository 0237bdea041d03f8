// SPDX-License-Identifier: MIT
#include "cli/preview_command.h"

#include <filesystem>
#include <ostream>
#include <system_error>

#include "cli/failure_text.h"
#include "cli/terminal_text.h"
#include "preview/preview_page.h"
#include "preview/web_library.h"

namespace sylvanode::cli {
namespace fs = std::filesystem;
namespace {

std::string withSlash(std::string dir) {
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir;
}

std::string locateLibrary(Invocation& inv, const std::string& given) {
    const std::string dir = given.empty() ? webLibraryDirectory() : withSlash(given);
    std::error_code ec;
    if (dir.empty() || !fs::is_regular_file(fs::path(dir) / kWebLibraryFile, ec)) {
        inv.fail(kIoError, inv.text("the tree-menu library ({1}) was not found; it belongs in share/sylvanode/web "
                                    "beside the program's directory",
                                    {kWebLibraryFile}));
        return {};
    }
    return dir;
}

}  // namespace

CommandSyntax previewCommandSyntax() {
    return {"preview",
            "FILE.menu",
            "write DIR/index.html showing the menu, with the script and the library",
            "FILE.menu may be \"-\" to read the scheme from standard input.\n"
            "Files in DIR that a preview did not write are never replaced: an index.html that does not\n"
            "start with the preview mark stops it; other files of the names it writes stop it unless\n"
            "--force is given.",
            {outputOption("DIR", "the directory for the page (created when missing)", true),
             suffixOption(),
             charsetOption(),
             {"--force", "", "replace library files and the script that a preview did not write"}},
            1,
            1,
            [](Invocation& inv) { return previewCommand(inv); }};
}

CommandSyntax libraryCommandSyntax() {
    return {"library",
            "DIR",
            "copy the tree-menu library and its images into DIR",
            "Files that held other bytes are replaced and named on standard output.",
            {},
            1,
            1,
            [](Invocation& inv) { return libraryCommand(inv); }};
}

int previewCommand(Invocation& inv, const std::string& libraryDir) {
    const std::string& file = inv.operands()[0];
    const std::string& outDir = *inv.option("-o");
    if (outDir.empty() || outDir == "-")
        return inv.usageError(inv.text("preview writes a directory: -o needs its name"));
    std::string suffix;
    std::optional<ScriptCharset> charset;
    if (!inv.suffix(suffix) || !inv.charset(charset)) return kUsage;
    MenuScheme scheme;
    if (int rc = inv.loadScheme(file, scheme)) return rc;
    if (scheme.empty()) return inv.fail(kRejected, inv.text("no menu items, no code generated"));
    const std::string library = locateLibrary(inv, libraryDir);
    if (library.empty()) return kIoError;

    scheme.settings.menuSuffix = suffix;
    if (charset) scheme.settings.scriptCharset = *charset;
    const bool fromStdin = file == "-";
    const std::string schemeDir = fromStdin ? "" : fs::path(file).parent_path().string();
    const std::string title = fromStdin ? "preview.menu" : fs::path(file).filename().string();
    std::string page;
    const IoResult w = writePreview(scheme, previewBaseDirectory(scheme, schemeDir.empty() ? "." : schemeDir),
                                    outDir, library, title, page, inv.flag("--force"), nullptr);
    if (!w) return inv.fail(kIoError, previewFailureText(w.failure, inv.language()));
    inv.out() << terminalSafe(page) << "\n";
    return inv.checkOutput();
}

int libraryCommand(Invocation& inv, const std::string& libraryDir) {
    const std::string& dir = inv.operands()[0];
    if (dir.empty() || dir == "-") return inv.usageError(inv.text("library writes a directory: DIR needs its name"));
    const std::string library = locateLibrary(inv, libraryDir);
    if (library.empty()) return kIoError;
    if (IoResult made = createFolders(dir); !made)
        return inv.fail(kIoError, failureText(made.failure, inv.language()));
    std::vector<std::string> replaced;
    if (IoResult r = copyWebLibrary(library, dir, &replaced); !r)
        return inv.fail(kIoError, failureText(r.failure, inv.language()));
    if (!inv.quiet())
        for (const std::string& name : replaced)
            inv.out() << "replaced " << terminalSafe(withSlash(dir) + name) << "\n";
    return inv.checkOutput();
}

}  // namespace sylvanode::cli

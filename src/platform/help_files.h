#pragma once

#include <string>
#include <vector>

namespace sylvanode {

// The help file's name; it is looked for beside the executable.
inline constexpr const char* kHelpFileName = "sylvanode.chm";

// <exeDir>/sylvanode.chm, whether it exists or not.
std::string helpFilePath(const std::string& exeDir);

// The help file to open: beside the executable, else the installed copy
// <exeDir>/../share/doc/sylvanode/sylvanode.chm; empty when neither exists.
std::string findHelpFile(const std::string& exeDir);

// The HTML user guide (index.html, in Chinese): installed at
// <exeDir>/../share/doc/sylvanode/guide/, or the copy in the build tree at
// <build>/share/doc/sylvanode/guide/, found up to three levels above the executable.
// Empty when none is found.
std::string findUserGuide(const std::string& exeDir);

// Where the desktop keeps its file associations (the XDG base directories).
struct XdgDirectories {
    std::string configHome;                // $XDG_CONFIG_HOME, default ~/.config
    std::vector<std::string> configDirs;   // $XDG_CONFIG_DIRS, default /etc/xdg
    std::string dataHome;                  // $XDG_DATA_HOME, default ~/.local/share
    std::vector<std::string> dataDirs;     // $XDG_DATA_DIRS, default /usr/local/share:/usr/share

    // From this process's environment, with the defaults for unset or empty variables.
    static XdgDirectories fromEnvironment();
};

// True when some application is associated with CHM files (mimeapps.list,
// defaults.list or mimeinfo.cache names one). Without one, handing a CHM file
// to the desktop ends in a browser showing binary data or in nothing at all.
bool desktopOpensHelpFiles(const XdgDirectories& dirs);

// What Help hands to the desktop, in order, until one opens: the help file when
// it exists and `helpViewerKnown`, then the user guide when found.
std::vector<std::string> helpDocuments(const std::string& exeDir, bool helpViewerKnown);

}  // namespace sylvanode

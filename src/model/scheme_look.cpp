// SPDX-License-Identifier: MIT
// Looks: the drawing options of a scheme as a file of their own, in the scheme's format.
#include "model/scheme_look.h"

#include <algorithm>
#include <array>

namespace sylvanode {
namespace {

// The [Config] keys a look carries; every other key of [Config] is the scheme's own business.
constexpr std::array<std::string_view, 3> kLookConfigKeys = {"indent", "show line", "show select"};
// The sections a scheme file keeps its styles in.
constexpr std::array<std::string_view, 11> kStyleSections = {
    "padding",   "height",     "useborder", "border color", "border width",     "font name",
    "font size", "font style", "underline", "text color",   "background color",
};

template <size_t N>
bool isOneOf(std::string_view s, const std::array<std::string_view, N>& list) {
    return std::find(list.begin(), list.end(), s) != list.end();
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n')) s.remove_suffix(1);
    return s;
}

}  // namespace

SchemeLook lookOf(const MenuScheme& scheme) {
    SchemeLook look;
    look.indent = scheme.settings.indent;
    look.showLine = scheme.settings.showLine;
    look.showSelect = scheme.settings.showSelect;
    look.kinds = scheme.kinds;
    return look;
}

void applyLook(const SchemeLook& look, SchemeSettings& settings, std::array<KindStyle, 2>& kinds) {
    settings.indent = look.indent;
    settings.showLine = look.showLine;
    settings.showSelect = look.showSelect;
    kinds = look.kinds;
}

std::string writeLookText(const SchemeLook& look) {
    // The scheme writer writes the values; only the look's keys and sections are kept.
    MenuScheme scheme;
    scheme.settings.indent = look.indent;
    scheme.settings.showLine = look.showLine;
    scheme.settings.showSelect = look.showSelect;
    scheme.kinds = look.kinds;
    const std::string full = writeSchemeText(scheme);
    std::string out;
    if (!look.name.empty()) out += "[Look]\r\nname=" + look.name + "\r\n";
    std::string_view section;
    for (size_t at = 0; at < full.size();) {
        size_t end = full.find('\n', at);
        end = end == std::string::npos ? full.size() : end + 1;
        const std::string_view line(full.data() + at, end - at);
        at = end;
        const std::string_view bare = trimmed(line);
        if (bare.size() >= 2 && bare.front() == '[' && bare.back() == ']') {
            section = bare.substr(1, bare.size() - 2);
            if (section == "Config" || isOneOf(section, kStyleSections)) out += line;
            continue;
        }
        if (section == "Config") {
            if (isOneOf(trimmed(bare.substr(0, bare.find('='))), kLookConfigKeys)) out += line;
        } else if (isOneOf(section, kStyleSections)) {
            out += line;
        }
    }
    return out;
}

SchemeResult readLookText(SchemeLook& look, std::string_view text) {
    // Read as a scheme without items: the reader wants the item count a look does not carry.
    std::string asScheme(text);
    const size_t config = asScheme.find("[Config]");
    if (config == std::string::npos) {
        asScheme.insert(0, "[Config]\r\ncount=0\r\n");
    } else {
        const size_t lineEnd = asScheme.find('\n', config);
        asScheme.insert(lineEnd == std::string::npos ? asScheme.size() : lineEnd + 1,
                        lineEnd == std::string::npos ? "\r\ncount=0\r\n" : "count=0\r\n");
    }
    MenuScheme scheme;
    if (SchemeResult r = readSchemeText(scheme, asScheme); !r) return r;
    look = lookOf(scheme);
    look.name.clear();
    // The name: the first name= line of the [Look] section.
    bool inLook = false;
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find('\n', at);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = trimmed(text.substr(at, end - at));
        at = end + 1;
        if (!line.empty() && line.front() == '[') {
            inLook = line == "[Look]";
        } else if (inLook && line.substr(0, 5) == "name=") {
            look.name = std::string(trimmed(line.substr(5)));
            break;
        }
    }
    return {};
}

}  // namespace sylvanode

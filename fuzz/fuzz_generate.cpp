// SPDX-License-Identifier: MIT
// Arbitrary bytes loaded as a scheme, then turned into a script in both character sets: it
// always has exactly 30 lines, whatever the texts hold (no literal may break a line).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "codegen/script_text.h"
#include "model/scheme_io.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    sylvanode::MenuScheme scheme;
    (void)sylvanode::readSchemeText(scheme, text);  // a partial tree is generated too
    for (auto charset : {sylvanode::ScriptCharset::Gbk, sylvanode::ScriptCharset::Utf8}) {
        scheme.settings.scriptCharset = charset;
        const std::string script = sylvanode::buildScriptText(scheme);
        if (std::count(script.begin(), script.end(), '\n') != 29) __builtin_trap();
        if (std::count(script.begin(), script.end(), '\r') != 29) __builtin_trap();
        if (script.rfind("Tree_buildTree(", std::string::npos) == std::string::npos) __builtin_trap();
    }
    return 0;
}

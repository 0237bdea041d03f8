// Arbitrary bytes loaded as a scheme, then turned into a script.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "codegen/script_text.h"
#include "model/scheme_io.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    sylvanode::MenuScheme scheme;
    (void)sylvanode::readSchemeText(scheme, text);  // a partial tree is generated too
    const std::string script = sylvanode::buildScriptText(scheme);
    if (script.size() < 10) __builtin_trap();
    return 0;
}

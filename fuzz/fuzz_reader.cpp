// SPDX-License-Identifier: MIT
// Arbitrary bytes as a scheme file: the reader must neither crash nor misbehave, whatever it
// accepts must be written as a file that loads again to the same tree, and writing that file
// again must give the very same bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "model/scheme_io.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    sylvanode::MenuScheme scheme;
    if (!sylvanode::readSchemeText(scheme, text)) return 0;
    const std::string once = sylvanode::writeSchemeText(scheme);
    sylvanode::MenuScheme again;
    if (!sylvanode::readSchemeText(again, once)) __builtin_trap();
    if (again.itemCount() != scheme.itemCount()) __builtin_trap();
    if (sylvanode::writeSchemeText(again) != once) __builtin_trap();
    return 0;
}

// SPDX-License-Identifier: MIT
// Writes the generated scheme of N items that the benchmarks use: make_scheme N FILE.
#include <cstdio>
#include <cstdlib>

#include "model/scheme_io.h"
#include "scheme_generator.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_scheme ITEMS FILE\n");
        return 2;
    }
    sylvanode::MenuScheme scheme;
    sylvanode::bench::generateScheme(scheme, std::atoi(argv[1]));
    const sylvanode::SchemeResult r = sylvanode::writeSchemeFile(scheme, argv[2]);
    if (!r) std::fprintf(stderr, "make_scheme: %s\n", failureSummary(r.failure).c_str());
    return r ? 0 : 1;
}

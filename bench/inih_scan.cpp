// SPDX-License-Identifier: MIT
// inih reading a file with a handler that only counts: the yardstick of a bare INI scan,
// run as a process of its own by load_process.sh.
#include <ini.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    long entries = 0;
    const int rc = ini_parse(
        argv[1],
        [](void* user, const char*, const char*, const char*) {
            ++*static_cast<long*>(user);
            return 1;
        },
        &entries);
    std::printf("%ld entries\n", entries);
    return rc < 0 ? 1 : 0;
}

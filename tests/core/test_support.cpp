// SPDX-License-Identifier: MIT
#include "test_support.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace sylvanode::test {

TempDir::TempDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "sylvanode-test-XXXXXX").string();
    if (!::mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
    path_ = tmpl;
}

TempDir::~TempDir() {
    std::error_code ec;
    // Folders made read-only by a test must become writable again to be removed.
    for (auto& e : std::filesystem::recursive_directory_iterator(path_, ec))
        if (e.is_directory(ec)) std::filesystem::permissions(e.path(), std::filesystem::perms::owner_all,
                                                             std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out) throw std::runtime_error("cannot write " + path);
}

std::string fixturePath(const std::string& relative) { return std::string(SYLVANODE_FIXTURES_DIR) + "/" + relative; }

std::string fixture(const std::string& relative) { return readFile(fixturePath(relative)); }

}  // namespace sylvanode::test

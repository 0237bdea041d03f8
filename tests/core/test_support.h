// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace sylvanode::test {

// A fresh directory under the system's temporary folder, removed when the object dies.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);
std::string fixture(const std::string& relative);  // bytes of tests/fixtures/<relative>
std::string fixturePath(const std::string& relative);

}  // namespace sylvanode::test

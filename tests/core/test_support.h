// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "platform/failure.h"

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

// Runs `body` in a child process and returns what it returned, or "child failed: ..." when the
// child ended without an answer. For what a test must not do to its own process: change its
// user, or mount a file system.
std::string inChildProcess(const std::function<std::string()>& body);
// In a child process: become a user whom permission bits bind (root becomes nobody; any other
// user already is one). False when that fails.
bool becomeUnprivileged();
// In a child process: mounts a file system of `bytes` bytes on the folder `dir`, seen by this
// process alone. False where the system allows no such mount.
bool mountSmallFileSystem(const std::string& dir, std::size_t bytes);

// A failure as the tool words it in English ("cannot write /x: disk full"), for expectations.
std::string english(const Failure& failure);

}  // namespace sylvanode::test

#pragma once
// Folders the tests write into, under the system's temporary folder (TMPDIR, else /tmp).

#include <string>

// A fresh, empty folder whose name starts with `stem`; the caller removes it. Throws
// std::runtime_error when none can be made.
std::string createTemporaryFolder(const std::string& stem);

// A fresh folder, removed with everything in it.
class TemporaryFolder {
public:
    explicit TemporaryFolder(const std::string& stem = "kalmeno-test");
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

#pragma once
// Runs the built `mtm` program as a separate process and collects what it said.

#include <string>
#include <vector>

struct ToolRun {
    int status = -1; // exit status, or -1 when the program did not exit normally
    std::string out;
    std::string err;
    long peakKiB = 0; // the program's peak resident memory
};

ToolRun runMtm(const std::vector<std::string>& arguments);

// A fresh folder under the system's temporary folder, removed with everything in it.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

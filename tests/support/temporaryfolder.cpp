#include "temporaryfolder.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

std::string createTemporaryFolder(const std::string& stem)
{
    std::string pattern = (std::filesystem::temp_directory_path() / (stem + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a folder like " + pattern);
    return pattern;
}

TemporaryFolder::TemporaryFolder(const std::string& stem) : path_(createTemporaryFolder(stem)) {}

TemporaryFolder::~TemporaryFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

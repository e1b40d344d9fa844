#include "settingsfilecopy.h"

#include <filesystem>
#include <system_error>

namespace mtmmerge {

namespace fs = std::filesystem;

std::string settingsFilePathOf(const std::string& mtmPath)
{
    const std::size_t nameStart = mtmPath.find_last_of('/') + 1; // 0 without a folder
    const std::size_t dot = mtmPath.rfind('.');
    const std::size_t end = dot != std::string::npos && dot >= nameStart ? dot : mtmPath.size();
    return mtmPath.substr(0, end) + ".ini";
}

bool copySettingsFile(const std::string& basePath, const std::string& outputPath, MergeLog& log)
{
    const fs::path source = settingsFilePathOf(basePath);
    const fs::path target = settingsFilePathOf(outputPath);
    std::error_code error;
    if (!fs::is_regular_file(source, error)) {
        log.debug("No settings file to copy: " + source.string());
        return false;
    }
    const fs::path folder = target.parent_path();
    if (!folder.empty() && !fs::is_directory(folder, error) && !fs::create_directories(folder, error)) {
        log.debug("Cannot create the folder " + folder.string() + ": " + error.message());
        return false;
    }
    // copy_options::none: an existing target is an error, never overwritten.
    if (!fs::copy_file(source, target, fs::copy_options::none, error)) {
        log.debug("Cannot copy " + source.string() + " to " + target.string() + ": " + error.message());
        return false;
    }
    return true;
}

} // namespace mtmmerge

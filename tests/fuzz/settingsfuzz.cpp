// libFuzzer target: any bytes as the JSON settings file of an MTM. Reading either changes nothing
// (not a JSON object) or sets fields; it never fails otherwise, and it never crashes.

#include "settingsfile.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstring>

// The settings file's log lines have nowhere to go here.
namespace bridge {
void LogInfo(const std::string&) {}
void LogError(const std::string&) {}
void logRawError(const std::string&) {}
} // namespace bridge

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > (1 << 20))
        return 0; // the file reader refuses larger files before parsing
    TGenerationArea area;
    const TGenerationArea before = area;
    const bool read = bridge::readSettingsDocument(
        QByteArray(reinterpret_cast<const char*>(data), static_cast<int>(size)), area);
    if (!read && std::memcmp(&area, &before, sizeof area) != 0)
        __builtin_trap();
    return 0;
}

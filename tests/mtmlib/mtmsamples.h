#pragma once
// Hand-made .mtm bytes for the tests: every value says where it belongs, so a misplaced block shows.

#include "temporaryfolder.h"
#include "tmtm.h"

#include <cstdint>
#include <string>
#include <vector>

namespace mtmtest {

struct MtmShape {
    std::int32_t przn = 0;
    std::uint32_t points = 0;
    std::uint32_t countAz = 0;
    std::uint32_t countEl = 0;
    double distance = 0.0;
    bool legacy = false; // the 20-byte header without Przn
};

double coordinate(std::uint32_t point, int axis);
TRcsValue amplitude(std::uint32_t point, std::uint32_t az, std::uint32_t el);

// A complete file of that shape.
std::vector<unsigned char> craftMtm(const MtmShape& shape);
// Just the header words and distance, with `payloadBytes` zero bytes behind them.
std::vector<unsigned char> craftHeader(std::uint32_t w0, std::uint32_t w1, std::uint32_t w2,
                                       std::uint32_t w3, double distance, std::size_t payloadBytes);

void writeFile(const std::string& path, const std::vector<unsigned char>& bytes);
std::vector<unsigned char> readFile(const std::string& path);

// A fresh, empty folder under the system's temporary folder; the caller removes it.
inline std::string makeTempFolder(const std::string& stem)
{
    return createTemporaryFolder(stem);
}

} // namespace mtmtest

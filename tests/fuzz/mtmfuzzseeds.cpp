// Writes small valid .mtm files, current and legacy, as the fuzzer's starting corpus.
//   mtm_fuzz_seeds FOLDER

#include "mtmbytes.h"

#include <complex>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Seed {
    const char* name;
    bool legacy;
    std::int32_t przn;
    std::uint32_t points, countAz, countEl;
    double distance = 1000.0;
};

// Coordinates p + axis / 2; the grids' values, read as one run of doubles, count up by 0.25.
std::vector<unsigned char> seedBytes(const Seed& seed)
{
    return mtmtest::mtmBytes(
        seed, [](std::uint32_t p, int axis) { return p + axis * 0.5; },
        [&seed](std::uint32_t p, std::uint32_t a, std::uint32_t e) {
            const std::uint32_t v = 2 * ((p * seed.countAz + a) * seed.countEl + e);
            return std::complex<double>(v * 0.25, (v + 1) * 0.25);
        });
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: mtm_fuzz_seeds FOLDER\n");
        return 2;
    }
    const Seed seeds[] = {
        {"current-empty", false, 0, 0, 37, 19},  {"current-1x2x2", false, 0, 1, 2, 2},
        {"current-2x3x2", false, 1, 2, 3, 2},    {"current-no-az", false, 0, 2, 0, 3},
        {"current-no-el", false, 0, 2, 3, 0},    {"legacy-1x2x2", true, 0, 1, 2, 2},
        {"legacy-2x2x3", true, 0, 2, 2, 3},      {"legacy-3x1x1", true, 0, 3, 1, 1},
    };
    for (const Seed& seed : seeds) {
        const std::string path = std::string(argv[1]) + "/" + seed.name + ".mtm";
        const auto bytes = seedBytes(seed);
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() || std::fclose(file) != 0) {
            std::fprintf(stderr, "mtm_fuzz_seeds: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}

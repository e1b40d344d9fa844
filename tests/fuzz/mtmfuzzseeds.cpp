// Writes small valid .mtm files, current and legacy, as the fuzzer's starting corpus.
//   mtm_fuzz_seeds FOLDER

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Seed {
    const char* name;
    bool legacy;
    std::int32_t przn;
    std::uint32_t points, countAz, countEl;
};

template <typename T>
void put(std::vector<unsigned char>& bytes, T value)
{
    const std::size_t end = bytes.size();
    bytes.resize(end + sizeof(T));
    std::memcpy(bytes.data() + end, &value, sizeof(T));
}

std::vector<unsigned char> mtmBytes(const Seed& seed)
{
    std::vector<unsigned char> bytes;
    if (!seed.legacy)
        put(bytes, seed.przn);
    put(bytes, seed.points);
    put(bytes, seed.countAz);
    put(bytes, seed.countEl);
    put(bytes, 1000.0);
    for (std::uint32_t p = 0; p < seed.points; ++p)
        for (int axis = 0; axis < 3; ++axis)
            put(bytes, p + axis * 0.5);
    for (std::uint32_t v = 0; v < 2 * seed.points * seed.countAz * seed.countEl; ++v)
        put(bytes, v * 0.25);
    return bytes;
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
        const auto bytes = mtmBytes(seed);
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() || std::fclose(file) != 0) {
            std::fprintf(stderr, "mtm_fuzz_seeds: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}

#include "mtmfilebuilder.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

template <typename T>
void append(std::string& out, T value)
{
    char raw[sizeof(T)];
    std::memcpy(raw, &value, sizeof(T));
    out.append(raw, sizeof(T));
}

} // namespace

CraftedMtm CraftedMtm::regular(std::uint32_t count, std::uint32_t countAz, std::uint32_t countEl)
{
    CraftedMtm mtm;
    mtm.countAz = countAz;
    mtm.countEl = countEl;
    mtm.distance = 1500.25;
    for (std::uint32_t p = 0; p < count; ++p) {
        CraftedPoint point{p + 0.1, -2.0 * p, 1.0 / 3.0 + p, {}};
        for (std::uint32_t v = 0; v < countAz * countEl; ++v) {
            point.values.push_back(p * 100 + v + 0.5);
            point.values.push_back(-0.1 * v);
        }
        mtm.points.push_back(point);
    }
    return mtm;
}

std::string CraftedMtm::bytes() const
{
    std::string out;
    if (!legacy)
        append(out, przn);
    append(out, static_cast<std::uint32_t>(points.size()));
    append(out, countAz);
    append(out, countEl);
    append(out, distance);
    for (const CraftedPoint& p : points) {
        append(out, p.x);
        append(out, p.y);
        append(out, p.z);
    }
    for (const CraftedPoint& p : points)
        for (double v : p.values)
            append(out, v);
    return out;
}

void writeFileBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file)
        throw std::runtime_error("cannot write " + path);
}

std::string readFileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

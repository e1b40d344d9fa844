#include "mtmsamples.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace mtmtest {

namespace {

template <typename T>
void append(std::vector<unsigned char>& bytes, T value)
{
    const std::size_t end = bytes.size();
    bytes.resize(end + sizeof(T));
    std::memcpy(bytes.data() + end, &value, sizeof(T));
}

} // namespace

double coordinate(std::uint32_t point, int axis)
{
    return point * 10.0 + axis + 0.25;
}

TRcsValue amplitude(std::uint32_t point, std::uint32_t az, std::uint32_t el)
{
    return {point * 1000.0 + az, -(el + 0.5)};
}

std::vector<unsigned char> craftMtm(const MtmShape& shape)
{
    std::vector<unsigned char> bytes;
    if (!shape.legacy)
        append(bytes, shape.przn);
    append(bytes, shape.points);
    append(bytes, shape.countAz);
    append(bytes, shape.countEl);
    append(bytes, shape.distance);
    for (std::uint32_t p = 0; p < shape.points; ++p)
        for (int axis = 0; axis < 3; ++axis)
            append(bytes, coordinate(p, axis));
    for (std::uint32_t p = 0; p < shape.points; ++p)
        for (std::uint32_t a = 0; a < shape.countAz; ++a)
            for (std::uint32_t e = 0; e < shape.countEl; ++e) {
                append(bytes, amplitude(p, a, e).real());
                append(bytes, amplitude(p, a, e).imag());
            }
    return bytes;
}

std::vector<unsigned char> craftHeader(std::uint32_t w0, std::uint32_t w1, std::uint32_t w2,
                                       std::uint32_t w3, double distance, std::size_t payloadBytes)
{
    std::vector<unsigned char> bytes;
    append(bytes, w0);
    append(bytes, w1);
    append(bytes, w2);
    append(bytes, w3);
    append(bytes, distance);
    bytes.resize(bytes.size() + payloadBytes, 0);
    return bytes;
}

void writeFile(const std::string& path, const std::vector<unsigned char>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

std::vector<unsigned char> readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string makeTempFolder(const std::string& stem)
{
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/" + stem + "-XXXXXX";
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a folder like " + pattern);
    return pattern;
}

} // namespace mtmtest

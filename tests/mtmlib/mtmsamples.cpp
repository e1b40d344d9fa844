#include "mtmsamples.h"

#include "mtmbytes.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace mtmtest {

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
    return mtmBytes(shape, coordinate, amplitude);
}

std::vector<unsigned char> craftHeader(std::uint32_t w0, std::uint32_t w1, std::uint32_t w2,
                                       std::uint32_t w3, double distance, std::size_t payloadBytes)
{
    std::vector<unsigned char> bytes;
    appendValue(bytes, w0);
    appendValue(bytes, w1);
    appendValue(bytes, w2);
    appendValue(bytes, w3);
    appendValue(bytes, distance);
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

} // namespace mtmtest

#include "inputlog.h"

#include "bridgelog.h"
#include "settingsfile.h"

#include <byteorder.h>

#include <cstddef>
#include <cstdio>
#include <memory>

namespace bridge {

namespace {

// The pack's fields lie in file order without gaps, least significant byte first on this host.
static_assert(platform::littleEndianHost, "the input log is the pack's memory as it is");
constexpr std::size_t kFieldBytes = offsetof(TFcoMtm, vertices);
static_assert(kFieldBytes == 204);

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

bool writeAll(std::FILE* file, const void* data, std::size_t bytes)
{
    return bytes == 0 || (data && std::fwrite(data, 1, bytes, file) == bytes);
}

} // namespace

std::string inputLogFileName(const std::string& outputPath)
{
    return replaceExtension(outputPath, ".packmtm");
}

bool WriteInputLogMTM(const TFcoMtm& pack, const std::string& fileName)
{
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(fileName.c_str(), "wb"));
    bool written = file && writeAll(file.get(), &pack, kFieldBytes)
                   && writeAll(file.get(), pack.vertices, std::size_t(pack.vertexCount) * sizeof(TFcoVertex))
                   && writeAll(file.get(), pack.triangles, std::size_t(pack.triangleCount) * sizeof(TFcoTriangle));
    // A full disk may only show when the buffered rest goes out.
    if (file && std::fclose(file.release()) != 0)
        written = false;
    if (!written)
        LogError("Can't open and write input log MTM to " + fileName);
    return written;
}

} // namespace bridge

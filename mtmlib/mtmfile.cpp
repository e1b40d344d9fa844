#include "mtmfile.h"

#include "filedescriptor.h"
#include "rcsgrid.h"
#include "regularfile.h"

#include <byteorder.h>
#include <checkedarithmetic.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>
#include <system_error>
#include <vector>

static_assert(platform::littleEndianHost, "values are copied between the file and memory as they are");

namespace ostrell {

namespace {

// Row tables of a grid without values are pure overhead; they may not outweigh the file by more
// than this, so a 48-byte file cannot ask for gigabytes of row pointers.
constexpr std::uint64_t kEmptyGridSlack = 4096;

// Points whose coordinates are read at once, and bytes of amplitudes per read.
constexpr std::size_t kCoordinateChunk = 4096;
constexpr std::size_t kAmplitudeChunk = std::size_t(64) << 20;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

std::uint32_t loadU32(const unsigned char* bytes)
{
    std::uint32_t value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

double loadF64(const unsigned char* bytes)
{
    double value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

std::string expectedText(std::optional<std::uint64_t> size)
{
    return size ? std::to_string(*size) : std::string("more than 2^64");
}

} // namespace

kalmeno::Result<TMtm> readMtmBody(const MtmHeader& header, const MtmByteReader& read, bool hugePages)
{
    using R = kalmeno::Result<TMtm>;
    const std::size_t count = header.pointCount;
    const std::uint32_t countAz = header.countAz;
    const std::uint32_t countEl = header.countEl;
    const std::size_t pointValues = std::size_t(countAz) * countEl;
    const std::size_t pointBytes = pointValues * sizeof(TRcsValue);

    TMtm mtm;
    mtm.Przn = header.przn;
    mtm.distance = header.distance;
    try {
        // The points are made while their coordinates stream in: no second copy of the block.
        mtm.points.reserve(count);
        std::vector<double> coordinates(3 * std::min(count, kCoordinateChunk));
        for (std::size_t first = 0; first < count; first += kCoordinateChunk) {
            const std::size_t chunk = std::min(kCoordinateChunk, count - first);
            if (!read(coordinates.data(), chunk * 3 * sizeof(double)))
                return R::failure("the coordinate block ends early");
            for (std::size_t i = 0; i < chunk; ++i) {
                TMtmPoint point;
                point.x = coordinates[3 * i];
                point.y = coordinates[3 * i + 1];
                point.z = coordinates[3 * i + 2];
                point.color[0] = mtm.color[0];
                point.color[1] = mtm.color[1];
                point.color[2] = mtm.color[2];
                point.color[3] = 1.f;
                point.countAz = countAz;
                point.countEl = countEl;
                mtm.points.push_back(point);
            }
        }
        if (count == 0)
            return R::success(std::move(mtm));

        const RcsGridBatch grids = allocateRcsGrids(count, countAz, countEl, hugePages);
        for (std::size_t p = 0; p < count; ++p)
            mtm.points[p].rcs = grids.grid(p);
        // The values of all grids lie in file order: the amplitude block lands in whole points.
        if (pointBytes) {
            const std::size_t pointsPerRead = std::max<std::size_t>(1, kAmplitudeChunk / pointBytes);
            for (std::size_t first = 0; first < count; first += pointsPerRead) {
                const std::size_t chunk = std::min(pointsPerRead, count - first);
                if (!read(grids.values() + first * pointValues, chunk * pointBytes)) {
                    releaseMtmGrids(mtm);
                    return R::failure("the amplitude block of point " + std::to_string(first) + " ends early");
                }
            }
        }
    } catch (const std::bad_alloc&) {
        releaseMtmGrids(mtm);
        return R::failure("not enough memory for " + std::to_string(count) + " points of " +
                          std::to_string(countAz) + " x " + std::to_string(countEl) + " values");
    }
    return R::success(std::move(mtm));
}

namespace {

kalmeno::Result<MtmHeader> readHeaderFrom(std::FILE* file)
{
    using R = kalmeno::Result<MtmHeader>;
    struct stat status {};
    if (::fstat(::fileno(file), &status) != 0)
        return R::failure(std::string("cannot get the file size: ") + std::strerror(errno));
    const auto size = static_cast<std::uint64_t>(status.st_size);
    unsigned char first[kMtmHeaderBytes];
    if (size < kMtmHeaderBytes || std::fread(first, 1, sizeof first, file) != sizeof first)
        return R::failure("shorter than the 24-byte header");
    return parseMtmHeader(first, size);
}

// Only a regular file is opened, so a FIFO or a device under an .mtm name cannot block a read.
FilePtr openForReading(const std::string& path, std::string& reason)
{
    auto opened = platform::openRegularFile(path);
    if (!opened) {
        reason = "cannot open: " + opened.error();
        return nullptr;
    }
    FilePtr file(::fdopen(opened->get(), "rb"));
    if (!file)
        reason = std::string("cannot open: ") + std::strerror(errno);
    else
        opened->release();
    return file;
}

// Creates `path`, or truncates it when it is a regular file. Anything else (a device, a FIFO, a
// folder) is refused before it is opened for writing. `created` tells whether the file is new.
FilePtr openForWriting(const std::string& path, bool& created, std::string& reason)
{
    created = false;
    platform::FileDescriptor descriptor(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (descriptor.isOpen()) {
        created = true;
    } else if (errno == EEXIST) {
        struct stat status {};
        if (::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
            reason = "cannot create: " + platform::notRegularFileReason(status.st_mode);
            return nullptr;
        }
        descriptor.reset(::open(path.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666));
        if (descriptor.isOpen() && ::fstat(descriptor.get(), &status) == 0 && !S_ISREG(status.st_mode)) {
            reason = "cannot create: " + platform::notRegularFileReason(status.st_mode);
            return nullptr;
        }
        if (descriptor.isOpen() && ::ftruncate(descriptor.get(), 0) != 0)
            descriptor.reset();
        if (descriptor.isOpen())
            ::fcntl(descriptor.get(), F_SETFL, ::fcntl(descriptor.get(), F_GETFL) & ~O_NONBLOCK);
    }
    if (!descriptor.isOpen()) {
        reason = std::string("cannot create: ") + std::strerror(errno);
        return nullptr;
    }
    FilePtr file(::fdopen(descriptor.get(), "wb"));
    if (!file) {
        reason = std::string("cannot create: ") + std::strerror(errno);
        if (created)
            ::unlink(path.c_str());
        return nullptr;
    }
    descriptor.release();
    return file;
}

} // namespace

std::optional<std::uint64_t> mtmFileSize(MtmLayout layout, std::uint32_t pointCount,
                                         std::uint32_t countAz, std::uint32_t countEl)
{
    const std::uint64_t headerBytes = layout == MtmLayout::Current ? kMtmHeaderBytes : kMtmHeaderBytes - 4;
    // A·B always fits; every further step is checked.
    const std::uint64_t values = std::uint64_t(countAz) * countEl;
    std::uint64_t pointBytes = 0;
    std::uint64_t total = 0;
    if (platform::multiplyOverflows(values, std::uint64_t(sizeof(TRcsValue)), &pointBytes) ||
        platform::addOverflows(pointBytes, std::uint64_t(3 * sizeof(double)), &pointBytes) ||
        platform::multiplyOverflows(pointBytes, std::uint64_t(pointCount), &total) ||
        platform::addOverflows(total, headerBytes, &total))
        return std::nullopt;
    return total;
}

kalmeno::Result<std::uint64_t> fileSizeOf(const std::string& path)
{
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error)
        return kalmeno::Result<std::uint64_t>::failure("cannot get the file size: " + error.message());
    return kalmeno::Result<std::uint64_t>::success(size);
}

kalmeno::Result<MtmHeader> parseMtmHeader(const unsigned char* first24, std::uint64_t fileSize)
{
    using R = kalmeno::Result<MtmHeader>;
    if (fileSize < kMtmHeaderBytes)
        return R::failure("shorter than the 24-byte header");

    MtmHeader header;
    header.fileSize = fileSize;
    const auto current = mtmFileSize(MtmLayout::Current, loadU32(first24 + 4), loadU32(first24 + 8),
                                     loadU32(first24 + 12));
    const auto legacy = mtmFileSize(MtmLayout::Legacy, loadU32(first24), loadU32(first24 + 4),
                                    loadU32(first24 + 8));
    if (current && *current == fileSize) {
        header.layout = MtmLayout::Current;
        header.przn = std::int32_t(loadU32(first24));
        header.pointCount = loadU32(first24 + 4);
        header.countAz = loadU32(first24 + 8);
        header.countEl = loadU32(first24 + 12);
        header.distance = loadF64(first24 + 16);
    } else if (legacy && *legacy == fileSize) {
        header.layout = MtmLayout::Legacy;
        header.przn = 0;
        header.pointCount = loadU32(first24);
        header.countAz = loadU32(first24 + 4);
        header.countEl = loadU32(first24 + 8);
        header.distance = loadF64(first24 + 12);
    } else {
        return R::failure("size " + std::to_string(fileSize) + " fits neither layout: " +
                          expectedText(current) + " bytes expected for the current layout, " +
                          expectedText(legacy) + " for the legacy one");
    }

    if (std::uint64_t(header.countAz) * header.countEl == 0 && header.pointCount > 0) {
        std::uint64_t tableBytes = 0;
        if (platform::multiplyOverflows(std::uint64_t(header.countAz) + 1, std::uint64_t(header.pointCount) * 8,
                                        &tableBytes) ||
            tableBytes > fileSize + kEmptyGridSlack)
            return R::failure(std::to_string(header.pointCount) + " points with " +
                              std::to_string(header.countAz) +
                              " empty rows each need more row tables than a " + std::to_string(fileSize) +
                              "-byte file can describe");
    }
    return R::success(header);
}

kalmeno::Result<MtmHeader> readMtmHeader(const std::string& path)
{
    std::string reason;
    FilePtr file = openForReading(path, reason);
    if (!file)
        return kalmeno::Result<MtmHeader>::failure(reason);
    return readHeaderFrom(file.get());
}

kalmeno::Result<TMtm> readMtmFile(const std::string& path, MtmHeader* header, bool hugePages)
{
    using R = kalmeno::Result<TMtm>;
    std::string reason;
    FilePtr file = openForReading(path, reason);
    if (!file)
        return R::failure(reason);
    auto parsed = readHeaderFrom(file.get());
    if (!parsed)
        return R::failure(parsed.error());
    const MtmHeader& h = parsed.value();
    const long dataOffset = h.layout == MtmLayout::Current ? long(kMtmHeaderBytes) : long(kMtmHeaderBytes - 4);
    if (std::fseek(file.get(), dataOffset, SEEK_SET) != 0)
        return R::failure("cannot seek to the coordinate block");

    std::FILE* stream = file.get();
    auto result = readMtmBody(h, [stream](void* destination, std::size_t bytes) {
        return std::fread(destination, 1, bytes, stream) == bytes;
    }, hugePages);
    if (!result)
        return result;
    result->path = path;
    if (header)
        *header = h;
    return result;
}

kalmeno::Result<TMtm> readMtmBuffer(const void* data, std::size_t size, MtmHeader* header)
{
    using R = kalmeno::Result<TMtm>;
    const auto* bytes = static_cast<const unsigned char*>(data);
    if (size < kMtmHeaderBytes)
        return R::failure("shorter than the 24-byte header");
    auto parsed = parseMtmHeader(bytes, size);
    if (!parsed)
        return R::failure(parsed.error());
    const MtmHeader& h = parsed.value();
    std::size_t offset = h.layout == MtmLayout::Current ? kMtmHeaderBytes : kMtmHeaderBytes - 4;
    auto result = readMtmBody(h, [&](void* destination, std::size_t count) {
        if (count > size - offset)
            return false;
        std::memcpy(destination, bytes + offset, count);
        offset += count;
        return true;
    });
    if (result && header)
        *header = h;
    return result;
}

kalmeno::Status writeMtmFile(const std::string& path, const TMtmSavePoint* points, std::uint32_t count,
                             std::uint32_t countAz, std::uint32_t countEl, double distance,
                             std::int32_t przn)
{
    using S = kalmeno::Status;
    if (!points && count > 0)
        return S::failure("no points to write");
    if (!mtmFileSize(MtmLayout::Current, count, countAz, countEl))
        return S::failure("a file of " + std::to_string(count) + " points of " + std::to_string(countAz) +
                          " x " + std::to_string(countEl) + " values would exceed 2^64 bytes");
    const std::size_t rowBytes = std::size_t(countEl) * sizeof(TRcsValue);
    if (rowBytes && countAz) {
        for (std::uint32_t p = 0; p < count; ++p) {
            if (!points[p].rcs)
                return S::failure("point " + std::to_string(p) + " has no amplitudes");
            for (std::uint32_t a = 0; a < countAz; ++a)
                if (!points[p].rcs[a])
                    return S::failure("row " + std::to_string(a) + " of point " + std::to_string(p) +
                                      " is missing");
        }
    }

    bool created = false;
    std::string reason;
    FilePtr file = openForWriting(path, created, reason);
    if (!file)
        return S::failure(reason);
    std::FILE* stream = file.get();
    std::setvbuf(stream, nullptr, _IOFBF, 1 << 20);

    auto write = [stream](const void* source, std::size_t bytes) {
        return std::fwrite(source, 1, bytes, stream) == bytes;
    };
    // Only a file this call created is removed again.
    auto discard = [&path, created] {
        if (created)
            ::unlink(path.c_str());
    };
    auto fail = [&](const std::string& reason) {
        const std::string error = std::strerror(errno);
        file.reset();
        discard();
        return S::failure(reason + ": " + error);
    };

    unsigned char head[kMtmHeaderBytes];
    std::memcpy(head, &przn, 4);
    std::memcpy(head + 4, &count, 4);
    std::memcpy(head + 8, &countAz, 4);
    std::memcpy(head + 12, &countEl, 4);
    std::memcpy(head + 16, &distance, 8);
    if (!write(head, sizeof head))
        return fail("cannot write the header");

    for (std::uint32_t p = 0; p < count; ++p) {
        const double xyz[3] = {points[p].x, points[p].y, points[p].z};
        if (!write(xyz, sizeof xyz))
            return fail("cannot write the coordinates");
    }

    if (rowBytes && countAz) {
        for (std::uint32_t p = 0; p < count; ++p) {
            TRcsValue* const* rows = points[p].rcs;
            bool contiguous = true;
            for (std::uint32_t a = 1; a < countAz && contiguous; ++a)
                contiguous = rows[a] == rows[0] + std::size_t(a) * countEl;
            const bool written = contiguous ? write(rows[0], rowBytes * countAz) : [&] {
                for (std::uint32_t a = 0; a < countAz; ++a)
                    if (!write(rows[a], rowBytes))
                        return false;
                return true;
            }();
            if (!written)
                return fail("cannot write the amplitudes of point " + std::to_string(p));
        }
    }

    if (std::fflush(stream) != 0)
        return fail("cannot write");
    if (std::fclose(file.release()) != 0) {
        const std::string error = std::strerror(errno);
        discard();
        return S::failure("cannot close: " + error);
    }
    return S::success();
}

void releaseMtmGrids(TMtm& mtm)
{
    for (TMtmPoint& point : mtm.points)
        releaseRcsGrid(point.rcs);
    mtm.points.clear();
}

} // namespace ostrell

#include "mtmfilereader.h"

#include "regularfile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace ostrell {

namespace {

// Values read ahead for small amplitude reads (1 MB); larger reads go straight to the caller.
constexpr std::size_t kAheadValues = 65536;

} // namespace

kalmeno::Result<MtmFileReader> MtmFileReader::open(const std::string& path)
{
    using R = kalmeno::Result<MtmFileReader>;
    auto opened = platform::openRegularFile(path);
    if (!opened)
        return R::failure("cannot open: " + opened.error());
    MtmFileReader reader;
    reader.file_ = std::move(opened.value());
    struct stat status {};
    if (::fstat(reader.file_.get(), &status) != 0)
        return R::failure(std::string("cannot get the file size: ") + std::strerror(errno));
    const auto size = static_cast<std::uint64_t>(status.st_size);
    unsigned char first[kMtmHeaderBytes];
    if (size < kMtmHeaderBytes || !reader.readAt(0, sizeof first, first))
        return R::failure("shorter than the 24-byte header");
    auto header = parseMtmHeader(first, size);
    if (!header)
        return R::failure(header.error());
    reader.header_ = header.value();
    reader.coordinatesAt_ = header->layout == MtmLayout::Current ? kMtmHeaderBytes : kMtmHeaderBytes - 4;
    reader.amplitudesAt_ = reader.coordinatesAt_ + std::uint64_t(header->pointCount) * 3 * sizeof(double);
    return R::success(std::move(reader));
}

bool MtmFileReader::readAt(std::uint64_t offset, std::size_t bytes, void* destination) const
{
    auto* next = static_cast<char*>(destination);
    while (bytes > 0) {
        const ssize_t got = ::pread(file_.get(), next, bytes, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        next += got;
        offset += static_cast<std::uint64_t>(got);
        bytes -= static_cast<std::size_t>(got);
    }
    return true;
}

kalmeno::Status MtmFileReader::readCoordinates(std::uint64_t firstPoint, std::size_t count, double* xyz)
{
    if (firstPoint > header_.pointCount || count > header_.pointCount - firstPoint)
        return kalmeno::Status::failure("no such points");
    if (!readAt(coordinatesAt_ + firstPoint * 3 * sizeof(double), count * 3 * sizeof(double), xyz))
        return kalmeno::Status::failure("the coordinate block ends early");
    return kalmeno::Status::success();
}

kalmeno::Status MtmFileReader::readAmplitudes(std::uint64_t firstValue, std::size_t count, TRcsValue* values)
{
    const std::uint64_t total = pointValues() * header_.pointCount;
    if (firstValue > total || count > total - firstValue)
        return kalmeno::Status::failure("no such values");
    auto endsEarly = [&] {
        const std::uint64_t point = pointValues() ? firstValue / pointValues() : 0;
        return kalmeno::Status::failure("the amplitude block of point " + std::to_string(point) + " ends early");
    };
    if (count >= kAheadValues / 2) {
        if (!readAt(amplitudesAt_ + firstValue * sizeof(TRcsValue), count * sizeof(TRcsValue), values))
            return endsEarly();
        return kalmeno::Status::success();
    }
    if (firstValue < aheadFirst_ || firstValue + count > aheadFirst_ + aheadCount_) {
        ahead_.resize(kAheadValues);
        aheadFirst_ = firstValue;
        aheadCount_ = static_cast<std::size_t>(std::min<std::uint64_t>(kAheadValues, total - firstValue));
        if (!readAt(amplitudesAt_ + firstValue * sizeof(TRcsValue), aheadCount_ * sizeof(TRcsValue), ahead_.data())) {
            aheadCount_ = 0;
            return endsEarly();
        }
    }
    std::copy_n(ahead_.data() + (firstValue - aheadFirst_), count, values);
    return kalmeno::Status::success();
}

} // namespace ostrell

#include "command.h"
#include "mtmfile.h"
#include "ownedmtm.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ostream>
#include <vector>

namespace mtm {

namespace {

// A new empty file beside `path` with the permissions a plain create would give, or "" (errno set).
std::string createTemporaryBeside(const std::string& path)
{
    std::vector<char> name(path.begin(), path.end());
    const char suffix[] = ".XXXXXX";
    name.insert(name.end(), suffix, suffix + sizeof suffix);
    const int descriptor = mkstemp(name.data());
    if (descriptor < 0)
        return {};
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(descriptor, 0666 & ~mask);
    close(descriptor);
    return name.data();
}

// The output is written under a temporary name and then renamed, so a failed write never
// destroys an existing OUT (which may be IN itself).
kalmeno::Status writeReplacing(const std::string& path, const TMtm& mtm, const ostrell::MtmHeader& header)
{
    std::vector<TMtmSavePoint> points;
    points.reserve(mtm.points.size());
    for (const TMtmPoint& p : mtm.points)
        points.push_back({p.x, p.y, p.z, p.rcs});

    const std::string temporary = createTemporaryBeside(path);
    if (temporary.empty())
        return kalmeno::Status::failure(std::strerror(errno));
    // Like saveMTM: current layout, Przn 0, the file's own grid (kept even without points).
    const auto written = ostrell::writeMtmFile(temporary, points.data(), static_cast<std::uint32_t>(points.size()),
                                               header.countAz, header.countEl, mtm.distance, 0);
    if (!written) {
        std::remove(temporary.c_str());
        return written;
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        const std::string reason = std::strerror(errno);
        std::remove(temporary.c_str());
        return kalmeno::Status::failure(reason);
    }
    return kalmeno::Status::success();
}

int runConvert(const CommandLine& line, std::ostream&, std::ostream& err)
{
    const std::string& input = line.operand(0);
    const std::string& output = line.operand(1);
    ostrell::MtmHeader header;
    auto read = ostrell::readMtmFile(input, &header);
    if (!read)
        return reportError(err, "convert", "cannot read " + input + ": " + read.error(), ExitFailure);
    const OwnedMtm mtm(std::move(read.value()));

    const auto written = writeReplacing(output, mtm.get(), header);
    if (!written)
        return reportError(err, "convert", "cannot write " + output + ": " + written.error(), ExitFailure);
    return ExitSuccess;
}

} // namespace

Command convertCommand()
{
    return {"convert",
            "IN OUT",
            "rewrite an .mtm file (current or legacy) in the current layout",
            "Reads IN as the library's read does and writes OUT as the library's save does: the\n"
            "current layout with Przn 0, the same points, amplitudes and distance. OUT is replaced\n"
            "only once it is completely written; OUT may be IN.\n",
            {},
            2,
            runConvert};
}

} // namespace mtm

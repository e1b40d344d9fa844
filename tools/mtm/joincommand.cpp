#include "command.h"
#include "filereplacement.h"
#include "modelsettings.h"
#include "mtmfile.h"
#include "ownedmtm.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace mtm {

namespace {

// A part read with its settings, or the reason it cannot be joined.
struct Part {
    std::optional<OwnedMtm> mtm;
    ModelSettings settings;
    RowSlab rows{0, 0};
};

kalmeno::Result<Part> readPart(const std::string& path)
{
    using R = kalmeno::Result<Part>;
    auto settings = readModelSettings(path);
    if (!settings)
        return R::failure(settings.error());
    auto read = ostrell::readMtmFile(path);
    if (!read)
        return R::failure("cannot read " + path + ": " + read.error());
    Part part;
    part.mtm.emplace(std::move(read.value()));
    part.settings = settings.value();
    const TMtm& mtm = part.mtm->get();
    if (mtm.points.empty())
        return R::failure(path + " has no points");
    const std::uint32_t countAz = mtm.points[0].countAz;
    part.rows = part.settings.rows.value_or(RowSlab{0, countAz ? countAz - 1 : 0});
    if (countAz == 0 || part.rows.last >= countAz)
        return R::failure(path + ": its rows " + std::to_string(part.rows.first) + ":" +
                          std::to_string(part.rows.last) + " are not on its grid of " + std::to_string(countAz) +
                          " rows");
    return R::success(std::move(part));
}

// Why `part` is not a slab of the same model as `base`, or nothing.
std::optional<std::string> disagreement(const Part& base, const Part& part)
{
    const TMtm &a = base.mtm->get(), &b = part.mtm->get();
    if (a.points.size() != b.points.size())
        return std::to_string(b.points.size()) + " points instead of " + std::to_string(a.points.size());
    if (a.points[0].countAz != b.points[0].countAz || a.points[0].countEl != b.points[0].countEl)
        return "another grid";
    for (std::size_t p = 0; p < a.points.size(); ++p)
        if (a.points[p].x != b.points[p].x || a.points[p].y != b.points[p].y || a.points[p].z != b.points[p].z)
            return "point " + std::to_string(p) + " lies elsewhere";
    const TGenerationArea &s = base.settings.area, &t = part.settings.area;
    if (s.waveLength != t.waveLength)
        return "another wavelength";
    if (s.countX != t.countX || s.countY != t.countY || s.countZ != t.countZ || s.psiStep != t.psiStep ||
        s.tetaStep != t.tetaStep || s.coefEllipt != t.coefEllipt || s.orientAngle != t.orientAngle ||
        a.distance != b.distance)
        return "other generation settings";
    return std::nullopt;
}

int runJoin(const CommandLine& line, std::ostream& out, std::ostream& err)
{
    const std::string& output = line.operand(0);
    const std::vector<std::string> parts(line.operands().begin() + 1, line.operands().end());
    auto first = readPart(parts[0]);
    if (!first)
        return reportError(err, "join", first.error(), ExitFailure);
    Part& base = first.value();
    TMtm& whole = base.mtm->get();
    const std::uint32_t countAz = whole.points[0].countAz, countEl = whole.points[0].countEl;
    std::vector<std::string> owner(countAz); // the part each row comes from
    auto claim = [&](const Part& part, const std::string& path) -> std::optional<std::string> {
        for (std::uint32_t a = part.rows.first; a <= part.rows.last; ++a) {
            if (!owner[a].empty())
                return "row " + std::to_string(a) + " is in both " + owner[a] + " and " + path;
            owner[a] = path;
        }
        return std::nullopt;
    };
    if (const auto overlap = claim(base, parts[0]))
        return reportError(err, "join", *overlap, ExitFailure);

    // One part at a time: its rows go into the first part's grids.
    for (std::size_t i = 1; i < parts.size(); ++i) {
        const auto part = readPart(parts[i]);
        if (!part)
            return reportError(err, "join", part.error(), ExitFailure);
        if (const auto reason = disagreement(base, part.value()))
            return reportError(err, "join", parts[i] + " is not a part of " + parts[0] + ": " + *reason, ExitFailure);
        if (const auto overlap = claim(part.value(), parts[i]))
            return reportError(err, "join", *overlap, ExitFailure);
        const TMtm& slab = part->mtm->get();
        for (std::size_t p = 0; p < whole.points.size(); ++p)
            for (std::uint32_t a = part->rows.first; a <= part->rows.last; ++a)
                std::memcpy(whole.points[p].rcs[a], slab.points[p].rcs[a], countEl * sizeof(TRcsValue));
    }
    const auto missing = std::find(owner.begin(), owner.end(), std::string());
    if (missing != owner.end())
        return reportError(err, "join", "no part holds row " + std::to_string(missing - owner.begin()), ExitFailure);

    std::vector<TMtmSavePoint> points;
    for (const TMtmPoint& p : whole.points)
        points.push_back({p.x, p.y, p.z, p.rcs});
    // Written beside the result and renamed once complete (every output's way: bufferedoutput.h),
    // so a failed join leaves OUT as it was.
    const kalmeno::Status written = platform::replaceFile(
        output,
        [&](platform::FileReplacement& file) {
            return ostrell::writeMtmFile(file.temporaryPath(), points.data(), std::uint32_t(points.size()), countAz,
                                         countEl, whole.distance);
        },
        ".joining");
    if (!written)
        return reportError(err, "join", "cannot write " + output + ": " + written.error(), ExitFailure);
    ModelSettings settings = base.settings;
    settings.rows.reset();
    const kalmeno::Status settingsWritten = writeModelSettings(output, settings);
    if (!settingsWritten)
        return reportError(err, "join", settingsWritten.error(), ExitFailure);
    out << output << ": " << points.size() << " points on a " << countAz << " x " << countEl << " grid from "
        << parts.size() << " part" << (parts.size() == 1 ? "" : "s") << '\n';
    return ExitSuccess;
}

} // namespace

Command joinCommand()
{
    return {"join",
            "OUT PART...",
            "put together the row slabs of one model computed apart",
            "Checks that the parts (each made by 'mtm generate --rows', with its settings file) are\n"
            "slabs of one model (the same points, grid, wavelength and settings) and that their rows\n"
            "cover the grid exactly once, then writes the whole model to OUT and its settings file.\n",
            {},
            2,
            runJoin,
            true};
}

} // namespace mtm

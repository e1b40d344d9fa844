#include "command.h"
#include "mtmfile.h"
#include "mtmfilemerge.h"

#include <charconv>
#include <cmath>
#include <ostream>

namespace mtm {

namespace {

// The merge's lines, as the plug-in writes them to the host log.
class StreamMergeLog : public mtmmerge::MergeLog {
public:
    explicit StreamMergeLog(std::ostream& stream) : stream_(stream) {}
    void info(const std::string& line) override { stream_ << line << '\n'; }
    void error(const std::string& line) override { stream_ << line << '\n'; }
    void debug(const std::string& line) override { stream_ << line << '\n'; }

private:
    std::ostream& stream_;
};

// "MODEL.mtm@X,Y,Z": the model's path (which may itself hold '@') and its offset in metres.
kalmeno::Result<mtmmerge::AnchoredModels> parseAnchor(const std::string& text)
{
    using R = kalmeno::Result<mtmmerge::AnchoredModels>;
    const auto fail = [&text] {
        return R::failure("--add: expected MODEL.mtm@X,Y,Z with finite X, Y, Z in metres, not \"" + text + "\"");
    };
    const auto at = text.rfind('@');
    if (at == std::string::npos || at == 0)
        return fail();
    double offset[3];
    const char* next = text.data() + at + 1;
    const char* const end = text.data() + text.size();
    for (int axis = 0; axis < 3; ++axis) {
        if (axis > 0) {
            if (next == end || *next != ',')
                return fail();
            ++next;
        }
        // from_chars reads the C locale's numbers whatever the process's locale.
        const auto [stop, error] = std::from_chars(next, end, offset[axis]);
        if (error != std::errc() || !std::isfinite(offset[axis]))
            return fail();
        next = stop;
    }
    if (next != end)
        return fail();
    mtmmerge::AnchoredModels anchor;
    anchor.offset = {offset[0], offset[1], offset[2]};
    anchor.paths.push_back(text.substr(0, at));
    return R::success(std::move(anchor));
}

int runMerge(const CommandLine& line, std::ostream&, std::ostream& err)
{
    mtmmerge::MergeRequest request;
    const auto base = line.value("--base");
    const auto output = line.value("-o");
    if (!base)
        return reportError(err, "merge", "--base BASE.mtm is required", ExitUsage);
    if (!output)
        return reportError(err, "merge", "-o OUT.mtm is required", ExitUsage);
    const std::vector<std::string> additions = line.values("--add");
    if (additions.empty())
        return reportError(err, "merge", "at least one --add MODEL.mtm@X,Y,Z is required", ExitUsage);
    for (const std::string& addition : additions) {
        auto anchor = parseAnchor(addition);
        if (!anchor)
            return reportError(err, "merge", anchor.error(), ExitUsage);
        request.anchors.push_back(std::move(anchor.value()));
    }
    request.basePath = *base;
    request.outputPath = *output;

    const auto read = [](const std::string& path, TMtm* out) {
        auto mtm = ostrell::readMtmFile(path);
        if (!mtm)
            return kalmeno::Status::failure(mtm.error());
        *out = std::move(mtm.value());
        return kalmeno::Status::success();
    };
    StreamMergeLog log(err);
    if (!mtmmerge::mergeMtmFiles(request, read, log))
        return reportError(err, "merge", "Can't merge MTM", ExitFailure);
    return ExitSuccess;
}

} // namespace

Command mergeCommand()
{
    return {"merge",
            "--base BASE.mtm --add MODEL.mtm@X,Y,Z [--add ...] -o OUT.mtm",
            "merge models placed at anchor points onto a base model",
            "Merges MTMs as the plug-in's \"Merge MTM\" does. OUT keeps every point of BASE and gets\n"
            "every point of each MODEL moved by its offset X,Y,Z (metres from BASE's origin), its\n"
            "amplitudes re-sampled onto BASE's grid as seen on a sphere around BASE's origin whose\n"
            "radius is the largest distance of all the files; OUT stores that distance and BASE's\n"
            "Przn, which must be 0 in every file. Each --add places one model; a model may be added\n"
            "more than once. BASE's settings file (BASE with .ini for its suffix) is copied beside\n"
            "OUT unless OUT already has one. OUT is replaced only once it is completely written.\n"
            "The merge's log lines go to stderr.\n",
            {{"--base", true}, {"--add", true}, {"-o", true}},
            0,
            runMerge};
}

} // namespace mtm

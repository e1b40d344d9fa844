#include "command.h"
#include "mtmfile.h"
#include "mtmverifier.h"
#include "ownedmtm.h"

#include <ostream>

namespace mtm {

namespace {

int runVerify(const CommandLine& line, std::ostream& out, std::ostream& err)
{
    const std::string& path = line.operand(0);
    auto read = ostrell::readMtmFile(path);
    if (!read)
        return reportError(err, "verify", "cannot read " + path + ": " + read.error(), ExitFailure);
    const OwnedMtm mtm(std::move(read.value()));

    const auto problems = findMtmProblems(mtm.get());
    for (const std::string& problem : problems)
        err << path << ": " << problem << '\n';
    if (!problems.empty())
        return ExitFailure;

    const auto& points = mtm.get().points;
    out << path << ": ok, " << points.size() << " points";
    if (!points.empty())
        out << " on a " << points.front().countAz << " x " << points.front().countEl << " grid";
    out << '\n';
    return ExitSuccess;
}

} // namespace

Command verifyCommand()
{
    return {"verify",
            "FILE",
            "check that an .mtm file is readable and its values sound",
            "Checks that FILE is readable, that every value (distance, coordinates, amplitudes) is\n"
            "finite and that every point lies on the same grid of at least 2 x 2 samples. Prints\n"
            "one line per problem on stderr and exits with 1, or \"FILE: ok, ...\" and exits with 0.\n",
            {},
            1,
            runVerify};
}

} // namespace mtm

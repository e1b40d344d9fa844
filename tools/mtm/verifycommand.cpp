#include "command.h"
#include "mtmfilereader.h"
#include "mtmverifier.h"

#include <ostream>

namespace mtm {

namespace {

int runVerify(const CommandLine& line, std::ostream& out, std::ostream& err)
{
    const std::string& path = line.operand(0);
    auto file = ostrell::MtmFileReader::open(path);
    if (!file)
        return reportError(err, "verify", "cannot read " + path + ": " + file.error(), ExitFailure);

    const auto problems =
        verifyMtmFile(file.value(), [&](const std::string& problem) { err << path << ": " << problem << '\n'; });
    if (!problems)
        return reportError(err, "verify", "cannot read " + path + ": " + problems.error(), ExitFailure);
    if (problems.value() != 0)
        return ExitFailure;

    const ostrell::MtmHeader& header = file->header();
    out << path << ": ok, " << header.pointCount << " points";
    if (header.pointCount)
        out << " on a " << header.countAz << " x " << header.countEl << " grid";
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
            "finite and that its points lie on a grid of at least 2 x 2 samples. Prints one line per\n"
            "problem on stderr and exits with 1, or \"FILE: ok, ...\" and exits with 0. The file\n"
            "streams through in blocks: a file of any size takes a few MB.\n",
            {},
            1,
            runVerify};
}

} // namespace mtm

#include "command.h"

#include <ostream>

namespace mtm {

int reportError(std::ostream& err, const std::string& commandName, const std::string& reason,
                ExitStatus status)
{
    err << "mtm " << commandName << ": " << reason << '\n';
    if (status == ExitUsage)
        err << "Try 'mtm " << commandName << " --help'.\n";
    return status;
}

} // namespace mtm

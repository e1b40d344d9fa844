#pragma once
// One subcommand of `mtm`: its name, how it is called, and the function that does the work.

#include "commandline.h"

#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

namespace mtm {

// Exit statuses shared by every command.
enum ExitStatus : int {
    ExitSuccess = 0,
    ExitFailure = 1, // a file cannot be read or written, fails verification or cannot be computed
    ExitUsage = 2,   // the command line is wrong
};

struct Command {
    std::string name;                          // "info"
    std::string usage;                         // "FILE [--json]", after "mtm info "
    std::string summary;                       // one line for `mtm --help`
    std::string description;                   // the body of `mtm info --help`
    std::vector<CommandLine::Option> options;  // --help is always known
    std::size_t operandCount = 0;              // exact number of operands (files, ...)
    // Runs with a valid command line; returns an ExitStatus. Results go to `out`, reasons to `err`.
    int (*run)(const CommandLine& line, std::ostream& out, std::ostream& err) = nullptr;
    bool moreOperands = false;                 // operandCount is only the least number
};

// Writes "mtm NAME: REASON" to `err`, plus the command's usage for usage errors; returns `status`.
int reportError(std::ostream& err, const std::string& commandName, const std::string& reason,
                ExitStatus status);

} // namespace mtm

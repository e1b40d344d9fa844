// mtm: inspect, convert, check, merge and generate .mtm files without the GUI.

#include "command.h"

#include <algorithm>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

// The command table, in the order `mtm --help` lists them. Adding a command takes one source
// file `<name>command.cpp` that defines `mtm::Command <name>Command()` (see command.h), that
// file in CMakeLists.txt, and one line `X(<name>)` here.
#define MTM_COMMANDS(X) \
    X(info)             \
    X(convert)          \
    X(dump)             \
    X(verify)           \
    X(pattern)          \
    X(view)             \
    X(merge)            \
    X(generate)         \
    X(rcs)              \
    X(join)

namespace mtm {
#define MTM_DECLARE_COMMAND(name) Command name##Command();
MTM_COMMANDS(MTM_DECLARE_COMMAND)
#undef MTM_DECLARE_COMMAND
} // namespace mtm

namespace {

std::vector<mtm::Command> commandTable()
{
#define MTM_LIST_COMMAND(name) mtm::name##Command(),
    return {MTM_COMMANDS(MTM_LIST_COMMAND)};
#undef MTM_LIST_COMMAND
}

void printOverview(const std::vector<mtm::Command>& commands, std::ostream& out)
{
    out << "usage: mtm COMMAND [ARGUMENTS]\n\nInspect, convert, check, merge and generate .mtm files.\n\nCommands:\n";
    for (const mtm::Command& command : commands) {
        std::string call = command.name + " " + command.usage;
        call.resize(std::max<std::size_t>(call.size() + 2, 26), ' ');
        out << "  " << call << command.summary << '\n';
    }
    out << "\nRun 'mtm COMMAND --help' for one command. Exit status: 0 done, 1 a file cannot be read\n"
           "or written, fails verification or cannot be computed, 2 wrong command line.\n";
}

void printCommandHelp(const mtm::Command& command, std::ostream& out)
{
    out << "usage: mtm " << command.name << ' ' << command.usage << "\n\n" << command.description;
}

const mtm::Command* findCommand(const std::vector<mtm::Command>& commands, const std::string& name)
{
    for (const mtm::Command& command : commands)
        if (command.name == name)
            return &command;
    return nullptr;
}

int runCommand(const mtm::Command& command, const std::vector<std::string>& arguments)
{
    const auto line =
        mtm::CommandLine::parse(arguments, command.options, command.operandCount, command.moreOperands);
    if (!line) {
        std::cerr << "mtm " << command.name << ": " << line.error() << '\n'
                  << "usage: mtm " << command.name << ' ' << command.usage << '\n';
        return mtm::ExitUsage;
    }
    if (line->helpRequested()) {
        printCommandHelp(command, std::cout);
        return mtm::ExitSuccess;
    }
    return command.run(line.value(), std::cout, std::cerr);
}

int runMain(const std::vector<std::string>& arguments)
{
    const std::vector<mtm::Command> commands = commandTable();
    if (arguments.empty()) {
        printOverview(commands, std::cerr);
        return mtm::ExitUsage;
    }
    const std::string& name = arguments.front();
    if (name == "--help" || name == "-h" || name == "help") {
        if (name == "help" && arguments.size() > 1) {
            if (const mtm::Command* command = findCommand(commands, arguments[1])) {
                printCommandHelp(*command, std::cout);
                return mtm::ExitSuccess;
            }
            std::cerr << "mtm: unknown command \"" << arguments[1] << "\"\n";
            return mtm::ExitUsage;
        }
        printOverview(commands, std::cout);
        return mtm::ExitSuccess;
    }
    const mtm::Command* command = findCommand(commands, name);
    if (!command) {
        std::cerr << "mtm: unknown command \"" << name << "\"\nTry 'mtm --help'.\n";
        return mtm::ExitUsage;
    }
    return runCommand(*command, std::vector<std::string>(arguments.begin() + 1, arguments.end()));
}

} // namespace

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    int status = mtm::ExitFailure;
    try {
        status = runMain(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& error) {
        std::cerr << "mtm: " << error.what() << '\n';
        return mtm::ExitFailure;
    }
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "mtm: cannot write the output\n";
        return mtm::ExitFailure;
    }
    return status;
}

#pragma once
// The arguments of one `mtm` command, split into options and operands.

#include "result.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace mtm {

class CommandLine {
public:
    struct Option {
        std::string name; // with its dashes: "--json"
        bool takesValue = false;
    };

    // Accepts "--name", "--name VALUE" and "--name=VALUE" for the given options and "--help" (or
    // "-h") always; everything after "--" is an operand. The number of operands must be
    // `operandCount` (at least that many with `moreOperands`) unless help was asked for. Fails with
    // a reason fit for the user.
    static kalmeno::Result<CommandLine> parse(const std::vector<std::string>& arguments,
                                              const std::vector<Option>& options,
                                              std::size_t operandCount, bool moreOperands = false);

    bool helpRequested() const { return helpRequested_; }
    bool has(const std::string& option) const { return values_.count(option) != 0; }
    // The value of an option that takes one, when given (the last one wins).
    std::optional<std::string> value(const std::string& option) const;
    // Every value given to an option, in the order given.
    std::vector<std::string> values(const std::string& option) const;
    const std::vector<std::string>& operands() const { return operands_; }
    const std::string& operand(std::size_t index) const { return operands_.at(index); }

private:
    bool helpRequested_ = false;
    std::map<std::string, std::vector<std::string>> values_;
    std::vector<std::string> operands_;
};

// A decimal index without sign, spaces or junk that fits in 32 bits ("7"), else a reason.
kalmeno::Result<std::uint32_t> parseIndex(const std::string& text);

// A finite number without spaces or junk ("0.03", "-1e-3"), else a reason.
kalmeno::Result<double> parseReal(const std::string& text);

// `count` finite numbers separated by commas ("10,10,5"), else a reason.
kalmeno::Result<std::vector<double>> parseReals(const std::string& text, std::size_t count);

} // namespace mtm

#include "commandline.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace mtm {

kalmeno::Result<CommandLine> CommandLine::parse(const std::vector<std::string>& arguments,
                                                const std::vector<Option>& options,
                                                std::size_t operandCount, bool moreOperands)
{
    using R = kalmeno::Result<CommandLine>;
    CommandLine line;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument == "-" || argument.empty() || argument[0] != '-') {
            line.operands_.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (argument == "--help" || argument == "-h") {
            line.helpRequested_ = true;
            continue;
        }
        const auto equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        const auto option = std::find_if(options.begin(), options.end(),
                                         [&](const Option& o) { return o.name == name; });
        if (option == options.end())
            return R::failure("unknown option " + name);
        if (!option->takesValue) {
            if (equals != std::string::npos)
                return R::failure("option " + name + " takes no value");
            line.values_[name].push_back(std::string());
        } else if (equals != std::string::npos) {
            line.values_[name].push_back(argument.substr(equals + 1));
        } else if (i + 1 < arguments.size()) {
            line.values_[name].push_back(arguments[++i]);
        } else {
            return R::failure("option " + name + " needs a value");
        }
    }
    if (!line.helpRequested_ && line.operands_.size() != operandCount &&
        !(moreOperands && line.operands_.size() > operandCount)) {
        if (line.operands_.size() < operandCount)
            return R::failure(operandCount == 1 ? "missing the file" : "missing operands");
        return R::failure("unexpected argument \"" + line.operands_[operandCount] + "\"");
    }
    return R::success(std::move(line));
}

std::optional<std::string> CommandLine::value(const std::string& option) const
{
    const auto found = values_.find(option);
    if (found == values_.end())
        return std::nullopt;
    return found->second.back();
}

std::vector<std::string> CommandLine::values(const std::string& option) const
{
    const auto found = values_.find(option);
    return found == values_.end() ? std::vector<std::string>() : found->second;
}

kalmeno::Result<std::uint32_t> parseIndex(const std::string& text)
{
    using R = kalmeno::Result<std::uint32_t>;
    if (text.empty() || text.size() > 10 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return R::failure("\"" + text + "\" is not an index");
    const unsigned long long value = std::stoull(text);
    if (value > std::numeric_limits<std::uint32_t>::max())
        return R::failure("\"" + text + "\" is not an index");
    return R::success(static_cast<std::uint32_t>(value));
}

kalmeno::Result<double> parseReal(const std::string& text)
{
    using R = kalmeno::Result<double>;
    if (text.empty() || std::isspace(static_cast<unsigned char>(text.front())))
        return R::failure("\"" + text + "\" is not a number");
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || errno == ERANGE || !std::isfinite(value))
        return R::failure("\"" + text + "\" is not a finite number");
    return R::success(value);
}

kalmeno::Result<std::vector<double>> parseReals(const std::string& text, std::size_t count)
{
    using R = kalmeno::Result<std::vector<double>>;
    std::vector<double> values;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        const auto value = parseReal(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (!value)
            return R::failure(value.error());
        values.push_back(value.value());
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    if (values.size() != count)
        return R::failure("\"" + text + "\" is not " + std::to_string(count) + " numbers separated by commas");
    return R::success(std::move(values));
}

} // namespace mtm

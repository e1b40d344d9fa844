#pragma once
// Where the scene code reports what it found wrong: one line per problem, naming the file and the
// place in it.

#include <functional>
#include <string>

namespace quelmar {

enum class LogLevel { Info, Warning, Error };

using LogSink = std::function<void(LogLevel level, const std::string& line)>;

} // namespace quelmar

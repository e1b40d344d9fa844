#include "hostlogger.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>

namespace quelmar {

namespace {

std::string timestamp()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d.%03d", utc.tm_hour, utc.tm_min, utc.tm_sec,
                  static_cast<int>(millis));
    return buffer;
}

} // namespace

HostLogger::~HostLogger()
{
    if (file_)
        std::fclose(file_);
}

kalmeno::Status HostLogger::openFile(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "a");
    if (!file)
        return kalmeno::Status::failure("cannot open the log file \"" + path + "\": " + std::strerror(errno));
    std::lock_guard<std::mutex> lock(mutex_);
    if (file_)
        std::fclose(file_);
    file_ = file;
    return kalmeno::Status::success();
}

void HostLogger::setEchoToStderr(bool echo)
{
    std::lock_guard<std::mutex> lock(mutex_);
    echo_ = echo;
}

hostsdk::HRESULT HostLogger::Info(const char* text)
{
    write(false, text);
    return platform::S_OK;
}

hostsdk::HRESULT HostLogger::Error(const char* text)
{
    write(true, text);
    return platform::S_OK;
}

void HostLogger::hostInfo(const std::string& text)
{
    write(false, ("[quelmar] " + text).c_str());
}

void HostLogger::hostError(const std::string& text)
{
    write(true, ("[quelmar] " + text).c_str());
}

std::vector<HostLogger::Line> HostLogger::lines() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return lines_;
}

void HostLogger::write(bool error, const char* text)
{
    if (!text)
        text = "";
    const std::string line = timestamp() + (error ? " ERROR " : " INFO  ") + text + "\n";
    std::lock_guard<std::mutex> lock(mutex_);
    lines_.push_back({error, text});
    if (echo_)
        std::fputs(line.c_str(), stderr);
    if (file_) {
        std::fputs(line.c_str(), file_);
        std::fflush(file_);
    }
}

} // namespace quelmar

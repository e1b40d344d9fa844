#include "hostmergelog.h"

#include <bridgelog.h>

#include <QDebug>

namespace {

class HostMergeLog : public mtmmerge::MergeLog {
public:
    void info(const std::string& line) override { bridge::LogInfo(line); }
    void error(const std::string& line) override { bridge::LogError(line); }
    void debug(const std::string& line) override { qDebug().noquote() << QString::fromLocal8Bit(line.c_str()); }
};

} // namespace

mtmmerge::MergeLog& hostMergeLog()
{
    static HostMergeLog log;
    return log;
}

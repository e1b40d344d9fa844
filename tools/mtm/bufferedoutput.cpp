#include "bufferedoutput.h"

namespace mtm {

namespace {

constexpr std::size_t kFlushBytes = std::size_t(1) << 20;

std::string cannotWrite(const std::string& path, const std::string& reason)
{
    return "cannot write " + path + ": " + reason;
}

} // namespace

kalmeno::Result<BufferedOutput> BufferedOutput::begin(const std::string& path)
{
    auto file = platform::FileReplacement::begin(path);
    if (!file)
        return kalmeno::Result<BufferedOutput>::failure(cannotWrite(path, file.error()));
    BufferedOutput output(std::move(file.value()));
    output.target_ = path;
    return kalmeno::Result<BufferedOutput>::success(std::move(output));
}

void BufferedOutput::append(std::string_view text)
{
    buffer_ += text;
    if (buffer_.size() >= kFlushBytes)
        flush();
}

void BufferedOutput::flush()
{
    if (!failure_) {
        if (auto written = file_.write(buffer_.data(), buffer_.size()); !written)
            failure_ = written.error();
    }
    buffer_.clear();
}

kalmeno::Status BufferedOutput::commit()
{
    flush();
    if (failure_)
        return kalmeno::Status::failure(cannotWrite(target_, *failure_));
    if (auto committed = file_.commit(); !committed)
        return kalmeno::Status::failure(cannotWrite(target_, committed.error()));
    return kalmeno::Status::success();
}

kalmeno::Status writeWholeFile(const std::string& path, std::string_view bytes)
{
    auto output = BufferedOutput::begin(path);
    if (!output)
        return kalmeno::Status::failure(output.error());
    output->append(bytes);
    return output->commit();
}

} // namespace mtm

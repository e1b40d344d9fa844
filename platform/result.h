#pragma once
// A value or the reason why there is none. Failures are values here: the reason travels up to the
// tool, the log or the message box that can say it.

#include <optional>
#include <string>
#include <utility>

namespace kalmeno {

template <typename T>
class [[nodiscard]] Result {
public:
    static Result success(T value) { Result r; r.value_ = std::move(value); return r; }
    static Result failure(std::string reason) { Result r; r.error_ = std::move(reason); return r; }

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }

    const T& value() const& { return *value_; }
    T& value() & { return *value_; }
    T&& value() && { return std::move(*value_); }
    const T* operator->() const { return &*value_; }
    T* operator->() { return &*value_; }

    const std::string& error() const { return error_; }

private:
    Result() = default;
    std::optional<T> value_;
    std::string error_;
};

template <>
class [[nodiscard]] Result<void> {
public:
    static Result success() { return Result(true, {}); }
    static Result failure(std::string reason) { return Result(false, std::move(reason)); }

    bool ok() const { return ok_; }
    explicit operator bool() const { return ok_; }
    const std::string& error() const { return error_; }

private:
    Result(bool ok, std::string error) : ok_(ok), error_(std::move(error)) {}
    bool ok_;
    std::string error_;
};

using Status = Result<void>;

} // namespace kalmeno

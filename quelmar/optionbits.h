#pragma once
// A set of option bits as the host's render objects keep them, safe to use from any thread.

#include <atomic>
#include <cstdint>

namespace quelmar {

class OptionBits {
public:
    explicit OptionBits(std::uint32_t initial = 0) : bits_(initial) {}

    void set(std::uint32_t bit, bool on)
    {
        if (on)
            bits_.fetch_or(bit);
        else
            bits_.fetch_and(~bit);
    }
    // True when every bit of `bit` is set.
    bool isOn(std::uint32_t bit) const { return (bits_.load() & bit) == bit; }
    std::uint32_t bits() const { return bits_.load(); }

private:
    std::atomic<std::uint32_t> bits_;
};

} // namespace quelmar

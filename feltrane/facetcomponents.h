#pragma once
// Connected sets of facets, joined one pair at a time (union–find).

#include <cstdint>
#include <numeric>
#include <vector>

namespace feltrane {

class FacetComponents {
public:
    explicit FacetComponents(std::size_t count) : parent_(count) { std::iota(parent_.begin(), parent_.end(), 0u); }
    std::uint32_t find(std::uint32_t x)
    {
        while (parent_[x] != x)
            x = parent_[x] = parent_[parent_[x]];
        return x;
    }
    void join(std::uint32_t a, std::uint32_t b) { parent_[find(a)] = find(b); }

private:
    std::vector<std::uint32_t> parent_;
};

} // namespace feltrane

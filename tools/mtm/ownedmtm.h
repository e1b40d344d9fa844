#pragma once
// A record read by a command, whose grids are released when the command is done with it.

#include "mtmfile.h"

#include <utility>

namespace mtm {

class OwnedMtm {
public:
    explicit OwnedMtm(TMtm mtm) : mtm_(std::move(mtm)) {}
    ~OwnedMtm() { ostrell::releaseMtmGrids(mtm_); }
    OwnedMtm(const OwnedMtm&) = delete;
    OwnedMtm& operator=(const OwnedMtm&) = delete;
    // The grids move along; the moved-from record owns none.
    OwnedMtm(OwnedMtm&& other) noexcept : mtm_(std::move(other.mtm_)) { other.mtm_.points.clear(); }
    OwnedMtm& operator=(OwnedMtm&& other) noexcept
    {
        if (this != &other) {
            ostrell::releaseMtmGrids(mtm_);
            mtm_ = std::move(other.mtm_);
            other.mtm_.points.clear();
        }
        return *this;
    }

    const TMtm& get() const { return mtm_; }
    TMtm& get() { return mtm_; }

private:
    TMtm mtm_;
};

} // namespace mtm

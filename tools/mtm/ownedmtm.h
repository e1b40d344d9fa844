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

    const TMtm& get() const { return mtm_; }

private:
    TMtm mtm_;
};

} // namespace mtm

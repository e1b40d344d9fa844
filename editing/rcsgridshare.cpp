#include "rcsgridshare.h"

#include <rcsgrid.h>

RcsGridShare::~RcsGridShare()
{
    for (auto& [grid, count] : holders_)
        releaseRcsGrid(grid);
}

void RcsGridShare::adopt(TRcsValue** grid)
{
    if (grid)
        ++holders_[grid];
}

bool RcsGridShare::retain(TRcsValue** grid)
{
    auto it = holders_.find(grid);
    if (it == holders_.end())
        return false;
    ++it->second;
    return true;
}

void RcsGridShare::release(TRcsValue** grid)
{
    auto it = holders_.find(grid);
    if (it == holders_.end())
        return;
    if (--it->second == 0) {
        holders_.erase(it);
        releaseRcsGrid(grid);
    }
}

int RcsGridShare::holders(TRcsValue** grid) const
{
    auto it = holders_.find(grid);
    return it == holders_.end() ? 0 : it->second;
}

#pragma once
// Reference counts for the amplitude grids that rows, undo commands and the amplitude table hold.
// Copies of a row share their points' grids, and the amplitude table may still show the grid of
// a point that was just removed, so a grid is released when its last holder lets go, once.

#include <tmtm.h>

#include <cstddef>
#include <unordered_map>

class RcsGridShare {
public:
    RcsGridShare() = default;
    RcsGridShare(const RcsGridShare&) = delete;
    RcsGridShare& operator=(const RcsGridShare&) = delete;
    // Grids still held here are released: nothing else can reach them after their share is gone.
    ~RcsGridShare();

    // One more holder of `grid`; the first holder brings it in. Null is ignored.
    void adopt(TRcsValue** grid);
    // One more holder of a grid already here; false (and nothing held) for any other grid.
    bool retain(TRcsValue** grid);
    // One holder less; the last one releases the grid. A grid never adopted is left alone: it is
    // not ours to free. Null is ignored.
    void release(TRcsValue** grid);

    int holders(TRcsValue** grid) const;
    std::size_t size() const { return holders_.size(); }

private:
    std::unordered_map<TRcsValue**, int> holders_;
};

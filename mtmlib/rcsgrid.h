#pragma once
// The one owner of amplitude grids: every row table in the system is made and released here, so
// that a grid read by the library, made by an edit or by a merge is freed the same way, once.

#include "tmtm.h"

#include <cstddef>
#include <cstdint>

// A table of `countAz` rows of `countEl` zero amplitudes, all in one block. Never null, even for
// an empty grid. Throws std::bad_alloc when memory runs out.
TRcsValue** allocateRcsGrid(std::uint32_t countAz, std::uint32_t countEl);

// Releases a table made by allocateRcsGrid or allocateRcsGrids; null is fine.
void releaseRcsGrid(TRcsValue** rows);

// A deep copy of `countAz` × `countEl` values of any row table.
TRcsValue** copyRcsGrid(TRcsValue* const* rows, std::uint32_t countAz, std::uint32_t countEl);

// The grids of many points of one shape, made in one allocation: the values of all of them lie
// one after the other in point order, so a file's whole amplitude block can be read straight in.
// Each grid is still released on its own (releaseRcsGrid); the block goes with the last one.
class RcsGridBatch {
public:
    RcsGridBatch(char* tables, TRcsValue* values, std::uint32_t countAz) : tables_(tables), values_(values), countAz_(countAz) {}
    // The row table of grid `index`.
    TRcsValue** grid(std::size_t index) const;
    // The first value of grid 0; the values of grid k start countAz·countEl values later per k.
    TRcsValue* values() const { return values_; }

private:
    char* tables_;
    TRcsValue* values_;
    std::uint32_t countAz_;
};

// `count` zeroed grids of `countAz` × `countEl`. Large blocks come straight from the kernel,
// aligned to huge pages; `hugePages` asks the kernel to back them with huge pages. Throws
// std::bad_alloc when memory runs out or the size does not fit in memory at all.
RcsGridBatch allocateRcsGrids(std::size_t count, std::uint32_t countAz, std::uint32_t countEl, bool hugePages);

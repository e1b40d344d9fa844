#pragma once
// The one owner of amplitude grids: every row table in the system is made and released here, so
// that a grid read by the library, made by an edit or by a merge is freed the same way, once.

#include "tmtm.h"

#include <cstdint>

// A table of `countAz` rows of `countEl` zero amplitudes, all in one block. Never null, even for
// an empty grid. Throws std::bad_alloc when memory runs out.
TRcsValue** allocateRcsGrid(std::uint32_t countAz, std::uint32_t countEl);

// Releases a table made by allocateRcsGrid; null is fine.
void releaseRcsGrid(TRcsValue** rows);

// A deep copy of `countAz` × `countEl` values of any row table.
TRcsValue** copyRcsGrid(TRcsValue* const* rows, std::uint32_t countAz, std::uint32_t countEl);

#include "rcsgrid.h"

#include <algorithm>
#include <cstddef>

// Layout: one slot in front of the row pointers holds the value block, so release needs no sizes.
TRcsValue** allocateRcsGrid(std::uint32_t countAz, std::uint32_t countEl)
{
    const std::size_t values = std::size_t(countAz) * countEl;
    auto** table = new TRcsValue*[std::size_t(countAz) + 1];
    try {
        table[0] = values ? new TRcsValue[values]() : nullptr;
    } catch (...) {
        delete[] table;
        throw;
    }
    TRcsValue** rows = table + 1;
    for (std::uint32_t a = 0; a < countAz; ++a)
        rows[a] = table[0] + std::size_t(a) * countEl;
    return rows;
}

void releaseRcsGrid(TRcsValue** rows)
{
    if (!rows)
        return;
    TRcsValue** table = rows - 1;
    delete[] table[0];
    delete[] table;
}

TRcsValue** copyRcsGrid(TRcsValue* const* rows, std::uint32_t countAz, std::uint32_t countEl)
{
    TRcsValue** copy = allocateRcsGrid(countAz, countEl);
    for (std::uint32_t a = 0; a < countAz; ++a)
        std::copy(rows[a], rows[a] + countEl, copy[a]);
    return copy;
}

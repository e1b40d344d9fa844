#include "rcsgrid.h"

#include <checkedarithmetic.h>

#include <sys/mman.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <new>

// Layout of a block: a header, then the row tables of its grids (each preceded by one slot that
// points back at the header, so release needs no sizes), then the values of all grids in order.
namespace {

struct alignas(16) GridBlock {
    std::atomic<std::size_t> liveGrids;
    std::size_t bytes;
    bool mapped;
};

// Blocks from this size on are mapped directly: aligned to huge pages, and given back whole.
constexpr std::size_t kMappedFrom = std::size_t(4) << 20;
constexpr std::size_t kHugePage = std::size_t(2) << 20;
constexpr std::size_t kMax = std::numeric_limits<std::size_t>::max();

// Sizes that do not fit cannot be allocated either.
std::size_t checkedMultiply(std::uint64_t a, std::uint64_t b)
{
    std::uint64_t product = 0;
    if (platform::multiplyOverflows(a, b, &product) || product > kMax)
        throw std::bad_alloc();
    return static_cast<std::size_t>(product);
}

std::size_t checkedAdd(std::uint64_t a, std::uint64_t b)
{
    std::uint64_t sum = 0;
    if (platform::addOverflows(a, b, &sum) || sum > kMax)
        throw std::bad_alloc();
    return static_cast<std::size_t>(sum);
}

std::size_t tableBytes(std::uint32_t countAz)
{
    return (std::size_t(countAz) + 1) * sizeof(TRcsValue*);
}

void* mapAligned(std::size_t& length, bool hugePages)
{
    length = checkedAdd(length, kHugePage - 1) / kHugePage * kHugePage;
    const std::size_t reserved = checkedAdd(length, kHugePage);
    void* raw = ::mmap(nullptr, reserved, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED)
        throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = (start + kHugePage - 1) / kHugePage * kHugePage;
    if (aligned > start)
        ::munmap(raw, aligned - start);
    if (start + reserved > aligned + length)
        ::munmap(reinterpret_cast<void*>(aligned + length), start + reserved - aligned - length);
    if (hugePages)
        ::madvise(reinterpret_cast<void*>(aligned), length, MADV_HUGEPAGE);
    return reinterpret_cast<void*>(aligned);
}

} // namespace

TRcsValue** RcsGridBatch::grid(std::size_t index) const
{
    return reinterpret_cast<TRcsValue**>(tables_ + index * tableBytes(countAz_)) + 1;
}

RcsGridBatch allocateRcsGrids(std::size_t count, std::uint32_t countAz, std::uint32_t countEl, bool hugePages)
{
    if (count == 0)
        return RcsGridBatch(nullptr, nullptr, countAz);
    const std::size_t valuesPerGrid = checkedMultiply(countAz, countEl);
    const std::size_t tables = checkedMultiply(count, tableBytes(countAz));
    const std::size_t values = checkedMultiply(checkedMultiply(count, valuesPerGrid), sizeof(TRcsValue));
    std::size_t bytes = checkedAdd(checkedAdd(sizeof(GridBlock), tables), values);

    const bool mapped = bytes >= kMappedFrom;
    void* memory = mapped ? mapAligned(bytes, hugePages) : std::calloc(1, bytes);
    if (!memory)
        throw std::bad_alloc();
    auto* block = new (memory) GridBlock;
    block->liveGrids.store(count);
    block->bytes = bytes;
    block->mapped = mapped;

    char* tableStart = static_cast<char*>(memory) + sizeof(GridBlock);
    auto* valueStart = reinterpret_cast<TRcsValue*>(tableStart + tables);
    const RcsGridBatch batch(tableStart, valueStart, countAz);
    for (std::size_t g = 0; g < count; ++g) {
        TRcsValue** rows = batch.grid(g);
        rows[-1] = reinterpret_cast<TRcsValue*>(block);
        TRcsValue* first = valueStart + g * valuesPerGrid;
        for (std::uint32_t a = 0; a < countAz; ++a)
            rows[a] = first + std::size_t(a) * countEl;
    }
    return batch;
}

TRcsValue** allocateRcsGrid(std::uint32_t countAz, std::uint32_t countEl)
{
    return allocateRcsGrids(1, countAz, countEl, false).grid(0);
}

void releaseRcsGrid(TRcsValue** rows)
{
    if (!rows)
        return;
    auto* block = reinterpret_cast<GridBlock*>(rows[-1]);
    if (block->liveGrids.fetch_sub(1) != 1)
        return;
    const std::size_t bytes = block->bytes;
    const bool mapped = block->mapped;
    block->~GridBlock();
    if (mapped)
        ::munmap(block, bytes);
    else
        std::free(block);
}

TRcsValue** copyRcsGrid(TRcsValue* const* rows, std::uint32_t countAz, std::uint32_t countEl)
{
    TRcsValue** copy = allocateRcsGrid(countAz, countEl);
    for (std::uint32_t a = 0; a < countAz; ++a)
        std::copy(rows[a], rows[a] + countEl, copy[a]);
    return copy;
}

// Reading the points table of one large row: a screenful of cells, and every cell once.
// Every data() call must do the same small amount of work, whatever the row's size.

#include <ctablemodel.h>
#include <icameraangles.h>
#include <rcsgrid.h>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

constexpr int pointCount = 200000;
constexpr int screenRows = 40;

struct MovingCamera : ICameraAngles {
    CameraDirection direction{123.4, 17.0};
    std::optional<CameraDirection> cameraDirection() const override { return direction; }
};

// One row of 200,000 points sharing a 1-degree grid (copies of a point share their grid).
struct LargeRow {
    LargeRow()
        : grid(allocateRcsGrid(361, 181))
    {
        for (std::uint32_t a = 0; a < 361; ++a)
            for (std::uint32_t e = 0; e < 181; ++e)
                grid[a][e] = TRcsValue(a * 0.01, e * -1e-9);
        points.resize(pointCount);
        for (int i = 0; i < pointCount; ++i) {
            points[std::size_t(i)].x = i * 0.125;
            points[std::size_t(i)].hidden = i % 3 == 0 ? 1.0 : 0.0;
            points[std::size_t(i)].rcs = grid;
            points[std::size_t(i)].countAz = 361;
            points[std::size_t(i)].countEl = 181;
        }
        table.setCameraAngles(&camera);
        table.setPoints(&points);
    }
    ~LargeRow()
    {
        table.setPoints(nullptr);
        releaseRcsGrid(grid);
    }

    TRcsValue** grid;
    std::vector<TMtmPoint> points;
    MovingCamera camera;
    CTableModel table{std::make_shared<RcsGridShare>()};
};

LargeRow& largeRow()
{
    static LargeRow row;
    return row;
}

void readCells(benchmark::State& state, int firstRow, int rowCount)
{
    CTableModel& table = largeRow().table;
    std::int64_t cells = 0;
    for (auto _ : state) {
        for (int row = firstRow; row < firstRow + rowCount; ++row) {
            for (int column = 0; column < CTableModel::ColumnCount; ++column) {
                const QModelIndex index = table.index(row, column);
                benchmark::DoNotOptimize(table.data(index, Qt::DisplayRole));
                benchmark::DoNotOptimize(table.data(index, Qt::CheckStateRole));
            }
        }
        cells += std::int64_t(rowCount) * CTableModel::ColumnCount;
    }
    state.SetItemsProcessed(cells);
    state.counters["ns/cell"] = benchmark::Counter(
        double(cells), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_Screenful(benchmark::State& state)
{
    // The middle of the table: a cell there must cost what a cell at the top costs.
    readCells(state, int(state.range(0)), screenRows);
}
BENCHMARK(BM_Screenful)->Arg(0)->Arg(pointCount / 2)->Arg(pointCount - screenRows);

void BM_FullPass(benchmark::State& state)
{
    readCells(state, 0, pointCount);
}
BENCHMARK(BM_FullPass)->Unit(benchmark::kMillisecond);

void BM_OpenRow(benchmark::State& state)
{
    LargeRow& row = largeRow();
    for (auto _ : state) {
        row.table.setPoints(&row.points);
        benchmark::DoNotOptimize(row.table.rowCount());
    }
}
BENCHMARK(BM_OpenRow);

} // namespace

BENCHMARK_MAIN();

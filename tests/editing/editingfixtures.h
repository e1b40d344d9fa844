#pragma once
// Small builders shared by the editing tests: a Qt application, points with filled grids, rows.

#include <clistmodel.h>
#include <icameraangles.h>
#include <ipointscene.h>
#include <rcsgrid.h>

#include <QApplication>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace editingtest {

inline QApplication& app()
{
    static int argc = 1;
    static char name[] = "editing-tests";
    static char* argv[] = {name, nullptr};
    static auto* application = new QApplication(argc, argv);
    return *application;
}

// Cell (a, e) holds (a + e / 1000, -a): every cell tells where it is.
inline TMtmPoint pointWithGrid(double x, std::uint32_t countAz, std::uint32_t countEl)
{
    TMtmPoint point;
    point.x = x;
    point.countAz = countAz;
    point.countEl = countEl;
    point.rcs = allocateRcsGrid(countAz, countEl);
    for (std::uint32_t a = 0; a < countAz; ++a)
        for (std::uint32_t e = 0; e < countEl; ++e)
            point.rcs[a][e] = TRcsValue(a + e / 1000.0, 0.0 - double(a));
    return point;
}

// A row with an MTM of `count` points at x = 0, 1, 2, ...
inline TModelItem rowWithPoints(const std::string& path, int count, std::uint32_t countAz = 3,
                                std::uint32_t countEl = 2)
{
    TModelItem item;
    item.name = path;
    item.mtmPath = path;
    for (int i = 0; i < count; ++i)
        item.mtm.points.push_back(pointWithGrid(i, countAz, countEl));
    return item;
}

struct FixedCamera : ICameraAngles {
    std::optional<CameraDirection> direction;
    std::optional<CameraDirection> cameraDirection() const override { return direction; }
};

struct RecordingScene : IPointScene {
    bool renderer = true;
    std::vector<std::tuple<int, double, double, double>> moves;
    int refreshes = 0;
    std::vector<int> highlights;

    bool hasRenderer() const override { return renderer; }
    void movePointInScene(int row, double x, double y, double z) override
    {
        moves.emplace_back(row, x, y, z);
    }
    void refreshMarkers() override { ++refreshes; }
    void highlightPoint(int row) override { highlights.push_back(row); }
};

} // namespace editingtest

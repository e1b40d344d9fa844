#include "mtmfixtures.h"

#include <dynamiclibrary.h>
#include <mtmfile.h>
#include <rcsgrid.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

bridge::OstrellFunctions stagedOstrell()
{
    static const bridge::OstrellFunctions functions = [] {
        const char* stage = std::getenv("KALMENO_STAGE_DIR");
        auto library = platform::DynamicLibrary::load(std::string(stage ? stage : ".") + "/bin/libOstrell.so");
        if (!library)
            throw std::runtime_error(library.error());
        bridge::OstrellFunctions bound;
        bound.getMTM = library.value().function<getMTM_t>("getMTM").value();
        bound.saveMTM = library.value().function<saveMTM_t>("saveMTM").value();
        bound.createPtrFuncDll = library.value().function<createPtrFuncDll_t>("createPtrFuncDll").value();
        library.value().keepLoaded();
        return bound;
    }();
    return functions;
}

void writeMtm(const std::string& path, int points, int countAz, int countEl, double distance)
{
    std::vector<TMtmSavePoint> save;
    for (int p = 0; p < points; ++p) {
        TRcsValue** grid = allocateRcsGrid(static_cast<std::uint32_t>(countAz), static_cast<std::uint32_t>(countEl));
        for (int a = 0; a < countAz; ++a)
            for (int e = 0; e < countEl; ++e)
                grid[a][e] = TRcsValue(p + a, e);
        save.push_back({p * 1.0, p * 2.0, p * 3.0, grid});
    }
    const auto written = ostrell::writeMtmFile(path, save.data(), static_cast<std::uint32_t>(points),
                                               static_cast<std::uint32_t>(countAz),
                                               static_cast<std::uint32_t>(countEl), distance);
    for (auto& point : save)
        releaseRcsGrid(point.rcs);
    ASSERT_TRUE(written.ok()) << written.error();
}

void writeLegacyMtm(const std::string& path, int points, int countAz, int countEl, double distance)
{
    writeMtm(path, points, countAz, countEl, distance);
    auto bytes = fileBytes(path);
    bytes.erase(bytes.begin(), bytes.begin() + 4);
    writeBytes(path, bytes);
}

std::vector<char> fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const std::string& path, const std::vector<char>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

TModelItem rowWithPoints(int points, int boxId, const std::string& path)
{
    TModelItem item;
    item.name = path.empty() ? "row" : path;
    item.mtmPath = path;
    item.mtm.path = path;
    item.mtm.points.resize(static_cast<std::size_t>(points));
    for (int p = 0; p < points; ++p)
        item.mtm.points[static_cast<std::size_t>(p)].x = p;
    item.area.boxId = boxId;
    return item;
}

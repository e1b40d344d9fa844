#pragma once
// The in-memory MTM record shared by Kalmeno and Ostrell, and the signatures of Ostrell's exports.
// Both libraries are built with one toolchain and one C++ runtime, so these records (with their
// strings, vectors and amplitude rows) cross between them freely.

#include <complex>
#include <cstdint>
#include <string>
#include <vector>

struct TFcoMtm;

// One complex scattering amplitude: real part then imaginary part, 16 bytes.
using TRcsValue = std::complex<double>;
static_assert(sizeof(TRcsValue) == 16, "an amplitude is two doubles");

// One scattering point. `rcs` is a table of `countAz` rows of `countEl` values; copies of a point
// share it. Grids are made and released only through allocateRcsGrid/releaseRcsGrid (rcsgrid.h).
struct TMtmPoint {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    double hidden = 0.0;                 // 1.0 = hidden, anything else = shown
    float color[4] = {0.f, 0.f, 0.f, 1.f};
    TRcsValue** rcs = nullptr;
    std::uint32_t countAz = 0;
    std::uint32_t countEl = 0;
};

// One MTM. Destroying it does not release the points' grids: rows are owned by whoever lists them.
struct TMtm {
    std::string path;                    // local 8-bit (UTF-8 here)
    std::int32_t Przn = 0;
    double distance = 0.0;
    std::int32_t hidden = 0;
    float color[4] = {0.f, 0.f, 0.f, 1.f};
    std::vector<TMtmPoint> points;
};

// The compact point handed to saveMTM; `rcs` is borrowed.
struct TMtmSavePoint {
    double x;
    double y;
    double z;
    TRcsValue** rcs;
};
static_assert(sizeof(TMtmSavePoint) == 32, "the computation library returns arrays of these");

// Ostrell's exports, resolved by their plain names.
using getMTM_t = bool (*)(const std::string& path, TMtm* out);
using saveMTM_t = bool (*)(const std::string& path, TMtmSavePoint* points, std::uint32_t* count,
                           std::uint32_t* countAz, std::uint32_t* countEl, double* distance);
using getFileSize_t = std::uint32_t (*)(std::string path);
using createPtrFuncDll_t = bool (*)();
using createMTM_t = bool (*)(std::string& path, double* position, TFcoMtm* pack);
using terminateProcces_t = int (*)();

// The computation library's exports, as Ostrell calls them.
using Calculate_MTM_t = TMtmSavePoint* (*)(TFcoMtm* pack, std::int32_t* count);
using TerminateProcces_t = int (*)();
// Not bound by Ostrell: percentage (0 … 100) of the running computation, for a status bar.
using GetCalculationProgress_t = double (*)();

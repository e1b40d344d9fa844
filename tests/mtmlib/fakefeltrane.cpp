// Stand-ins for the computation library, built only for the tests. One source, several variants:
// FAKE_WITHOUT_CALCULATE, FAKE_WITHOUT_TERMINATE, FAKE_RETURNS_NOTHING.
// The pack's countX picks a behaviour: kWaitForAbort (or the wavelength kWaitForAbortWaveLength)
// blocks until TerminateProcces is called, reporting kProgressWhileWaiting meanwhile; kNullPoints
// claims points without returning any; anything else computes kFakePoints points.

#include "fakefeltrane.h"

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

std::atomic<int> calculateCalls{0};
std::atomic<bool> abortRequested{false};
std::atomic<bool> computing{false};
std::atomic<double> progress{0.0};

std::vector<TRcsValue> values;
std::vector<TRcsValue*> rows;
std::vector<TMtmSavePoint> points;

} // namespace

#ifndef FAKE_WITHOUT_CALCULATE
FAKE_EXPORT TMtmSavePoint* Calculate_MTM(TFcoMtm* pack, std::int32_t* count)
{
    ++calculateCalls;
#ifdef FAKE_RETURNS_NOTHING
    (void)pack;
    *count = 0;
    return nullptr;
#else
    progress = 0.0;
    if (pack->countX == fakefeltrane::kWaitForAbort || pack->waveLength == fakefeltrane::kWaitForAbortWaveLength) {
        // Only an abort during this computation ends it; without one it gives up claiming points
        // it does not return, which the caller reports differently.
        abortRequested = false;
        computing = true;
        progress = fakefeltrane::kProgressWhileWaiting;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!abortRequested && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        computing = false;
        *count = abortRequested ? 0 : fakefeltrane::kFakePoints;
        return nullptr;
    }
    if (pack->countX == fakefeltrane::kNullPoints) {
        *count = fakefeltrane::kFakePoints;
        return nullptr;
    }
    const auto countAz = std::uint32_t(360.0 / pack->psiStep + 1.0);
    const auto countEl = std::uint32_t(180.0 / pack->tetaStep + 1.0);
    values.assign(std::size_t(fakefeltrane::kFakePoints) * countAz * countEl, {});
    rows.assign(std::size_t(fakefeltrane::kFakePoints) * countAz, nullptr);
    points.clear();
    for (std::uint32_t p = 0; p < std::uint32_t(fakefeltrane::kFakePoints); ++p) {
        for (std::uint32_t a = 0; a < countAz; ++a) {
            TRcsValue* row = values.data() + (std::size_t(p) * countAz + a) * countEl;
            rows[std::size_t(p) * countAz + a] = row;
            for (std::uint32_t e = 0; e < countEl; ++e)
                row[e] = fakefeltrane::value(p, a, e);
        }
        points.push_back({p + 1.0, -double(p), 0.5 * p, rows.data() + std::size_t(p) * countAz});
    }
    pack->distance = fakefeltrane::kDistance;
    progress = 100.0;
    *count = fakefeltrane::kFakePoints;
    return points.data();
#endif
}
#endif

#ifndef FAKE_WITHOUT_TERMINATE
FAKE_EXPORT int TerminateProcces()
{
    abortRequested = true;
    return fakefeltrane::kTerminateResult;
}
#endif

FAKE_EXPORT double GetCalculationProgress()
{
    return progress;
}

FAKE_EXPORT int fakeCalculateCalls()
{
    return calculateCalls;
}

FAKE_EXPORT int fakeIsComputing()
{
    return computing ? 1 : 0;
}

#include "computationbinding.h"

#include "dynamiclibrary.h"
#include "filereplacement.h"
#include "mtmfile.h"

#include <cmath>
#include <filesystem>
#include <limits>
#include <system_error>

namespace ostrell {

kalmeno::Result<std::int32_t> gridSamples(double stepDegrees, double spanDegrees)
{
    using R = kalmeno::Result<std::int32_t>;
    if (!std::isfinite(stepDegrees) || stepDegrees <= 0.0)
        return R::failure("a step of " + std::to_string(stepDegrees) + " degrees gives no grid");
    const double samples = spanDegrees / stepDegrees + 1.0;
    if (!(samples < double(std::numeric_limits<std::int32_t>::max())))
        return R::failure("a step of " + std::to_string(stepDegrees) + " degrees gives too many samples");
    return R::success(std::int32_t(std::int64_t(samples)));
}

kalmeno::Status ComputationBinding::bind(const std::string& libraryName)
{
    using S = kalmeno::Status;
    // The loader knows a library by the name it was given; an absolute name keeps a later bind from
    // another current folder from getting the library loaded earlier.
    std::string name = libraryName;
    if (name.find('/') != std::string::npos) {
        std::error_code error;
        const auto absolute = std::filesystem::absolute(name, error);
        if (!error)
            name = absolute.lexically_normal().string();
    }
    auto library = platform::DynamicLibrary::load(name);
    if (!library)
        return S::failure(library.error());
    auto calculate = library->function<Calculate_MTM_t>("Calculate_MTM");
    if (!calculate)
        return S::failure(calculate.error());
    auto abort = library->function<TerminateProcces_t>("TerminateProcces");
    library->keepLoaded();
    terminate_.store(abort ? abort.value() : nullptr);
    calculate_.store(calculate.value());
    return S::success();
}

kalmeno::Status ComputationBinding::createMtm(const std::string& path, TFcoMtm* pack) const
{
    using S = kalmeno::Status;
    const Calculate_MTM_t calculate = calculate_.load();
    if (!calculate)
        return S::failure("the computation library is not bound");
    if (!pack)
        return S::failure("no computation input");
    const auto countAz = gridSamples(pack->psiStep, 360.0);
    if (!countAz)
        return S::failure("azimuth: " + countAz.error());
    const auto countEl = gridSamples(pack->tetaStep, 180.0);
    if (!countEl)
        return S::failure("elevation: " + countEl.error());

    std::int32_t count = 0;
    TMtmSavePoint* points = calculate(pack, &count);
    if (count <= 0)
        return S::failure("the computation returned no points");
    if (!points)
        return S::failure("the computation returned " + std::to_string(count) + " points without data");
    // A computation that cannot be written leaves the file that was there before.
    return platform::replaceFile(path, [&](platform::FileReplacement& file) {
        return writeMtmFile(file.temporaryPath(), points, std::uint32_t(count), std::uint32_t(countAz.value()),
                            std::uint32_t(countEl.value()), pack->distance);
    });
}

int ComputationBinding::terminate() const
{
    const TerminateProcces_t abort = terminate_.load();
    return abort ? abort() : 0;
}

} // namespace ostrell

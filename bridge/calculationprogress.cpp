#include "calculationprogress.h"

#include <dynamiclibrary.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>

namespace bridge {

void CalculationProgress::bind(const std::string& libraryName)
{
    progress_ = nullptr;
    // The loader knows a library by the name it was loaded under: a relative name would find one
    // loaded earlier from another current folder.
    std::error_code error;
    const auto absolute = std::filesystem::absolute(libraryName, error);
    auto library = platform::DynamicLibrary::load(error ? libraryName : absolute.lexically_normal().string());
    if (!library)
        return;
    auto progress = library->function<GetCalculationProgress_t>("GetCalculationProgress");
    if (!progress)
        return;
    // The MTM library keeps the same file loaded for good; this reference stays with it.
    library->keepLoaded();
    progress_ = progress.value();
}

std::optional<double> CalculationProgress::percent() const
{
    if (!progress_)
        return std::nullopt;
    const double value = progress_();
    if (!std::isfinite(value))
        return std::nullopt;
    return std::clamp(value, 0.0, 100.0);
}

} // namespace bridge

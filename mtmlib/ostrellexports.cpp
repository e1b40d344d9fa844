// The exports of libOstrell.so, under their plain names. They only adapt the core's results to
// the plain answers the plug-in expects; everything else stays hidden.

#include "computationbinding.h"
#include "mtmfile.h"
#include "tmtm.h"

#include <exportsymbol.h>

#include <filesystem>
#include <system_error>

#define OSTRELL_EXPORT extern "C" PLATFORM_EXPORT

namespace {

// The computation library bound by createPtrFuncDll, for the rest of the process.
ostrell::ComputationBinding& processBinding()
{
    static ostrell::ComputationBinding binding;
    return binding;
}

} // namespace

OSTRELL_EXPORT bool getMTM(const std::string& path, TMtm* out)
{
    if (!out)
        return false;
    try {
        auto mtm = ostrell::readMtmFile(path);
        if (!mtm)
            return false;
        *out = std::move(mtm.value());
        return true;
    } catch (...) {
        return false;
    }
}

OSTRELL_EXPORT bool saveMTM(const std::string& path, TMtmSavePoint* points, std::uint32_t* count,
                            std::uint32_t* countAz, std::uint32_t* countEl, double* distance)
{
    if (!points || !count || !countAz || !countEl || !distance)
        return false;
    try {
        return ostrell::writeMtmFile(path, points, *count, *countAz, *countEl, *distance).ok();
    } catch (...) {
        return false;
    }
}

OSTRELL_EXPORT std::uint32_t getFileSize(std::string path)
{
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error)
        throw std::filesystem::filesystem_error("file_size", path, error);
    return std::uint32_t(size);
}

OSTRELL_EXPORT bool createPtrFuncDll()
{
    try {
        return processBinding().bind("./MTM/Feltrane.dll").ok();
    } catch (...) {
        return false;
    }
}

OSTRELL_EXPORT bool createMTM(std::string& path, double* position, TFcoMtm* pack)
{
    (void)position; // the computation works in the generation area's own frame
    try {
        return processBinding().createMtm(path, pack).ok();
    } catch (...) {
        return false;
    }
}

OSTRELL_EXPORT int terminateProcces()
{
    return processBinding().terminate();
}

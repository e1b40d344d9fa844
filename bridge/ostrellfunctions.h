#pragma once
// The library functions the bridge reads and writes MTMs through; any may be unbound (null).

#include <tmtm.h>

namespace bridge {

struct OstrellFunctions {
    getMTM_t getMTM = nullptr;
    saveMTM_t saveMTM = nullptr;
    createPtrFuncDll_t createPtrFuncDll = nullptr;
};

} // namespace bridge

#pragma once
// The six entry points of the MTM library (Ostrell) as the main window binds them; any may be null.

#include "tmtm.h"

struct OstrellEntryPoints {
    createPtrFuncDll_t createPtrFuncDll = nullptr;
    getFileSize_t getFileSize = nullptr;
    getMTM_t getMTM = nullptr;
    createMTM_t createMTM = nullptr;
    saveMTM_t saveMTM = nullptr;
    terminateProcces_t terminateProcces = nullptr;
};

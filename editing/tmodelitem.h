#pragma once
// One row of the list of models.

#include "tgenerationarea.h"

#include <tmtm.h>

#include <string>

struct TModelItem {
    std::string name;                    // local 8-bit; the file path for a row opened from a file
    std::string label;
    std::string mtmPath;                 // empty while the row has no MTM
    TMtm mtm;
    TGenerationArea area;
};

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
    // Markers this row's points have in the host: its first points, in order (none where the host
    // refused the area). Later rows' markers follow these.
    int publishedMarkers = 0;
};

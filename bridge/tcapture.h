#pragma once
// One prepared capture: the kept triangles in the generation area's box frame and the materials
// they use. Triangle k owns vertices 3k, 3k + 1 and 3k + 2.

#include "txormaterialusage.h"

#include <fcopack.h>

#include <vector>

struct TCapture {
    std::vector<TFcoVertex> capturedVertices;
    std::vector<TFcoTriangle> capturedTriangles;
    // In order of first use.
    std::vector<TXorMaterialUsage> materialUsage;
};

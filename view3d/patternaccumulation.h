#pragma once
// Adding points into the complex sums of pattern cells: the one arithmetic behind the whole-model
// pattern and the pattern computed band by band, so that both give the same values to the bit.

#include "patternstencil.h"
#include "tmtm.h"

#include <cstdint>

// A point that contributes, with the stencil of its grid.
struct PatternContribution {
    const TRcsValue* const* rows;
    const PatternStencil* stencil;
};

// Adds the contribution of one point to the sums of stencil rows [firstRow, endRow). The sums are
// interleaved (re, im) per cell, row i at sums + i · patternEl · 2. The interpolation is written out
// term by term in a fixed order, so every cell gets exactly the value of evaluating it alone.
void accumulatePatternRows(const PatternContribution& point, std::uint32_t firstRow, std::uint32_t endRow,
                           std::uint32_t patternEl, double* sums);

// 10 · log10(4π · |S|²) of a cell's sum; 0 for anything below 0 dB or that is no number.
double patternDecibels(double re, double im);

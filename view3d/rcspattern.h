#pragma once
// The radar cross-section of a whole model, in dB, over the azimuth × elevation grid of its first
// point. Plain C++ so that the 3-D view, the tool and the tests share one computation.

#include "tmtm.h"

#include <cstddef>
#include <vector>

// One row per azimuth sample (0 … 2π inclusive), one value per elevation sample (−π/2 … +π/2
// inclusive). Values are 10·log10(RCS in m²), never below 0 and always finite.
using RcsPattern = std::vector<std::vector<double>>;

// The pattern of `mtm`: for every direction the points' amplitudes are interpolated bilinearly
// from each point's own grid, summed coherently and turned into dB.
// Throws std::runtime_error when the model has no points.
// Points without samples on an axis (or without a row table) are skipped; a one-sample axis stands
// for its only sample. A model whose first point has no samples gives an empty pattern.
RcsPattern computePattern(const TMtm& mtm);
// The same on at most `maxThreads` threads (0 counts as 1).
RcsPattern computePattern(const TMtm& mtm, unsigned maxThreads);

// The largest finite value of the pattern, starting from 0.0; 0.0 for an empty pattern.
double patternMaximum(const RcsPattern& pattern);
double patternMaximum(const double* values, std::size_t count);

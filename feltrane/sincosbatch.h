#pragma once
// Sine and cosine of many arguments at once, in a loop the compiler turns into vector code:
// the phases of one direction are the bulk of the computation's transcendental work.

#include <cstddef>

namespace feltrane {

// s[i] = sin x[i], c[i] = cos x[i], within a few ulp. Arguments beyond ±1.6e6 go to the C library.
void sinCosBatch(const double* x, double* s, double* c, std::size_t n);

} // namespace feltrane

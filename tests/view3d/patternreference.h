#pragma once
// The pattern computed the slow, obvious way: every cell, every point, every formula inline. The
// fast computation must agree with it.

#include "rcspattern.h"

// Grids must have at least two samples on each axis.
RcsPattern referencePattern(const TMtm& mtm);

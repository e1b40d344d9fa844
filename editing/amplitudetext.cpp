#include "amplitudetext.h"

#include <cmath>

QString amplitudePartText(double value)
{
    return std::fabs(value) < 1e-6 ? QString::number(value, 'g', 6)
                                   : QString::number(value, 'f', 6);
}

#pragma once
// How the tables write one part of a complex amplitude: six decimals, or six significant digits
// for magnitudes too small to show in six decimals.

#include <QString>

QString amplitudePartText(double value);

#pragma once
// The colour scale of pattern values: hue from blue (0) through green (half) to red (max).

struct RcsColor {
    float r;
    float g;
    float b;
};

// Full saturation and brightness, hue 240° at 0 down to 0° at `max`. Values above `max` run on
// from red towards magenta; with max ≤ 0 every value is blue. A value or maximum that is no
// finite number is painted blue.
RcsColor rcsColor(double value, double max);

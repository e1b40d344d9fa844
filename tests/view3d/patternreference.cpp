#include "patternreference.h"

#include "numbers.h"

#include <cmath>
#include <complex>

namespace {

using platform::pi;

double bilinear(double x, double y, double x0, double x1, double y0, double y1, double f00, double f10,
                double f01, double f11)
{
    const double d = (x1 - x0) * (y1 - y0);
    if (std::fabs(d) < 1e-9)
        return f00;
    return ((x - x0) * f10 * (y1 - y) + (x1 - x) * f00 * (y1 - y) + (x1 - x) * f01 * (y - y0)
            + (x - x0) * f11 * (y - y0))
           / d;
}

} // namespace

RcsPattern referencePattern(const TMtm& mtm)
{
    const unsigned nAz = mtm.points.front().countAz;
    const unsigned nEl = mtm.points.front().countEl;
    RcsPattern pattern(nAz, std::vector<double>(nEl, 0.0));
    for (unsigned i = 0; i < nAz; ++i) {
        for (unsigned j = 0; j < nEl; ++j) {
            const double phi = i * 2 * pi / (nAz - 1);
            const double theta = j * pi / (nEl - 1) - pi / 2;
            std::complex<double> sum = 0;
            for (const TMtmPoint& p : mtm.points) {
                const unsigned A = p.countAz;
                const unsigned B = p.countEl;
                const double sA = 2 * pi / (A - 1);
                const double sB = pi / (B - 1);
                double a = phi;
                while (a < 0)
                    a += 2 * pi;
                while (a >= 2 * pi)
                    a -= 2 * pi;
                const int t = int(std::floor((theta + pi / 2) / sB));
                const int v = int(std::floor(a / sA));
                const int j0 = t > 0 ? t : 0;
                const int j1 = t + 1 < int(B) ? t + 1 : int(B) - 1;
                const double e0 = j0 * sB - pi / 2;
                const double e1 = j1 * sB - pi / 2;
                const unsigned i0 = unsigned(v) % A;
                const unsigned i1 = unsigned(v + 1) % A;
                double a0 = i0 * sA;
                double a1 = i1 * sA;
                if (std::fabs(a1 - a0) > pi) {
                    if (a0 > a)
                        a0 = a0 - 2 * pi;
                    else
                        a1 = a1 + 2 * pi;
                }
                const TRcsValue f00 = p.rcs[i0][j0];
                const TRcsValue f10 = p.rcs[i1][j0];
                const TRcsValue f01 = p.rcs[i0][j1];
                const TRcsValue f11 = p.rcs[i1][j1];
                const double re = bilinear(a, theta, a0, a1, e0, e1, f00.real(), f10.real(), f01.real(), f11.real());
                const double im = bilinear(a, theta, a0, a1, e0, e1, f00.imag(), f10.imag(), f01.imag(), f11.imag());
                sum += std::complex<double>(re, im);
            }
            const double db = 10 * std::log10(4 * pi * (sum.real() * sum.real() + sum.imag() * sum.imag()));
            pattern[i][j] = db < 0 ? 0 : db;
        }
    }
    return pattern;
}

// Biquad coefficients after the well-known audio cookbook formulas.
#include "cFilter.h"

#include <algorithm>
#include <cmath>

cFilter::cFilter(eKind k, double frequency, double q, double r) : kind(k), rate(r) { tune(frequency, q); }

void cFilter::tune(double frequency, double q) {
    const double f = std::clamp(frequency, 10.0, rate * 0.45);
    const double w = 2 * 3.14159265358979323846 * f / rate;
    const double alpha = std::sin(w) / (2 * std::max(q, 0.05));
    const double c = std::cos(w);
    const double a0 = 1 + alpha;
    switch (kind) {
    case lowPass:
        b0 = (1 - c) / 2, b1 = 1 - c, b2 = (1 - c) / 2;
        break;
    case highPass:
        b0 = (1 + c) / 2, b1 = -(1 + c), b2 = (1 + c) / 2;
        break;
    case bandPass:
        b0 = alpha, b1 = 0, b2 = -alpha;
        break;
    }
    b0 /= a0, b1 /= a0, b2 /= a0;
    a1 = -2 * c / a0;
    a2 = (1 - alpha) / a0;
}

float cFilter::step(float x) {
    const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1, x1 = x, y2 = y1, y1 = y;
    return float(y);
}

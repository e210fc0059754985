#include "convert/Lineweights.h"

#include <cmath>

namespace orvik {
namespace {

constexpr int kOffered[] = {0,  5,  9,  13, 15, 18,  20,  25,  30,  35,  40,  50,
                            53, 60, 70, 80, 90, 100, 106, 120, 140, 158, 200, 211};

}  // namespace

int NearestLineweight(double millimetres) {
    if (!(millimetres > 0) || !std::isfinite(millimetres)) return -1;
    const double hundredths = millimetres * 100;
    int best = kOffered[0];
    for (int w : kOffered)
        if (std::fabs(w - hundredths) < std::fabs(best - hundredths)) best = w;
    return best;
}

}  // namespace orvik

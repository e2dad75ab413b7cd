#include "mdic.h"

#include <cmath>
#include <limits>

namespace vorlan::mDic {

namespace {

int32_t toLong(double value) {
    // Round to nearest, ties to even, clamped to what 32 bits hold.
    const double r = std::nearbyint(value);
    if (!(r >= std::numeric_limits<int32_t>::min())) {
        return std::numeric_limits<int32_t>::min();
    }
    if (r > std::numeric_limits<int32_t>::max()) {
        return std::numeric_limits<int32_t>::max();
    }
    return static_cast<int32_t>(r);
}

float share(int32_t total, int32_t part, int divisor) {
    // The difference is taken in 64 bits so that absurd sizes cannot overflow.
    const auto difference = static_cast<int64_t>(total) - static_cast<int64_t>(part);
    return static_cast<float>(static_cast<double>(difference) / divisor);
}

} // namespace

Placement placement(double screenWidth, double screenHeight, double windowWidth,
                    double windowHeight) {
    const int32_t sh = toLong(screenHeight);
    const int32_t sw = toLong(screenWidth);
    const int32_t wh = toLong(windowHeight);
    const int32_t ww = toLong(windowWidth);
    return {share(sw, ww, 2), share(sh, wh, 3)};
}

void PlaceForm(PlacedWindow &form) {
    const double screenHeight = form.screenHeightTwips();
    const double screenWidth = form.screenWidthTwips();
    const double height = form.outerHeightTwips();
    const double width = form.outerWidthTwips();
    const Placement p = placement(screenWidth, screenHeight, width, height);
    form.setLeftTwips(p.left);
    form.setTopTwips(p.top);
}

} // namespace vorlan::mDic

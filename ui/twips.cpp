#include "twips.h"

#include <QScreen>

#include <cmath>

namespace vorlan {

namespace {
constexpr double kTwipsPerInch = 1440.0;
constexpr double kDefaultDpi = 96.0;

double usableDpi(double dpi) {
    return dpi > 0 && std::isfinite(dpi) ? dpi : kDefaultDpi;
}
} // namespace

Twips::Twips(const QScreen *screen)
    : Twips(screen ? screen->logicalDotsPerInchX() : kDefaultDpi,
            screen ? screen->logicalDotsPerInchY() : kDefaultDpi) {}

Twips::Twips(double dpiX, double dpiY)
    : perPixelX_(kTwipsPerInch / usableDpi(dpiX)), perPixelY_(kTwipsPerInch / usableDpi(dpiY)) {}

int Twips::toPixelsX(double twips) const {
    return static_cast<int>(std::lround(twips / perPixelX_));
}

int Twips::toPixelsY(double twips) const {
    return static_cast<int>(std::lround(twips / perPixelY_));
}

} // namespace vorlan

#pragma once

class QScreen;

namespace vorlan {

// Positions and sizes are kept in twips (1/1440 inch) and turned into pixels
// at the screen's logical DPI: 15 twips per pixel at 96 DPI.
class Twips {
public:
    explicit Twips(const QScreen *screen);
    // For a known DPI, e.g. in tests.
    Twips(double dpiX, double dpiY);

    int toPixelsX(double twips) const;
    int toPixelsY(double twips) const;
    double fromPixelsX(int pixels) const { return pixels * perPixelX_; }
    double fromPixelsY(int pixels) const { return pixels * perPixelY_; }

private:
    double perPixelX_;
    double perPixelY_;
};

} // namespace vorlan

#pragma once

#include <cstdint>

namespace vorlan {

// What the placement routine reads and writes of a window, all in twips.
class PlacedWindow {
public:
    virtual ~PlacedWindow() = default;
    virtual double screenWidthTwips() const = 0;
    virtual double screenHeightTwips() const = 0;
    // Outer size: client area plus title bar and borders.
    virtual double outerWidthTwips() const = 0;
    virtual double outerHeightTwips() const = 0;
    virtual void setLeftTwips(float left) = 0;
    virtual void setTopTwips(float top) = 0;
};

namespace mDic {

struct Placement {
    float left;
    float top;
};

// Centred horizontally, and a third of the free height from the top. Sizes
// are rounded to whole twips (ties to even); the differences are 32-bit. A
// screen smaller than the window gives negative positions, left as they are.
Placement placement(double screenWidth, double screenHeight, double windowWidth,
                    double windowHeight);

// Reads the screen height, the screen width, the window's height and width,
// then sets Left, then Top.
void PlaceForm(PlacedWindow &form);

} // namespace mDic
} // namespace vorlan

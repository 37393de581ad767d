#pragma once
// Window and dialog geometry is designed in twips, 15 to a pixel at the design
// resolution. A design value converts to the nearest pixel, so the list's two
// columns (1775 and 1780 twips) come out 118 and 119 pixels and together fill
// its 241 pixels but for the border.

#include <QRect>
#include <QSize>

namespace pointilla::editing {

inline constexpr int kTwipsPerPixel = 15;

// Nearest pixel; design values are never negative.
constexpr int twipsToPixels(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }

inline QRect twipsRect(int left, int top, int width, int height) {
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                 twipsToPixels(height));
}

inline QSize twipsSize(int width, int height) {
    return QSize(twipsToPixels(width), twipsToPixels(height));
}

}  // namespace pointilla::editing

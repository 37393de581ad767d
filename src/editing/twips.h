#pragma once
// Window geometry is designed in twips, 15 to a pixel at the design resolution.

#include <QRect>
#include <QSize>

namespace pointilla::editing {

inline constexpr int kTwipsPerPixel = 15;

constexpr int twipsToPixels(int twips) { return twips / kTwipsPerPixel; }

inline QRect twipsRect(int left, int top, int width, int height) {
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                 twipsToPixels(height));
}

inline QSize twipsSize(int width, int height) {
    return QSize(twipsToPixels(width), twipsToPixels(height));
}

}  // namespace pointilla::editing

#pragma once
// Dialog geometry is designed in twips, 15 to a pixel at the design resolution.

namespace pointilla::editing::dialogs {

constexpr int kTwipsPerPixel = 15;

// Nearest pixel.
constexpr int px(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }

}  // namespace pointilla::editing::dialogs

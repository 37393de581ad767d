#pragma once
// The X and Y boxes of the item dialogs at "Ok": each must hold a whole number,
// and a value beyond the primary screen is pulled back onto its last pixel.

#include <optional>
#include <string>
#include <string_view>

#include "platform/desktop/desktop.h"

namespace pointilla::editing::dialogs {

// The box text as it is to be written: unchanged when it is a whole number not
// greater than `limit`, the text of limit - 1 when it is greater (a screen 1024
// pixels wide turns 5000 into "1023"; 1024 itself, 0 and negatives stay as
// typed). std::nullopt when the text is not a whole number (blanks around the
// number are allowed, as the capture writes one in front of it).
std::optional<std::string> boundCoordinateText(std::string_view box, int limit);

struct BoundedPosition {
    std::string x;
    std::string y;
};

// Both boxes bounded against the screen, X by its width and Y by its height;
// std::nullopt when either box is not a whole number.
std::optional<BoundedPosition> boundPosition(std::string_view xBox, std::string_view yBox,
                                             platform::ScreenSize screen);

}  // namespace pointilla::editing::dialogs

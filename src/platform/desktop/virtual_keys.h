#pragma once
// The Windows virtual-key codes the program asks about, as the hot key is
// stored and as KeyboardState takes them.

namespace pointilla::platform::vk {

inline constexpr int kEscape = 0x1B;  // stops a playback
inline constexpr int kShift = 0x10;
inline constexpr int kCtrl = 0x11;
inline constexpr int kAlt = 0x12;

// The top row's digits 0..9, the letters A..Z, the keypad's digits 0..9, F1..F12.
constexpr int topRowDigit(int n) { return 0x30 + n; }
constexpr int letter(char upper) { return 0x41 + (upper - 'A'); }
constexpr int keypadDigit(int n) { return 0x60 + n; }
constexpr int functionKey(int n) { return 0x70 + (n - 1); }

constexpr bool isTopRowDigit(int code) { return code >= topRowDigit(0) && code <= topRowDigit(9); }
constexpr bool isLetter(int code) { return code >= letter('A') && code <= letter('Z'); }
constexpr bool isKeypadDigit(int code) { return code >= keypadDigit(0) && code <= keypadDigit(9); }
constexpr bool isFunctionKey(int code) { return code >= functionKey(1) && code <= functionKey(12); }

}  // namespace pointilla::platform::vk

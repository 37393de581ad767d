#pragma once
// The detail texts of rows: how they are written and read. Captured positions,
// dialog positions and delays each have one writer and one or more readers
// here, so every subsystem agrees on the blanks.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pointilla::scenario {

// The live display's text of one coordinate: a blank in place of the sign for
// 0 and up, "-" otherwise. 512 -> " 512", 0 -> " 0", -3 -> "-3".
std::string coordinateText(long long n);

// The hot key's capture: X text, " , ", Y text, each as the live display shows it.
// (512, 384) -> " 512 ,  384".
std::string capturedPositionDetail(std::string_view xText, std::string_view yText);
std::string capturedPositionDetail(int x, int y);

// The dialogs' form: the two boxes joined with " ,  ". ("512", "384") -> "512 ,  384".
std::string dialogPositionDetail(std::string_view xBox, std::string_view yBox);

struct Position {
    int x = 0;
    int y = 0;
    friend bool operator==(const Position&, const Position&) = default;
};

// A whole number with an optional sign, blanks around it ignored, within 32 bits.
std::optional<int> parseWholeNumber(std::string_view text);

// Playback's reading: split at the first comma, each side a whole number with
// blanks around it ignored. std::nullopt without a comma or with a side that is
// not a whole number.
std::optional<Position> parsePositionDetail(std::string_view detail);

// The modification dialog's split: X is the text before the first comma less the
// one blank just before it; Y is the text after it less the blanks just after it.
// " 512 ,  384" -> (" 512", "384"); "512 ,  384" -> ("512", "384").
struct PositionBoxes {
    std::string x;
    std::string y;
    friend bool operator==(const PositionBoxes&, const PositionBoxes&) = default;
};
std::optional<PositionBoxes> splitPositionForDialog(std::string_view detail);

// A delay's seconds: a whole number of at least 1, blanks around it and leading
// zeros ignored ("05" and " 5" are 5). std::nullopt for anything else.
std::optional<int> parseDelaySeconds(std::string_view detail);

// The 60 entries of every delay list: "1" to "60".
std::vector<std::string> delayChoices();

}  // namespace pointilla::scenario

#pragma once
// A scenario row and the four kinds of row the program creates. All texts are
// UTF-8 in memory; files hold them in Windows-1252.

#include <string>
#include <string_view>

namespace pointilla::scenario {

struct Row {
    std::string action;
    std::string detail;
    friend bool operator==(const Row&, const Row&) = default;
};

// Action texts, spelled exactly as files and playback expect them.
inline constexpr std::string_view kPositionAction = "Position souris";
inline constexpr std::string_view kClickAction = "Clic souris";
inline constexpr std::string_view kDelayAction = "D\u00e9lai";
inline constexpr std::string_view kUrlAction = "URL";

// The detail every click row carries; nobody reads it.
inline constexpr std::string_view kClickDetail = "Clic";

// The web-address box's starting text; an address equal to it adds no row.
inline constexpr std::string_view kUrlPrefix = "http://";

// The delay lists offer the whole seconds 1 to 60.
inline constexpr int kMaxDelayChoice = 60;

inline Row clickRow() { return Row{std::string(kClickAction), std::string(kClickDetail)}; }

}  // namespace pointilla::scenario

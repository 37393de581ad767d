#pragma once
// A scenario row, and the fixed texts of the rows the program creates. The
// kinds of row are in scenario/row_kinds.h. All texts are UTF-8 in memory;
// files hold them in Windows-1252.

#include <string>
#include <string_view>

#include "scenario/row_kinds.h"

namespace pointilla::scenario {

struct Row {
    std::string action;
    std::string detail;
    friend bool operator==(const Row&, const Row&) = default;
};

// The detail every click row carries; nobody reads it.
inline constexpr std::string_view kClickDetail = "Clic";

// The web-address box's starting text; an address equal to it adds no row.
inline constexpr std::string_view kUrlPrefix = "http://";

// The delay lists offer the whole seconds 1 to 60.
inline constexpr int kMaxDelayChoice = 60;

inline Row makeRow(RowKind kind, std::string detail) {
    return Row{std::string(actionText(kind)), std::move(detail)};
}

inline Row clickRow() { return makeRow(RowKind::Click, std::string(kClickDetail)); }

}  // namespace pointilla::scenario

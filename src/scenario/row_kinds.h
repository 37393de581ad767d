#pragma once
// The kinds of scenario row, in one table: the text of each kind's Action
// column, what playback does with it (and so how its detail is read) and which
// frame of the item dialogs edits it. Playback, the dialogs and the creation
// panel look a row's kind up here rather than comparing action texts; a new
// kind is a new line of the table, and the compiler then points at every switch
// that must learn it.

#include <array>
#include <optional>
#include <string_view>

namespace pointilla::scenario {

enum class RowKind { Position, Click, Delay, Url };

// What playback does with a row.
enum class PlaybackStep {
    MovePointer,  // to the detail's position (parsePositionDetail)
    LeftClick,    // at the pointer; the detail is not read
    Wait,         // the detail's whole seconds (parseDelaySeconds)
    OpenAddress,  // the detail, as it stands, with the desktop's handler
};

// The frame of the insertion and modification dialogs that edits a row.
enum class EditFrame { None, Delay, Position, Url };

struct RowKindInfo {
    RowKind kind;
    std::string_view action;  // spelled exactly as files and playback expect it
    PlaybackStep playback;
    EditFrame frame;
};

inline constexpr std::array<RowKindInfo, 4> kRowKinds{{
    {RowKind::Position, "Position souris", PlaybackStep::MovePointer, EditFrame::Position},
    {RowKind::Click, "Clic souris", PlaybackStep::LeftClick, EditFrame::None},
    {RowKind::Delay, "D\u00e9lai", PlaybackStep::Wait, EditFrame::Delay},
    {RowKind::Url, "URL", PlaybackStep::OpenAddress, EditFrame::Url},
}};

constexpr const RowKindInfo& rowKindInfo(RowKind kind) {
    for (const RowKindInfo& info : kRowKinds) {
        if (info.kind == kind) return info;
    }
    return kRowKinds.front();  // unreachable: every kind has its line
}

constexpr std::string_view actionText(RowKind kind) { return rowKindInfo(kind).action; }

// The kind whose action text is exactly `action` (case and accents included);
// std::nullopt for any other text, which a file may hold and playback skips.
constexpr std::optional<RowKind> kindOfAction(std::string_view action) {
    for (const RowKindInfo& info : kRowKinds) {
        if (info.action == action) return info.kind;
    }
    return std::nullopt;
}

// The frame that edits rows with this action text; EditFrame::None for a click
// or an unknown text.
constexpr EditFrame editFrameOf(std::string_view action) {
    const auto kind = kindOfAction(action);
    return kind ? rowKindInfo(*kind).frame : EditFrame::None;
}

}  // namespace pointilla::scenario

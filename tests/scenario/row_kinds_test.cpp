// The table of row kinds: the action texts are what files hold, byte for byte,
// and every lookup finds the kind's own line.
#include "scenario/row_kinds.h"

#include <gtest/gtest.h>

#include "scenario/row.h"

namespace pointilla::scenario {
namespace {

TEST(RowKinds, ActionTextsPlaybackAndFramesAreThoseOfEachKind) {
    struct Expected {
        RowKind kind;
        const char* action;
        PlaybackStep playback;
        EditFrame frame;
    };
    const Expected table[] = {
        {RowKind::Position, "Position souris", PlaybackStep::MovePointer, EditFrame::Position},
        {RowKind::Click, "Clic souris", PlaybackStep::LeftClick, EditFrame::None},
        {RowKind::Delay, "D\xc3\xa9lai", PlaybackStep::Wait, EditFrame::Delay},
        {RowKind::Url, "URL", PlaybackStep::OpenAddress, EditFrame::Url},
    };
    for (const Expected& e : table) {
        SCOPED_TRACE(e.action);
        EXPECT_EQ(rowKindInfo(e.kind).kind, e.kind);
        EXPECT_EQ(actionText(e.kind), e.action);
        EXPECT_EQ(kindOfAction(e.action), e.kind);
        EXPECT_EQ(rowKindInfo(e.kind).playback, e.playback);
        EXPECT_EQ(editFrameOf(e.action), e.frame);
    }
    EXPECT_EQ(clickRow(), (Row{"Clic souris", "Clic"}));
}

TEST(RowKinds, OtherTextsAreNoKind) {
    for (const char* text : {"", "url", "Delai", "Position souris ", "Clic"}) {
        EXPECT_EQ(kindOfAction(text), std::nullopt) << text;
        EXPECT_EQ(editFrameOf(text), EditFrame::None) << text;
    }
}

}  // namespace
}  // namespace pointilla::scenario

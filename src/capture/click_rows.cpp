#include "capture/click_rows.h"

#include <string>

#include "scenario/detail_text.h"

namespace pointilla::capture {

std::vector<scenario::Row> pauseRows(std::chrono::milliseconds pause) {
    std::vector<scenario::Row> rows;
    if (pause < kShortestPause) return rows;
    // To the nearest second, halves up: 1.5 s waits 2 s.
    long long seconds = (pause.count() + 500) / 1000;
    for (; seconds > 0; seconds -= scenario::kMaxDelayChoice) {
        const long long part = std::min<long long>(seconds, scenario::kMaxDelayChoice);
        rows.push_back(scenario::makeRow(scenario::RowKind::Delay, std::to_string(part)));
    }
    return rows;
}

std::vector<scenario::Row> ClickRowBuilder::rowsFor(const platform::LeftButtonPress& press,
                                                    bool onOwnWindow) {
    if (onOwnWindow) return {};
    std::vector<scenario::Row> rows;
    if (lastPress_) rows = pauseRows(press.at - *lastPress_);
    lastPress_ = press.at;
    ++clicks_;
    rows.push_back(
        scenario::makeRow(scenario::RowKind::Position,
                          scenario::capturedPositionDetail(press.point.x, press.point.y)));
    rows.push_back(scenario::clickRow());
    return rows;
}

std::vector<scenario::Row> ClickRowBuilder::takeFrom(platform::ClickSource& source,
                                                     const OwnWindowTest& onOwnWindow) {
    std::vector<scenario::Row> rows;
    for (const platform::LeftButtonPress& press : source.takePresses()) {
        auto more = rowsFor(press, onOwnWindow && onOwnWindow(press.point));
        rows.insert(rows.end(), more.begin(), more.end());
    }
    return rows;
}

}  // namespace pointilla::capture

#include "playback/playback_engine.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/testing/recording_desktop.h"
#include "playback/stop_key_watch.h"
#include "scenario/row.h"
#include "scenario/scenario.h"

namespace pointilla::playback {
namespace {

using platform::testing::buttonDownCall;
using platform::testing::buttonUpCall;
using platform::testing::describe;
using platform::testing::DesktopCall;
using platform::testing::moveCall;
using platform::testing::openCall;
using platform::testing::RecordingDesktop;
using scenario::Row;

const std::string kPosition(scenario::actionText(scenario::RowKind::Position));
const std::string kClick(scenario::actionText(scenario::RowKind::Click));
const std::string kDelay(scenario::actionText(scenario::RowKind::Delay));
const std::string kUrl(scenario::actionText(scenario::RowKind::Url));
const std::string kPlaying(kPlayingStatus);

class FakeSettings final : public settings::Reader {
  public:
    std::string read(std::string_view valueName) override {
        reads.emplace_back(valueName);
        const auto found = values.find(std::string(valueName));
        return found == values.end() ? std::string() : found->second;
    }
    std::map<std::string, std::string> values;
    std::vector<std::string> reads;
};

class FakeTicker final : public Ticker {
  public:
    void start() override {
        ++starts;
        running = true;
    }
    void stop() override {
        ++stops;
        running = false;
    }
    bool active() const override { return running; }
    bool running = false;
    int starts = 0;
    int stops = 0;
};

class PlaybackEngineTest : public ::testing::Test {
  protected:
    PlaybackEngineTest()
        : engine(rows, desktop.pointer(), desktop.buttons(), desktop.opener(), settings, timer,
                 PlaybackCallbacks{
                     [this](const std::string& text) { log.push_back("status:" + text); },
                     [this] { log.push_back("hide"); },
                     [this] { log.push_back("finished"); },
                     [this] { return stopWhen && stopWhen(); },
                     [this] { log.push_back("stopped"); },
                     [this](const Progress& now) { progressSeen.push_back(now); },
                     [this](int row, const platform::DesktopLost&) {
                         log.push_back("lost:" + std::to_string(row));
                     },
                     [this](int row, const std::string& target) {
                         log.push_back("unopened:" + std::to_string(row) + ":" + target);
                     },
                     {}},
                 "/opt/pointilla/bin") {}

    void setRows(std::vector<Row> newRows) { rows.replaceAll(std::move(newRows)); }
    const std::vector<DesktopCall>& calls() const { return desktop.calls(); }
    // Ticks until the current wait ends (the count goes back to 0, whether or
    // not another wait follows); the number of ticks it took (stops at 100).
    int ticksUntilWaitEnds() {
        int ticks = 0;
        while (engine.waiting() && ticks < 100) {
            ++ticks;
            engine.tick();
            if (engine.nbsecondes() == 0) break;
        }
        return ticks;
    }

    scenario::Scenario rows;
    RecordingDesktop desktop;
    FakeSettings settings;
    FakeTicker timer;
    std::vector<std::string> log;
    std::function<bool()> stopWhen;  // the stop key, asked before each row
    std::vector<Progress> progressSeen;
    PlaybackEngine engine;
};

TEST_F(PlaybackEngineTest, StartWithNoRowsDoesNothing) {
    engine.start();
    EXPECT_TRUE(calls().empty());
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(settings.reads.empty());
    EXPECT_FALSE(engine.waiting());
    EXPECT_FALSE(engine.playing());
    EXPECT_EQ(timer.starts, 0);
}

TEST_F(PlaybackEngineTest, PositionRowMovesThePointerThenEmptiesTheStatus) {
    setRows({{kPosition, " 200 ,  300"}});
    engine.start();
    EXPECT_EQ(calls(), std::vector<DesktopCall>{moveCall(200, 300)}) << describe(calls());
    EXPECT_EQ(log, (std::vector<std::string>{"status:" + kPlaying, "status:", "finished"}));
    EXPECT_FALSE(engine.playing());
    EXPECT_EQ(engine.numligne(), 2);
}

TEST_F(PlaybackEngineTest, EveryPositionFormIsReadAndMalformedOnesAreSkipped) {
    setRows({{kPosition, "100 ,  200"},
             {kPosition, " 100 , 200"},
             {kPosition, "-1200 ,  384"},
             {kPosition, " 0 , -7"},
             {kPosition, "100 200"},
             {kPosition, "abc , 5"},
             {kPosition, "1.5 , 2"},
             {kPosition, " 5 , "},
             {kPosition, ""},
             {kPosition, "3,4,5"},
             {kPosition, "9,9"}});
    engine.start();
    EXPECT_EQ(calls(),
              (std::vector<DesktopCall>{moveCall(100, 200), moveCall(100, 200),
                                        moveCall(-1200, 384), moveCall(0, -7), moveCall(9, 9)}))
        << describe(calls());
    EXPECT_EQ(log.back(), "finished");
}

TEST_F(PlaybackEngineTest, ClickIsOneDownThenOneUpWithoutAnyMove) {
    setRows({{kPosition, "10 , 20"}, {kClick, "Clic"}, {kClick, "anything at all"}});
    engine.start();
    EXPECT_EQ(calls(), (std::vector<DesktopCall>{moveCall(10, 20), buttonDownCall(), buttonUpCall(),
                                                 buttonDownCall(), buttonUpCall()}))
        << describe(calls());
}

TEST_F(PlaybackEngineTest, UrlOpensTheDetailUnchangedFromTheProgramFolderAndGoesOn) {
    desktop.setOpenSucceeds(false);  // said, and the playback goes on
    setRows({{kUrl, "http://exemple.fr/a b?c=1&d=\"2\""}, {kUrl, "-x"}, {kClick, "Clic"}});
    engine.start();
    EXPECT_EQ(calls(), (std::vector<DesktopCall>{
                           openCall("http://exemple.fr/a b?c=1&d=\"2\"", "/opt/pointilla/bin"),
                           openCall("-x", "/opt/pointilla/bin"), buttonDownCall(), buttonUpCall()}))
        << describe(calls());
    EXPECT_EQ(log, (std::vector<std::string>{"status:" + kPlaying,
                                             "unopened:1:http://exemple.fr/a b?c=1&d=\"2\"",
                                             "unopened:2:-x", "status:", "finished"}));
}

TEST_F(PlaybackEngineTest, ALostDesktopEndsThePlaybackAtTheRowItFailedOn) {
    // Rows: a move, a click, a wait, a move; the desktop goes at the n-th injection.
    const struct {
        int lostAt;
        int row;
        std::vector<DesktopCall> made;
    } cases[] = {
        {1, 1, {}},                                                  // the move
        {2, 2, {moveCall(1, 2)}},                                    // the press
        {3, 2, {moveCall(1, 2), buttonDownCall()}},                  // the release
        {4, 4, {moveCall(1, 2), buttonDownCall(), buttonUpCall()}},  // the move after the wait
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lostAt);
        RecordingDesktop lost;
        lost.loseDesktopAtInjection(c.lostAt);
        log.clear();
        PlaybackCallbacks said;
        said.setStatus = [this](const std::string& text) { log.push_back("status:" + text); };
        said.finished = [this] { log.push_back("finished"); };
        said.desktopLost = [this](int row, const platform::DesktopLost& why) {
            log.push_back("lost:" + std::to_string(row) + ":" + why.detail);
        };
        PlaybackEngine player(rows, lost.pointer(), lost.buttons(), lost.opener(), settings, timer,
                              said, "/");
        setRows({{kPosition, "1,2"}, {kClick, "Clic"}, {kDelay, "1"}, {kPosition, "3,4"}});
        player.start();
        if (player.waiting()) player.tick();
        EXPECT_EQ(lost.calls(), c.made) << describe(lost.calls());
        EXPECT_EQ(log.back(),
                  "lost:" + std::to_string(c.row) + ":recording desktop: lost on purpose");
        EXPECT_EQ(log[log.size() - 2], "status:");
        EXPECT_FALSE(player.playing());
        EXPECT_FALSE(timer.running);
        EXPECT_TRUE(player.lostDesktop());
        EXPECT_EQ(player.numligne(), c.row);
    }
}

TEST_F(PlaybackEngineTest, UnknownActionsAreSkippedAndThePlaybackStillEnds) {
    setRows({{"position souris", "1 , 1"},
             {"Clic", "Clic"},
             {"D\u00e9lai ", "3"},
             {"Delai", "3"},
             {"url", "http://x"},
             {"", ""},
             {"[Adresse", "Bouton"}});
    engine.start();
    EXPECT_TRUE(calls().empty()) << describe(calls());
    EXPECT_EQ(timer.starts, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"status:" + kPlaying, "status:", "finished"}));
}

TEST_F(PlaybackEngineTest, DelayStopsPlaybackUntilItsTickCountIsReached) {
    setRows({{kPosition, "1 , 1"}, {kDelay, "3"}, {kClick, "Clic"}});
    engine.start();
    EXPECT_EQ(calls(), std::vector<DesktopCall>{moveCall(1, 1)});
    EXPECT_TRUE(engine.waiting());
    EXPECT_TRUE(timer.active());
    EXPECT_EQ(engine.numligne(), 2);
    EXPECT_EQ(log, std::vector<std::string>{"status:" + kPlaying});

    engine.tick();
    engine.tick();
    EXPECT_EQ(engine.nbsecondes(), 2);
    EXPECT_EQ(calls().size(), 1U);
    EXPECT_TRUE(engine.waiting());

    engine.tick();
    EXPECT_EQ(calls(),
              (std::vector<DesktopCall>{moveCall(1, 1), buttonDownCall(), buttonUpCall()}));
    EXPECT_FALSE(engine.waiting());
    EXPECT_FALSE(timer.active());
    EXPECT_EQ(engine.nbsecondes(), 0);
    EXPECT_EQ(timer.starts, 1);
    EXPECT_EQ(timer.stops, 1);
    // The resumption sets the status again before emptying it at the end.
    EXPECT_EQ(log, (std::vector<std::string>{"status:" + kPlaying, "status:" + kPlaying,
                                             "status:", "finished"}));
}

TEST_F(PlaybackEngineTest, ConsecutiveDelaysEachCountFromZero) {
    setRows({{kDelay, "2"}, {kDelay, "3"}, {kPosition, "5 , 5"}});
    engine.start();
    EXPECT_EQ(ticksUntilWaitEnds(), 2);
    EXPECT_TRUE(engine.waiting());  // straight into the second delay
    EXPECT_EQ(engine.numligne(), 2);
    EXPECT_EQ(engine.nbsecondes(), 0);
    EXPECT_TRUE(calls().empty());
    EXPECT_EQ(ticksUntilWaitEnds(), 3);
    EXPECT_EQ(calls(), std::vector<DesktopCall>{moveCall(5, 5)});
    EXPECT_EQ(timer.starts, 2);
    EXPECT_EQ(log.back(), "finished");
}

TEST_F(PlaybackEngineTest, DelayAsTheLastRowEndsThePlaybackAfterTheWait) {
    setRows({{kClick, "Clic"}, {kDelay, "2"}});
    engine.start();
    EXPECT_EQ(std::count(log.begin(), log.end(), "finished"), 0);
    EXPECT_TRUE(engine.playing());
    EXPECT_EQ(ticksUntilWaitEnds(), 2);
    EXPECT_FALSE(engine.playing());
    EXPECT_EQ(log, (std::vector<std::string>{"status:" + kPlaying, "status:" + kPlaying,
                                             "status:", "finished"}));
}

TEST_F(PlaybackEngineTest, DelayDetailsAreWholeSecondsAndOthersAreSkippedWithoutWaiting) {
    setRows({{kDelay, "05"}, {kPosition, "1 , 1"}, {kDelay, " 5 "}, {kPosition, "2 , 2"}});
    engine.start();
    EXPECT_EQ(ticksUntilWaitEnds(), 5);
    EXPECT_EQ(ticksUntilWaitEnds(), 5);
    EXPECT_EQ(calls(), (std::vector<DesktopCall>{moveCall(1, 1), moveCall(2, 2)}));

    for (const char* bad : {"0", "-2", "2.5", "", "deux", "+", "99999999999"}) {
        SCOPED_TRACE(bad);
        desktop.clearCalls();
        timer.starts = 0;
        setRows({{kDelay, bad}, {kClick, "Clic"}});
        engine.start();
        EXPECT_FALSE(engine.waiting());
        EXPECT_EQ(timer.starts, 0);
        EXPECT_EQ(calls(), (std::vector<DesktopCall>{buttonDownCall(), buttonUpCall()}));
    }
}

TEST_F(PlaybackEngineTest, RedlecOneHidesTheWindowAtEveryEntryAndNeverShowsIt) {
    settings.values["redlec"] = "1";
    setRows({{kDelay, "1"}, {kClick, "Clic"}});
    engine.start();
    EXPECT_EQ(log, (std::vector<std::string>{"hide", "status:" + kPlaying}));
    engine.tick();
    EXPECT_EQ(log, (std::vector<std::string>{"hide", "status:" + kPlaying, "hide",
                                             "status:" + kPlaying, "status:", "finished"}));
    EXPECT_EQ(settings.reads, (std::vector<std::string>{"redlec", "redlec"}));
}

TEST_F(PlaybackEngineTest, OnlyTheExactTextOneHidesTheWindow) {
    setRows({{kClick, "Clic"}});
    for (const char* value : {"", "0", " 1", "01", "1 ", "oui", "-1"}) {
        SCOPED_TRACE(value);
        settings.values["redlec"] = value;
        log.clear();
        engine.start();
        EXPECT_EQ(std::count(log.begin(), log.end(), "hide"), 0);
    }
}

TEST_F(PlaybackEngineTest, StartDuringAWaitAbandonsItAndPlaysFromRowOne) {
    setRows({{kPosition, "1 , 1"}, {kDelay, "3"}, {kClick, "Clic"}});
    engine.start();
    engine.tick();
    engine.tick();
    ASSERT_EQ(engine.nbsecondes(), 2);

    engine.start();
    EXPECT_EQ(timer.stops, 1);
    EXPECT_EQ(timer.starts, 2);
    EXPECT_TRUE(engine.waiting());
    EXPECT_EQ(engine.nbsecondes(), 0);
    EXPECT_EQ(calls(), (std::vector<DesktopCall>{moveCall(1, 1), moveCall(1, 1)}));
    // The full three seconds again, not the one left of the old count.
    EXPECT_EQ(ticksUntilWaitEnds(), 3);
    EXPECT_EQ(calls().back(), buttonUpCall());
    EXPECT_EQ(std::count(log.begin(), log.end(), "finished"), 1);
}

TEST_F(PlaybackEngineTest, AfterAWaitPlaybackResumesAfterRowNumligneOfTheRowsAsTheyStand) {
    setRows({{kPosition, "1 , 1"}, {kDelay, "2"}, {kPosition, "3 , 3"}});
    engine.start();
    rows.insertAt(3, Row{kPosition, "2 , 2"});  // added while waiting
    rows.setDetail(2, "9");                     // the wait keeps the length it began with
    EXPECT_EQ(ticksUntilWaitEnds(), 2);
    EXPECT_EQ(calls(), (std::vector<DesktopCall>{moveCall(1, 1), moveCall(2, 2), moveCall(3, 3)}))
        << describe(calls());
}

TEST_F(PlaybackEngineTest, AWaitWhoseFollowingRowsWereRemovedEndsThePlayback) {
    setRows({{kPosition, "1 , 1"}, {kDelay, "1"}, {kPosition, "3 , 3"}});
    engine.start();
    rows.remove(3);
    rows.remove(2);
    engine.tick();
    EXPECT_FALSE(engine.waiting());
    EXPECT_EQ(calls().size(), 1U);
    EXPECT_EQ(log.back(), "finished");
    EXPECT_EQ(log[log.size() - 2], "status:");
}

TEST_F(PlaybackEngineTest, AWaitWhoseRowsWereAllClearedEndsThePlayback) {
    setRows({{kDelay, "1"}, {kClick, "Clic"}});
    engine.start();
    rows.clear();
    engine.tick();
    EXPECT_FALSE(engine.waiting());
    EXPECT_FALSE(engine.playing());
    EXPECT_TRUE(calls().empty());
    EXPECT_EQ(log, (std::vector<std::string>{"status:" + kPlaying, "status:", "finished"}));
}

TEST_F(PlaybackEngineTest, ATickWhileNotWaitingChangesNothing) {
    setRows({{kClick, "Clic"}});
    engine.tick();
    engine.start();
    log.clear();
    engine.tick();
    EXPECT_EQ(engine.nbsecondes(), 0);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(calls().size(), 2U);
}

TEST_F(PlaybackEngineTest, RowsAfterADelayRunBackToBackInOneTick) {
    setRows({{kDelay, "1"},
             {kPosition, "1 , 2"},
             {kClick, "Clic"},
             {kUrl, "http://a"},
             {kPosition, "3 , 4"},
             {kDelay, "1"},
             {kClick, "Clic"}});
    engine.start();
    engine.tick();
    EXPECT_EQ(calls(), (std::vector<DesktopCall>{moveCall(1, 2), buttonDownCall(), buttonUpCall(),
                                                 openCall("http://a", "/opt/pointilla/bin"),
                                                 moveCall(3, 4)}))
        << describe(calls());
    EXPECT_TRUE(engine.waiting());
    EXPECT_EQ(engine.numligne(), 6);
}

TEST_F(PlaybackEngineTest, WorksWithoutCallbacks) {
    RecordingDesktop other;
    FakeTicker otherTimer;
    setRows({{kDelay, "1"}, {kClick, "Clic"}});
    PlaybackEngine bare(rows, other.pointer(), other.buttons(), other.opener(), settings,
                        otherTimer, PlaybackCallbacks{}, {});
    settings.values["redlec"] = "1";
    bare.start();
    bare.tick();
    EXPECT_EQ(other.calls().size(), 2U);
    EXPECT_FALSE(bare.playing());
}

TEST_F(PlaybackEngineTest, StopDuringAWaitEndsThePlaybackAtOnce) {
    setRows({{kPosition, "1 , 1"}, {kDelay, "3"}, {kClick, "Clic"}});
    engine.start();
    engine.tick();
    log.clear();
    engine.stop();
    EXPECT_FALSE(engine.playing());
    EXPECT_FALSE(engine.waiting());
    EXPECT_FALSE(timer.active());
    EXPECT_TRUE(engine.wasStopped());
    EXPECT_EQ(log, (std::vector<std::string>{"status:", "stopped"}));
    // A tick already queued and a second stop change nothing.
    engine.tick();
    engine.tick();
    engine.stop();
    EXPECT_EQ(calls(), std::vector<DesktopCall>{moveCall(1, 1)}) << describe(calls());
    EXPECT_EQ(log.size(), 2U);
    // The next start plays normally again.
    engine.start();
    EXPECT_FALSE(engine.wasStopped());
}

TEST_F(PlaybackEngineTest, AStopAskedBetweenRowsPerformsNoFurtherRow) {
    setRows({{kDelay, "1"}, {kPosition, "1 , 1"}, {kClick, "Clic"}, {kPosition, "2 , 2"}});
    engine.start();
    // Held once the first move is done: asked before the click, within one tick's rows.
    stopWhen = [this] { return !calls().empty(); };
    engine.tick();
    EXPECT_EQ(calls(), std::vector<DesktopCall>{moveCall(1, 1)}) << describe(calls());
    EXPECT_FALSE(engine.playing());
    EXPECT_EQ(engine.numligne(), 3);
    EXPECT_EQ(log.back(), "stopped");
    EXPECT_EQ(std::count(log.begin(), log.end(), "finished"), 0);
}

// A backend may hold moves back while rows run back to back: whatever pauses
// the playback (a wait, its end, a stop) sends them first.
TEST_F(PlaybackEngineTest, WhatWasPerformedReachesTheDesktopWhenThePlaybackPauses) {
    const struct {
        const char* what;
        std::vector<Row> rows;
        bool stopAfterFirstRow;
    } cases[] = {
        {"a wait", {{kPosition, "1 , 1"}, {kClick, "Clic"}, {kDelay, "5"}}, false},
        {"the end", {{kPosition, "1 , 1"}, {kClick, "Clic"}}, false},
        {"a stop", {{kPosition, "1 , 1"}, {kPosition, "2 , 2"}}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        desktop.clearCalls();
        setRows(c.rows);
        stopWhen = [&] { return c.stopAfterFirstRow && !calls().empty(); };
        engine.start();
        EXPECT_FALSE(calls().empty());
        EXPECT_EQ(desktop.deliveredCalls(), calls().size()) << describe(calls());
    }

    // Sending them is where a lost desktop may show: said at the last row.
    RecordingDesktop lost;
    lost.loseDesktopAtFlush();
    PlaybackCallbacks said;
    said.desktopLost = [this](int row, const platform::DesktopLost&) {
        log.push_back("lost:" + std::to_string(row));
    };
    PlaybackEngine player(rows, lost.pointer(), lost.buttons(), lost.opener(), settings, timer,
                          said, "/");
    setRows({{kPosition, "1 , 1"}});
    player.start();
    EXPECT_TRUE(player.lostDesktop());
    EXPECT_EQ(log.back(), "lost:1");
}

TEST_F(PlaybackEngineTest, RepetitionsStartAgainFromRowOneAndALoopRunsUntilStopped) {
    settings.values["redlec"] = "1";
    setRows({{kPosition, "1 , 1"}, {kDelay, "1"}, {kClick, "Clic"}});
    engine.setRepetitions(3);
    engine.start();
    int ticks = 0;
    while (engine.playing() && ticks < 100) {
        engine.tick();
        ++ticks;
    }
    EXPECT_EQ(ticks, 3);
    const std::vector<DesktopCall> pass{moveCall(1, 1), buttonDownCall(), buttonUpCall()};
    std::vector<DesktopCall> three;
    for (int i = 0; i < 3; ++i) three.insert(three.end(), pass.begin(), pass.end());
    EXPECT_EQ(calls(), three) << describe(calls());
    // Every pass starts as "start" does: "redlec" read, window hidden, status set.
    EXPECT_EQ(std::count(log.begin(), log.end(), "hide"), 6);
    EXPECT_EQ(std::count(log.begin(), log.end(), "finished"), 1);

    // En boucle, without any wait: only the stop key ends it.
    desktop.clearCalls();
    setRows({{kClick, "Clic"}});
    engine.setRepetitions(kLoop);
    stopWhen = [this] { return calls().size() >= 10; };
    engine.start();
    EXPECT_EQ(calls().size(), 10U);
    EXPECT_TRUE(engine.wasStopped());
    EXPECT_EQ(engine.progress().repetition, 6);

    engine.setRepetitions(kMaxRepetitions + 1);  // out of range counts as once
    EXPECT_EQ(engine.progress().repetitions, 1);
}

TEST_F(PlaybackEngineTest, ProgressNamesTheRowAndCountsDownTheWait) {
    setRows({{kPosition, "1 , 1"}, {kDelay, "3"}, {kClick, "Clic"}});
    engine.setRepetitions(2);
    engine.start();
    engine.tick();
    const std::vector<Progress> expected{
        {1, 3, 0, 1, 2}, {2, 3, 0, 1, 2}, {2, 3, 3, 1, 2}, {2, 3, 2, 1, 2}};
    EXPECT_EQ(progressSeen, expected);
    engine.tick();
    engine.tick();
    EXPECT_EQ(progressSeen.back(), (Progress{2, 3, 3, 2, 2}));  // the second pass's wait
}

// An opener whose places are all taken until `rooms` says otherwise, one
// answer a call.
class CrowdedOpener final : public platform::DocumentOpener {
  public:
    bool open(const std::string& target, const std::filesystem::path&) override {
        opened.push_back(target);
        return true;
    }
    platform::OpenerRoom waitForRoom(std::chrono::milliseconds) override {
        ++asks;
        if (rooms.empty()) return {false, {}};
        platform::OpenerRoom room = rooms.front();
        rooms.erase(rooms.begin());
        return room;
    }
    std::vector<platform::OpenerRoom> rooms;
    std::vector<std::string> opened;
    int asks = 0;
};

TEST_F(PlaybackEngineTest, AUrlRowWaitsForRoomNamesWhatWasLetGoAndStopsWhenAsked) {
    setRows({{kUrl, "http://a"}, {kClick, "Clic"}});
    struct Case {
        std::vector<platform::OpenerRoom> rooms;
        int stopAfterAsks;  // the stop key is held from this many asks on
        std::vector<std::string> opened;
        std::vector<std::string> letGo;
        bool clicked;
    };
    const Case cases[] = {
        {{{false, {}}, {false, {}}, {true, {"http://lent"}}},
         99,
         {"http://a"},
         {"http://lent"},
         true},
        {{}, 3, {}, {}, false},  // never any room: only the stop ends the wait
    };
    for (const Case& c : cases) {
        RecordingDesktop other;
        FakeTicker otherTimer;
        CrowdedOpener opener;
        opener.rooms = c.rooms;
        std::vector<std::string> letGo;
        PlaybackCallbacks callbacks;
        callbacks.stopRequested = [&] { return opener.asks >= c.stopAfterAsks; };
        callbacks.handlerLetGo = [&](const std::string& address) { letGo.push_back(address); };
        PlaybackEngine crowded(rows, other.pointer(), other.buttons(), opener, settings, otherTimer,
                               std::move(callbacks), {});
        crowded.start();
        EXPECT_EQ(opener.opened, c.opened);
        EXPECT_EQ(letGo, c.letGo);
        EXPECT_EQ(other.calls().size(), c.clicked ? 2U : 0U) << describe(other.calls());
        EXPECT_EQ(crowded.wasStopped(), !c.clicked);
        EXPECT_FALSE(crowded.playing());
        if (!c.clicked) {
            EXPECT_EQ(crowded.numligne(), 1);
        }
    }
}

// Asked before every row, the key would cost a query to the desktop per row:
// it is asked again only once kAskedEvery has gone by.
TEST(StopKeyWatch, AsksTheDesktopAtMostOnceEveryFewMilliseconds) {
    constexpr int kEscape = 0x1B;
    RecordingDesktop desktop;
    StopKeyWatch watch(desktop.keyboard(), kEscape);
    desktop.setKeyDown(kEscape, true);
    watch.restart();
    const int queriesAtStart = desktop.keyQueries();
    using std::chrono::milliseconds;
    const StopKeyWatch::Clock::time_point t0{};
    const struct {
        milliseconds at;
        bool down;
        bool pressed;
        int queries;  // since the start
    } steps[] = {
        {milliseconds(0), true, true, 1},  // held at the start: asked at once
        {milliseconds(1), true, false, 1},
        {StopKeyWatch::kAskedEvery, true, true, 2},
        {StopKeyWatch::kAskedEvery + milliseconds(1), false, false, 2},
        {StopKeyWatch::kAskedEvery * 2, false, false, 3},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.at.count());
        desktop.setKeyDown(kEscape, step.down);
        EXPECT_EQ(watch.pressed(t0 + step.at), step.pressed);
        EXPECT_EQ(desktop.keyQueries() - queriesAtStart, step.queries);
    }
}

TEST(Repetitions, StoredTextIsACountOrBoucleAndAnythingElseMeansOnce) {
    EXPECT_EQ(parseRepetitions("1"), 1);
    EXPECT_EQ(parseRepetitions("9999"), 9999);
    EXPECT_EQ(parseRepetitions("boucle"), kLoop);
    for (const char* bad : {"", "0", "07", "10000", "-3", " 5", "5 ", "Boucle", "2x"}) {
        EXPECT_EQ(parseRepetitions(bad), 1) << bad;
    }
    EXPECT_EQ(repetitionsText(kLoop), "boucle");
    EXPECT_EQ(repetitionsText(42), "42");
}

}  // namespace
}  // namespace pointilla::playback

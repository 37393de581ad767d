// pointilla-play as a person runs it: on the test display, checked by a
// separate X client (the click recorder) and by reading the pointer back.

// clang-format off
// gtest and the backend first: Xlib's macros (None, Bool, Status...) would break them.
#include <gtest/gtest.h>
#include "platform/x11/x11_desktop.h"
#include <X11/Xlib.h>
// clang-format on
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "child_process.h"
#include "support/temp_dir.h"
#include "support/x_pointer.h"

namespace pointilla::e2e {
namespace {

namespace fs = std::filesystem;

const std::string kPlayer = POINTILLA_PLAY_PATH;
const std::string kRecorder = CLICK_RECORDER_PATH;

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};

using pointilla::testing::TempDir;

// One scenario line in the file's own bytes: Windows-1252, "¤" separators, CR LF.
std::string line(const std::string& action, const std::string& detail) {
    return action + "\xA4" + detail + "\xA4\r\n";
}
const std::string kPosition = "Position souris";
const std::string kClick = "Clic souris";
const std::string kDelay = "D\xE9lai";  // "Délai" in Windows-1252
const std::string kUrl = "URL";

struct ButtonEvent {
    bool press = false;
    int button = 0;
    int x = 0;
    int y = 0;
    unsigned long time = 0;
};

std::optional<ButtonEvent> parseButton(const std::string& text) {
    std::istringstream in(text);
    std::string kind;
    ButtonEvent event;
    if (!(in >> kind >> event.button >> event.x >> event.y >> event.time)) return std::nullopt;
    if (kind != "press" && kind != "release") return std::nullopt;
    event.press = kind == "press";
    return event;
}

class PointillaPlayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* name = std::getenv("DISPLAY");
        if (name == nullptr || *name == '\0') GTEST_SKIP() << "no X display";
        observer.reset(XOpenDisplay(name));
        ASSERT_TRUE(observer);
    }

    std::pair<int, int> pointer() { return pointilla::testing::pointerSeenBy(observer.get()); }

    void warp(int x, int y) {
        XWarpPointer(observer.get(), 0, DefaultRootWindow(observer.get()), 0, 0, 0, 0, x, y);
        XSync(observer.get(), False);
    }

    // Starts the recorder and waits until its window is up and focused.
    std::unique_ptr<Child> startRecorder() {
        auto recorder = std::make_unique<Child>(std::vector<std::string>{kRecorder});
        const auto ready = recorder->readLine(std::chrono::seconds(10));
        EXPECT_EQ(ready, std::optional<std::string>("ready"));
        return recorder;
    }

    // The button events the recorder reported, until `count` of them or 5 s.
    static std::vector<ButtonEvent> buttonEvents(Child& recorder, std::size_t count) {
        std::vector<ButtonEvent> events;
        while (events.size() < count) {
            const auto text = recorder.readLine(std::chrono::seconds(5));
            if (!text) break;
            if (const auto event = parseButton(*text)) events.push_back(*event);
        }
        return events;
    }

    std::unique_ptr<Display, DisplayCloser> observer;
    TempDir dir;
};

TEST_F(PointillaPlayTest, PlaysMovesClicksAndAWaitAsRealInput) {
    const auto recorder = startRecorder();
    const auto file = dir.file("jeu.sce", line(kPosition, " 100 ,  200") + line(kClick, "Clic") +
                                              line(kPosition, "300 ,  400") + line(kClick, "Clic") +
                                              line(kDelay, "2") + line(kClick, "Clic") +
                                              line(kPosition, " 50 , 60"));
    const auto played = runToEnd({kPlayer, file.string()});
    EXPECT_EQ(played.exitCode, 0) << played.err;
    EXPECT_EQ(pointer(), std::make_pair(50, 60));

    const auto events = buttonEvents(*recorder, 6);
    ASSERT_EQ(events.size(), 6U);
    const int expected[3][2] = {{100, 200}, {300, 400}, {300, 400}};
    for (int click = 0; click < 3; ++click) {
        SCOPED_TRACE(click);
        const ButtonEvent& down = events.at(2U * static_cast<std::size_t>(click));
        const ButtonEvent& up = events.at(2U * static_cast<std::size_t>(click) + 1U);
        EXPECT_TRUE(down.press);
        EXPECT_FALSE(up.press);
        EXPECT_EQ(down.button, 1);
        EXPECT_EQ(up.button, 1);
        EXPECT_EQ(std::make_pair(down.x, down.y),
                  std::make_pair(expected[click][0], expected[click][1]));
        EXPECT_EQ(std::make_pair(up.x, up.y),
                  std::make_pair(expected[click][0], expected[click][1]));
    }
    // Rows between delays run back to back; the delay lasts its two seconds.
    EXPECT_LT(events[2].time - events[0].time, 300UL);
    const long waited = static_cast<long>(events[4].time - events[2].time);
    EXPECT_GT(waited, 2000 - 300);
    EXPECT_LT(waited, 2000 + 300);
    EXPECT_EQ(recorder->finish(), 0);
}

TEST_F(PointillaPlayTest, EscapeDuringAWaitOrBetweenRowsStopsAndRepeatClicksExactlyNTimes) {
    const auto recorder = startRecorder();
    const auto stoppable = dir.file("stop.sce", line(kDelay, "3") + line(kClick, "Clic"));
    // Escape a second in, typed into the recorder's window, which has the focus.
    std::thread escape([] {
        std::this_thread::sleep_for(std::chrono::seconds(1));
        runToEnd({"xdotool", "key", "Escape"});
    });
    const auto started = std::chrono::steady_clock::now();
    const auto stopped = runToEnd({kPlayer, stoppable.string()});
    escape.join();
    EXPECT_EQ(stopped.exitCode, 6) << stopped.err;
    EXPECT_NE(stopped.err.find("Lecture arr\u00eat\u00e9e \u00e0 la ligne 1"), std::string::npos)
        << stopped.err;
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(2500));
    // SIGINT during the wait: stopped the same way, then ended by the signal.
    const auto interrupted =
        runToEnd({"timeout", "--preserve-status", "-s", "INT", "1", kPlayer, stoppable.string()});
    EXPECT_EQ(interrupted.exitCode, 128 + SIGINT) << interrupted.err;
    EXPECT_NE(interrupted.err.find("ligne 1"), std::string::npos) << interrupted.err;

    // Rows back to back, over and over: a tap of Escape between two of them stops
    // them (missed, the loop would run until `timeout` ends it).
    const auto moving =
        dir.file("boucle.sce", line(kPosition, "10 ,  10") + line(kPosition, "20 ,  20"));
    std::thread tap([] {
        std::this_thread::sleep_for(std::chrono::seconds(1));
        runToEnd({"xdotool", "key", "Escape"});
    });
    const auto looped = runToEnd({"timeout", "30", kPlayer, "--loop", moving.string()});
    tap.join();
    EXPECT_EQ(looped.exitCode, 6) << looped.err;

    const auto once = dir.file("clic.sce", line(kClick, "Clic"));
    const auto repeated = runToEnd({kPlayer, "--repeat", "3", once.string()});
    EXPECT_EQ(repeated.exitCode, 0) << repeated.err;
    // Only the three repeated clicks: neither stopped playback clicked.
    const auto events = buttonEvents(*recorder, 7);
    ASSERT_EQ(events.size(), 6U);
    for (std::size_t i = 0; i < events.size(); ++i) EXPECT_EQ(events[i].press, i % 2 == 0);
    EXPECT_EQ(recorder->finish(), 0);
}

TEST_F(PointillaPlayTest, AFileWhoseReadingStopsIsNotPlayedAtAll) {
    warp(640, 512);
    const auto file =
        dir.file("cass\xE9.sce", line(kPosition, "10 , 10") + "sans s\xE9parateur\r\n" +
                                     line(kPosition, "20 , 20"));
    const auto played = runToEnd({kPlayer, file.string()});
    EXPECT_EQ(played.exitCode, 3);
    EXPECT_NE(played.err.find("ligne 2"), std::string::npos) << played.err;
    EXPECT_EQ(pointer(), std::make_pair(640, 512));
}

TEST_F(PointillaPlayTest, MissingFileOrDisplayIsAClearErrorBeforeAnythingIsPlayed) {
    warp(640, 512);
    const auto missing = runToEnd({kPlayer, (dir.path() / "absent.sce").string()});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.err.find("absent.sce"), std::string::npos) << missing.err;

    const auto file = dir.file("ok.sce", line(kPosition, "10 , 10"));
    const auto noDisplay = runToEnd({kPlayer, file.string()}, Environment{{}, {"DISPLAY"}});
    EXPECT_EQ(noDisplay.exitCode, 4);
    EXPECT_NE(noDisplay.err.find("DISPLAY"), std::string::npos) << noDisplay.err;

    const auto wrongDisplay = runToEnd({kPlayer, "--display", ":987", file.string()});
    EXPECT_EQ(wrongDisplay.exitCode, 4);
    EXPECT_NE(wrongDisplay.err.find(":987"), std::string::npos) << wrongDisplay.err;
    EXPECT_EQ(pointer(), std::make_pair(640, 512));
}

TEST_F(PointillaPlayTest, UrlRowsGoToTheDefaultHandlerAsOneArgumentFromTheProgramFolder) {
    // A stand-in for xdg-open that writes down how it was called.
    const fs::path out = dir.path() / "called.txt";
    const auto handler = dir.file(
        "xdg-open", "#!/bin/sh\n{ pwd; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } > '" +
                        out.string() + ".tmp' && mv '" + out.string() + ".tmp' '" + out.string() +
                        "'\n");
    fs::permissions(handler, fs::perms::owner_all);
    const auto file = dir.file("url.sce", line(kUrl, "--help; touch /tmp/x $(id)"));
    const auto played =
        runToEnd({kPlayer, file.string()},
                 Environment{{"PATH=" + dir.path().string() + ":/usr/bin:/bin"}, {}});
    EXPECT_EQ(played.exitCode, 0) << played.err;
    std::string called;
    for (int i = 0; i < 500 && called.empty(); ++i) {
        if (fs::exists(out)) {
            std::ifstream in(out);
            called.assign(std::istreambuf_iterator<char>(in), {});
        } else {
            ::usleep(10'000);
        }
    }
    EXPECT_EQ(called,
              fs::path(kPlayer).parent_path().string() + "\n./--help; touch /tmp/x $(id)\n");
}

TEST_F(PointillaPlayTest, AnOpenerThatCannotStartIsSaidAndThePlaybackGoesOn) {
    const auto file = dir.file("url.sce", line(kUrl, "http://exemple.fr") + line(kPosition, "3,4"));
    fs::create_directory(dir.path() / "vide");
    const auto played = runToEnd({kPlayer, file.string()},
                                 Environment{{"PATH=" + (dir.path() / "vide").string()}, {}});
    EXPECT_EQ(played.exitCode, 0) << played.err;
    EXPECT_EQ(played.err,
              "pointilla-play : Ligne 1 : impossible de lancer l'ouverture de "
              "« http://exemple.fr », la lecture continue.\n");
    EXPECT_EQ(pointer(), std::make_pair(3, 4));  // the row after the page was played
}

// The lines of a file, none while it does not exist.
std::vector<std::string> linesOf(const fs::path& file) {
    std::vector<std::string> lines;
    std::ifstream in(file);
    for (std::string text; std::getline(in, text);) lines.push_back(text);
    return lines;
}

// Waits until the file has `count` lines, or 60 s; its lines then.
std::vector<std::string> waitForLines(const fs::path& file, std::size_t count) {
    for (int i = 0; i < 1200 && linesOf(file).size() < count; ++i) ::usleep(50'000);
    return linesOf(file);
}

// "URL" rows for "http://exemple.fr/first" to ".../last".
std::string urlRows(int first, int last) {
    std::string rows;
    for (int n = first; n <= last; ++n)
        rows += line(kUrl, "http://exemple.fr/" + std::to_string(n));
    return rows;
}

// A stand-in for xdg-open found first on PATH, running `body` once it has
// written "start" and its process id to `log`. It lets go of the player's
// outputs, so that the player's end is not taken for its own.
Environment withStandInOpener(const TempDir& dir, const fs::path& log, const std::string& body) {
    const auto handler =
        dir.file("xdg-open", "#!/bin/sh\nexec > /dev/null 2>&1\necho \"start $$\" >> '" +
                                 log.string() + "'\n" + body);
    fs::permissions(handler, fs::perms::owner_all);
    return Environment{{"PATH=" + dir.path().string() + ":/usr/bin:/bin"}, {}};
}

TEST_F(PointillaPlayTest, AtMostEightPageHandlersRunAtOnce) {
    const fs::path log = dir.path() / "handlers.log";
    const auto environment =
        withStandInOpener(dir, log, "sleep 8\necho end >> '" + log.string() + "'\n");
    const auto file = dir.file("pages.sce", urlRows(1, 12));
    const auto played = runToEnd({kPlayer, file.string()}, environment);
    EXPECT_EQ(played.exitCode, 0) << played.err;

    // A handler writes "end" before it ends: the log never counts more than ran.
    int running = 0;
    int most = 0;
    int started = 0;
    for (const std::string& text : waitForLines(log, 24)) {
        const bool starts = text.rfind("start", 0) == 0;
        started += starts ? 1 : 0;
        running += starts ? 1 : -1;
        most = std::max(most, running);
    }
    EXPECT_EQ(started, 12);
    EXPECT_LE(most, 8);
}

TEST_F(PointillaPlayTest, ARowWaitingForAHandlerStopsOnEscapeAndOneRunningOver10sIsLetGo) {
    const fs::path log = dir.path() / "handlers.log";
    const auto environment = withStandInOpener(dir, log, "exec sleep 60\n");
    // These stand-ins never end by themselves.
    struct EndHandlers {
        fs::path log;
        ~EndHandlers() {
            for (const std::string& text : linesOf(log)) ::kill(std::stoi(text.substr(6)), SIGTERM);
        }
    } endHandlers{log};
    struct ReleaseEscape {
        ~ReleaseEscape() { runToEnd({"xdotool", "keyup", "Escape"}); }
    } releaseEscape;

    // Eight handlers run; the ninth row waits for one of them until Escape.
    const auto file = dir.file("pages.sce", urlRows(1, 9) + line(kClick, "Clic"));
    Finished stopped;
    std::thread player([&] { stopped = runToEnd({kPlayer, file.string()}, environment); });
    const bool eightStarted = waitForLines(log, 8).size() == 8U;
    runToEnd({"xdotool", "keydown", "Escape"});
    player.join();
    runToEnd({"xdotool", "keyup", "Escape"});
    ASSERT_TRUE(eightStarted);
    EXPECT_EQ(stopped.exitCode, 6) << stopped.err;
    EXPECT_NE(stopped.err.find("Lecture arr\u00eat\u00e9e \u00e0 la ligne 9"), std::string::npos)
        << stopped.err;
    EXPECT_EQ(linesOf(log).size(), 8U);

    // Left to run, the ninth row waits until the first handler has run 10 s,
    // says it no longer waits for it (its address written out), and goes on.
    const auto again =
        dir.file("encore.sce", line(kUrl, "http://exemple.fr/1\x1b[8m") + urlRows(2, 9));
    const auto played = runToEnd({kPlayer, again.string()}, environment);
    EXPECT_EQ(played.exitCode, 0) << played.err;
    EXPECT_NE(played.err.find("apr\u00e8s 10 s, la lecture continue sans l'attendre : "
                              "\u00ab\u00a0http://exemple.fr/1\\x1b[8m\u00a0\u00bb"),
              std::string::npos)
        << played.err;
    EXPECT_EQ(waitForLines(log, 17).size(), 17U);
}

TEST_F(PointillaPlayTest, ControlCharactersOfAFileNeverReachTheTerminal) {
    const std::string hostile = "\x1b]0;titre\x07";  // sets a terminal's title
    const auto file = dir.file("piege.sce",
                               "[\x1b[2J\xA4l\x9D"
                               "52;c;QQ==\x07\xA4\r\n" +
                                   line("URL", "http://a" + hostile) +
                                   line("URL\nURL",
                                        "invent\xE9"
                                        "e\tici") +
                                   line(kDelay, "\x7f") + line("Inconnu" + hostile, "d\x9D"));
    const auto listed = runToEnd({kPlayer, "--list", file.string()});
    EXPECT_EQ(listed.exitCode, 0) << listed.err;
    EXPECT_EQ(listed.out,
              "URL\thttp://a\\x1b]0;titre\\x07\n"
              "URL\\nURL\tinvent\u00e9e\\tici\n"
              "D\u00e9lai\t\\x7f\n"
              "Inconnu\\x1b]0;titre\\x07\td\\x9d\n");
    EXPECT_NE(listed.err.find("\\x1b[2J"), std::string::npos) << listed.err;
    EXPECT_NE(listed.err.find("l\\x9d52;c;QQ=="), std::string::npos) << listed.err;
    EXPECT_EQ(listed.err.find('\x1b'), std::string::npos) << listed.err;

    // On a terminal, the progress line shows the row written out too.
    const auto shown = dir.file("inconnu.sce", line("Inconnu" + hostile, "d\x9D"));
    const auto played =
        runToEnd({"script", "-qec", "'" + kPlayer + "' '" + shown.string() + "'", "/dev/null"});
    EXPECT_EQ(played.exitCode, 0) << played.out;
    EXPECT_NE(played.out.find("Inconnu\\x1b]0;titre\\x07 d\\x9d"), std::string::npos) << played.out;
    EXPECT_EQ(played.out.find("\x1b]"), std::string::npos) << played.out;
    EXPECT_EQ(played.out.find("\u009d"), std::string::npos) << played.out;
}

TEST(PointillaPlayList, PrintsTheRowsInUtf8AndSaysWhereReadingStopped) {
    TempDir dir;
    const auto file = dir.file("liste.sce",
                               "[Adresse\xA4"
                               "Bouton :\xA4\r\n" +
                                   line(kPosition, " 1 , 2") + line(kDelay, "5") +
                                   line("URL", "http://a.fr/\xE9t\xE9") + line("Inconnu", "") +
                                   "cass\xE9\r\n" + line(kClick, "Clic"));
    const auto listed = runToEnd({kPlayer, "--list", file.string()}, Environment{{}, {"DISPLAY"}});
    EXPECT_EQ(listed.exitCode, 3);
    EXPECT_EQ(
        listed.out,
        "Position souris\t 1 , 2\nD\u00e9lai\t5\nURL\thttp://a.fr/\u00e9t\u00e9\nInconnu\t\n");
    EXPECT_NE(listed.err.find("ligne 6"), std::string::npos) << listed.err;
    EXPECT_NE(listed.err.find("Adresse"), std::string::npos) << listed.err;

    const auto whole = dir.file("entier.sce", line(kClick, "Clic"));
    const auto good = runToEnd({kPlayer, "--list", whole.string()});
    EXPECT_EQ(good.exitCode, 0);
    EXPECT_EQ(good.out, "Clic souris\tClic\n");

    const auto missing = runToEnd({kPlayer, "--list", (dir.path() / "absent.sce").string()});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_TRUE(missing.out.empty());

    // A FIFO is refused at once instead of waiting for a writer for ever.
    const fs::path fifo = dir.path() / "tube.sce";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto fromFifo = runToEnd({"timeout", "10", kPlayer, "--list", fifo.string()});
    EXPECT_EQ(fromFifo.exitCode, 2);
    EXPECT_NE(fromFifo.err.find("fichier ordinaire"), std::string::npos) << fromFifo.err;
}

TEST(PointillaPlayUsage, HelpDocumentsBothModesAndBadUsageFails) {
    const auto help = runToEnd({kPlayer, "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("--list"), std::string::npos);
    EXPECT_NE(help.out.find("FICHIER.sce"), std::string::npos);
    for (const char* documented : {"--repeat N", "--loop", "\u00c9chap", "  5  ", "  6  "}) {
        EXPECT_NE(help.out.find(documented), std::string::npos) << documented;
    }
    for (const char* count : {"0", "10000", "01", "boucle"}) {
        EXPECT_EQ(runToEnd({kPlayer, "--repeat", count, "a.sce"}).exitCode, 1) << count;
    }
    EXPECT_EQ(runToEnd({kPlayer}).exitCode, 1);
    EXPECT_EQ(runToEnd({kPlayer, "--bogus", "a.sce"}).exitCode, 1);
    EXPECT_EQ(runToEnd({kPlayer, "a.sce", "b.sce"}).exitCode, 1);
}

// The hot key is held while another program has the focus: the key state must
// still see it.
TEST_F(PointillaPlayTest, KeysHeldWhileAnotherWindowHasTheFocusAreSeen) {
    const auto recorder = startRecorder();
    const auto opened = platform::openX11Desktop(nullptr);
    ASSERT_TRUE(opened) << opened.error().display;
    const auto& desktop = opened.value();
    platform::KeyboardState& keys = desktop->keyboard();
    const int hotKey[] = {0x11, 0x12, 0x10, 0x31, 0x61};  // CTRL ALT SHIFT 1 keypad-1
    bool down[5] = {};
    keys.queryDown(hotKey, down);
    EXPECT_FALSE(down[0] || down[1] || down[3]);

    // Released whatever happens, so no later test finds them held.
    struct ReleaseKeys {
        ~ReleaseKeys() { runToEnd({"xdotool", "keyup", "ctrl+alt+1"}); }
    } releaseKeys;
    ASSERT_EQ(runToEnd({"xdotool", "keydown", "ctrl+alt+1"}).exitCode, 0);
    keys.queryDown(hotKey, down);
    EXPECT_TRUE(down[0]);
    EXPECT_TRUE(down[1]);
    EXPECT_FALSE(down[2]);
    EXPECT_TRUE(down[3]);
    EXPECT_FALSE(down[4]);
    // The key went to the recorder's window, not to us.
    bool recorderGotIt = false;
    while (const auto text = recorder->readLine(std::chrono::seconds(2))) {
        if (text->rfind("key 1 ", 0) == 0) {
            recorderGotIt = true;
            break;
        }
    }
    EXPECT_TRUE(recorderGotIt);

    ASSERT_EQ(runToEnd({"xdotool", "keyup", "ctrl+alt+1"}).exitCode, 0);
    keys.queryDown(hotKey, down);
    EXPECT_FALSE(down[0] || down[1] || down[2] || down[3] || down[4]);
}

}  // namespace
}  // namespace pointilla::e2e

// What the pointer display and the hot-key poll cost while nobody touches the
// keyboard, on a real X display: once following the key changes the server
// reports, once polling every millisecond as a backend without change reports
// must. Prints the CPU share of this process and, given the X server's process
// id, of the server as well, plus the cost of one evaluation of the poll.
//
//   capture_idle_poll_bench [seconds] [x-server-pid]

#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "capture/hot_key_lists.h"
#include "capture/hot_key_scan.h"
#include "capture/pointer_capture.h"
#include "platform/x11/x11_desktop.h"

namespace {

using namespace pointilla;

// The real keyboard with its change reports hidden, as a backend without them.
class WithoutChangeReports : public platform::KeyboardState {
  public:
    explicit WithoutChangeReports(platform::KeyboardState& real) : real_(real) {}
    bool isDown(int virtualKey) override { return real_.isDown(virtualKey); }
    void queryDown(std::span<const int> keys, std::span<bool> down) override {
        real_.queryDown(keys, down);
    }

  private:
    platform::KeyboardState& real_;
};

double ownCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// utime + stime of another process, from /proc; negative when unreadable.
double processCpuSeconds(long pid) {
    if (pid <= 0) return -1;
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) return -1;
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string field;
    unsigned long long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14) utime = std::stoull(field);
        if (i == 15) stime = std::stoull(field);
    }
    return static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

void runIdle(const char* name, platform::Desktop& desktop, platform::KeyboardState& keyboard,
             int seconds, long serverPid) {
    QComboBox combo1, combo2, combo3;
    for (const auto& e : capture::firstModifierEntries()) combo1.addItem(QString::fromStdString(e));
    for (const auto& e : capture::secondModifierEntries())
        combo2.addItem(QString::fromStdString(e));
    for (const auto& e : capture::hotKeyKeyEntries()) combo3.addItem(QString::fromStdString(e));
    combo1.setCurrentIndex(capture::kFirstModifierDefaultIndex);
    combo2.setCurrentIndex(capture::kSecondModifierDefaultIndex);
    QLabel label3, label4, label12;
    capture::PointerCapture poll(desktop.pointer(), keyboard, &combo1, &combo2, &combo3, &label3,
                                 &label4, &label12);

    const double ownBefore = ownCpuSeconds();
    const double serverBefore = processCpuSeconds(serverPid);
    QElapsedTimer wall;
    wall.start();
    poll.start();
    QTimer::singleShot(seconds * 1000, qApp, &QCoreApplication::quit);
    QApplication::exec();
    const double elapsed = static_cast<double>(wall.nsecsElapsed()) / 1e9;
    const double own = 100.0 * (ownCpuSeconds() - ownBefore) / elapsed;
    std::printf("%-28s program %5.2f %% of a core", name, own);
    if (serverBefore >= 0) {
        const double server = 100.0 * (processCpuSeconds(serverPid) - serverBefore) / elapsed;
        std::printf(", X server %5.2f %%, together %5.2f %%", server, own + server);
    }
    std::printf("  (%s, %.1f s)\n", poll.followsKeyChanges() ? "change reports" : "1 ms Timer2",
                elapsed);
}

void timeOneEvaluation(platform::KeyboardState& keyboard) {
    constexpr int kRounds = 2000;
    const capture::HotKeyChoice stock{"CTRL", "ALT", "1"};
    int held = 0;
    const auto begin = std::chrono::steady_clock::now();
    for (int i = 0; i < kRounds; ++i) held += capture::isHotKeyHeld(keyboard, stock) ? 1 : 0;
    const std::chrono::duration<double, std::micro> spent =
        std::chrono::steady_clock::now() - begin;
    std::printf("one evaluation of the poll (one X round trip): %.1f us (held %d/%d)\n",
                spent.count() / kRounds, held, kRounds);
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const long serverPid = argc > 2 ? std::atol(argv[2]) : 0;
    // The widgets are never shown; only the desktop backend talks to X.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    auto opened = platform::openX11Desktop(nullptr);
    if (!opened) {
        std::fprintf(stderr, "no X display: \"%s\"\n", opened.error().display.c_str());
        return 1;
    }
    const std::unique_ptr<platform::Desktop> desktop = std::move(opened).value();
    timeOneEvaluation(desktop->keyboard());
    runIdle("idle, following key changes", *desktop, desktop->keyboard(), seconds, serverPid);
    WithoutChangeReports polled(desktop->keyboard());
    runIdle("idle, polling every 1 ms", *desktop, polled, seconds, serverPid);
    return 0;
}

// Starts the program on the current X display, measures the time until its main
// window is mapped, then its idle CPU use and the X server's over 10 seconds,
// from /proc. Prints the figures against their targets. With PREPARE, that
// command runs first with the main window's id as its argument (for example
// to start a playback that waits, its stop key armed) and the figure is taken
// after it.
//   window_idle_bench POINTILLA XSERVER_PID [SECONDS [PREPARE]]

#include <X11/Xlib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};

// User plus system time of a process, in clock ticks; -1 when unreadable.
long long cpuTicks(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const auto close = text.rfind(')');
    if (close == std::string::npos) return -1;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    long long utime = 0;
    long long stime = 0;
    // Fields after the command: state is field 3; utime 14, stime 15.
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14) utime = std::atoll(field.c_str());
        if (i == 15) stime = std::atoll(field.c_str());
    }
    return utime + stime;
}

bool isMainWindow(Display* display, Window window) {
    char* name = nullptr;
    if (XFetchName(display, window, &name) == 0 || name == nullptr) return false;
    const bool match = std::string(name) == "Pointilla";
    XFree(name);
    return match;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s POINTILLA XSERVER_PID [SECONDS]\n", argv[0]);
        return 2;
    }
    const char* program = argv[1];
    const pid_t server = static_cast<pid_t>(std::atoi(argv[2]));
    const int seconds = argc > 3 ? std::atoi(argv[3]) : 10;
    const std::string prepare = argc > 4 ? argv[4] : "";

    std::unique_ptr<Display, DisplayCloser> display(XOpenDisplay(nullptr));
    if (!display) {
        std::fprintf(stderr, "cannot open the X display\n");
        return 1;
    }
    Display* dpy = display.get();
    // Every map of a top-level window: the main window's appearance.
    XSelectInput(dpy, DefaultRootWindow(dpy), SubstructureNotifyMask);
    XSync(dpy, False);

    const auto started = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    if (child < 0) return 1;

    bool shown = false;
    Window mainWindow = 0;
    while (!shown && Clock::now() - started < std::chrono::seconds(20)) {
        while (!shown && XPending(dpy) > 0) {
            XEvent event;
            XNextEvent(dpy, &event);
            if (event.type == MapNotify) {
                shown = isMainWindow(dpy, event.xmap.window);
                mainWindow = event.xmap.window;
            }
        }
        if (!shown) std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    const double startMs =
        std::chrono::duration<double, std::milli>(Clock::now() - started).count();
    if (!shown) {
        std::fprintf(stderr, "the main window did not appear\n");
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        return 1;
    }

    std::this_thread::sleep_for(std::chrono::seconds(1));  // let start-up settle
    if (!prepare.empty()) {
        const std::string command = prepare + " " + std::to_string(mainWindow);
        if (std::system(command.c_str()) != 0) {
            std::fprintf(stderr, "the preparation failed: %s\n", command.c_str());
            kill(child, SIGKILL);
            waitpid(child, nullptr, 0);
            return 1;
        }
        std::this_thread::sleep_for(std::chrono::seconds(1));
    }
    const long long appBefore = cpuTicks(child);
    const long long serverBefore = cpuTicks(server);
    const auto idleStart = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const double elapsed = std::chrono::duration<double>(Clock::now() - idleStart).count();
    const long long appTicks = cpuTicks(child) - appBefore;
    const long long serverTicks = cpuTicks(server) - serverBefore;

    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);

    const double tick = static_cast<double>(sysconf(_SC_CLK_TCK));
    const double appPercent = 100.0 * static_cast<double>(appTicks) / tick / elapsed;
    const double serverPercent = 100.0 * static_cast<double>(serverTicks) / tick / elapsed;
    const double total = appPercent + serverPercent;
    std::printf("window shown after start: %.0f ms (target < 500 ms) %s\n", startMs,
                startMs < 500 ? "ok" : "MISSED");
    std::printf(
        "idle CPU over %.1f s, window shown%s: program %.2f%%, X server %.2f%%, "
        "together %.2f%% of one core (target < 1%%) %s\n",
        elapsed, prepare.empty() ? "" : ", after the preparation", appPercent, serverPercent, total,
        total < 1.0 ? "ok" : "MISSED");
    return 0;
}

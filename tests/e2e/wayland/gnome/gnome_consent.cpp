// Answers the desktop's "Remote desktop" consent dialog as a person would:
// turns "Allow remote interaction" on, then presses "Share", through a
// remote-desktop session of mutter's own (which asks nobody). The dialog is
// found on the monitor's picture: "Share" is the one button in the accent
// colour, and the switch is the track below it, at the dialog's right edge.
//   gnome_consent        waits up to ten seconds for the dialog
// Exits 0 once Share was pressed with the switch seen on and the dialog went
// away, 1 otherwise.

#include <chrono>
#include <cstdio>
#include <optional>
#include <thread>

#include "frame_grab.h"
#include "platform/wayland/gnome/remote_session.h"

namespace {

using namespace pointilla::platform::wayland::gnome;
using pointilla::platform::ScreenPoint;

struct Box {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1, count = 0;
    void add(int x, int y) {
        left = std::min(left, x);
        top = std::min(top, y);
        right = std::max(right, x);
        bottom = std::max(bottom, y);
        ++count;
    }
    ScreenPoint centre() const { return {(left + right) / 2, (top + bottom) / 2}; }
};

// A suggested-action button ("Share"), exactly as drawn when the pointer is elsewhere.
bool accent(QRgb pixel) { return (pixel & 0xffffff) == 0x3584e4; }
// The accent colour in any of its shades (a switch that is on, hovered or not).
bool accentShade(QRgb pixel) { return qBlue(pixel) > 200 && qRed(pixel) < 120; }
bool switchOff(QRgb pixel) { return (pixel & 0xffffff) == 0xe1e1e1; }

// Pixels of `colour` inside the rectangle.
template <class Colour>
Box find(const QImage& image, Colour colour, int left, int top, int right, int bottom) {
    Box box;
    for (int y = std::max(top, 0); y < std::min(bottom, image.height()); ++y) {
        for (int x = std::max(left, 0); x < std::min(right, image.width()); ++x) {
            if (colour(image.pixel(x, y))) box.add(x, y);
        }
    }
    return box;
}

// The switch's track: the first band of at least ten rows where its colour
// runs a switch's width. The cards' one-pixel borders of the same colour run
// further, and a window's shadow has it on a row or two only.
Box findSwitch(const QImage& image, int left, int top, int right, int bottom) {
    Box band;
    int rows = 0;
    for (int y = std::max(top, 0); y < std::min(bottom, image.height()); ++y) {
        const Box row = find(image, switchOff, left, y, right, y + 1);
        if (row.count < 10 || row.right - row.left > 70) {
            if (rows >= 10) return band;
            band = Box{};
            rows = 0;
            continue;
        }
        band.add(row.left, y);
        band.add(row.right, y);
        band.count += row.count - 2;
        ++rows;
    }
    return rows >= 10 ? band : Box{};
}

void click(RemoteSession& session, ScreenPoint at) {
    static_cast<void>(session.moveTo(at.x, at.y));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    static_cast<void>(session.button(kLeftButtonCode, true));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    static_cast<void>(session.button(kLeftButtonCode, false));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
}

}  // namespace

int main() {
    auto bus = openSessionBus();
    if (!bus) return 1;
    auto session = startMutterSession(std::move(bus.value()));
    if (!session) {
        std::fprintf(stderr, "gnome_consent: %s\n", session.error().c_str());
        return 1;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        const auto frame = pointilla::testing::grabPrimaryMonitor();
        const Box share =
            frame ? find(*frame, accent, 0, 0, frame->width(), frame->height() / 2 + 100) : Box{};
        if (share.count < 200) {  // no dialog yet
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            continue;
        }
        // The switch: below the header, within a switch's width of the dialog's right edge.
        const int left = share.right - 120;
        const int top = share.bottom + 40;
        const Box track = findSwitch(*frame, left, top, share.right + 10, top + 400);
        if (track.count > 100) {
            // The switch slides over a moment. mutter may drop a session's first
            // click, so a click the switch did not follow is given again.
            bool on = false;
            for (int attempt = 0; attempt < 3 && !on; ++attempt) {
                click(*session.value(), track.centre());
                for (int look = 0; look < 10 && !on; ++look) {
                    const auto after = pointilla::testing::grabPrimaryMonitor();
                    on = after && find(*after, accentShade, track.left, track.top, track.right + 1,
                                       track.bottom + 1)
                                          .count >= track.count / 2;
                    if (!on) std::this_thread::sleep_for(std::chrono::milliseconds(100));
                }
            }
            if (!on) {
                std::fprintf(stderr, "gnome_consent: the switch did not turn on\n");
                return 1;
            }
        }
        // Pressed once the dialog is gone (a press can come before the button is ready for it).
        for (int press = 0; press < 5; ++press) {
            click(*session.value(), share.centre());
            const auto after = pointilla::testing::grabPrimaryMonitor();
            if (after &&
                find(*after, accent, share.left, share.top, share.right + 1, share.bottom + 1)
                        .count < share.count / 2) {
                std::printf("consented\n");
                return 0;
            }
        }
        std::fprintf(stderr, "gnome_consent: the dialog stayed after Share\n");
        return 1;
    }
    std::fprintf(stderr, "gnome_consent: no dialog\n");
    return 1;
}

// The window's capture path (the hot-key poll and Timer3's sampling) on the
// session's own desktop, with off-screen widgets, for counting the rows that
// presses of CTRL + ALT + 1 add on a desktop where the window's file dialog is
// out of a script's reach. Prints "ready" once the hot key is watched; then
// each line read on standard input prints the rows the scenario has so far.
//   QT_QPA_PLATFORM=offscreen tap_counter

#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QSocketNotifier>
#include <cstdio>
#include <memory>
#include <string>

#include "capture/capture_sampler.h"
#include "capture/hot_key_lists.h"
#include "capture/pointer_capture.h"
#include "editing/scenario_model.h"
#include "platform/desktop/native_desktop.h"

namespace {

namespace capture = pointilla::capture;

void fill(QComboBox& combo, const std::vector<std::string>& entries, int index) {
    for (const auto& entry : entries) combo.addItem(QString::fromStdString(entry));
    combo.setCurrentIndex(index);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    pointilla::platform::DesktopNotes notes;
    auto opened = pointilla::platform::openNativeDesktop(nullptr, notes);
    if (!opened) {
        std::fprintf(stderr, "tap_counter: no desktop\n");
        return 1;
    }
    pointilla::platform::Desktop& desktop = **opened;
    QComboBox combo1, combo2, combo3;
    fill(combo1, capture::firstModifierEntries(), capture::kFirstModifierDefaultIndex);
    fill(combo2, capture::secondModifierEntries(), capture::kSecondModifierDefaultIndex);
    fill(combo3, capture::hotKeyKeyEntries(), capture::kHotKeyKeyDefaultIndex);
    QLabel label3, label4, label12;
    pointilla::editing::ScenarioModel model;
    capture::CaptureSampler sampler(label12, model);
    capture::PointerCapture poll(desktop.pointer(), desktop.keyboard(), &combo1, &combo2, &combo3,
                                 &label3, &label4, &label12);
    QObject::connect(&poll, &capture::PointerCapture::hotKeyPressed, &sampler,
                     &capture::CaptureSampler::notePress);
    poll.start();
    std::printf("ready %s\n", notes.backend.c_str());
    std::fflush(stdout);

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char buffer[256];
        const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (got <= 0) {
            QApplication::quit();
            return;
        }
        std::printf("%d\n", model.count());
        std::fflush(stdout);
    });
    return QApplication::exec();
}

#include "shell/display_loss.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "messages/playback_messages.h"

namespace pointilla::shell {
namespace {

std::function<int()> playingRowNow;
QtMessageHandler previousHandler = nullptr;

// The toolkit's own words, just before it ends the program (xcb and Wayland
// platforms, and its Xlib I/O error handler).
bool tellsOfABrokenDisplay(const QString& message) {
    return message.startsWith(QLatin1String("The X11 connection broke")) ||
           message.startsWith(QLatin1String("The Wayland connection broke")) ||
           message.startsWith(QLatin1String("The Wayland connection experienced a fatal error"));
}

void onToolkitMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg && tellsOfABrokenDisplay(message)) {
        const int row = playingRowNow ? playingRowNow() : 0;
        const std::string said =
            row > 0 ? messages::desktopLostMessage(row) : messages::displayLostMessage();
        std::fprintf(stderr, "Pointilla : %s\n", said.c_str());
        std::fflush(stderr);
        // Nothing may run against the dead display any more, destructors included.
        std::_Exit(kDisplayLostStatus);
    }
    if (previousHandler != nullptr) previousHandler(type, context, message);
}

}  // namespace

void sayDisplayLossInFrench(std::function<int()> playingRow) {
    playingRowNow = std::move(playingRow);
    previousHandler = qInstallMessageHandler(onToolkitMessage);
}

}  // namespace pointilla::shell

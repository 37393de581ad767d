#pragma once
// The pointer position on KWin, which tells no Wayland client where the
// pointer is outside its own surfaces: a small KWin script, loaded through
// org.kde.kwin.Scripting for the life of this object, reads workspace.cursorPos
// whenever it changes and calls this process back over D-Bus with it. The
// script's name carries the pid and is noted on disk while it is loaded, so
// that the next start unloads the script of a process that was killed.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "common/result.h"
#include "platform/dbus/sd_bus_handles.h"
#include "platform/desktop/desktop.h"
#include "platform/wayland/common/leftover_notes.h"

namespace pointilla::platform::wayland::kwin {

class CursorFeed {
  public:
    // Loads and runs the script; it answers with the current position at once.
    static Result<std::unique_ptr<CursorFeed>, BusError> start(sd_bus* bus);
    ~CursorFeed();  // unloads the script
    CursorFeed(const CursorFeed&) = delete;
    CursorFeed& operator=(const CursorFeed&) = delete;

    // The last position KWin reported, in global layout coordinates.
    std::optional<ScreenPoint> latest() const { return latest_; }

  private:
    // The script's text for a receiver with this bus name.
    static std::string scriptFor(const std::string& busName);
    explicit CursorFeed(sd_bus* bus) : bus_(bus) {}
    static int onCall(sd_bus_message* message, void* data, sd_bus_error* error);
    // Unloads the scripts of processes that ended without unloading theirs.
    void unloadLeftovers();

    sd_bus* bus_;
    SlotHandle object_;
    std::string pluginName_;
    std::filesystem::path scriptFile_;
    bool loaded_ = false;
    std::optional<LeftoverNotes> notes_;
    std::optional<ScreenPoint> latest_;
};

}  // namespace pointilla::platform::wayland::kwin

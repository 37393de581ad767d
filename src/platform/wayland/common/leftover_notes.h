#pragma once
// What a process set up inside the compositor (key bindings, a script) ends
// with the process only if the process ends well. Each process notes what it
// set up in a file named by its pid, in a folder only this user may enter, so
// that a later start can undo what a killed one left behind.

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pointilla::platform::wayland {

class LeftoverNotes {
  public:
    struct Note {
        pid_t pid = 0;
        bool ended = false;  // its process is gone (or its pid now names this one)
        std::string text;
    };

    // The folder "<XDG_RUNTIME_DIR>/pointilla-<kind>-notes" (or one in /tmp named
    // with the uid), made when missing; nothing when it is not this user's
    // alone, as another user could plant notes there.
    static std::optional<LeftoverNotes> open(std::string_view kind);
    // A folder given by its path, for tests.
    static std::optional<LeftoverNotes> openAt(std::filesystem::path folder);

    // This process's note, written whole or not at all.
    bool write(std::string_view text) const;
    void erase(pid_t pid) const;
    void eraseOwn() const;
    std::vector<Note> all() const;

  private:
    explicit LeftoverNotes(std::filesystem::path folder) : folder_(std::move(folder)) {}
    std::filesystem::path folder_;
};

}  // namespace pointilla::platform::wayland

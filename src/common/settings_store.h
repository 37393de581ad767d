#pragma once
// Where the settings values are kept, as the parts below the main window see
// it. The main window implements it over its registry control (pointing the
// control at the settings key before each access); tests use a map.

#include <string>
#include <string_view>

namespace pointilla::settings {

// Playback only reads.
class Reader {
  public:
    virtual ~Reader() = default;
    // The value's text; the empty text when it cannot be read.
    virtual std::string read(std::string_view valueName) = 0;
};

// The hot-key lists also keep the user's choices.
class Store : public Reader {
  public:
    // A write that fails is lost without a message; the choice still acts until quit.
    virtual void write(std::string_view valueName, const std::string& text) = 0;
};

}  // namespace pointilla::settings

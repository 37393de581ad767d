#pragma once
// Where the hot-key choices are kept between runs. The main window implements it
// over its registry control (pointing the control at the settings key before each
// access); tests use an in-memory store.

#include <string>
#include <string_view>

namespace pointilla::capture {

class HotKeySettings {
  public:
    virtual ~HotKeySettings() = default;
    // The value's text; the empty text when it cannot be read.
    virtual std::string read(std::string_view valueName) = 0;
    // A write that fails is lost without a message; the choice still acts until quit.
    virtual void write(std::string_view valueName, const std::string& text) = 0;
};

}  // namespace pointilla::capture

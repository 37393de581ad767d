#pragma once
// The key bindings a person wrote in their sway config, read from the text
// sway hands over (GET_CONFIG) the way sway reads it: comments, lines joined
// by a trailing backslash, "{ }" blocks whose header prefixes each inner line
// (`mode "resize" { ... }`), `set $name value` variables and included files.
// Only what can collide with a binding made at run time is kept: `bindsym`
// bindings with no option but --release, --no-repeat and --no-warn (other
// options, --to-code and bindcode make bindings sway keeps apart from these).

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pointilla::platform::wayland {

struct SwayBinding {
    std::string mode;  // "default" outside a mode block
    bool release = false;
    bool noRepeat = false;
    std::string keys;     // variables replaced: "Mod4+Escape"
    std::string command;  // as sway keeps it
};

// The texts of the files an `include` line names, in order.
using SwayIncludeReader = std::function<std::vector<std::string>(const std::string& path)>;

std::vector<SwayBinding> swayKeyBindings(std::string_view config,
                                         const SwayIncludeReader& readIncluded = {});

// Included files as sway finds them: "~", environment variables and wildcards
// expanded (a command in the path is never run). Only absolute paths: a
// relative one is relative to the config file, whose place sway does not tell.
std::vector<std::string> readSwayIncludes(const std::string& path);

// Whether two combinations name the same keys for sway, whatever the order,
// the letter case and the modifier's spelling: "Control+Alt+A", "a+Mod1+ctrl".
bool sameSwayCombination(std::string_view a, std::string_view b);

// The binding in force for these keys in this mode (the config's last one),
// pressed or released.
std::optional<SwayBinding> swayBindingOf(const std::vector<SwayBinding>& bindings,
                                         std::string_view mode, std::string_view keys,
                                         bool release);

// The command that makes the binding again over IPC, its command quoted so
// that sway neither splits it at ";" or "," nor strips its own quotes; empty
// when it holds both kinds of quote.
std::string swayRebindCommand(const SwayBinding& binding);

}  // namespace pointilla::platform::wayland

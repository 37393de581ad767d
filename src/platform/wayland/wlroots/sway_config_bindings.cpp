#include "platform/wayland/wlroots/sway_config_bindings.h"

#include <wordexp.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <utility>

#include "platform/files/read_file.h"

namespace pointilla::platform::wayland {
namespace {

constexpr std::uintmax_t kMaxIncludedSize = 1 << 20;

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// Lines as sway reads them: a line ending with a backslash goes on with the next.
std::vector<std::string> logicalLines(std::string_view config) {
    std::vector<std::string> lines;
    std::string current;
    while (!config.empty()) {
        const auto end = config.find('\n');
        std::string_view line = config.substr(0, end);
        config.remove_prefix(end == std::string_view::npos ? config.size() : end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (line.ends_with('\\')) {
            current.append(line.substr(0, line.size() - 1));
            continue;
        }
        current.append(line);
        lines.push_back(std::move(current));
        current.clear();
    }
    if (!current.empty()) lines.push_back(std::move(current));
    return lines;
}

// Words split at blanks; a quoted part stays one word, its quotes kept.
std::vector<std::string> words(std::string_view line) {
    std::vector<std::string> found;
    std::string word;
    char quote = 0;
    bool inWord = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quote == 0 && (c == ' ' || c == '\t')) {
            if (inWord) found.push_back(std::exchange(word, {}));
            inWord = false;
            continue;
        }
        inWord = true;
        word.push_back(c);
        if (quote != 0 && c == '\\' && i + 1 < line.size()) {
            word.push_back(line[++i]);
        } else if (quote == 0 && (c == '"' || c == '\'')) {
            quote = c;
        } else if (c == quote) {
            quote = 0;
        }
    }
    if (inWord) found.push_back(std::move(word));
    return found;
}

std::string withoutQuotes(std::string word) {
    if (word.size() >= 2 && (word.front() == '"' || word.front() == '\'') &&
        word.back() == word.front()) {
        return word.substr(1, word.size() - 2);
    }
    return word;
}

std::string joined(const std::vector<std::string>& parts, std::size_t from) {
    std::string text;
    for (std::size_t i = from; i < parts.size(); ++i) {
        if (i > from) text += ' ';
        text += parts[i];
    }
    return text;
}

using Variables = std::vector<std::pair<std::string, std::string>>;  // longest name first

// Each "$" followed by a known name takes its value, the longest name winning.
std::string replaced(const std::string& word, const Variables& variables) {
    std::string out;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (word[i] == '$' && (i == 0 || word[i - 1] != '\\')) {
            const auto known = std::find_if(variables.begin(), variables.end(), [&](const auto& v) {
                return word.compare(i, v.first.size(), v.first) == 0;
            });
            if (known != variables.end()) {
                out += known->second;
                i += known->first.size() - 1;
                continue;
            }
        }
        out.push_back(word[i]);
    }
    return out;
}

void define(Variables& variables, std::string name, std::string value) {
    std::erase_if(variables, [&](const auto& v) { return v.first == name; });
    const auto at = std::find_if(variables.begin(), variables.end(),
                                 [&](const auto& v) { return v.first.size() < name.size(); });
    variables.insert(at, {std::move(name), std::move(value)});
}

// A `bindsym` command's words after "bindsym", when it is a plain key binding.
std::optional<SwayBinding> plainBinding(const std::vector<std::string>& args, std::size_t at) {
    SwayBinding binding;
    for (; at < args.size() && args[at].starts_with("--"); ++at) {
        if (args[at] == "--release") {
            binding.release = true;
        } else if (args[at] == "--no-repeat") {
            binding.noRepeat = true;
        } else if (args[at] != "--no-warn") {
            return std::nullopt;
        }
    }
    if (at + 1 >= args.size()) return std::nullopt;
    binding.keys = args[at];
    binding.command = joined(args, at + 1);
    return binding;
}

std::string lowered(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// The combination with modifiers spelt one way and every part in order.
std::string canonical(std::string_view keys) {
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 10> kModifiers{{
        {"shift", "Shift"},
        {"lock", "Lock"},
        {"control", "Ctrl"},
        {"ctrl", "Ctrl"},
        {"mod1", "Mod1"},
        {"alt", "Mod1"},
        {"mod2", "Mod2"},
        {"mod3", "Mod3"},
        {"mod4", "Mod4"},
        {"mod5", "Mod5"},
    }};
    std::vector<std::string> parts;
    while (!keys.empty()) {
        const auto plus = keys.find('+', 1);  // a lone "+" may be a key name
        std::string part = lowered(keys.substr(0, plus));
        keys.remove_prefix(plus == std::string_view::npos ? keys.size() : plus + 1);
        const auto modifier = std::find_if(kModifiers.begin(), kModifiers.end(),
                                           [&](const auto& m) { return m.first == part; });
        parts.push_back(modifier != kModifiers.end() ? std::string(modifier->second) : part);
    }
    std::sort(parts.begin(), parts.end());
    parts.erase(std::unique(parts.begin(), parts.end()), parts.end());
    return joined(parts, 0);
}

}  // namespace

namespace {

// Reads a config and the files it includes in order, as one text.
class ConfigReader {
  public:
    explicit ConfigReader(const SwayIncludeReader& readIncluded) : readIncluded_(readIncluded) {}

    void read(std::string_view text, int depth) {
        for (const std::string& raw : logicalLines(text)) {
            const std::string_view line = trimmed(raw);
            if (line.empty() || line.front() == '#') continue;
            if (line == "}") {
                if (!blocks_.empty()) blocks_.pop_back();
                continue;
            }
            if (line == "{") {
                blocks_.push_back(previous_);
                continue;
            }
            std::string expanded = blocks_.empty() ? std::string() : blocks_.back() + " ";
            if (line.ends_with('{')) {
                expanded += trimmed(line.substr(0, line.size() - 1));
                blocks_.push_back(expanded);
                continue;
            }
            expanded += line;
            previous_ = expanded;
            command(words(expanded), depth);
        }
    }

    std::vector<SwayBinding> bindings;

  private:
    static constexpr int kMaxIncludeDepth = 8;  // a file that includes itself ends here

    void command(std::vector<std::string> args, int depth) {
        if (args.size() >= 3 && args[0] == "set") {
            for (std::size_t i = 2; i < args.size(); ++i) args[i] = replaced(args[i], variables_);
            define(variables_, args[1], withoutQuotes(joined(args, 2)));
            return;
        }
        for (std::size_t i = 1; i < args.size(); ++i) args[i] = replaced(args[i], variables_);
        if (args.size() >= 2 && args[0] == "include") {
            if (readIncluded_ && depth < kMaxIncludeDepth) {
                for (const std::string& text : readIncluded_(withoutQuotes(joined(args, 1)))) {
                    read(text, depth + 1);
                }
            }
            return;
        }
        std::string mode = "default";
        std::size_t at = 0;
        if (!args.empty() && args[0] == "mode") {
            for (at = 1; at < args.size() && args[at].starts_with("--"); ++at) {
            }
            if (at >= args.size()) return;
            mode = withoutQuotes(args[at++]);
        }
        if (at >= args.size() || args[at] != "bindsym") return;
        if (auto binding = plainBinding(args, at + 1)) {
            binding->mode = std::move(mode);
            bindings.push_back(std::move(*binding));
        }
    }

    const SwayIncludeReader& readIncluded_;
    Variables variables_;
    std::vector<std::string> blocks_;  // each inner line starts with the block's header
    std::string previous_;             // a header whose "{" comes on the next line
};

}  // namespace

std::vector<SwayBinding> swayKeyBindings(std::string_view config,
                                         const SwayIncludeReader& readIncluded) {
    ConfigReader reader(readIncluded);
    reader.read(config, 0);
    return std::move(reader.bindings);
}

std::vector<std::string> readSwayIncludes(const std::string& path) {
    struct Expansion {
        wordexp_t words{};
        int status = 0;
        ~Expansion() {
            if (status == 0 || status == WRDE_NOSPACE) ::wordfree(&words);
        }
    } expansion;
    std::vector<std::string> texts;
    // WRDE_NOCMD: a "$(...)" in the path is refused, never run.
    expansion.status = ::wordexp(path.c_str(), &expansion.words, WRDE_NOCMD);
    if (expansion.status != 0) return texts;
    for (std::size_t i = 0; i < expansion.words.we_wordc; ++i) {
        const std::filesystem::path file = expansion.words.we_wordv[i];
        if (!file.is_absolute()) continue;
        // A folder, a FIFO, a device or a huge file is skipped like a missing one.
        auto text = files::readRegularFile(file, kMaxIncludedSize);
        if (text) texts.push_back(std::move(text).value());
    }
    return texts;
}

bool sameSwayCombination(std::string_view a, std::string_view b) {
    const std::string canonicalA = canonical(a);
    return !canonicalA.empty() && canonicalA == canonical(b);
}

std::optional<SwayBinding> swayBindingOf(const std::vector<SwayBinding>& bindings,
                                         std::string_view mode, std::string_view keys,
                                         bool release) {
    const auto last = std::find_if(bindings.rbegin(), bindings.rend(), [&](const SwayBinding& b) {
        return b.mode == mode && b.release == release && sameSwayCombination(b.keys, keys);
    });
    if (last == bindings.rend()) return std::nullopt;
    return *last;
}

std::string swayRebindCommand(const SwayBinding& binding) {
    const bool hasSingle = binding.command.find('\'') != std::string::npos;
    const bool hasDouble = binding.command.find('"') != std::string::npos;
    if (hasSingle && hasDouble) return {};
    const char quote = hasSingle ? '"' : '\'';
    std::string command = "bindsym ";
    if (binding.release) command += "--release ";
    if (binding.noRepeat) command += "--no-repeat ";
    return command + binding.keys + ' ' + quote + binding.command + quote;
}

}  // namespace pointilla::platform::wayland

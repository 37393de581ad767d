#include "scenario/detail_text.h"

#include <charconv>
#include <limits>

#include "scenario/row.h"

namespace pointilla::scenario {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool allDigits(std::string_view text) {
    if (text.empty()) return false;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

}  // namespace

std::string coordinateText(long long n) {
    if (n < 0) return "-" + std::to_string(-static_cast<unsigned long long>(n));
    return " " + std::to_string(n);
}

std::string capturedPositionDetail(std::string_view xText, std::string_view yText) {
    std::string out;
    out.reserve(xText.size() + yText.size() + 3);
    out.append(xText).append(" , ").append(yText);
    return out;
}

std::string capturedPositionDetail(int x, int y) {
    return capturedPositionDetail(coordinateText(x), coordinateText(y));
}

std::string dialogPositionDetail(std::string_view xBox, std::string_view yBox) {
    std::string out;
    out.reserve(xBox.size() + yBox.size() + 4);
    out.append(xBox).append(" ,  ").append(yBox);
    return out;
}

std::optional<int> parseWholeNumber(std::string_view text) {
    text = trimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (!allDigits(text)) return std::nullopt;
    long long magnitude = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    const long long value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

std::optional<Position> parsePositionDetail(std::string_view detail) {
    const auto comma = detail.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    const auto x = parseWholeNumber(detail.substr(0, comma));
    const auto y = parseWholeNumber(detail.substr(comma + 1));
    if (!x || !y) return std::nullopt;
    return Position{*x, *y};
}

std::optional<PositionBoxes> splitPositionForDialog(std::string_view detail) {
    const auto comma = detail.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    std::string_view x = detail.substr(0, comma);
    if (!x.empty() && x.back() == ' ') x.remove_suffix(1);
    std::string_view y = detail.substr(comma + 1);
    while (!y.empty() && y.front() == ' ') y.remove_prefix(1);
    return PositionBoxes{std::string(x), std::string(y)};
}

std::optional<int> parseDelaySeconds(std::string_view detail) {
    const std::string_view digits = trimBlanks(detail);
    if (!allDigits(digits)) return std::nullopt;
    const auto value = parseWholeNumber(digits);
    if (!value || *value < 1) return std::nullopt;
    return value;
}

std::vector<std::string> delayChoices() {
    std::vector<std::string> choices;
    choices.reserve(kMaxDelayChoice);
    for (int i = 1; i <= kMaxDelayChoice; ++i) choices.push_back(std::to_string(i));
    return choices;
}

}  // namespace pointilla::scenario

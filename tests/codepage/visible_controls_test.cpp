#include "codepage/visible_controls.h"

#include <gtest/gtest.h>

#include <string>

#include "codepage/cp1252.h"

namespace pointilla::codepage {
namespace {

struct Case {
    std::string in;
    std::string shown;
};

TEST(EscapeControls, EveryControlIsWrittenOutAndOtherTextIsLeftAlone) {
    const Case cases[] = {
        {"http://exemple.fr/\u00e9t\u00e9 \u20ac \u00a4 \u00ff",
         "http://exemple.fr/\u00e9t\u00e9 \u20ac \u00a4 \u00ff"},
        {"C:\\dossier\\a.txt", "C:\\dossier\\a.txt"},
        {std::string("a\0b", 3), "a\\x00b"},
        {"col1\tcol2", "col1\\tcol2"},
        {"ligne\nURL\tinvent\u00e9e", "ligne\\nURL\\tinvent\u00e9e"},
        {"a\rb", "a\\rb"},
        {"\a\b\v\f\x1f", "\\x07\\x08\\x0b\\x0c\\x1f"},
        {"\x1b]0;titre\a", "\\x1b]0;titre\\x07"},
        {"\x1b[2J\x1b[H", "\\x1b[2J\\x1b[H"},
        {"x\x7fy", "x\\x7fy"},
        // C1 controls as UTF-8, first, OSC and last; then the code page's own
        // undefined bytes, which it reads as C1 controls.
        {"\u0080\u009d\u009f", "\\x80\\x9d\\x9f"},
        {cp1252ToUtf8("\x81\x8D\x8F\x90\x9D"), "\\x81\\x8d\\x8f\\x90\\x9d"},
        {"\u00a0", "\u00a0"},
        // Bytes that are no UTF-8 are written out too, never passed raw.
        {"a\x9b"
         "b\xC3",
         "a\\x9bb\\xc3"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(escapeControls(c.in), c.shown) << c.shown;
}

}  // namespace
}  // namespace pointilla::codepage

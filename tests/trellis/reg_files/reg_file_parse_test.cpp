// How .REG files are read, case by case: what the Windows registry editor
// imports is read the same way; what it would skip, half-read or misread is
// refused with its line. Each row: the file, then the keys and values it asks
// for, or the refusal.

#include "trellis/reg_files/reg_file_parse.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "support/utf16_file.h"

namespace trellis {
namespace {

using Kind = RegFileError::Kind;
using testing::utf16File;

// The request as one readable text: "[path] name=data ..." per key, "\n" between keys.
std::string shown(const std::vector<RegFileKey>& keys) {
    std::string out;
    for (const auto& key : keys) {
        if (!out.empty()) out += "\n";
        out += (key.remove ? "[-" : "[") + key.path + "]";
        for (const auto& value : key.values) {
            out += " " + (value.name.empty() ? std::string("@") : value.name) + "=";
            if (value.remove) {
                out += "-";
            } else if (value.type == REG_SZ) {
                out += "\"" + value.data + "\"";
            } else if (value.type == REG_DWORD && value.data.size() == 4) {
                DWORD n = 0;
                std::memcpy(&n, value.data.data(), 4);
                char digits[16];
                std::snprintf(digits, sizeof digits, "dword:%08x", static_cast<unsigned>(n));
                out += digits;
            } else {
                out += "hex(" + std::to_string(value.type) + "):";
                for (unsigned char b : value.data) {
                    char digits[4];
                    std::snprintf(digits, sizeof digits, "%02x", b);
                    out += digits;
                }
            }
        }
    }
    return out;
}

struct Case {
    const char* what;
    std::string file;
    std::string tree;  // expected when accepted
    Kind refusal = Kind::NotRegistryFile;
    std::size_t line = 0;  // the refusal's line; 0 with an empty tree: accepted
    std::string subject = {};
};

const std::string kHead = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\S]\r\n";  // values from line 4
const std::string kKey = "[HKEY_CURRENT_USER\\S]";

Case accepted(const char* what, std::string file, std::string tree) {
    return {what, std::move(file), std::move(tree)};
}
Case refused(const char* what, std::string file, Kind kind, std::size_t line,
             std::string subject = {}) {
    return {what, std::move(file), {}, kind, line, std::move(subject)};
}

std::vector<Case> cases() {
    const std::string longName(kLongestValueName, 'n');
    const std::string nul(1, '\0');
    return {
        // Read as the editor reads them.
        accepted("an export",
                 kHead + "\"a\"=\"C:\\\\T \\\"q\\\"\"\r\n@=\"d\"\r\n\"n\"=dword:000000ff\r\n"
                         "\"b\"=hex:0a,ff,\\\r\n  00\r\n\r\n[HKEY_CURRENT_USER\\S\\Sub]\r\n",
                 kKey + " a=\"C:\\T \"q\"\" @=\"d\" n=dword:000000ff b=hex(3):0aff00\n"
                        "[HKEY_CURRENT_USER\\S\\Sub]"),
        accepted("blanks around the header", " \tREGEDIT4 \t\r\n" + kKey + "\r\n", kKey),
        accepted("the version 5 header in Windows-1252",
                 "Windows Registry Editor Version 5.00\r\n" + kKey + "\r\n\"a\"=\"\xE9\"\r\n",
                 kKey + " a=\"\xE9\""),
        accepted("lone CR line ends", "REGEDIT4\r" + kKey + "\r\"a\"=\"b\"\r", kKey + " a=\"b\""),
        accepted("LF line ends, and LF CR as two", "REGEDIT4\n\r" + kKey + "\n\r\"a\"=\"b\"\n",
                 kKey + " a=\"b\""),
        accepted("blanks before [, \", @ and ;",
                 "REGEDIT4\r\n \t" + kKey + "\r\n  \"a\"=\"b\"\r\n\t@=\"c\"\r\n   ; note\r\n",
                 kKey + " a=\"b\" @=\"c\""),
        accepted("blanks around = and @ =", kHead + "\"a\" =\t\"b\"\r\n@ = dword:1\r\n",
                 kKey + " a=\"b\" @=dword:00000001"),
        accepted("blanks or a comment after ]",
                 "REGEDIT4\r\n" + kKey + " \t\r\n[HKEY_CURRENT_USER\\T] ; note\r\n",
                 kKey + "\n[HKEY_CURRENT_USER\\T]"),
        accepted("a key name holding ]", "REGEDIT4\r\n[HKEY_CURRENT_USER\\a]b]\r\n",
                 "[HKEY_CURRENT_USER\\a]b]"),
        accepted("blanks after data",
                 kHead + "\"a\"=\"b\" \t\r\n\"d\"=dword:2 \r\n\"h\"=hex:01 \r\n\"r\"=- \r\n",
                 kKey + " a=\"b\" d=dword:00000002 h=hex(3):01 r=-"),
        accepted("lower-case root names",
                 "REGEDIT4\r\n[hkey_current_user\\S]\r\n[-Hkey_Local_Machine\\X]\r\n",
                 kKey + "\n[-HKEY_LOCAL_MACHINE\\X]"),
        accepted("a trailing backslash in key names",
                 "REGEDIT4\r\n[HKEY_CURRENT_USER\\S\\]\r\n[-HKEY_CURRENT_USER\\X\\]\r\n",
                 kKey + "\n[-HKEY_CURRENT_USER\\X]"),
        accepted("comments after data",
                 kHead + "\"a\"=\"b\";c\r\n\"d\"=dword:12 ; c\r\n\"e\"=dword:13;c\r\n"
                         "\"h\"=hex:01,02 ;c\r\n\"i\"=hex:01;c\r\n\"r\"=-;c\r\n",
                 kKey + " a=\"b\" d=dword:00000012 e=dword:00000013 h=hex(3):0102 i=hex(3):01 r=-"),
        accepted("blank and comment lines inside hex data",
                 kHead + "\"h\"=hex:01,\\ ; c\r\n\r\n  ; c\r\n  02,\\\r\n\t03\r\n\"a\"=\"b\"\r\n",
                 kKey + " h=hex(3):010203 a=\"b\""),
        accepted("a backslash on the last line", kHead + "\"h\"=hex:01,\\", kKey + " h=hex(3):01"),
        accepted("a backslash on the last line, then its line end", kHead + "\"h\"=hex:01,\\\r\n",
                 kKey + " h=hex(3):01"),
        accepted("a trailing comma", kHead + "\"h\"=hex:01,02,\r\n\"i\"=hex:01, \r\n",
                 kKey + " h=hex(3):0102 i=hex(3):01"),
        accepted("single-digit bytes and leading zeros", kHead + "\"h\"=hex:1,a,0B,00ff\r\n",
                 kKey + " h=hex(3):010a0bff"),
        // The editor skips a value with a blank before a comma; its bytes are plain all the same.
        accepted("blanks around commas", kHead + "\"h\"=hex: 1 , 2\r\n", kKey + " h=hex(3):0102"),
        accepted("no bytes", kHead + "\"h\"=hex:\r\n\"n\"=hex(0):\r\n",
                 kKey + " h=hex(3): n=hex(0):"),
        accepted("dword: followed by blanks", kHead + "\"d\"=dword:\t 1234abcD\r\n",
                 kKey + " d=dword:1234abcd"),
        accepted("hex(type)", kHead + "\"x\"=hex(2):25,41,25,00\r\n\"m\"=hex(7):61,00,00\r\n",
                 kKey + " x=hex(2):25412500 m=hex(7):610000"),
        accepted("the longest value name", kHead + "\"" + longName + "\"=\"v\"\r\n",
                 kKey + " " + longName + "=\"v\""),
        accepted("UTF-16 text and hex(2) as UTF-16",
                 utf16File(u"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\S]\r\n"
                           u"\"é\"=\"€\"\r\n\"x\"=hex(2):25,00,41,00,\\\r\n  00,00\r\n"),
                 kKey + " \xE9=\"\x80\" x=hex(2):254100"),

        // Refused where the editor would import nothing or something else.
        refused("an empty file", "", Kind::NotRegistryFile, 1),
        refused("a blank line before the header", "\r\nREGEDIT4\r\n" + kKey + "\r\n",
                Kind::NotRegistryFile, 1),
        refused("another header", "REGEDIT4X\r\n" + kKey + "\r\n", Kind::NotRegistryFile, 1),
        refused("UTF-8 with a byte-order mark",
                "\xEF\xBB\xBFREGEDIT4\r\n" + kKey + "\r\n\"a\"=\"caf\xC3\xA9\"\r\n", Kind::Utf8File,
                1),
        refused("big-endian UTF-16", "\xFE\xFF" + std::string("\0R", 2), Kind::Utf16BigEndian, 1),
        refused("a UTF-16 file cut within a character",
                utf16File(u"REGEDIT4\r\n") + std::string(1, 'x'), Kind::OddUtf16Length, 2),
        refused("a character Windows-1252 lacks",
                utf16File(u"REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\S]\r\n\"s\"=\"日本\"\r\n"),
                Kind::CharacterOutsideCp1252, 4, "U+65E5 日"),
        refused("a lone surrogate", utf16File(u"REGEDIT4\r\n\"\xD800\"\r\n"),
                Kind::CharacterOutsideCp1252, 2, "U+D800"),
        refused("hex(2) of an odd length in UTF-16",
                utf16File(u"REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\S]\r\n\"x\"=hex(2):41,00,42\r\n"),
                Kind::OddUtf16Text, 4),
        refused(
            "hex(1) of a character Windows-1252 lacks in UTF-16",
            utf16File(u"REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\S]\r\n\"x\"=hex(1):42,30,00,00\r\n"),
            Kind::CharacterOutsideCp1252, 4, "U+3042 あ"),
        refused("a value name of 16,384 characters", kHead + "\"" + longName + "n\"=\"v\"\r\n",
                Kind::NameTooLong, 4, "16384"),
        refused("hex bytes continued without a comma", kHead + "\"c\"=hex:11,2\\\r\n  2,33\r\n",
                Kind::BadHexBytes, 4),
        refused("a dword continued", kHead + "\"d\"=dword:1234\\\r\n5678\r\n",
                Kind::ContinuationOutsideHex, 4),
        refused("a text continued", kHead + "\"c\"=\"abc\\\r\ndef\"\r\n",
                Kind::ContinuationOutsideHex, 4),
        refused("a value name continued", kHead + "\"na\\\r\nme\"=\"v\"\r\n",
                Kind::ContinuationOutsideHex, 4),
        refused("a key line continued", "REGEDIT4\r\n[HKEY_CURRENT_USER\\S\\\r\nT]\r\n",
                Kind::ContinuationOutsideHex, 2),
        refused("hex data continued by a key line",
                kHead + "\"h\"=hex:01,\\\r\n[HKEY_CURRENT_USER\\T]\r\n", Kind::ContinuationNotHex,
                5),
        refused("an empty byte", kHead + "\"h\"=hex:01,,02\r\n", Kind::BadHexBytes, 4),
        refused("a byte above ff", kHead + "\"h\"=hex:100\r\n", Kind::BadHexBytes, 4),
        refused("text after a backslash", kHead + "\"h\"=hex:01,\\ 02\r\n", Kind::BadHexBytes, 4),
        refused("a bad hex type", kHead + "\"h\"=hex(x):01\r\n", Kind::BadHexType, 4),
        refused("upper-case HEX", kHead + "\"h\"=HEX:01\r\n", Kind::UnknownData, 4),
        refused("dword: alone", kHead + "\"d\"=dword: \r\n", Kind::BadDword, 4),
        refused("nine dword digits", kHead + "\"d\"=dword:123456789\r\n", Kind::BadDword, 4),
        refused("text after a dword", kHead + "\"d\"=dword:12 x\r\n", Kind::BadDword, 4),
        refused("text after a text", kHead + "\"a\"=\"b\"x\r\n", Kind::TextAfterData, 4),
        refused("text after a removal", kHead + "\"a\"=-x\r\n", Kind::TextAfterData, 4),
        refused("no data", kHead + "\"a\"=\r\n", Kind::UnknownData, 4),
        refused("an unknown escape", kHead + "\"a\"=\"x\\ty\"\r\n", Kind::UnknownEscape, 4, "t"),
        refused("an unclosed value name", kHead + "\"a=\"b\r\n", Kind::EqualsExpected, 4),
        refused("no =", kHead + "\"a\" \"b\"\r\n", Kind::EqualsExpected, 4),
        refused("a # comment", kHead + "# note\r\n", Kind::LineNotUnderstood, 4),
        refused("an unquoted value name", kHead + "a=\"b\"\r\n", Kind::LineNotUnderstood, 4),
        refused("a value before any key", "REGEDIT4\r\n\"a\"=\"b\"\r\n", Kind::ValueBeforeKey, 2),
        refused("a value under a removed key",
                "REGEDIT4\r\n[-HKEY_CURRENT_USER\\S]\r\n\"a\"=\"b\"\r\n",
                Kind::ValueUnderRemovedKey, 3),
        refused("a key line without ]", "REGEDIT4\r\n[HKEY_CURRENT_USER\\S\r\n",
                Kind::KeyLineUnclosed, 2),
        refused("text after ]", "REGEDIT4\r\n" + kKey + " x\r\n", Kind::TextAfterKey, 2, "x"),
        refused("a blank after [", "REGEDIT4\r\n[ HKEY_CURRENT_USER\\S]\r\n", Kind::UnknownRoot, 2,
                " HKEY_CURRENT_USER"),
        refused("an unknown root", "REGEDIT4\r\n[HKEY_NOWHERE\\S]\r\n", Kind::UnknownRoot, 2,
                "HKEY_NOWHERE"),
        refused("an empty key name", "REGEDIT4\r\n[HKEY_CURRENT_USER\\a\\\\b]\r\n",
                Kind::EmptyKeyName, 2, "HKEY_CURRENT_USER\\a\\\\b"),
        refused("a whole root removed", "REGEDIT4\r\n[-hkey_users]\r\n", Kind::RootRemoval, 2,
                "HKEY_USERS"),
        refused("a NUL in a key path", "REGEDIT4\r\n[-HKEY_CURRENT_USER\\Keep" + nul + "x]\r\n",
                Kind::NulInKey, 2),
        refused("a NUL in a value name", kHead + "\"a" + nul + "b\"=\"v\"\r\n", Kind::NulInName, 4),
    };
}

TEST(RegFileParse, ReadsWhatTheRegistryEditorReadsAndRefusesTheRestWithItsLine) {
    std::size_t accepted = 0;
    std::size_t refused = 0;
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.what);
        const auto parsed = parseRegFile(c.file);
        if (c.line == 0) {
            ++accepted;
            ASSERT_TRUE(parsed) << "refused at line " << parsed.error().line << ", kind "
                                << static_cast<int>(parsed.error().kind);
            EXPECT_EQ(shown(*parsed), c.tree);
        } else {
            ++refused;
            ASSERT_FALSE(parsed) << shown(*parsed);
            EXPECT_EQ(static_cast<int>(parsed.error().kind), static_cast<int>(c.refusal));
            EXPECT_EQ(parsed.error().line, c.line);
            EXPECT_EQ(parsed.error().subject, c.subject);
        }
    }
    std::printf("%zu cases: %zu accepted, %zu refused\n", accepted + refused, accepted, refused);
}

}  // namespace
}  // namespace trellis

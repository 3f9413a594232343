// Code page 932 on disk, UTF-8 inside.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "file/cp932.h"

namespace qv {
namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";

TEST(Cp932, TextComesBackAsItWas) {
  struct Case {
    const char* name;
    std::string utf8;
    std::string cp932;
  };
  const Case cases[] = {
      {"ASCII", "Spring 10km", "Spring 10km"},
      {"backslash stays 0x5C", "C:\\race", "C:\\race"},
      {"tilde stays 0x7E", "~", "~"},
      {"kana and kanji", "あ日本", "\x82\xA0\x93\xFA\x96\x7B"},
      // Trail bytes 0x5C must not be taken for backslashes.
      {"trail byte 0x5C", "表ソ", "\x95\x5C\x83\x5C"},
      {"half-width katakana", "ﾌｧｲﾙ", "\xCC\xA7\xB2\xD9"},
      {"full-width tilde", "～", "\x81\x60"},
      {"control characters", std::string("a\0\t\r\nb", 6),
       std::string("a\0\t\r\nb", 6)},
      {"empty", "", ""},
  };
  for (const Case& c : cases) {
    const std::optional<std::string> bytes = Utf8ToCp932(c.utf8);
    ASSERT_TRUE(bytes.has_value()) << c.name;
    EXPECT_EQ(*bytes, c.cp932) << c.name;
    EXPECT_EQ(Cp932ToUtf8(c.cp932), c.utf8) << c.name;
  }
}

// Code points typed here that code page 932 stores under others; they read
// back as the code page's own forms.
TEST(Cp932, MappedCodePointsAreStoredAsTheCodePageDoes) {
  struct Case {
    const char* name;
    const char* typed;
    const char* stored;
    const char* readBack;
  };
  const Case cases[] = {
      {"U+301C wave dash", "\xE3\x80\x9C", "\x81\x60", "\xEF\xBD\x9E"},
      {"U+2016 double vertical line", "\xE2\x80\x96", "\x81\x61",
       "\xE2\x88\xA5"},
      {"U+2212 minus sign", "\xE2\x88\x92", "\x81\x7C", "\xEF\xBC\x8D"},
      {"U+00A2 cent sign", "\xC2\xA2", "\x81\x91", "\xEF\xBF\xA0"},
      {"U+00A3 pound sign", "\xC2\xA3", "\x81\x92", "\xEF\xBF\xA1"},
      {"U+00AC not sign", "\xC2\xAC", "\x81\xCA", "\xEF\xBF\xA2"},
      {"U+2014 em dash", "\xE2\x80\x94", "\x81\x5C", "\xE2\x80\x95"},
  };
  for (const Case& c : cases) {
    const std::string typed = std::string("a") + c.typed + "b";
    const std::optional<std::string> bytes = Utf8ToCp932(typed);
    ASSERT_TRUE(bytes.has_value()) << c.name;
    EXPECT_EQ(*bytes, std::string("a") + c.stored + "b") << c.name;
    const std::string back = Cp932ToUtf8(*bytes);
    EXPECT_EQ(back, std::string("a") + c.readBack + "b") << c.name;
    // Saved again, the read-back form gives the same bytes.
    EXPECT_EQ(Utf8ToCp932(back), bytes) << c.name;
    // Twice in a row, and at the very end.
    EXPECT_EQ(Utf8ToCp932(std::string(c.typed) + c.typed),
              std::string(c.stored) + c.stored)
        << c.name;
  }
}

TEST(Cp932, InvalidBytesReadAsReplacementCharacters) {
  const std::string r = kReplacement;
  struct Case {
    const char* name;
    std::string cp932;
    std::string utf8;
  };
  const Case cases[] = {
      {"byte 0x80", "a\x80z", "a" + r + "z"},
      {"byte 0xA0", "\xA0", r},
      {"0xA0 is no lead byte", "\xA0\x41", r + "A"},
      {"bytes 0xFD 0xFE 0xFF", "\xFD\xFE\xFF", r + r + r},
      {"unassigned pair", "\x85\x40z", r + "z"},
      {"lead byte before a line feed", "\x81\nz", r + "\nz"},
      {"lead byte before 0x7F", "\x81\x7F", r + "\x7F"},
      {"lead byte at the end", "a\x81", "a" + r},
      {"valid text around", "\x82\xA0\x80\x82\xA0", "あ" + r + "あ"},
      // The ends of the lead (0x81-0x9F, 0xE0-0xFC) and trail (0x40-0x7E,
      // 0x80-0xFC) ranges: an unassigned pair is one character.
      {"lead byte 0xFC, trail 0x80", "\xFC\x80z", r + "z"},
      {"trail byte 0xFC", "\x85\xFCz", r + "z"},
      {"lead byte 0xE0, trail 0x3F", "\xE0\x3F", r + "?"},
      {"byte 0xFD is no lead byte", "\xFD\x80", r + r},
  };
  for (const Case& c : cases) EXPECT_EQ(Cp932ToUtf8(c.cp932), c.utf8) << c.name;
}

}  // namespace
}  // namespace qv

// The race file, code page 932 on disk: bytes to race and back, no dialog.
#include <gtest/gtest.h>

#include <string>

#include "file/cp932.h"
#include "file/race_file.h"

namespace qv {
namespace {

// Name, settings and section count lines, then whatever follows.
std::string Header(const std::string& name, const std::string& count) {
  return name + "\r\n0\r\n0\r\n0\r\n0\r\n0\r\n" + count + "\r\n";
}

TEST(RaceFileFormat, LinesAreTakenByPosition) {
  struct Case {
    std::string bytes, eventName;
    int count;
    RaceFileSection last;  // of the sections read
    std::string comment;
  };
  const std::string one = "2.5\r\n900\r\n900\r\n5\r\n1\r\n2\r\n3\r\n";
  const RaceFileSection oneRead{2.5, 900, 900, 5, 1, 2, 3};
  // A full table, its lines ended by a bare LF.
  std::string full = Header("Full", "45");
  for (int k = 0; k < 45; ++k) full += std::to_string(k) + std::string(7, '\n');
  const Case cases[] = {
      {"Only", "Only", 0, {}, ""},  // no line end at all
      {Header("", "0") + "a\nb\r\n\r\n\rc\r", "", 0, {}, "a\nb\n\n\rc\r\n"},
      {Header("", "0") + "abc\x1A" "def\r\n", "", 0, {}, "abc\n"},  // Ctrl-Z
      {Header("Z", "1") + "3\r\n4\x1A\r\n5\r\n", "Z", 1, {3, 4}, ""},
      {Header("Two", "2") + one, "Two", 2, {}, ""},  // missing lines: 0
      // A count too large reads comment lines as numbers.
      {Header("Two", "2") + one + "fine\r\n12.5km\r\n\r\n7.5\r\nx\r\n3\r\n4"
       "\r\nrest\r\n", "Two", 2, {0, 12, 0, 7.5, 0, 3, 4}, "rest\n"},
      {Header("One", "1") + one + "end", "One", 1, oneRead, "end\n"},
      {full + "end", "Full", 45, {44}, "end\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    const RaceReadResult r = ReadRaceFile(c.bytes);
    ASSERT_EQ(r.status, RaceReadStatus::Ok);
    EXPECT_EQ(r.race.eventName + "|" + r.race.comment.str(),
              c.eventName + "|" + c.comment);
    EXPECT_EQ(static_cast<int>(r.race.sections.size()), c.count);
    if (c.count > 0) {
      EXPECT_EQ(r.race.sections[0],
                c.count == 2 ? oneRead : c.count == 45 ? RaceFileSection{} : c.last);
      EXPECT_EQ(r.race.sections[c.count - 1u], c.last);
    }
  }
}

// Characters typed here that the code page stores under other code points,
// each twice in a row, so also at the very end and after one of its kind.
TEST(Cp932, SubstitutedCharactersAreStoredAsTheCodePageDoes) {
  const std::string cases[][3] = {  // typed, stored, read back
      {"\xE3\x80\x9C", "\x81\x60", "\xEF\xBD\x9E"},  // U+301C wave dash
      {"\xE2\x80\x96", "\x81\x61", "\xE2\x88\xA5"},  // U+2016
      {"\xE2\x88\x92", "\x81\x7C", "\xEF\xBC\x8D"},  // U+2212 minus sign
      {"\xC2\xA2", "\x81\x91", "\xEF\xBF\xA0"},      // U+00A2 cent sign
      {"\xC2\xA3", "\x81\x92", "\xEF\xBF\xA1"},      // U+00A3 pound sign
      {"\xC2\xAC", "\x81\xCA", "\xEF\xBF\xA2"},      // U+00AC not sign
      {"\xE2\x80\x94", "\x81\x5C", "\xE2\x80\x95"},  // U+2014 em dash
  };
  for (const auto& [typed, stored, back] : cases) {
    SCOPED_TRACE(typed);
    EXPECT_EQ(Utf8ToCp932(typed + typed), stored + stored);
    EXPECT_EQ(Cp932ToUtf8(stored + stored), back + back);
    EXPECT_EQ(Utf8ToCp932(back), stored);  // saved again: the same bytes
  }
}

// Lead bytes are 0x81-0x9F and 0xE0-0xFC, trail bytes 0x40-0x7E and
// 0x80-0xFC; an unassigned pair is one character.
TEST(Cp932, InvalidBytesReadAsReplacementCharacters) {
  const std::string r = "\xEF\xBF\xBD";
  const std::pair<std::string, std::string> cases[] = {
      {"a\x80z", "a" + r + "z"},       {"\xA0\x41", r + "A"},
      {"\xFD\xFE\xFF", r + r + r},     {"\x85\x40z", r + "z"},
      {"\x81\nz", r + "\nz"},          {"\x81\x7F", r + "\x7F"},
      {"a\x81", "a" + r},              {"\xFC\x80z", r + "z"},
      {"\x85\xFCz", r + "z"},          {"\xE0\x3F", r + "?"},
      {"\xFD\x80", r + r},             {"\x81\xADz", r + "z"},
      {"\x82\xA0\x80\x82\xA0", "あ" + r + "あ"},
  };
  for (const auto& [cp932, utf8] : cases) EXPECT_EQ(Cp932ToUtf8(cp932), utf8);
}

}  // namespace
}  // namespace qv

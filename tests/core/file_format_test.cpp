// The race file, code page 932 on disk: bytes to race and back, no dialog.
#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <locale>
#include <string>
#include <vector>

#include "file/activity.h"
#include "file/cp932.h"
#include "file/race_file.h"

namespace qv {
namespace {

// Name, settings and section count lines, then whatever follows.
std::string Header(const std::string& name, const std::string& count) {
  return name + "\r\n0\r\n0\r\n0\r\n0\r\n0\r\n" + count + "\r\n";
}

// Distances are written as "%g" and read as atof reads them in the C
// locale, under a comma-decimal locale too.
TEST(RaceFileFormat, SaveThenLoadGivesTheRaceBackInEveryLocale) {
  RaceFileData race;
  // Kana and punctuation start with the bytes the substitution looks for.
  race.eventName = "春の大会、\\ ｽﾌﾟﾘﾝｸﾞ";
  race.priority = Priority{7};  // settings out of the combos' range are kept
  race.condition = Condition{-1};
  race.speedUnit = SpeedUnit{-1};
  race.sections.resize(3);
  race.sections[0] = {0, 500, 500, 123.4567, 100000, 99500, 806};
  race.sections[1] = {123.4567, -20, 99980, 130, -5, 8639999, 359999};
  race.sections[2] = {131.25, 0, 0, 42.195, INT_MAX, INT_MIN, 1};
  race.comment = "晴れ、微風\r\n\r\n最後の行";  // the last line has no break
  auto sections = race.sections;
  sections[0].endKm = sections[1].startKm = 123.457;
  for (const char* name : {"C", "de_DE.UTF-8"}) {
    SCOPED_TRACE(name);
    if (std::setlocale(LC_ALL, name) == nullptr)
      GTEST_SKIP() << name << " is missing: add it to /etc/locale.gen";
    std::locale::global(std::locale(name));
    const RaceWriteResult w = WriteRaceFile(race);
    const RaceReadResult r = ReadRaceFile(w.bytes);
    const RaceReadResult comma = ReadRaceFile(Header("", "1") + "12,5\r\n");
    std::locale::global(std::locale::classic());
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(r.status, RaceReadStatus::Ok);
    EXPECT_EQ(r.race.eventName, race.eventName);
    EXPECT_TRUE(r.race.priority == race.priority &&
                r.race.condition == race.condition &&
                r.race.speedUnit == race.speedUnit);
    EXPECT_EQ(r.race.sections, sections);
    EXPECT_EQ(r.race.comment, race.comment.str() + "\n");
    EXPECT_EQ(WriteRaceFile(r.race).bytes, w.bytes + "\r\n");
    EXPECT_EQ(comma.race.sections[0].startKm, 12.0);
  }
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

TEST(RaceFileFormat, RacesTheTablesCannotHoldAreRefused) {
  for (const char* count : {"-1", "46", "1000000000", "99999999999"}) {
    EXPECT_EQ(ReadRaceFile(Header("A", count)).status,
              RaceReadStatus::BadSectionCount) << count;
  }
  // A count below 0 cannot be made: the sections are a vector.
  RaceFileData tooMany;
  tooMany.sections.resize(46);
  EXPECT_EQ(WriteRaceFile(tooMany).status, RaceWriteStatus::BadSectionCount);
  std::string bytes = Header("Big", "0");
  bytes.resize(kRaceFileMaxBytes + 1, 'x');
  EXPECT_EQ(ReadRaceFile(bytes).status, RaceReadStatus::TooLarge);
}

// A race file is known by its own shape, whatever its texts look like.
TEST(RaceFileFormat, RacesThatLookLikeRecordsAreRaceFiles) {
  for (const auto& [name, comment] :
       {std::pair{"Kobe2024.FIT", ""},
        {"\xE6\x9D\xB1\xE4\xBA\xAC" "2024.FIT", ""},
        {"\x0E\x10\x08\x00\x01\x00\x00\x00.FIT", ""},
        {"<gpx", "<gpx></gpx>\n"},
        {"<?xml version='1.0'?>", "<gpx/>\n"},
        {"<TrainingCenterDatabase>", ""},
        {"", "<?xml version='1.0'?>\n<gpx><trk/></gpx>\n"}}) {
    RaceFileData race;
    race.eventName = name;
    race.comment = comment;
    const std::string bytes = WriteRaceFile(race).bytes;
    EXPECT_TRUE(LooksLikeRaceFile(bytes)) << name << comment;
    EXPECT_EQ(DetectActivityFormat(bytes), ActivityFormat::None) << name << comment;
    EXPECT_EQ(ReadRaceFile(bytes).race.eventName, name);
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

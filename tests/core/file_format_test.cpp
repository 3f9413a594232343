// The race file format: bytes to race and back, without any dialog. Every
// case runs under the C locale and under a comma-decimal locale.
#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <locale>
#include <string>
#include <vector>

#include "file/race_file.h"

namespace qv {
namespace {

// Settings line, section count line, then whatever follows.
std::string Header(const std::string& name, int count) {
  return name + "\r\n0\r\n0\r\n0\r\n0\r\n0\r\n" + std::to_string(count) +
         "\r\n";
}

class RaceFileFormat : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    const std::string name = GetParam();
    if (name == "C") return;
    ASSERT_NE(std::setlocale(LC_ALL, name.c_str()), nullptr)
        << name << " is missing; generate it: sed -i 's/^# *de_DE.UTF-8/"
        << "de_DE.UTF-8/' /etc/locale.gen && locale-gen";
    std::locale::global(std::locale(name.c_str()));
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
  }
  void TearDown() override {
    std::locale::global(std::locale::classic());
    std::setlocale(LC_ALL, "C");
  }
};

RaceFileData OneSectionRace() {
  RaceFileData race;
  race.eventName = "Spring";
  race.sectionCount = 1;
  race.sections[0].endKm = 5;
  race.sections[0].arrival = 150000;
  race.comment = "sunny\r\n";
  return race;
}

constexpr char kOneSectionBytes[] =
    "Spring\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n"
    "0\r\n0\r\n0\r\n5\r\n150000\r\n0\r\n0\r\n"
    "sunny\r\r\n";

TEST_P(RaceFileFormat, OneSectionRaceByteForByte) {
  const RaceWriteResult w = WriteRaceFile(OneSectionRace());
  ASSERT_EQ(w.status, RaceWriteStatus::Ok);
  EXPECT_EQ(w.bytes, kOneSectionBytes);

  const RaceReadResult r = ReadRaceFile(kOneSectionBytes);
  ASSERT_EQ(r.status, RaceReadStatus::Ok);
  EXPECT_EQ(r.race.eventName, "Spring");
  EXPECT_EQ(r.race.sectionCount, 1);
  EXPECT_EQ(r.race.sections[0],
            (RaceFileSection{0.0, 0, 0, 5.0, 150000, 0, 0}));
  EXPECT_EQ(r.race.comment, "sunny\r\n");
}

TEST_P(RaceFileFormat, NumbersAreReadAsAtoiAndAtof) {
  struct Case {
    const char* text;
    double km;
    int time;
  };
  const Case cases[] = {
      {"12.5", 12.5, 12}, {"  12.5km", 12.5, 12},
      {"12,5", 12.0, 12}, {"abc", 0.0, 0},
      {"", 0.0, 0},       {"-7", -7.0, -7},
      {"1e3", 1000.0, 1}, {"\t+42x", 42.0, 42},
      {".5", 0.5, 0},     {"99999999999", 99999999999.0, INT_MAX},
  };
  for (const Case& c : cases) {
    const std::string bytes = Header("", 1) + c.text + "\r\n" + c.text + "\r\n";
    const RaceReadResult r = ReadRaceFile(bytes);
    ASSERT_EQ(r.status, RaceReadStatus::Ok);
    EXPECT_EQ(r.race.sections[0].startKm, c.km) << c.text;
    EXPECT_EQ(r.race.sections[0].loss, c.time) << c.text;
  }
}

TEST_P(RaceFileFormat, SaveThenLoadGivesTheRaceBack) {
  RaceFileData race;
  race.eventName = "春の大会 \\ ｽﾌﾟﾘﾝｸﾞ";
  race.priority = 1;
  race.calcMode = 1;
  race.speedUnit = 3;
  race.inputAssist = 1;
  race.graphAxis = 1;
  race.sectionCount = 3;
  race.sections[0] = {0, 500, 500, 123.4567, 100000, 99500, 806};
  race.sections[1] = {123.4567, -20, 99980, 130, -5, 8639999, 359999};
  race.sections[2] = {131.25, 0, 0, 42.195, INT_MAX, INT_MIN, 1};
  // The last line has no line break.
  race.comment = "晴れ、微風\r\n最後の行";
  const RaceWriteResult w = WriteRaceFile(race);
  ASSERT_EQ(w.status, RaceWriteStatus::Ok);
  const RaceReadResult r = ReadRaceFile(w.bytes);
  ASSERT_EQ(r.status, RaceReadStatus::Ok);

  RaceFileData expected = race;
  // The two documented differences: distances come back as their "%g"
  // text, and a last line without a break gains a bare LF.
  expected.sections[0].endKm = 123.457;
  expected.sections[1].startKm = 123.457;
  expected.comment = "晴れ、微風\r\n最後の行\n";
  EXPECT_EQ(r.race.eventName, expected.eventName);
  EXPECT_EQ((std::vector<int>{r.race.priority, r.race.calcMode,
                              r.race.speedUnit, r.race.inputAssist,
                              r.race.graphAxis, r.race.sectionCount}),
            (std::vector<int>{1, 1, 3, 1, 1, 3}));
  for (int k = 0; k < 3; ++k)
    EXPECT_EQ(r.race.sections[k], expected.sections[k]) << k;
  EXPECT_EQ(r.race.comment, expected.comment);
}

TEST_P(RaceFileFormat, CommentWithABreakAfterEveryLineReturnsByteForByte) {
  RaceFileData race;
  race.comment = "line one\r\n\r\nline three 日本\r\n";
  const RaceWriteResult w = WriteRaceFile(race);
  ASSERT_EQ(w.status, RaceWriteStatus::Ok);
  // Each break of the edit is stored as CR CR LF.
  EXPECT_EQ(
      w.bytes,
      Header("", 0) + "line one\r\r\n\r\r\nline three \x93\xFA\x96\x7B\r\r\n");
  EXPECT_EQ(ReadRaceFile(w.bytes).race.comment, race.comment);
}

TEST_P(RaceFileFormat, CommentLines) {
  struct Case {
    const char* name;
    std::string tail;  // after line 7 of a race without sections
    std::string comment;
  };
  const Case cases[] = {
      {"none", "", ""},
      {"from another editor", "first\r\nsecond\r\n", "first\nsecond\n"},
      {"blank lines belong to it", "a\r\n\r\n\r\nb", "a\n\n\nb\n"},
      {"a blank last line", "a\r\n\r\n", "a\n\n"},
      {"lone LF line ends", "a\nb\n", "a\nb\n"},
      {"a CR alone stays", "a\rb\r\n", "a\rb\n"},
      {"a CR before the end", "a\r", "a\r\n"},
  };
  for (const Case& c : cases) {
    const RaceReadResult r = ReadRaceFile(Header("", 0) + c.tail);
    ASSERT_EQ(r.status, RaceReadStatus::Ok) << c.name;
    EXPECT_EQ(r.race.comment, c.comment) << c.name;
  }
}

TEST_P(RaceFileFormat, SettingsOutOfRangeAreKeptAndSavedAgain) {
  const RaceReadResult r = ReadRaceFile("X\r\n7\r\n-1\r\n9\r\n2\r\n3\r\n0\r\n");
  ASSERT_EQ(r.status, RaceReadStatus::Ok);
  EXPECT_EQ(
      (std::vector<int>{r.race.priority, r.race.calcMode, r.race.speedUnit,
                        r.race.inputAssist, r.race.graphAxis}),
      (std::vector<int>{7, -1, 9, 2, 3}));
  const RaceWriteResult w = WriteRaceFile(r.race);
  ASSERT_EQ(w.status, RaceWriteStatus::Ok);
  EXPECT_EQ(w.bytes, "X\r\n7\r\n-1\r\n9\r\n2\r\n3\r\n0\r\n");
}

TEST_P(RaceFileFormat, MissingLinesReadAsEmptyText) {
  struct Case {
    const char* bytes;
    const char* eventName;
    int priority;
  };
  // The last without a line end after the name.
  for (const Case& c : {Case{"Name\r\n1\r\n", "Name", 1}, Case{"", "", 0},
                        Case{"Only", "Only", 0}}) {
    const RaceReadResult r = ReadRaceFile(c.bytes);
    ASSERT_EQ(r.status, RaceReadStatus::Ok) << c.bytes;
    EXPECT_EQ(r.race.eventName, c.eventName);
    EXPECT_EQ(r.race.priority, c.priority);
    EXPECT_EQ((std::vector<int>{r.race.calcMode, r.race.graphAxis,
                                r.race.sectionCount}),
              (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(r.race.comment, "");
  }
}

TEST_P(RaceFileFormat, CountLargerThanTheRecordsPresent) {
  const std::string first = "0\r\n0\r\n0\r\n2.5\r\n900\r\n900\r\n36000\r\n";
  {
    const RaceReadResult r = ReadRaceFile(Header("Two", 2) + first);
    ASSERT_EQ(r.status, RaceReadStatus::Ok);
    EXPECT_EQ(r.race.sectionCount, 2);
    EXPECT_EQ(r.race.sections[0],
              (RaceFileSection{0, 0, 0, 2.5, 900, 900, 36000}));
    EXPECT_EQ(r.race.sections[1], RaceFileSection{});
    EXPECT_EQ(r.race.comment, "");
  }
  {
    // Comment lines are read as the second section's values.
    const RaceReadResult r = ReadRaceFile(
        Header("Two", 2) + first +
        "weather fine\r\n12.5km\r\n\r\n7.5\r\nx\r\n300\r\n400\r\nrest\r\n");
    ASSERT_EQ(r.status, RaceReadStatus::Ok);
    EXPECT_EQ(r.race.sections[1],
              (RaceFileSection{0, 12, 0, 7.5, 0, 300, 400}));
    EXPECT_EQ(r.race.comment, "rest\n");
  }
}

TEST_P(RaceFileFormat, CtrlZEndsTheFile) {
  {
    const RaceReadResult r = ReadRaceFile(Header("Z", 0) +
                                          "abc\x1A"
                                          "def\r\nmore\r\n");
    EXPECT_EQ(r.race.comment, "abc\n");
  }
  {
    const RaceReadResult r =
        ReadRaceFile(Header("Cut", 1) + "3\r\n4\x1A\r\n5\r\n6\r\n7\r\n");
    ASSERT_EQ(r.status, RaceReadStatus::Ok);
    EXPECT_EQ(r.race.eventName, "Cut");
    EXPECT_EQ(r.race.sectionCount, 1);
    EXPECT_EQ(r.race.sections[0], (RaceFileSection{3, 4, 0, 0, 0, 0, 0}));
    EXPECT_EQ(r.race.comment, "");
  }
  {
    const RaceReadResult r = ReadRaceFile("\x1A" + Header("Gone", 0));
    EXPECT_EQ(r.race.eventName, "");
    EXPECT_EQ(r.race.sectionCount, 0);
  }
}

TEST_P(RaceFileFormat, SectionCountOutsideTheTablesIsRefused) {
  for (const char* count : {"-1", "46", "1000000000", "99999999999"}) {
    const std::string bytes =
        std::string("A\r\n0\r\n0\r\n0\r\n0\r\n0\r\n") + count + "\r\n";
    EXPECT_EQ(ReadRaceFile(bytes).status, RaceReadStatus::BadSectionCount)
        << count;
  }
  std::string full = Header("Full", 45);
  for (int k = 0; k < 45; ++k)
    full += std::to_string(k) + "\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n";
  const RaceReadResult r = ReadRaceFile(full + "end");
  ASSERT_EQ(r.status, RaceReadStatus::Ok);
  EXPECT_EQ(r.race.sectionCount, 45);
  EXPECT_EQ(r.race.sections[44].startKm, 44.0);
  EXPECT_EQ(r.race.comment, "end\n");

  RaceFileData tooMany;
  tooMany.sectionCount = 46;
  EXPECT_EQ(WriteRaceFile(tooMany).status, RaceWriteStatus::BadSectionCount);
  tooMany.sectionCount = -1;
  EXPECT_EQ(WriteRaceFile(tooMany).status, RaceWriteStatus::BadSectionCount);
}

TEST_P(RaceFileFormat, FilesBeyondSixteenMebibytesAreRefused) {
  std::string bytes = Header("Big", 0);
  bytes.resize(kRaceFileMaxBytes, 'x');
  const RaceReadResult r = ReadRaceFile(bytes);
  ASSERT_EQ(r.status, RaceReadStatus::Ok);
  EXPECT_EQ(r.race.comment.size(),
            kRaceFileMaxBytes - Header("Big", 0).size() + 1);
  bytes += 'x';
  EXPECT_EQ(ReadRaceFile(bytes).status, RaceReadStatus::TooLarge);
}

TEST_P(RaceFileFormat, TextTheFileCannotGiveBackIsRefused) {
  struct Case {
    const char* name;
    std::string eventName;
    std::string comment;
    RaceWriteStatus status;
  };
  const Case cases[] = {
      {"line feed in the name", "a\nb", "", RaceWriteStatus::BadEventName},
      {"Ctrl-Z in the name", "a\x1A", "", RaceWriteStatus::BadEventName},
      {"yen sign in the name",
       "\xC2\xA5"
       "100",
       "", RaceWriteStatus::BadEventName},
      {"U+FFFD in the name", "\xEF\xBF\xBD", "", RaceWriteStatus::BadEventName},
      {"Ctrl-Z in the comment", "ok", "a\x1A", RaceWriteStatus::BadComment},
      {"emoji in the comment", "ok", "\xF0\x9F\x98\x80",
       RaceWriteStatus::BadComment},
      {"both: the name is named", "\xC3\xA9", "\xC3\xA9",
       RaceWriteStatus::BadEventName},
  };
  for (const Case& c : cases) {
    RaceFileData race;
    race.eventName = c.eventName;
    race.comment = c.comment;
    const RaceWriteResult w = WriteRaceFile(race);
    EXPECT_EQ(w.status, c.status) << c.name;
    EXPECT_TRUE(w.bytes.empty()) << c.name;
  }
}

TEST_P(RaceFileFormat, TextModeTranslations) {
  struct Case {
    std::string in;
    std::string out;
  };
  const Case toDisk[] = {
      {"", ""},
      {"a\nb", "a\r\nb"},
      {"a\r\n", "a\r\r\n"},
      {"\n\n", "\r\n\r\n"},
      {"a\rb", "a\rb"},
  };
  for (const Case& c : toDisk) EXPECT_EQ(TextModeToDisk(c.in), c.out);
  const Case fromDisk[] = {
      {"", ""},
      {"a\r\nb", "a\nb"},
      {"a\rb", "a\rb"},
      {"a\r\r\n", "a\r\n"},
      {"a\r", "a\r"},
      {"\n\r\n", "\n\n"},
      {"x\x1Ay\r\n", "x"},
      {"\r\x1A\n", "\r"},
      {std::string("a\0b\r\n", 5), std::string("a\0b\n", 4)},
  };
  for (const Case& c : fromDisk) EXPECT_EQ(TextModeFromDisk(c.in), c.out);
}

INSTANTIATE_TEST_SUITE_P(Locales, RaceFileFormat,
                         ::testing::Values("C", "de_DE.UTF-8"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           return std::string(info.param) == "C"
                                      ? std::string("C")
                                      : std::string("de_DE");
                         });

}  // namespace
}  // namespace qv

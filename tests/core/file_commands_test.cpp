// The load and save commands on the headless platform, with real files.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/race_dlg.h"
#include "app/numtext.h"
#include "file/race_file.h"
#include "res/resource.h"
#include "res/strings.h"
#include "tests/core/file_test_util.h"
#include "tests/core/fit_writer.h"
#include "tests/doubles/test_platform.h"

namespace qv {
namespace {

using filetest::ReadBytes;
using filetest::WriteBytes;
using Texts = std::vector<std::string>;

constexpr int kSettingCombos[] = {IDC_PRIORITY, IDC_CALC_MODE, IDC_SPEED_UNIT,
                                  IDC_INPUT_ASSIST, IDC_GRAPH_AXIS};
const std::string kSettings = "\r\n0\r\n0\r\n0\r\n0\r\n0\r\n";  // after a name
const std::string kNoSections = kSettings + "0\r\n";

class RaceFileCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.Ok());
    dlg.OnInitDialog();
  }

  std::string Text(int id) { return p.Text(id).GetText(); }
  std::string Panel() {
    return Text(IDC_SECTION_NO) + " " + Text(IDC_START_KM) + " " +
           Text(IDC_END_KM);
  }

  // Everything a load may change, to show that a refused one changed nothing.
  std::string State() {
    std::ostringstream s;
    s << Text(IDC_EVENT_NAME) << '|' << Text(IDC_COMMENT) << '|' << Panel();
    const Race& r = dlg.m_race;
    for (int v : {static_cast<int>(r.priority), static_cast<int>(r.condition),
                  static_cast<int>(r.speedUnit),
                  static_cast<int>(r.inputAssist),
                  static_cast<int>(r.graphAxis), dlg.m_nSelected,
                  dlg.SectionCount(), int{dlg.IsModified()}})
      s << v << ',';
    const auto raw = [&](const auto& a) {
      s.write(reinterpret_cast<const char*>(&a), sizeof a);
    };
    for (const RaceFileSection& e : r.sections) {
      raw(e.startKm), raw(e.endKm), raw(e.arrival), raw(e.lap);
      raw(e.departure), raw(e.loss), raw(e.pace);
    }
    for (const ComputedSection& c : dlg.m_computed) raw(c.arrival);
    for (int id : kSettingCombos) s << p.Combo(id).GetCurSel() << ',';
    for (const TimeCombo& t : kTimeCombos) s << p.Combo(t.id).GetCurSel();
    for (const Texts& row : p.List().Rows())
      for (const std::string& cell : row) s << cell << ',';
    return s.str();
  }

  // Loads a file, answering Yes should the dialog ask about unsaved work.
  void LoadPath(const std::string& path) {
    p.yesNoAnswers.assign(1, true);
    p.openAnswers.push_back(path);
    dlg.OnLoad();
    p.yesNoAnswers.clear();
  }
  void Load(const std::string& bytes) {
    ASSERT_TRUE(WriteBytes(dir.File("in.txt"), bytes));
    LoadPath(dir.File("in.txt"));
  }
  std::string Save(const std::string& name = "out.txt") {
    p.saveAnswers.push_back(dir.File(name));
    dlg.OnSave();
    return ReadBytes(dir.File(name));
  }

  // A race on screen with some edits of the user, as refused commands find it.
  void EnterSomething() {
    Load("Old\r\n1\r\n1\r\n2\r\n1\r\n1\r\n2\r\n0\r\n0\r\n0\r\n3\r\n60000\r\n"
         "60000\r\n20000\r\n3\r\n100\r\n60100\r\n6\r\n120000\r\n59900\r\n"
         "19966\r\nold\r\r\n");
    p.Text(IDC_EVENT_NAME).SetText("Old, renamed");
    dlg.OnUserEdit(IDC_EVENT_NAME);
    p.Combo(IDC_SPEED_UNIT).SetCurSel(4);
    dlg.m_computed[1].arrival = dlg.m_race.sections[1].arrival = 777;
  }

  doubles::Platform p;
  CRaceDlg dlg{p};
  filetest::ScratchDir dir;
};

// Save takes the settings from the members, not from the combos.
TEST_F(RaceFileCommands, LoadFillsTheDialogAndSaveGivesTheFileBack) {
  const std::string file =
      "\x93\xFA\x96\x7B \x95\x5C\r\n2\r\n1\r\n4\r\n1\r\n1\r\n2\r\n"
      "0\r\n0\r\n0\r\n2.5\r\n48000\r\n48000\r\n19200\r\n"
      "2.5\r\n500\r\n48500\r\n10\r\n300000\r\n251500\r\n33533\r\n"
      "first\r\r\nsecond\r\n";
  dlg.OnUserEdit(IDC_EVENT_NAME);
  dlg.m_nSelected = 1;
  Load(file);
  EXPECT_EQ(p.messages, Texts{});
  EXPECT_EQ(Text(IDC_EVENT_NAME) + "|" + Text(IDC_COMMENT),
            "日本 表|first\r\nsecond\n");
  const int settings[] = {2, 1, 4, 1, 1};
  for (int k = 0; k < 5; ++k)
    EXPECT_EQ(p.Combo(kSettingCombos[k]).GetCurSel(), settings[k]) << k;
  // The list holds the sections, the panel shows the last one.
  ASSERT_EQ(p.List().GetItemCount(), 2);
  EXPECT_EQ(p.List().GetItemText(0, 0) + p.List().GetItemText(1, 0), "12");
  EXPECT_EQ(Panel(), "2 2.5 10");
  EXPECT_EQ(dlg.SectionCount(), 2);
  EXPECT_EQ(dlg.m_nSelected, -1);  // the old selection means nothing here
  EXPECT_FALSE(dlg.IsModified());
  for (int id : kSettingCombos) p.Combo(id).SetCurSel(0);
  EXPECT_EQ(Save(), file);
  dlg.OnClearData();
  EXPECT_EQ(Save(), kNoSections);
  Load(file);

  Load("Empty" + kNoSections);
  EXPECT_EQ((std::vector<int>{dlg.SectionCount(), dlg.SectionCount(),
                              p.List().GetItemCount()}),
            (std::vector<int>{0, 0, 0}));
  EXPECT_EQ(Panel() + " " + Text(IDC_COMMENT), "1 0 0 ");
  for (const TimeCombo& t : kTimeCombos)
    EXPECT_EQ(p.Combo(t.id).GetCurSel(), 0) << t.id;
}

// Refused files change nothing; a pipe or a device is refused at once
// instead of waiting for a writer.
TEST_F(RaceFileCommands, RefusedFilesChangeNothing) {
  EnterSomething();
  std::string huge = "Big" + kNoSections;
  huge.resize(kRaceFileMaxBytes + 1, 'x');
  ASSERT_TRUE(WriteBytes(dir.File("huge"), huge));
  ASSERT_TRUE(WriteBytes(dir.File("46"), kSettings + "46\r\n"));
  ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
  const std::pair<std::string, const char*> cases[] = {
      {dir.File("46"), kMsgBadSectionCount},
      {dir.File("huge"), kMsgFileTooLarge},
      {dir.File("none/race.txt"), kMsgOpenFailed},
      {dir.File("pipe"), kMsgOpenFailed},
      {"/dev/null", kMsgOpenFailed},
      {"/proc/self/mem", kMsgReadFailed},  // regular, but reading fails (EIO)
  };
  const std::string before = State();
  for (const auto& [path, message] : cases) {
    SCOPED_TRACE(path);
    p.messages.clear();
    EXPECT_TRUE(filetest::ReturnsWithoutAWriter(path, [&] { LoadPath(path); }));
    EXPECT_EQ(p.messages, Texts{message});
    EXPECT_EQ(State(), before);
  }
}

// Cancelled file dialogs change nothing and say nothing.
TEST_F(RaceFileCommands, CancelledFileDialogsChangeNothing) {
  EnterSomething();
  const std::string before = State();
  p.messages.clear();
  p.yesNoAnswers.assign(1, true);  // load over unsaved work: Yes, then Cancel
  dlg.OnLoad();
  dlg.OnSave();
  EXPECT_EQ(p.messages, Texts{});
  EXPECT_EQ(State(), before);
}

// Loading over unsaved work asks first; No (or Escape) keeps everything,
// and the file dialog does not open.
TEST_F(RaceFileCommands, LoadAsksBeforeReplacingUnsavedWork) {
  ASSERT_TRUE(WriteBytes(dir.File("other.txt"), "Other" + kNoSections));
  for (const std::string answer : {"", "Yes", "No"}) {  // "": nothing unsaved
    SCOPED_TRACE(answer);
    const bool modified = !answer.empty(), loaded = answer != "No";
    EnterSomething();
    if (!modified) Save("saved.txt");
    ASSERT_EQ(dlg.IsModified(), modified);
    const std::string before = State();
    p.questions.clear();
    p.yesNoAnswers.assign(1, answer == "Yes");
    p.openAnswers.assign(1, dir.File("other.txt"));
    dlg.OnLoad();
    EXPECT_EQ(p.questions, modified ? Texts{kMsgConfirmLoad} : Texts{});
    EXPECT_EQ(p.openAnswers.size(), loaded ? 0u : 1u);
    EXPECT_EQ(Text(IDC_EVENT_NAME), loaded ? "Other" : "Old, renamed");
    EXPECT_EQ(State() == before, !loaded);
    EXPECT_EQ(dlg.IsModified(), !loaded);
  }
}

// A setting the file stores, changed and computed, is unsaved work; undo
// back to the loaded race leaves nothing unsaved, and redo brings the
// change back.
TEST_F(RaceFileCommands, ComputedSettingsCountAsUnsaved) {
  const std::string file = "Race" + kNoSections;
  ASSERT_TRUE(WriteBytes(dir.File("in.txt"), file));
  // Through the commands, as the window runs them, so the history sees
  // every load and save.
  auto save = [&] {
    p.saveAnswers.assign(1, dir.File("out.txt"));
    dlg.OnCommand(IDC_SAVE);
    return ReadBytes(dir.File("out.txt"));
  };
  for (int id : {IDC_PRIORITY, IDC_CALC_MODE, IDC_SPEED_UNIT, IDC_GRAPH_AXIS}) {
    SCOPED_TRACE(id);
    p.openAnswers.assign(1, dir.File("in.txt"));
    dlg.OnCommand(IDC_LOAD);
    ASSERT_EQ(Text(IDC_EVENT_NAME), "Race");
    dlg.OnCommand(IDC_COMPUTE);
    EXPECT_FALSE(dlg.IsModified());  // the same settings: nothing to save
    p.Combo(id).SetCurSel(1);
    dlg.OnCommand(IDC_COMPUTE);
    EXPECT_TRUE(dlg.IsModified());
    p.questions.clear();
    p.yesNoAnswers.assign(1, false);
    dlg.OnCancel();
    EXPECT_EQ(p.questions, Texts{kMsgConfirmQuit});
    ASSERT_TRUE(dlg.Undo());
    EXPECT_FALSE(dlg.IsModified());
    EXPECT_EQ(save(), file);
    ASSERT_TRUE(dlg.Redo());
    EXPECT_TRUE(dlg.IsModified());
    EXPECT_NE(save(), file);
    EXPECT_FALSE(dlg.IsModified());
  }
}

// Whatever save writes, load takes back: a race whose file would pass the
// load's size limit is refused before any name is asked for.
TEST_F(RaceFileCommands, SaveRefusesARaceTheLoadWouldRefuse) {
  // An empty race is 20 bytes, a line break three on disk for two here: the
  // comment is under the limit here and exactly at it on disk.
  std::string comment(kRaceFileMaxBytes - 20 - 3 * 1000, 'x');
  for (int k = 0; k < 1000; ++k) comment += "\r\n";
  p.Text(IDC_COMMENT).SetText("x" + comment);
  dlg.OnUserEdit(IDC_COMMENT);
  p.saveAnswers.assign(1, dir.File("big.txt"));
  dlg.OnSave();
  EXPECT_EQ(p.messages, Texts{kMsgSaveTooLarge});
  EXPECT_EQ(p.saveAnswers.size(), 1u);  // no file dialog
  p.Text(IDC_COMMENT).SetText(comment);
  dlg.OnSave();
  EXPECT_EQ(std::filesystem::file_size(dir.File("big.txt")), kRaceFileMaxBytes);
  LoadPath(dir.File("big.txt"));
  EXPECT_EQ(p.messages.size(), 1u);
  EXPECT_TRUE(Text(IDC_COMMENT) == comment);
}

// A failed save says why and leaves the old file whole, with no temporary
// file beside it; text the file cannot give back is refused first.
TEST_F(RaceFileCommands, FailedSavesKeepTheOldFile) {
  struct Case {
    std::string eventName, comment, file;
    rlim_t sizeLimit;  // 0: none
    const char* message;
  };
  const Case cases[] = {
      {"a\nb", "", "race", 0, kMsgEventNameUnstorable},
      {"\xC2\xA5" "1000", "", "race", 0, kMsgEventNameUnstorable},  // yen
      {"ok", "a\x1A", "race", 0, kMsgCommentUnstorable},
      {"ok", "", "none/race", 0, kMsgOutputOpenFailed},
      {"ok", std::string(5000, 'c'), "race", 1000, kMsgOutputWriteFailed},
  };
  const std::string old = "the old race file\r\n";
  ASSERT_TRUE(WriteBytes(dir.File("race"), old));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.eventName + "|" + c.comment.substr(0, 9) + "|" + c.file);
    p.messages.clear();
    p.Text(IDC_EVENT_NAME).SetText(c.eventName);
    p.Text(IDC_COMMENT).SetText(c.comment);
    dlg.OnUserEdit(IDC_COMMENT);
    p.saveAnswers.assign(1, dir.File(c.file));
    std::optional<filetest::FileSizeLimit> limit;
    if (c.sizeLimit > 0) limit.emplace(c.sizeLimit);
    EXPECT_TRUE(!limit || limit->Ok());
    dlg.OnSave();
    limit.reset();
    EXPECT_EQ(p.messages, Texts{c.message});
    EXPECT_EQ(ReadBytes(dir.File("race")), old);
    EXPECT_EQ(dir.Entries(), Texts{"race"});
    EXPECT_TRUE(dlg.IsModified());
  }
  // Without the limit the same save goes through.
  EXPECT_EQ(Save("race"), "ok" + kNoSections + std::string(5000, 'c'));
}

TEST_F(RaceFileCommands, BytesThatAreNotCodePage932LoadButMustBeFixedToSave) {
  Load("Bad \x80 name" + kNoSections + "fine\n");
  EXPECT_EQ(Text(IDC_EVENT_NAME), "Bad \xEF\xBF\xBD name");
  p.saveAnswers.push_back(dir.File("again.txt"));
  dlg.OnSave();
  EXPECT_EQ(p.messages, Texts{kMsgEventNameUnstorable});
  EXPECT_EQ(dir.Entries(), Texts{"in.txt"});
  p.Text(IDC_EVENT_NAME).SetText("Bad name");
  // The comment came with a bare LF, which is written as CR LF.
  EXPECT_EQ(Save("again.txt"), "Bad name" + kNoSections + "fine\r\n");
}

}  // namespace
}  // namespace qv

namespace qv {
namespace {

// Two 1 km laps, 5:00 and 4:50, with a point at each end.
std::string TwoLapFit() {
  constexpr std::uint32_t t0 = 1'000'000'000;
  fitwriter::Writer w;
  fitwriter::DefineActivity(w);
  fitwriter::Record(w, t0, 0);
  fitwriter::Record(w, t0 + 300, 100'000);
  fitwriter::Record(w, t0 + 590, 200'000);
  fitwriter::Lap(w, t0, 300'000, 100'000);
  fitwriter::Lap(w, t0 + 300, 290'000, 100'000);
  return w.File();
}

const char kOneLapTcx[] = R"(<?xml version="1.0"?>
<TrainingCenterDatabase><Activities><Activity><Id>2024-05-01T00:30:00Z</Id>
<Lap StartTime="2024-05-01T00:30:00Z"><TotalTimeSeconds>600</TotalTimeSeconds>
<DistanceMeters>2000</DistanceMeters><Track>
<Trackpoint><Time>2024-05-01T00:30:00Z</Time><DistanceMeters>0</DistanceMeters></Trackpoint>
<Trackpoint><Time>2024-05-01T00:40:00Z</Time><DistanceMeters>2000</DistanceMeters></Trackpoint>
</Track></Lap></Activity></Activities></TrainingCenterDatabase>
)";

using RecordImport = RaceFileCommands;

// The menu's import over unsaved work: the question, the record's dialog
// and the split; the race computed by arrival, unsaved, one undo step.
TEST_F(RecordImport, ReplacesTheRaceComputedUnsavedAndUndoable) {
  struct Case {
    std::string name, bytes;
    ActivitySplit split;
    std::size_t laps;
    int sections;
    double km;
  };
  const Case cases[] = {
      {"run.FIT", TwoLapFit(), {}, 2, 2, 2.0},
      // Every 0.5 km of the official distance.
      {"run.tcx", kOneLapTcx, {ActivitySplit::Kind::EveryKm, 0.5, 4.0}, 1, 8,
       4.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EnterSomething();
    const std::string old = Text(IDC_EVENT_NAME);
    ASSERT_TRUE(WriteBytes(dir.File(c.name), c.bytes));
    p.messages.clear();
    p.questions.clear();
    p.splitQuestions.clear();
    p.yesNoAnswers.assign(1, true);
    p.recordAnswers.assign(1, dir.File(c.name));
    p.splitAnswers.assign(1, c.split);
    dlg.OnImportRecord();
    EXPECT_EQ(p.messages, Texts{});
    EXPECT_EQ(p.questions, Texts{kMsgConfirmLoad});
    EXPECT_EQ(p.splitQuestions, std::vector<std::size_t>{c.laps});
    ASSERT_EQ(dlg.SectionCount(), c.sections);
    EXPECT_EQ(dlg.m_race.sections.back().endKm, c.km);
    // Computed at once: the rows and the totals row, by arrival; the speed
    // unit the user chose stays.
    EXPECT_EQ(p.List().GetItemCount(), c.sections + 1);
    EXPECT_EQ(p.List().GetItemText(c.sections, 0), kTotalsRowText);
    EXPECT_EQ(p.Combo(IDC_PRIORITY).GetCurSel(), 0);
    EXPECT_EQ(p.Combo(IDC_SPEED_UNIT).GetCurSel(), 4);
    EXPECT_EQ(dlg.m_computed[static_cast<std::size_t>(c.sections)].arrival,
              dlg.m_race.sections.back().arrival);
    EXPECT_TRUE(dlg.IsModified());
    EXPECT_EQ(dlg.RaceFilePath(), dir.File(c.name));

    // Saved and loaded back, the same race.
    const std::string saved = Save("imported.txt");
    EXPECT_TRUE(dlg.OpenRaceFile(dir.File("imported.txt"), false));
    EXPECT_EQ(Save("again.txt"), saved);

    // One step back is the race before the import, as loaded.
    p.yesNoAnswers.clear();
    p.splitAnswers.assign(1, ActivitySplit{ActivitySplit::Kind::EveryKm, 0.5, {}});
    EXPECT_TRUE(dlg.OpenRaceFile(dir.File(c.name), false));  // a drop
    EXPECT_TRUE(dlg.IsModified());
    ASSERT_TRUE(dlg.Undo());
    EXPECT_FALSE(dlg.IsModified());  // back to the loaded imported.txt
    ASSERT_TRUE(dlg.Redo());
    EXPECT_TRUE(dlg.IsModified());
    EXPECT_NE(Text(IDC_EVENT_NAME), old);
  }
}

// A record is known by its content too (the command line, a drop); a race
// file still loads that way, saved.
TEST_F(RecordImport, OpenedFilesGoWhereTheirContentSays) {
  ASSERT_TRUE(WriteBytes(dir.File("watch.dat"), TwoLapFit()));
  ASSERT_TRUE(WriteBytes(dir.File("race.txt"), "Other" + kNoSections));
  p.splitAnswers.assign(1, ActivitySplit{});
  EXPECT_TRUE(dlg.OpenRaceFile(dir.File("watch.dat"), true));
  EXPECT_EQ(dlg.SectionCount(), 2);
  EXPECT_TRUE(dlg.IsModified());
  p.yesNoAnswers.assign(1, true);
  EXPECT_TRUE(dlg.OpenRaceFile(dir.File("race.txt"), true));
  EXPECT_EQ(p.questions, Texts{kMsgConfirmLoad});
  EXPECT_EQ(Text(IDC_EVENT_NAME), "Other");
  EXPECT_FALSE(dlg.IsModified());  // "読込" imports a record it is given, unsaved.
  p.splitAnswers.assign(1, ActivitySplit{});
  LoadPath(dir.File("watch.dat"));
  EXPECT_EQ(dlg.SectionCount(), 2);
  EXPECT_TRUE(dlg.IsModified());
}

// Refused or cancelled imports change nothing, not even the history.
TEST_F(RecordImport, RefusalsAndCancelsChangeNothing) {
  std::string badCrc = TwoLapFit();
  badCrc[20] = static_cast<char>(badCrc[20] ^ 0x10);
  const std::string foreignXml = "<?xml version=\"1.0\"?>\n<kml/>\n";
  struct Case {
    std::string name, bytes;
    bool no;  // answer No to the question
    std::optional<ActivitySplit> split;
    const char* message;  // nullptr: none
  };
  const Case cases[] = {
      {"race.txt", "Other" + kNoSections, false, {}, kMsgImportNotActivity},
      {"bad.fit", badCrc, false, ActivitySplit{}, kMsgFitFileCrc},
      {"other.gpx", foreignXml, false, ActivitySplit{}, kMsgImportNotActivity},
      {"run.fit", TwoLapFit(), true, ActivitySplit{}, nullptr},
      {"run.fit", TwoLapFit(), false, std::nullopt, nullptr},
      {"run.fit", TwoLapFit(), false,
       ActivitySplit{ActivitySplit::Kind::EveryKm, 1.0, 100.0},
       kMsgImportTooManySections},
      {"missing.fit", "", false, ActivitySplit{}, kMsgOpenFailed},
  };
  EnterSomething();
  const std::string before = State();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.name != "missing.fit") {
      ASSERT_TRUE(WriteBytes(dir.File(c.name), c.bytes));
    }
    p.messages.clear();
    p.yesNoAnswers.assign(1, !c.no);
    p.splitAnswers.assign(1, c.split);
    EXPECT_FALSE(dlg.ImportRecordFile(dir.File(c.name), true));
    if (c.message == nullptr) {
      EXPECT_EQ(p.messages, Texts{});
    } else {  // a FIT refusal may say more after its first words
      ASSERT_EQ(p.messages.size(), 1u);
      EXPECT_EQ(p.messages[0].rfind(c.message, 0), 0u) << p.messages[0];
    }
    EXPECT_EQ(State(), before);
    EXPECT_FALSE(dlg.CanUndo());
  }
  // XML of another kind is no race file either.
  p.messages.clear();
  p.yesNoAnswers.assign(1, true);
  ASSERT_TRUE(WriteBytes(dir.File("route.xml"), foreignXml));
  EXPECT_FALSE(dlg.OpenRaceFile(dir.File("route.xml"), true));
  EXPECT_EQ(p.messages, Texts{kMsgXmlWrongRoot});
  EXPECT_EQ(State(), before);
}

// The split as typed in the dialog or given to quorvane-report.
TEST(ActivitySplitText, ParsesPlainDecimalsInRange) {
  struct Case {
    bool laps;
    const char* every;
    const char* official;
    const char* error;  // nullptr: accepted
  };
  const Case cases[] = {
      {true, "junk", "", nullptr},     {false, " 0.1 ", "  ", nullptr},
      {false, "100", "42.195", nullptr}, {false, "0.09", "", kMsgImportBadSplit},
      {false, "100.01", "", kMsgImportBadSplit},
      {false, "1,5", "", kMsgImportBadSplit},
      {false, "1e0", "", kMsgImportBadSplit},
      {false, "-1", "", kMsgImportBadSplit},
      {false, ".", "", kMsgImportBadSplit},
      {false, "", "", kMsgImportBadSplit},
      {true, "", "0", kMsgImportBadOfficial},
      {true, "", "42.1.95", kMsgImportBadOfficial},
      {true, "", "100001", kMsgImportBadOfficial},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.every) + "|" + c.official);
    std::string error;
    const std::optional<ActivitySplit> split =
        ParseActivitySplit(c.laps, c.every, c.official, error);
    EXPECT_EQ(split.has_value(), c.error == nullptr);
    EXPECT_EQ(error, c.error == nullptr ? "" : c.error);
    if (!split) continue;
    EXPECT_EQ(split->kind == ActivitySplit::Kind::Laps, c.laps);
    if (!c.laps) {
      EXPECT_EQ(split->everyKm, ParseDouble(c.every));
    }
    EXPECT_EQ(split->officialKm.has_value(), *c.official == '4');
  }
}

}  // namespace
}  // namespace qv

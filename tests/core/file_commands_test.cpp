// The load and save commands on the headless platform, with real files.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <array>
#include <csignal>
#include <cstring>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "app/race_dlg.h"
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
using fitwriter::TwoLapFit;
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
  std::vector<int> Combos() {
    std::vector<int> v;
    for (int id : kSettingCombos) v.push_back(p.Combo(id).GetCurSel());
    for (const TimeCombo& t : kTimeCombos)
      v.push_back(p.Combo(t.id).GetCurSel());
    return v;
  }

  // Everything a load may change, to show that a refused one changed nothing.
  auto State() {
    const Race& r = dlg.m_race;
    return std::tuple{
        Text(IDC_EVENT_NAME) + "|" + Text(IDC_COMMENT) + "|" + Panel() + "|" +
            r.eventName + "|" + r.comment.str(),
        std::array{static_cast<int>(r.priority), static_cast<int>(r.condition),
                   static_cast<int>(r.speedUnit),
                   static_cast<int>(r.inputAssist),
                   static_cast<int>(r.graphAxis), dlg.m_nSelected,
                   int{dlg.IsModified()}},
        r.sections,
        dlg.m_computation,
        Combos(),
        p.List().Rows()};
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
  // Through the command, as the window runs it, so the history sees it.
  std::string Save(const std::string& name = "out.txt") {
    p.saveAnswers.push_back(dir.File(name));
    dlg.OnCommand(IDC_SAVE);
    return ReadBytes(dir.File(name));
  }
  void Type(int id, const std::string& text) {
    p.Text(id).SetText(text);
    dlg.OnUserEdit(id);
  }

  // A race on screen with some edits of the user, as refused commands find it.
  void EnterSomething() {
    Load(
        "Old\r\n1\r\n1\r\n2\r\n1\r\n1\r\n2\r\n0\r\n0\r\n0\r\n3\r\n60000\r\n"
        "60000\r\n20000\r\n3\r\n100\r\n60100\r\n6\r\n120000\r\n59900\r\n"
        "19966\r\nold\r\r\n");
    Type(IDC_EVENT_NAME, "Old, renamed");
    p.Combo(IDC_SPEED_UNIT).SetCurSel(4);
    dlg.m_race.sections[1].arrival = 777;
    dlg.m_computation = ComputedRace{{{}, {}}, {}};
  }

  doubles::Platform p;
  CRaceDlg dlg{p};
  filetest::ScratchDir dir;
};

using Every = ActivitySplit;
constexpr auto kKm = ActivitySplit::Kind::EveryKm;

// Save takes the settings from the race, not from the combos. A race file
// without sections empties the list, the panel and its lists.
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
  std::vector<int> combos = Combos();
  combos.resize(5);
  EXPECT_EQ(combos, (std::vector<int>{2, 1, 4, 1, 1}));
  // The list holds the sections, the panel shows the last one; the old
  // selection means nothing here.
  ASSERT_EQ(p.List().GetItemCount(), 2);
  EXPECT_EQ(p.List().GetItemText(0, 0) + p.List().GetItemText(1, 0), "12");
  EXPECT_EQ(Panel(), "2 2.5 10");
  EXPECT_EQ(
      (std::vector<int>{dlg.SectionCount(), dlg.m_nSelected, dlg.IsModified()}),
      (std::vector<int>{2, -1, 0}));
  for (int id : kSettingCombos) p.Combo(id).SetCurSel(0);
  EXPECT_EQ(Save(), file);
  dlg.OnClearData();
  EXPECT_EQ(Save(), kNoSections);

  Load(file);
  Load("Empty" + kNoSections);
  EXPECT_EQ(dlg.SectionCount() + p.List().GetItemCount(), 0);
  EXPECT_EQ(Panel() + " " + Text(IDC_COMMENT), "1 0 0 ");
  EXPECT_EQ(Combos(), std::vector<int>(5 + std::size(kTimeCombos), 0));
}

// Whatever save writes, load takes back: a race whose file would pass the
// load's size limit is refused before any name is asked for.
TEST_F(RaceFileCommands, SaveRefusesARaceTheLoadWouldRefuse) {
  // An empty race is 20 bytes, a line break three on disk for two here: the
  // comment is under the limit here and exactly at it on disk.
  std::string comment(kRaceFileMaxBytes - 20 - 3 * 1000, 'x');
  for (int k = 0; k < 1000; ++k) comment += "\r\n";
  Type(IDC_COMMENT, "x" + comment);
  p.saveAnswers.assign(1, dir.File("big.txt"));
  dlg.OnSave();
  EXPECT_EQ(p.messages, Texts{std::string(kMsgSaveTooLarge)});
  EXPECT_EQ(p.saveAnswers.size(), 1u);  // no file dialog
  Type(IDC_COMMENT, comment);
  dlg.OnSave();
  EXPECT_EQ(std::filesystem::file_size(dir.File("big.txt")), kRaceFileMaxBytes);
  LoadPath(dir.File("big.txt"));
  EXPECT_EQ(p.messages.size(), 1u);
  EXPECT_TRUE(Text(IDC_COMMENT) == comment);
}

// A failed save says why and leaves the old file whole, with no temporary
// file beside it; text the file cannot give back is refused first.
TEST_F(RaceFileCommands, FailedSavesKeepTheOldFile) {
  const struct {
    std::string eventName, comment, file;
    rlim_t sizeLimit;  // 0: none
    const char* message;
  } cases[] = {
      {"a\nb", "", "race", 0, kMsgEventNameUnstorable},
      {"¥1000", "", "race", 0, kMsgEventNameUnstorable},
      // As a byte code page 932 lacks is read.
      {"Bad \xEF\xBF\xBD name", "", "race", 0, kMsgEventNameUnstorable},
      {"ok", "a\x1A", "race", 0, kMsgCommentUnstorable},
      {"ok", "", "none/race", 0, kMsgOutputOpenFailed},
      {"ok", std::string(5000, 'c') + "\n", "race", 1000,
       kMsgOutputWriteFailed},
  };
  const std::string old = "the old race file\r\n";
  ASSERT_TRUE(WriteBytes(dir.File("race"), old));
  // Beyond the limit a write fails half-way, as on a full disk.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.eventName + "|" + c.comment.substr(0, 9) + "|" + c.file);
    p.messages.clear();
    Type(IDC_EVENT_NAME, c.eventName);
    Type(IDC_COMMENT, c.comment);
    p.saveAnswers.assign(1, dir.File(c.file));
    const rlimit limit{c.sizeLimit ? c.sizeLimit : saved.rlim_cur,
                       saved.rlim_max};
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    dlg.OnSave();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(p.messages, Texts{c.message});
    EXPECT_EQ(ReadBytes(dir.File("race")), old);
    EXPECT_EQ(dir.Entries(), Texts{"race"});
    EXPECT_TRUE(dlg.IsModified());
  }
  // Without the limit the same save goes through, a bare LF as CR LF.
  EXPECT_EQ(Save("race"), "ok" + kNoSections + std::string(5000, 'c') + "\r\n");
}

// The menu's import over unsaved work: the question, the record's dialog,
// the split; the race computed by arrival at once (the speed unit chosen
// stays), unsaved, saved and loaded back the same. Under another name it is
// known by its content, by the command line and by "読込", and cut as asked.
TEST_F(RaceFileCommands, ImportReplacesTheRaceComputedAndUnsaved) {
  EnterSomething();
  ASSERT_TRUE(WriteBytes(dir.File("run.FIT"), TwoLapFit()));
  p.messages.clear(), p.questions.clear();
  p.yesNoAnswers.assign(1, true);
  p.recordAnswers.assign(1, dir.File("run.FIT"));
  p.splitAnswers.assign(1, ActivitySplit{});
  dlg.OnImportRecord();
  EXPECT_EQ(p.messages, Texts{});
  EXPECT_EQ(p.questions, Texts{std::string(kMsgConfirmLoad)});
  EXPECT_EQ(p.splitQuestions, std::vector<std::size_t>{2});
  ASSERT_EQ(dlg.SectionCount(), 2);
  EXPECT_EQ(p.List().GetItemText(2, 0), kTotalsRowText);
  EXPECT_TRUE(dlg.m_computation == Compute(dlg.m_race));
  EXPECT_EQ(Combos()[0] * 10 + Combos()[2], 4);
  EXPECT_TRUE(dlg.IsModified());
  // Exports must not overwrite the record either.
  EXPECT_EQ(dlg.RaceFilePath(), dir.File("run.FIT"));

  const std::string saved = Save("imported.txt");
  EXPECT_TRUE(dlg.OpenRaceFile(dir.File("imported.txt"), false));
  EXPECT_EQ(Save("again.txt"), saved);
  ASSERT_TRUE(WriteBytes(dir.File("watch.dat"), TwoLapFit()));
  p.splitAnswers.assign(2, Every{kKm, 0.5, {}, {}});
  EXPECT_TRUE(dlg.OpenRaceFile(dir.File("watch.dat"), false));
  EXPECT_EQ(dlg.SectionCount(), 4);
  LoadPath(dir.File("watch.dat"));
  EXPECT_TRUE(dlg.IsModified() && p.splitAnswers.empty());
}

// Refused files and cancelled imports change nothing, not even the
// history; a pipe or a device is refused at once instead of waiting for a
// writer. Not a record by its name, a file is opened as the command line
// opens it.
TEST_F(RaceFileCommands, RefusedFilesAndCancelledImportsChangeNothing) {
  std::string huge = "Big" + kNoSections, badCrc = TwoLapFit();
  huge.resize(kRaceFileMaxBytes + 1, 'x');
  badCrc[20] = static_cast<char>(badCrc[20] ^ 0x10);
  // A byte order mark and a blank line, as some exporters write.
  const std::string kml = "\xEF\xBB\xBF\r\n<?xml version='1.0'?><kml/>";
  const std::optional<ActivitySplit> laps = ActivitySplit{}, cancel;
  ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
  enum { kLoad, kImport, kOpen };
  EnterSomething();
  const auto before = State();
  const std::string tooMany = Fill(kMsgImportTooManySections, {"100"});
  for (const auto& [how, name, bytes, yes, split, message] :
       {std::tuple{kLoad, "46", kSettings + "46\r\n", true, laps,
                   std::string_view(kMsgBadSectionCount)},
        {kLoad, "huge", huge, true, laps, kMsgFileTooLarge},
        {kLoad, "none/race.txt", "", true, laps, kMsgOpenFailed},
        {kLoad, "pipe", "", true, laps, kMsgOpenFailed},
        {kLoad, "/dev/null", "", true, laps, kMsgOpenFailed},
        // Regular, but reading fails (EIO).
        {kLoad, "/proc/self/mem", "", true, laps, kMsgReadFailed},
        {kImport, "bad.fit", badCrc, true, laps, kMsgFitFileCrc},
        {kImport, "run.fit", TwoLapFit(), false, laps, ""},
        {kImport, "run.fit", TwoLapFit(), true, cancel, ""},
        {kImport, "run.fit", TwoLapFit(), true, Every{kKm, 1.0, 100.0, {}},
         tooMany},
        {kImport, "none/x.fit", "", true, laps, kMsgOpenFailed},
        {kOpen, "route.xml", kml, true, laps, kMsgXmlWrongRoot}}) {
    SCOPED_TRACE(name);
    const std::string path = name[0] == '/' ? name : dir.File(name);
    ASSERT_TRUE(bytes.empty() || WriteBytes(path, bytes));
    p.messages.clear();
    p.yesNoAnswers.assign(1, yes);
    p.splitAnswers.assign(1, split);
    p.openAnswers.assign(1, path);
    EXPECT_TRUE(filetest::ReturnsWithoutAWriter(path, [&] {
      if (how == kLoad) {
        dlg.OnCommand(IDC_LOAD);
      } else {
        EXPECT_FALSE(how == kOpen ? dlg.OpenRaceFile(path, true)
                                  : dlg.ImportRecordFile(path, true));
      }
    }));
    EXPECT_EQ(p.messages.empty() ? "" : p.messages[0], message);
    EXPECT_TRUE(State() == before);
  }
  // The load of EnterSomething is the one step the history holds.
  ASSERT_TRUE(dlg.Undo());
  EXPECT_FALSE(dlg.CanUndo());
}

// A race file is known by its shape, not by its name nor by texts that look
// like a record's, by the load and by the command line.
TEST_F(RaceFileCommands, RacesThatLookLikeRecordsLoadBackAsThemselves) {
  Type(IDC_EVENT_NAME, "<gpx");
  Type(IDC_COMMENT, "<?xml version='1.0'?>\n<gpx><trk/></gpx>\n");
  const std::string saved = Save("b.fit");
  dlg.OnClearData();
  LoadPath(dir.File("b.fit"));
  EXPECT_EQ(Save("again.txt"), saved);
  dlg.OnClearData();
  EXPECT_TRUE(dlg.OpenRaceFile(dir.File("b.fit"), false));
  EXPECT_EQ(Save("again.txt"), saved);
  EXPECT_EQ(p.messages, Texts{});
}

// Plain decimals in range, as the dialog and --split/--course take them.
TEST(ActivitySplitText, PlainDecimalsInRange) {
  ActivityError error;
  const auto split = ParseActivitySplit(false, " 0.1 ", "100000", error);
  EXPECT_TRUE(split && split->everyKm == 0.1 && split->officialKm == 100000);
  EXPECT_EQ(ParseActivitySplit(false, "100", "", error)->everyKm, 100.0);
  for (const char* bad : {"0.09", "100.01", "1,5", "1e0", "-1", ".", "", "4 2"})
    EXPECT_TRUE(!ParseActivitySplit(false, bad, "", error) &&
                error.kind == ActivityError::Kind::BadSplit)
        << bad;
  for (const char* bad : {"0", "4.2.1", "100001"})
    EXPECT_TRUE(!ParseActivitySplit(true, "", bad, error) &&
                error.kind == ActivityError::Kind::BadOfficial)
        << bad;
}

}  // namespace
}  // namespace qv

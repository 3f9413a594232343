// The load and save commands on the headless platform, with real files.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "tests/doubles/test_platform.h"
#include "app/race_dlg.h"
#include "file/race_file.h"
#include "res/resource.h"
#include "res/strings.h"
#include "tests/core/file_test_util.h"

namespace qv {
namespace {

using filetest::ReadBytes;
using filetest::ScratchDir;
using filetest::WriteBytes;

constexpr int kSettingCombos[] = {IDC_PRIORITY, IDC_CALC_MODE, IDC_SPEED_UNIT,
                                  IDC_INPUT_ASSIST, IDC_GRAPH_AXIS};

constexpr char kOneSectionRace[] =
    "Spring\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n"
    "0\r\n0\r\n0\r\n5\r\n150000\r\n0\r\n0\r\n"
    "sunny\r\r\n";

// Everything a load may change, to show that a refused one changed nothing.
struct DialogState {
  std::string eventName, comment, startKm, endKm, sectionNo;
  std::vector<int> members;
  std::vector<double> distances;
  std::vector<int> times;
  std::vector<int> combos;
  std::vector<std::vector<std::string>> rows;
  bool modified = false;
  friend bool operator==(const DialogState&, const DialogState&) = default;
};

class RaceFileCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.Ok());
    dlg.OnInitDialog();
  }

  std::string Text(int id) { return p.Text(id).GetText(); }
  std::vector<int> Settings() const {
    return {dlg.m_nPriority, dlg.m_nCalcMode, dlg.m_nSpeedUnit,
            dlg.m_nInputAssist, dlg.m_nGraphAxis};
  }

  DialogState State() {
    DialogState s;
    s.eventName = Text(IDC_EVENT_NAME);
    s.comment = Text(IDC_COMMENT);
    s.startKm = Text(IDC_START_KM);
    s.endKm = Text(IDC_END_KM);
    s.sectionNo = Text(IDC_SECTION_NO);
    s.members = {dlg.m_nSelected,   dlg.m_nPriority,    dlg.m_nCalcMode,
                 dlg.m_nSpeedUnit,  dlg.m_nInputAssist, dlg.m_nGraphAxis,
                 dlg.m_nInputIndex, dlg.m_nSections};
    for (int i = 0; i < MAX_SECTIONS; ++i) {
      s.distances.push_back(dlg.m_startKm[i]);
      s.distances.push_back(dlg.m_endKm[i]);
      for (int v : {dlg.m_arrival[i], dlg.m_departure[i], dlg.m_loss[i],
                    dlg.m_lap[i], dlg.m_pace[i]})
        s.times.push_back(v);
    }
    for (int i = 0; i <= MAX_SECTIONS; ++i)
      s.times.push_back(dlg.m_calcArrival[i]);
    for (int id : kSettingCombos) s.combos.push_back(p.Combo(id).GetCurSel());
    for (const TimeCombo& t : kTimeCombos) s.combos.push_back(p.Combo(t.id).GetCurSel());
    s.rows = p.List().Rows();
    s.modified = dlg.IsModified();
    return s;
  }

  // Loads a file, answering Yes should the dialog ask about unsaved work.
  void LoadPath(const std::string& path) {
    p.yesNoAnswers.assign(1, true);
    p.openAnswers.push_back(path);
    dlg.OnLoad();
    p.yesNoAnswers.clear();
  }

  void Load(const std::string& bytes, const std::string& name = "in.txt") {
    ASSERT_TRUE(WriteBytes(dir.File(name), bytes));
    LoadPath(dir.File(name));
  }

  std::string Save(const std::string& name = "out.txt") {
    p.saveAnswers.push_back(dir.File(name));
    dlg.OnSave();
    return ReadBytes(dir.File(name));
  }

  // A race on screen with some edits of the user, as refused commands find it.
  void EnterSomething() {
    Load(std::string("Old race\r\n1\r\n1\r\n2\r\n1\r\n1\r\n2\r\n") +
         "0\r\n0\r\n0\r\n3\r\n60000\r\n60000\r\n20000\r\n" +
         "3\r\n100\r\n60100\r\n6\r\n120000\r\n59900\r\n19966\r\nold\r\r\n");
    p.Text(IDC_EVENT_NAME).SetText("Old race, renamed");
    dlg.OnUserEdit(IDC_EVENT_NAME);
    p.Combo(IDC_SPEED_UNIT).SetCurSel(4);
    dlg.m_calcArrival[1] = 4321;
    dlg.m_arrival[30] = 777;
    p.messages.clear();
  }

  doubles::Platform p;
  CRaceDlg dlg{p};
  ScratchDir dir;
};

TEST_F(RaceFileCommands, SaveWritesAOneSectionRace) {
  p.Text(IDC_EVENT_NAME).SetText("Spring");
  p.Text(IDC_COMMENT).SetText("sunny\r\n");
  dlg.OnUserEdit(IDC_COMMENT);
  dlg.m_nSections = dlg.m_nInputIndex = 1;
  dlg.m_endKm[0] = 5;
  dlg.m_arrival[0] = 150000;
  ASSERT_TRUE(dlg.IsModified());
  EXPECT_EQ(Save(), kOneSectionRace);
  EXPECT_TRUE(p.messages.empty());
  EXPECT_FALSE(dlg.IsModified());
}

// Save writes the settings of the last compute, append or load (the
// members), not the combos as they stand; clear resets them.
TEST_F(RaceFileCommands, SaveTakesTheSettingsFromTheMembersWhichClearResets) {
  dlg.m_nPriority = 2;
  dlg.m_nCalcMode = 1;
  dlg.m_nInputAssist = 1;
  p.Combo(IDC_PRIORITY).SetCurSel(0);
  p.Combo(IDC_SPEED_UNIT).SetCurSel(3);
  EXPECT_EQ(Save(), "\r\n2\r\n1\r\n0\r\n1\r\n0\r\n0\r\n");
  EnterSomething();
  p.yesNoAnswers.assign(1, true);
  dlg.OnClearData();
  EXPECT_EQ(Save(), "\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
}

TEST_F(RaceFileCommands, LoadFillsTheDialog) {
  dlg.OnUserEdit(IDC_EVENT_NAME);
  dlg.m_nSelected = 1;
  dlg.m_calcArrival[0] = 4321;
  dlg.m_arrival[2] = 777;  // beyond the loaded race: kept
  Load(
      "\x93\xFA\x96\x7B \x95\x5C\r\n2\r\n1\r\n4\r\n1\r\n1\r\n2\r\n"
      "0\r\n0\r\n0\r\n2.5\r\n48000\r\n48000\r\n19200\r\n"
      "2.5\r\n500\r\n48500\r\n10\r\n300000\r\n251500\r\n33533\r\n"
      "first\r\r\nsecond\r\n");
  EXPECT_TRUE(p.messages.empty());
  EXPECT_EQ(Text(IDC_EVENT_NAME), "日本 表");
  EXPECT_EQ(Settings(), (std::vector<int>{2, 1, 4, 1, 1}));
  for (int k = 0; k < 5; ++k)
    EXPECT_EQ(p.Combo(kSettingCombos[k]).GetCurSel(), Settings()[k]) << k;
  EXPECT_EQ(dlg.m_nSections, 2);
  EXPECT_EQ(dlg.m_nInputIndex, 2);
  EXPECT_EQ(
      (std::vector<double>{dlg.m_startKm[1], dlg.m_endKm[1], dlg.m_endKm[0]}),
      (std::vector<double>{2.5, 10.0, 2.5}));
  EXPECT_EQ(
      (std::vector<int>{dlg.m_loss[1], dlg.m_departure[1], dlg.m_arrival[1],
                        dlg.m_lap[1], dlg.m_pace[1], dlg.m_pace[0]}),
      (std::vector<int>{500, 48500, 300000, 251500, 33533, 19200}));
  // Beyond the loaded race and the computed results: kept.
  EXPECT_EQ(dlg.m_arrival[2], 777);
  EXPECT_EQ(dlg.m_calcArrival[0], 4321);
  ASSERT_EQ(p.List().GetItemCount(), 2);
  EXPECT_EQ(p.List().GetItemText(0, 0) + p.List().GetItemText(1, 0), "12");
  EXPECT_EQ(Text(IDC_COMMENT), "first\r\nsecond\n");
  // The panel shows the last section.
  EXPECT_EQ(
      Text(IDC_SECTION_NO) + " " + Text(IDC_START_KM) + " " + Text(IDC_END_KM),
      "2 2.5 10");
  EXPECT_EQ(p.Combo(IDC_LOSS_SEC).GetCurSel(), 5);
  EXPECT_EQ(p.Combo(IDC_ARR_MIN).GetCurSel(), 50);
  EXPECT_EQ(dlg.m_nSelected, -1);
  EXPECT_FALSE(dlg.IsModified());
}

TEST_F(RaceFileCommands, LoadThenSaveGivesTheSameBytes) {
  Load(kOneSectionRace);
  EXPECT_EQ(Text(IDC_COMMENT), "sunny\r\n");
  EXPECT_EQ(Save(), kOneSectionRace);
}

TEST_F(RaceFileCommands, LoadingAnEmptyRaceClearsThePanel) {
  EnterSomething();
  ASSERT_EQ(Text(IDC_SECTION_NO), "2");
  Load("Empty\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
  EXPECT_TRUE(p.messages.empty());
  EXPECT_EQ((std::vector<int>{dlg.m_nSections, dlg.m_nInputIndex,
                              p.List().GetItemCount()}),
            (std::vector<int>{0, 0, 0}));
  EXPECT_EQ(
      Text(IDC_SECTION_NO) + " " + Text(IDC_START_KM) + " " + Text(IDC_END_KM),
      "1 0 0");
  for (const TimeCombo& t : kTimeCombos) EXPECT_EQ(p.Combo(t.id).GetCurSel(), 0) << t.id;
  EXPECT_EQ(Text(IDC_COMMENT), "");
}

TEST_F(RaceFileCommands, RefusedFilesChangeNothing) {
  EnterSomething();
  std::string huge = "Big\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n";
  huge.resize(kRaceFileMaxBytes + 1, 'x');
  ASSERT_TRUE(WriteBytes(dir.File("huge.txt"), huge));
  std::filesystem::create_directory(dir.Path() / "folder");
  struct Case {
    const char* name;
    std::string bytes;  // written to case.txt unless path is given
    std::string path;
    const char* message;
  };
  const std::string header = "New\r\n0\r\n0\r\n0\r\n0\r\n0\r\n";
  const Case cases[] = {
      {"count -1", header + "-1\r\n", "", kMsgBadSectionCount},
      {"count 46", header + "46\r\n" + std::string(46 * 14, '0'), "",
       kMsgBadSectionCount},
      {"count 1000000000", header + "1000000000\r\n", "", kMsgBadSectionCount},
      {"larger than 16 MiB", "", dir.File("huge.txt"), kMsgFileTooLarge},
      {"folder that does not exist", "", dir.File("none/race.txt"),
       kMsgOpenFailed},
      {"a folder", "", dir.File("folder"), kMsgOpenFailed},
      {"a device", "", "/dev/null", kMsgOpenFailed},
      // A regular file whose first read fails (EIO).
      {"a read error", "", "/proc/self/mem", kMsgReadFailed},
  };
  for (const Case& c : cases) {
    const DialogState before = State();
    p.messages.clear();
    std::string path = c.path;
    if (path.empty()) {
      path = dir.File("case.txt");
      ASSERT_TRUE(WriteBytes(path, c.bytes));
    }
    LoadPath(path);
    EXPECT_EQ(p.messages, std::vector<std::string>{c.message}) << c.name;
    EXPECT_TRUE(State() == before) << c.name;
  }
}

// Loading over unsaved work asks first; No (or Escape) keeps everything,
// and the file dialog does not open.
TEST_F(RaceFileCommands, LoadAsksBeforeReplacingUnsavedWork) {
  const std::string other = "Other\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n";
  ASSERT_TRUE(WriteBytes(dir.File("other.txt"), other));
  struct Case {
    const char* name;
    bool modified;
    std::vector<bool> answers;
    bool loaded;
  };
  const Case cases[] = {
      {"nothing unsaved", false, {}, true},
      {"unsaved, Yes", true, {true}, true},
      {"unsaved, No", true, {false}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EnterSomething();
    if (!c.modified) {
      p.saveAnswers.push_back(dir.File("saved.txt"));
      dlg.OnSave();
    }
    ASSERT_EQ(dlg.IsModified(), c.modified);
    const DialogState before = State();
    p.questions.clear();
    p.yesNoAnswers.assign(c.answers.begin(), c.answers.end());
    p.openAnswers.assign(1, dir.File("other.txt"));
    dlg.OnLoad();
    EXPECT_EQ(p.questions, c.modified ? std::vector<std::string>{kMsgConfirmLoad}
                                      : std::vector<std::string>{});
    EXPECT_EQ(Text(IDC_EVENT_NAME), c.loaded ? "Other" : before.eventName);
    if (!c.loaded) {
      EXPECT_TRUE(State() == before);
      EXPECT_EQ(p.openAnswers.size(), 1u);  // no file dialog
    }
    EXPECT_EQ(dlg.IsModified(), !c.loaded);
    EXPECT_TRUE(p.messages.empty());
  }
}

// Whatever save writes, load takes back: a race whose file would pass the
// load's size limit is refused before any name is asked for.
TEST_F(RaceFileCommands, SaveRefusesARaceTheLoadWouldRefuse) {
  // An empty race is 20 bytes; each line break of the comment takes three
  // on disk (CR CR LF) for two in the dialog, so this comment is smaller
  // than the limit in the dialog and exactly the limit on disk.
  const std::size_t breaks = 1000;
  std::string comment(kRaceFileMaxBytes - 20 - 3 * breaks, 'x');
  for (std::size_t k = 0; k < breaks; ++k) comment += "\r\n";
  ASSERT_LT(comment.size(), kRaceFileMaxBytes);
  for (bool tooLarge : {false, true}) {
    SCOPED_TRACE(tooLarge);
    p.messages.clear();
    p.saveAnswers.assign(1, dir.File("big.txt"));
    p.Text(IDC_COMMENT).SetText((tooLarge ? "x" : "") + comment);
    dlg.OnUserEdit(IDC_COMMENT);
    dlg.OnSave();
    if (tooLarge) {
      EXPECT_EQ(p.messages, std::vector<std::string>{kMsgSaveTooLarge});
      EXPECT_EQ(p.saveAnswers.size(), 1u);  // no file dialog
      EXPECT_TRUE(dlg.IsModified());
    } else {
      ASSERT_TRUE(p.messages.empty());
      EXPECT_EQ(std::filesystem::file_size(dir.File("big.txt")),
                kRaceFileMaxBytes);
      Load(ReadBytes(dir.File("big.txt")));
      EXPECT_TRUE(p.messages.empty());
      EXPECT_TRUE(Text(IDC_COMMENT) == comment);
    }
  }
  EXPECT_EQ(std::filesystem::file_size(dir.File("big.txt")), kRaceFileMaxBytes);
}

TEST_F(RaceFileCommands, CancelledDialogsChangeAndSayNothing) {
  EnterSomething();
  const DialogState before = State();
  dlg.OnLoad();  // no answer queued: the user cancels
  dlg.OnSave();
  EXPECT_TRUE(p.messages.empty());
  EXPECT_TRUE(State() == before);
  EXPECT_TRUE(dir.Entries() == std::vector<std::string>{"in.txt"});
}

TEST_F(RaceFileCommands, SaveRefusesTextTheFileCannotStore) {
  struct Case {
    const char* name;
    std::string eventName;
    std::string comment;
    const char* message;
  };
  const Case cases[] = {
      {"yen sign in the name",
       "\xC2\xA5"
       "1000",
       "", kMsgEventNameUnstorable},
      {"hangul in the comment", "ok", "\xED\x95\x9C\r\n",
       kMsgCommentUnstorable},
      {"Ctrl-Z in the comment", "ok", "a\x1A", kMsgCommentUnstorable},
  };
  for (const Case& c : cases) {
    p.messages.clear();
    p.saveAnswers.clear();
    p.Text(IDC_EVENT_NAME).SetText(c.eventName);
    p.Text(IDC_COMMENT).SetText(c.comment);
    dlg.OnUserEdit(IDC_COMMENT);
    p.saveAnswers.push_back(dir.File("refused.txt"));
    dlg.OnSave();
    EXPECT_EQ(p.messages, std::vector<std::string>{c.message}) << c.name;
    EXPECT_TRUE(dir.Entries().empty()) << c.name;
    EXPECT_TRUE(dlg.IsModified()) << c.name;
  }
}

TEST_F(RaceFileCommands, BytesThatAreNotCodePage932LoadButMustBeFixedToSave) {
  Load("Bad \x80 name\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\nfine\r\n");
  EXPECT_TRUE(p.messages.empty());
  EXPECT_EQ(Text(IDC_EVENT_NAME), "Bad \xEF\xBF\xBD name");
  p.saveAnswers.push_back(dir.File("again.txt"));
  dlg.OnSave();
  EXPECT_EQ(p.messages, std::vector<std::string>{kMsgEventNameUnstorable});
  EXPECT_FALSE(std::filesystem::exists(dir.File("again.txt")));
  p.messages.clear();
  p.Text(IDC_EVENT_NAME).SetText("Bad name");
  // The comment came with a bare LF, which is written as CR LF.
  EXPECT_EQ(Save("again.txt"),
            "Bad name\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\nfine\r\n");
  EXPECT_TRUE(p.messages.empty());
}

TEST_F(RaceFileCommands, SaveIntoAFolderThatDoesNotExist) {
  dlg.OnUserEdit(IDC_EVENT_NAME);
  p.saveAnswers.push_back(dir.File("none/race.txt"));
  dlg.OnSave();
  EXPECT_EQ(p.messages, std::vector<std::string>{kMsgOutputOpenFailed});
  EXPECT_TRUE(dir.Entries().empty());
  EXPECT_TRUE(dlg.IsModified());
}

TEST_F(RaceFileCommands, WriteFailureHalfWayKeepsTheOldFile) {
  const std::string old = "the old race file\r\n";
  ASSERT_TRUE(WriteBytes(dir.File("race.txt"), old));
  p.Text(IDC_COMMENT).SetText(std::string(5000, 'c'));
  dlg.OnUserEdit(IDC_COMMENT);
  p.saveAnswers.push_back(dir.File("race.txt"));
  {
    filetest::FileSizeLimit limit(1000);
    ASSERT_TRUE(limit.Ok());
    dlg.OnSave();
  }
  EXPECT_EQ(p.messages, std::vector<std::string>{kMsgOutputWriteFailed});
  EXPECT_EQ(ReadBytes(dir.File("race.txt")), old);
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"race.txt"});
  EXPECT_TRUE(dlg.IsModified());
  // Without the limit the same save goes through.
  p.messages.clear();
  EXPECT_EQ(Save("race.txt").size(), 2 + 6 * 3 + 5000u);
  EXPECT_TRUE(p.messages.empty());
  EXPECT_FALSE(dlg.IsModified());
}

}  // namespace
}  // namespace qv

// The section editing commands: append, change, insert, delete and select.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "tests/doubles/test_platform.h"
#include "app/race_dlg.h"
#include "res/resource.h"
#include "res/strings.h"

namespace {

using namespace qv;

constexpr int kTimeLists[] = {
    IDC_LOSS_MIN, IDC_LOSS_SEC, IDC_LOSS_CS,  IDC_ARR_HOUR, IDC_ARR_MIN,
    IDC_ARR_SEC,  IDC_ARR_CS,   IDC_LAP_HOUR, IDC_LAP_MIN,  IDC_LAP_SEC,
    IDC_LAP_CS,   IDC_PACE_MIN, IDC_PACE_SEC, IDC_PACE_CS,
};

// One section as the panel takes it: the distance texts and the fourteen
// time lists' indices in the order of kTimeLists.
struct PanelInput {
  std::string startKm;
  std::string endKm;
  std::vector<int> lists;
};

// One entered record.
struct Rec {
  double startKm;
  double endKm;
  int arrival;
  int departure;
  int loss;
  int lap;
  int pace;
  friend bool operator==(const Rec&, const Rec&) = default;
};

void PrintTo(const Rec& r, std::ostream* os) {
  *os << "{" << r.startKm << "-" << r.endKm << " arr " << r.arrival << " dep "
      << r.departure << " loss " << r.loss << " lap " << r.lap << " pace "
      << r.pace << "}";
}

class InputCommands : public ::testing::Test {
 protected:
  void SetUp() override { dlg.OnInitDialog(); }

  void Fill(const PanelInput& p) {
    platform.Text(IDC_START_KM).SetText(p.startKm);
    platform.Text(IDC_END_KM).SetText(p.endKm);
    for (std::size_t k = 0; k < std::size(kTimeLists); ++k)
      platform.Combo(kTimeLists[k]).SetCurSel(p.lists[k]);
  }

  // Section k of a made-up race: from 5k km to 5k+5 km, a loss of k s,
  // arrival (k+1) x 30 min, lap 25 min + k s, pace 5 min + k s.
  static PanelInput Section(int k) {
    return PanelInput{
        std::to_string(5 * k),
        std::to_string(5 * k + 5),
        {0, k, 0, (k + 1) / 2, (k + 1) % 2 * 30, 0, 0, 0, 25, k, 0, 5, k, 0}};
  }
  // What Section(k) stores when appended after Section(k - 1).
  static Rec Stored(int k) {
    return Rec{
        5.0 * k, 5.0 * k + 5,      (k + 1) * 180000, k * 180000 + k * 100,
        k * 100, 150000 + k * 100, 30000 + k * 100};
  }
  // Stored(k) joined after Stored(prev), or at the start when prev < 0.
  static Rec Joined(int k, int prev) {
    Rec r = Stored(k);
    r.startKm = prev < 0 ? 0.0 : Stored(prev).endKm;
    r.departure = (prev < 0 ? 0 : Stored(prev).arrival) + r.loss;
    return r;
  }

  void AppendSections(int count) {
    for (int k = 0; k < count; ++k) {
      Fill(Section(k));
      dlg.OnAppend();
    }
  }

  Rec At(int i) {
    return Rec{dlg.m_startKm[i],   dlg.m_endKm[i], dlg.m_arrival[i],
               dlg.m_departure[i], dlg.m_loss[i],  dlg.m_lap[i],
               dlg.m_pace[i]};
  }
  std::vector<Rec> All() {
    std::vector<Rec> v;
    for (int k = 0; k < dlg.m_nSections; ++k) v.push_back(At(k));
    return v;
  }

  void Click(std::vector<int> rows) {
    platform.List().Select(std::move(rows));
    long result = 99;
    dlg.OnClickSectionList(&result);
    EXPECT_EQ(result, 0);
  }

  // Change, insert and delete with the panel full of other values alter
  // neither the tables nor the list.
  void ExpectEditingBlocked() {
    const std::vector<Rec> before = All();
    const int rows = Rows();
    Fill(Section(9));
    dlg.OnChange();
    dlg.OnInsert();
    dlg.OnDelete();
    EXPECT_EQ(All(), before);
    EXPECT_EQ(Rows(), rows);
  }

  std::vector<int> Lists() {
    std::vector<int> v;
    for (int id : kTimeLists) v.push_back(platform.Combo(id).GetCurSel());
    return v;
  }
  std::string Text(int id) { return platform.Text(id).GetText(); }
  int Rows() { return platform.List().GetItemCount(); }
  std::string Cell(int row, int col) {
    return platform.List().GetItemText(row, col);
  }
  void ExpectNumberedRows(int n) {
    ASSERT_EQ(Rows(), n);
    for (int r = 0; r < n; ++r) EXPECT_EQ(Cell(r, 0), std::to_string(r + 1));
  }

  doubles::Platform platform;
  CRaceDlg dlg{platform};
};

// ------------------------------------------------------------ append

TEST_F(InputCommands, AppendedSectionsChainAndNumber) {
  AppendSections(1);
  EXPECT_EQ(At(0), Stored(0));
  EXPECT_EQ(dlg.m_nSelected, -1);
  EXPECT_EQ(Cell(0, 2), "5 km");
  EXPECT_EQ(Text(IDC_START_KM), "5");  // the arrival point's text
  EXPECT_TRUE(platform.messages.empty());
  for (int k = 1; k < 3; ++k) {
    Fill(Section(k));
    dlg.OnAppend();
  }
  EXPECT_EQ(All(), (std::vector<Rec>{Stored(0), Stored(1), Stored(2)}));
  ExpectNumberedRows(3);
  EXPECT_EQ(Text(IDC_SECTION_NO), "4");
  EXPECT_EQ(dlg.m_nInputIndex, 3);
}

TEST_F(InputCommands, AppendWithAssistProposesTheNextSection) {
  auto check = [&](const PanelInput& in, int departure, const char* startKm,
                   const char* endKm, const std::vector<int>& lists) {
    SCOPED_TRACE(in.endKm);
    dlg.m_nSections = dlg.m_nInputIndex = 0;
    Fill(in);
    dlg.OnAppend();
    EXPECT_EQ(dlg.m_departure[0], departure);
    EXPECT_EQ(dlg.m_nInputAssist, 0);
    EXPECT_EQ(Text(IDC_START_KM), startKm);
    EXPECT_EQ(Text(IDC_END_KM), endKm);
    EXPECT_EQ(Lists(), lists);
  };
  // No loss, arrival 30:00.00: 2 x 180000 - 0 = 360000 is 1:00:00.00; loss,
  // lap and pace as before.
  check({"5", "10", {0, 0, 0, 0, 30, 0, 0, 0, 29, 1, 2, 6, 3, 4}}, 0, "10",
        "15", {0, 0, 0, 1, 0, 0, 0, 0, 29, 1, 2, 6, 3, 4});
  // A minute's loss, arrival 1:00:00.00: departure 6000, next arrival
  // 720000 - 6000 = 714000 = 1:59:00.00.
  check({"0", "10", {1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}}, 6000, "10",
        "20", {1, 0, 0, 1, 59, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  // The arrival text is copied as typed; the proposal is printed.
  check({"5", "10.0", {0, 0, 0, 0, 30, 0, 0, 0, 0, 0, 0, 0, 0, 0}}, 0, "10.0",
        "15", {0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
}

TEST_F(InputCommands, AppendWithoutAssistEmptiesThePanel) {
  platform.Combo(IDC_INPUT_ASSIST).SetCurSel(1);
  Fill(PanelInput{"5", "10", {1, 2, 3, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}});
  dlg.OnAppend();
  EXPECT_EQ(dlg.m_nInputAssist, 1);
  EXPECT_EQ(Text(IDC_START_KM), "10");
  EXPECT_EQ(Text(IDC_END_KM), "");
  EXPECT_EQ(Lists(), std::vector<int>(14, 0));
  EXPECT_EQ(Text(IDC_SECTION_NO), "2");
  // The stored section is the panel as it was.
  EXPECT_EQ(At(0), (Rec{5, 10, 372304, 6203, 6203, 1836708, 55011}));

  // The list is read again at the next append.
  platform.Combo(IDC_INPUT_ASSIST).SetCurSel(0);
  Fill(Section(2));
  dlg.OnAppend();
  EXPECT_EQ(dlg.m_nInputAssist, 0);
  EXPECT_EQ(Text(IDC_END_KM), "20");  // 2 x 15 - 10
}

TEST_F(InputCommands, AppendAfterComputeGoesBeforeTheTotalsRow) {
  AppendSections(2);
  dlg.OnCompute();
  ASSERT_EQ(Cell(2, 0), "全区間");
  Fill(Section(2));
  dlg.OnAppend();
  ASSERT_EQ(Rows(), 4);
  EXPECT_EQ(Cell(2, 0), "3");
  EXPECT_EQ(Cell(3, 0), "全区間");
}

TEST_F(InputCommands, AssistProposalSaturatesOnFileTimes) {
  // As a file may leave it: section 0 arrived at the most negative time.
  dlg.m_nSections = dlg.m_nInputIndex = 1;
  dlg.m_arrival[0] = INT_MIN;
  Fill(PanelInput{"0", "1", std::vector<int>(14, 0)});
  dlg.OnAppend();
  EXPECT_EQ(dlg.m_departure[1], INT_MIN);
  // 2 x 0 - INT_MIN is beyond int: the largest time the lists show.
  EXPECT_EQ(Lists(),
            (std::vector<int>{0, 0, 0, 23, 59, 59, 99, 0, 0, 0, 0, 0, 0, 0}));
}

// ------------------------------------------------------------ select

TEST_F(InputCommands, SelectOfTheTotalsRowOrEmptySpaceBlocksEditing) {
  for (bool totals : {true, false}) {
    SCOPED_TRACE(totals ? "totals row" : "empty space");
    AppendSections(2);
    if (totals) dlg.OnCompute();
    Click({0});
    Fill(Section(7));
    Click(totals ? std::vector<int>{2} : std::vector<int>{});
    EXPECT_EQ(dlg.m_nSelected, totals ? 2 : -1);
    EXPECT_EQ(Text(IDC_START_KM), "35");   // the panel stays
    EXPECT_EQ(Text(IDC_SECTION_NO), "1");  // as the first click left it
    ExpectEditingBlocked();
    EXPECT_EQ(dlg.m_nSections, 2);
    if (totals) {
      EXPECT_EQ(Cell(2, 0), "全区間");
    }
    dlg.m_nSections = dlg.m_nInputIndex = 0;
    platform.List().DeleteAllItems();
  }
}

// ------------------------------------------------------------ change, insert

TEST_F(InputCommands, ChangeAndInsertAtTheSelectedSection) {
  // joinedRow: the row whose start the edit moved.
  auto check = [&](void (CRaceDlg::*command)(), int sections, int row,
                   const PanelInput& in, const std::vector<Rec>& left,
                   int joinedRow, const char* joinedStart) {
    SCOPED_TRACE(in.endKm);
    dlg.m_nSections = dlg.m_nInputIndex = 0;
    platform.List().DeleteAllItems();
    AppendSections(sections);
    dlg.OnCompute();
    Click({row});
    Fill(in);
    platform.Text(IDC_SECTION_NO).SetText("x");
    (dlg.*command)();
    EXPECT_EQ(All(), left);
    EXPECT_EQ(dlg.m_nInputIndex, dlg.m_nSections);
    EXPECT_EQ(dlg.m_nSelected, row);
    ExpectNumberedRows(static_cast<int>(left.size()));  // no totals row
    EXPECT_EQ(Cell(joinedRow, 1), joinedStart);
    EXPECT_EQ(Text(IDC_SECTION_NO), "x");
    EXPECT_EQ(Text(IDC_START_KM), in.startKm);  // the panel stays
  };
  // Change of the last section.
  check(&CRaceDlg::OnChange, 3, 2,
        {"11", "22", {0, 0, 9, 2, 0, 0, 0, 0, 0, 0, 1, 0, 0, 2}},
        {Stored(0), Stored(1), {11, 22, 720000, 360009, 9, 1, 2}}, 2, "11 km");
  // Change of a middle one: only the next section is mended.
  check(&CRaceDlg::OnChange, 5, 2,
        {"10", "17.5", {0, 3, 0, 1, 40, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {Stored(0),
         Stored(1),
         {10, 17.5, 600000, 360300, 300, 0, 0},
         {17.5, 20, 720000, 600300, 300, 150300, 30300},
         Stored(4)},
        3, "17.5 km");
  // Insert at 0.
  check(&CRaceDlg::OnInsert, 3, 0,
        {"0", "2", {0, 4, 0, 0, 8, 0, 0, 0, 7, 0, 0, 3, 0, 0}},
        {{0, 2, 48000, 400, 400, 42000, 18000},
         {2, 5, 180000, 48000, 0, 150000, 30000},
         Stored(1),
         Stored(2)},
        1, "2 km");
}

// ------------------------------------------------------------ delete

// Inserting before the first of four sections moves all four up; deleting
// it again gives the race back. The list shows the entered values.
TEST_F(InputCommands, InsertThenDeleteAtTheStartGivesTheRaceBack) {
  AppendSections(4);
  const std::vector<Rec> race = All();
  EXPECT_EQ(Cell(1, 6), "00時25分01秒00");
  Click({0});
  Fill(Section(9));
  dlg.OnInsert();
  ASSERT_EQ(dlg.m_nSections, 5);
  for (int k = 2; k < 5; ++k) EXPECT_EQ(At(k), race[k - 1]) << k;
  Click({0});
  dlg.OnDelete();
  EXPECT_EQ(All(), race);
}

TEST_F(InputCommands, DeleteJoinsTheNeighbours) {
  auto check = [&](int sections, int row, int times,
                   const std::vector<Rec>& left) {
    SCOPED_TRACE(::testing::Message()
                 << sections << " " << row << " " << times);
    dlg.m_nSections = dlg.m_nInputIndex = 0;
    platform.List().DeleteAllItems();
    AppendSections(sections);
    Click({row});
    // A gap the user left after the deleted section closes too.
    if (sections > 1) dlg.m_startKm[row + 1] = 99.0;
    for (int k = 0; k < times; ++k) dlg.OnDelete();
    EXPECT_EQ(All(), left);
    EXPECT_EQ(dlg.m_nInputIndex, dlg.m_nSections);
    EXPECT_EQ(dlg.m_nSelected, row);
    ExpectNumberedRows(static_cast<int>(left.size()));
  };
  check(3, 0, 1, {Joined(1, -1), Stored(2)});  // the first: from km 0 again
  check(3, 1, 1, {Stored(0), Joined(2, 0)});   // a middle one
  check(4, 1, 2, {Stored(0), Joined(3, 0)});   // twice after one select
  check(1, 0, 1, {});                          // the only one
  // The panel keeps the deleted only section's values.
  EXPECT_EQ(Text(IDC_START_KM), "0");
  EXPECT_EQ(Text(IDC_END_KM), "5");
  EXPECT_EQ(Text(IDC_SECTION_NO), "1");
}

// ------------------------------------------------------------ capacity

TEST_F(InputCommands, FullTableRefusesAppendAndInsertWithAMessage) {
  AppendSections(MAX_SECTIONS);
  EXPECT_TRUE(platform.messages.empty());
  ExpectNumberedRows(45);
  EXPECT_EQ(At(44), Stored(44));
  const std::vector<Rec> before = All();

  Fill(Section(50));
  dlg.OnAppend();
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0], "区間は45までです。");
  EXPECT_EQ(Text(IDC_SECTION_NO), "46");  // as the 45th append left it
  EXPECT_EQ(Text(IDC_START_KM), "250");   // the panel as filled
  EXPECT_EQ(Text(IDC_END_KM), "255");

  Click({44});
  Fill(Section(50));
  dlg.OnInsert();
  ASSERT_EQ(platform.messages.size(), 2u);
  EXPECT_EQ(platform.messages[1], kMsgSectionsFull);
  EXPECT_EQ(All(), before);
  EXPECT_EQ(Rows(), 45);

  // The last of the 45 can be changed and deleted.
  dlg.OnChange();
  EXPECT_EQ(dlg.m_startKm[44], 250.0);
  dlg.OnDelete();
  EXPECT_EQ(dlg.m_nSections, 44);
  EXPECT_EQ(dlg.m_nSelected, 44);
  ExpectNumberedRows(44);
  // Room again.
  Click({3});
  dlg.OnInsert();
  EXPECT_EQ(dlg.m_nSections, 45);
  EXPECT_EQ(platform.messages.size(), 2u);
}

// ------------------------------------------------------------ odd states

TEST_F(InputCommands, StaleOrCorruptIndexesNeverReachPastTheTables) {
  AppendSections(3);
  Click({2});
  dlg.OnDelete();  // the selection now lies past the last section
  EXPECT_EQ(dlg.m_nSelected, 2);
  ExpectEditingBlocked();
  for (int sel : {-5, 2, 45, 46, 1000, INT_MAX, INT_MIN}) {
    dlg.m_nSelected = sel;
    ExpectEditingBlocked();
    EXPECT_EQ(dlg.m_nSections, 2) << sel;
  }
  // A count beyond the tables (no command makes one) is treated as full.
  dlg.m_nSections = dlg.m_nInputIndex = 1000;
  dlg.m_nSelected = 44;
  dlg.OnAppend();
  EXPECT_EQ(platform.messages.size(), 1u);
  dlg.OnInsert();
  EXPECT_EQ(platform.messages.size(), 2u);
  dlg.OnChange();
  platform.List().Select({44});
  dlg.OnClickSectionList(nullptr);
  EXPECT_EQ(dlg.m_nSelected, 44);
  dlg.OnDelete();
  EXPECT_EQ(dlg.m_nSections, 44);
  EXPECT_EQ(dlg.m_nInputIndex, 44);
}

// ------------------------------------------------------------ unsaved state

TEST_F(InputCommands, EveryTableChangeMarksTheRaceModified) {
  // As after a load: sections present, nothing unsaved.
  dlg.m_nSections = dlg.m_nInputIndex = 3;
  for (int k = 0; k < 3; ++k) dlg.InsertEnteredRow(k);
  ASSERT_FALSE(dlg.IsModified());

  // Commands that do nothing leave it unmodified.
  dlg.OnChange();
  dlg.OnInsert();
  dlg.OnDelete();
  Click({});
  Click({1});
  EXPECT_FALSE(dlg.IsModified());

  using Command = void (CRaceDlg::*)();
  for (Command c : {&CRaceDlg::OnAppend, &CRaceDlg::OnChange,
                    &CRaceDlg::OnInsert, &CRaceDlg::OnDelete}) {
    doubles::Platform p;
    CRaceDlg d(p);
    d.OnInitDialog();
    d.m_nSections = d.m_nInputIndex = 3;
    d.m_nSelected = 1;
    (d.*c)();
    EXPECT_TRUE(d.IsModified());
  }

  // A refused append neither.
  dlg.m_nSections = dlg.m_nInputIndex = MAX_SECTIONS;
  dlg.OnAppend();
  EXPECT_FALSE(dlg.IsModified());
}

}  // namespace

// The section editing commands: append, change, insert, delete and select.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "app/headless/headless_platform.h"
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

// One section as the panel takes it; times as the lists' indices.
struct PanelInput {
  std::string startKm;
  std::string endKm;
  int loss[3];     // min, sec, 1/100
  int arrival[4];  // h, min, sec, 1/100
  int lap[4];
  int pace[3];
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
    const int* parts[] = {p.loss, p.arrival, p.lap, p.pace};
    const int sizes[] = {3, 4, 4, 3};
    int next = 0;
    for (int f = 0; f < 4; ++f)
      for (int k = 0; k < sizes[f]; ++k)
        platform.Combo(kTimeLists[next++]).SetCurSel(parts[f][k]);
  }

  // Section k of a made-up race: from 5k km to 5k+5 km, a loss of k s,
  // arrival (k+1) x 30 min, lap 25 min + k s, pace 5 min + k s.
  PanelInput Section(int k) {
    return PanelInput{
        std::to_string(5 * k),
        std::to_string(5 * k + 5),
        {0, k, 0},
        {(k + 1) / 2, (k + 1) % 2 * 30, 0, 0},
        {0, 25, k, 0},
        {5, k, 0},
    };
  }
  // What Section(k) stores when appended after Section(k - 1).
  Rec Stored(int k) {
    const int loss = k * 100;
    const int prevArrival = k * 180000;
    return Rec{5.0 * k,
               5.0 * k + 5,
               (k + 1) * 180000,
               k == 0 ? loss : prevArrival + loss,
               loss,
               150000 + k * 100,
               30000 + k * 100};
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

  void Click(std::vector<int> rows) {
    platform.List().Select(std::move(rows));
    long result = 99;
    dlg.OnClickSectionList(&result);
    EXPECT_EQ(result, 0);
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

  headless::Platform platform;
  CRaceDlg dlg{platform};
};

// ------------------------------------------------------------ append

TEST_F(InputCommands, AppendOnAnEmptyRace) {
  Fill(Section(0));
  dlg.OnAppend();
  EXPECT_EQ(At(0), Stored(0));
  EXPECT_EQ(dlg.m_nSections, 1);
  EXPECT_EQ(dlg.m_nInputIndex, 1);
  EXPECT_EQ(dlg.m_nSelected, -1);
  ExpectNumberedRows(1);
  EXPECT_EQ(Cell(0, 2), "5 km");
  EXPECT_EQ(Text(IDC_SECTION_NO), "2");
  EXPECT_EQ(Text(IDC_START_KM), "5");  // the arrival point's text
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(InputCommands, AppendWithAssistProposesTheNextSection) {
  // 5 km to 10 km, no loss, arrival 30:00.00, so departure 0.
  Fill(PanelInput{
      "5", "10", {0, 0, 0}, {0, 30, 0, 0}, {0, 29, 1, 2}, {6, 3, 4}});
  dlg.OnAppend();
  EXPECT_EQ(dlg.m_departure[0], 0);
  EXPECT_EQ(dlg.m_nInputAssist, 0);
  EXPECT_EQ(Text(IDC_START_KM), "10");
  EXPECT_EQ(Text(IDC_END_KM), "15");
  // 2 x 180000 - 0 = 360000: 1:00:00.00; loss, lap and pace as before.
  EXPECT_EQ(Lists(),
            (std::vector<int>{0, 0, 0, 1, 0, 0, 0, 0, 29, 1, 2, 6, 3, 4}));
}

TEST_F(InputCommands, AppendWithAssistCountsTheTimeFromDeparture) {
  // From 0 km to 10 km with one minute's loss, arrival 1:00:00.00:
  // departure 6000, next arrival 720000 - 6000 = 714000 = 1:59:00.00.
  Fill(PanelInput{"0", "10", {1, 0, 0}, {1, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0}});
  dlg.OnAppend();
  EXPECT_EQ(dlg.m_departure[0], 6000);
  EXPECT_EQ(Lists(),
            (std::vector<int>{1, 0, 0, 1, 59, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Text(IDC_END_KM), "20");
}

TEST_F(InputCommands, AppendCopiesTheArrivalTextButPrintsTheProposal) {
  Fill(PanelInput{
      "5", "10.0", {0, 0, 0}, {0, 30, 0, 0}, {0, 0, 0, 0}, {0, 0, 0}});
  dlg.OnAppend();
  EXPECT_EQ(Text(IDC_START_KM), "10.0");
  EXPECT_EQ(Text(IDC_END_KM), "15");
}

TEST_F(InputCommands, AppendWithoutAssistEmptiesThePanel) {
  platform.Combo(IDC_INPUT_ASSIST).SetCurSel(1);
  Fill(PanelInput{
      "5", "10", {1, 2, 3}, {1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11}});
  dlg.OnAppend();
  EXPECT_EQ(dlg.m_nInputAssist, 1);
  EXPECT_EQ(Text(IDC_START_KM), "10");
  EXPECT_EQ(Text(IDC_END_KM), "");
  EXPECT_EQ(Lists(), std::vector<int>(14, 0));
  EXPECT_EQ(Text(IDC_SECTION_NO), "2");
  // The stored section is the panel as it was.
  EXPECT_EQ(dlg.m_loss[0], 6203);
  EXPECT_EQ(dlg.m_arrival[0], 372304);
  EXPECT_EQ(dlg.m_lap[0], 1836708);
  EXPECT_EQ(dlg.m_pace[0], 55011);
}

TEST_F(InputCommands, AssistReadsTheListAtEveryAppend) {
  platform.Combo(IDC_INPUT_ASSIST).SetCurSel(1);
  Fill(Section(0));
  dlg.OnAppend();
  EXPECT_EQ(Text(IDC_END_KM), "");
  platform.Combo(IDC_INPUT_ASSIST).SetCurSel(0);
  Fill(Section(1));
  dlg.OnAppend();
  EXPECT_EQ(dlg.m_nInputAssist, 0);
  EXPECT_EQ(Text(IDC_END_KM), "15");  // 2 x 10 - 5
}

TEST_F(InputCommands, AppendedSectionsChainAndNumber) {
  AppendSections(3);
  for (int k = 0; k < 3; ++k) EXPECT_EQ(At(k), Stored(k)) << k;
  ExpectNumberedRows(3);
  EXPECT_EQ(Text(IDC_SECTION_NO), "4");
  EXPECT_EQ(dlg.m_nSections, 3);
  EXPECT_EQ(dlg.m_nInputIndex, 3);
}

TEST_F(InputCommands, AppendAfterComputeGoesBeforeTheTotalsRow) {
  AppendSections(2);
  dlg.OnCompute();
  ASSERT_EQ(Rows(), 3);
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
  Fill(PanelInput{"0", "1", {0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0}});
  dlg.OnAppend();
  EXPECT_EQ(dlg.m_departure[1], INT_MIN);
  // 2 x 0 - INT_MIN is beyond int: the largest time the lists show.
  EXPECT_EQ(Lists(),
            (std::vector<int>{0, 0, 0, 23, 59, 59, 99, 0, 0, 0, 0, 0, 0, 0}));
}

// ------------------------------------------------------------ select

TEST_F(InputCommands, SelectShowsTheSection) {
  AppendSections(3);
  Click({1});
  EXPECT_EQ(dlg.m_nSelected, 1);
  EXPECT_EQ(Text(IDC_START_KM), "5");
  EXPECT_EQ(Text(IDC_END_KM), "10");
  EXPECT_EQ(Text(IDC_SECTION_NO), "2");
  // Section(1): loss 1 s, arrival 1:00:00.00, lap 25:01, pace 5:01.
  EXPECT_EQ(Lists(),
            (std::vector<int>{0, 1, 0, 1, 0, 0, 0, 0, 25, 1, 0, 5, 1, 0}));
}

TEST_F(InputCommands, SelectTakesTheLowestOfSeveralRows) {
  AppendSections(3);
  Click({2, 1});
  EXPECT_EQ(dlg.m_nSelected, 1);
  EXPECT_EQ(Text(IDC_SECTION_NO), "2");
}

TEST_F(InputCommands, SelectOfTheTotalsRowLeavesThePanelAndBlocksEditing) {
  AppendSections(2);
  dlg.OnCompute();
  Fill(Section(7));
  Click({2});
  EXPECT_EQ(dlg.m_nSelected, 2);
  EXPECT_EQ(Text(IDC_START_KM), "35");
  EXPECT_EQ(Text(IDC_SECTION_NO), "3");
  const Rec s0 = At(0), s1 = At(1);
  dlg.OnChange();
  dlg.OnInsert();
  dlg.OnDelete();
  EXPECT_EQ(dlg.m_nSections, 2);
  EXPECT_EQ(At(0), s0);
  EXPECT_EQ(At(1), s1);
  EXPECT_EQ(Rows(), 3);  // still the computed list with its totals row
  EXPECT_EQ(Cell(2, 0), "全区間");
}

TEST_F(InputCommands, SelectOfEmptySpaceLeavesThePanelAndBlocksEditing) {
  AppendSections(2);
  Click({0});
  Fill(Section(7));
  Click({});
  EXPECT_EQ(dlg.m_nSelected, -1);
  EXPECT_EQ(Text(IDC_START_KM), "35");
  const Rec s0 = At(0);
  dlg.OnChange();
  dlg.OnInsert();
  dlg.OnDelete();
  EXPECT_EQ(dlg.m_nSections, 2);
  EXPECT_EQ(At(0), s0);
}

TEST_F(InputCommands, SelectWithoutAResultPointerIsHarmless) {
  AppendSections(1);
  platform.List().Select({0});
  dlg.OnClickSectionList(nullptr);
  EXPECT_EQ(dlg.m_nSelected, 0);
}

TEST_F(InputCommands, AppendAfterSelectAddsACopyAndKeepsTheSelection) {
  AppendSections(2);
  Click({0});
  dlg.OnAppend();
  EXPECT_EQ(dlg.m_nSelected, 0);
  EXPECT_EQ(dlg.m_nSections, 3);
  Rec copy = Stored(0);
  copy.departure = Stored(1).arrival + Stored(0).loss;  // joined to section 1
  EXPECT_EQ(At(2), copy);
  EXPECT_EQ(At(0), Stored(0));
  ExpectNumberedRows(3);
  EXPECT_EQ(Text(IDC_SECTION_NO), "4");
}

// ------------------------------------------------------------ change

TEST_F(InputCommands, ChangeOfTheLastSectionAltersNoOther) {
  AppendSections(3);
  dlg.OnCompute();
  Click({2});
  Fill(
      PanelInput{"11", "22", {0, 0, 9}, {2, 0, 0, 0}, {0, 0, 0, 1}, {0, 0, 2}});
  platform.Text(IDC_SECTION_NO).SetText("x");
  dlg.OnChange();
  EXPECT_EQ(At(0), Stored(0));
  EXPECT_EQ(At(1), Stored(1));
  EXPECT_EQ(At(2), (Rec{11, 22, 720000, Stored(1).arrival + 9, 9, 1, 2}));
  EXPECT_EQ(dlg.m_nSections, 3);
  EXPECT_EQ(dlg.m_nSelected, 2);
  ExpectNumberedRows(3);  // rebuilt: no totals row
  EXPECT_EQ(Cell(2, 1), "11 km");
  EXPECT_EQ(Text(IDC_SECTION_NO), "x");
  EXPECT_EQ(Text(IDC_START_KM), "11");  // the panel stays
}

TEST_F(InputCommands, ChangeOfAMiddleSectionMendsOnlyTheNext) {
  AppendSections(5);
  Click({2});
  Fill(PanelInput{
      "10", "17.5", {0, 3, 0}, {1, 40, 0, 0}, {0, 0, 0, 0}, {0, 0, 0}});
  dlg.OnChange();
  EXPECT_EQ(At(2), (Rec{10, 17.5, 600000, Stored(1).arrival + 300, 300, 0, 0}));
  Rec next = Stored(3);
  next.startKm = 17.5;
  next.departure = 600000 + Stored(3).loss;
  EXPECT_EQ(At(3), next);
  EXPECT_EQ(At(4), Stored(4));
  EXPECT_EQ(At(1), Stored(1));
  ExpectNumberedRows(5);
  EXPECT_EQ(Cell(3, 1), "17.5 km");
}

TEST_F(InputCommands, ChangeOfTheFirstSectionDepartsAfterItsLoss) {
  AppendSections(2);
  Click({0});
  Fill(PanelInput{"1", "2", {0, 7, 0}, {0, 10, 0, 0}, {0, 0, 0, 0}, {0, 0, 0}});
  dlg.OnChange();
  EXPECT_EQ(dlg.m_departure[0], 700);
  EXPECT_EQ(dlg.m_startKm[1], 2.0);
  EXPECT_EQ(dlg.m_departure[1], 60000 + Stored(1).loss);
}

// ------------------------------------------------------------ insert

TEST_F(InputCommands, InsertAtTheFirstSection) {
  AppendSections(3);
  Click({0});
  Fill(PanelInput{"0", "2", {0, 4, 0}, {0, 8, 0, 0}, {0, 7, 0, 0}, {3, 0, 0}});
  platform.Text(IDC_SECTION_NO).SetText("x");
  dlg.OnInsert();
  EXPECT_EQ(dlg.m_nSections, 4);
  EXPECT_EQ(dlg.m_nInputIndex, 4);
  EXPECT_EQ(dlg.m_nSelected, 0);
  EXPECT_EQ(At(0), (Rec{0, 2, 48000, 400, 400, 42000, 18000}));
  Rec former0 = Stored(0);
  former0.startKm = 2;
  former0.departure = 48000 + Stored(0).loss;
  EXPECT_EQ(At(1), former0);
  EXPECT_EQ(At(2), Stored(1));
  EXPECT_EQ(At(3), Stored(2));
  ExpectNumberedRows(4);
  EXPECT_EQ(Cell(1, 1), "2 km");
  EXPECT_EQ(Text(IDC_SECTION_NO), "x");
}

TEST_F(InputCommands, InsertInTheMiddleJoinsBothNeighbours) {
  AppendSections(3);
  Click({2});
  Fill(PanelInput{
      "9", "12", {0, 0, 50}, {1, 10, 0, 0}, {0, 0, 0, 0}, {0, 0, 0}});
  dlg.OnInsert();
  EXPECT_EQ(At(0), Stored(0));
  EXPECT_EQ(At(1), Stored(1));
  EXPECT_EQ(At(2), (Rec{9, 12, 420000, Stored(1).arrival + 50, 50, 0, 0}));
  Rec former2 = Stored(2);
  former2.startKm = 12;
  former2.departure = 420000 + Stored(2).loss;
  EXPECT_EQ(At(3), former2);
  ExpectNumberedRows(4);
  EXPECT_EQ(dlg.m_nSelected, 2);
}

// ------------------------------------------------------------ delete

TEST_F(InputCommands, DeleteOfTheFirstSectionRestartsAtKmZero) {
  AppendSections(3);
  Click({0});
  dlg.OnDelete();
  EXPECT_EQ(dlg.m_nSections, 2);
  EXPECT_EQ(dlg.m_nInputIndex, 2);
  Rec former1 = Stored(1);
  former1.startKm = 0.0;
  former1.departure = Stored(1).loss;
  EXPECT_EQ(At(0), former1);
  EXPECT_EQ(At(1), Stored(2));
  ExpectNumberedRows(2);
  EXPECT_EQ(Cell(0, 1), "0 km");
}

TEST_F(InputCommands, DeleteOfAMiddleSectionJoinsItsNeighbours) {
  AppendSections(3);
  Click({1});
  // A gap the user left between sections 1 and 2 closes too.
  dlg.m_startKm[2] = 99.0;
  dlg.OnDelete();
  Rec former2 = Stored(2);
  former2.startKm = Stored(0).endKm;
  former2.departure = Stored(0).arrival + Stored(2).loss;
  EXPECT_EQ(At(0), Stored(0));
  EXPECT_EQ(At(1), former2);
  ExpectNumberedRows(2);
  EXPECT_EQ(dlg.m_nSelected, 1);
}

TEST_F(InputCommands, DeleteTwiceAfterOneSelect) {
  AppendSections(4);
  Click({1});
  dlg.OnDelete();
  dlg.OnDelete();
  EXPECT_EQ(dlg.m_nSections, 2);
  EXPECT_EQ(At(0), Stored(0));
  Rec former3 = Stored(3);
  former3.startKm = Stored(0).endKm;
  former3.departure = Stored(0).arrival + Stored(3).loss;
  EXPECT_EQ(At(1), former3);
  ExpectNumberedRows(2);
}

TEST_F(InputCommands, DeleteOfTheLastSectionLeavesTheSelectionPastTheEnd) {
  AppendSections(3);
  Click({2});
  dlg.OnDelete();
  EXPECT_EQ(dlg.m_nSections, 2);
  EXPECT_EQ(dlg.m_nSelected, 2);
  EXPECT_EQ(At(0), Stored(0));
  EXPECT_EQ(At(1), Stored(1));
  // Nothing further happens until a row is picked again.
  Fill(Section(9));
  dlg.OnDelete();
  dlg.OnChange();
  dlg.OnInsert();
  EXPECT_EQ(dlg.m_nSections, 2);
  EXPECT_EQ(At(0), Stored(0));
  EXPECT_EQ(At(1), Stored(1));
  ExpectNumberedRows(2);
}

TEST_F(InputCommands, DeleteOfTheOnlySection) {
  AppendSections(1);
  Click({0});
  dlg.OnDelete();
  EXPECT_EQ(dlg.m_nSections, 0);
  EXPECT_EQ(dlg.m_nInputIndex, 0);
  EXPECT_EQ(Rows(), 0);
  // The panel keeps the deleted section's values.
  EXPECT_EQ(Text(IDC_START_KM), "0");
  EXPECT_EQ(Text(IDC_END_KM), "5");
  EXPECT_EQ(Text(IDC_SECTION_NO), "1");
}

// ------------------------------------------------------------ capacity

TEST_F(InputCommands, FullTableRefusesAppendAndInsertWithAMessage) {
  AppendSections(MAX_SECTIONS);
  ASSERT_EQ(dlg.m_nSections, 45);
  EXPECT_TRUE(platform.messages.empty());
  ExpectNumberedRows(45);
  EXPECT_EQ(At(44), Stored(44));

  std::vector<Rec> before;
  for (int k = 0; k < MAX_SECTIONS; ++k) before.push_back(At(k));
  Fill(Section(50));
  dlg.OnAppend();
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0], "区間は45までです。");
  EXPECT_EQ(Text(IDC_SECTION_NO), "46");  // as the 45th append left it
  EXPECT_EQ(Text(IDC_START_KM), "250");   // the panel as filled
  EXPECT_EQ(Text(IDC_END_KM), "255");

  Click({3});
  Fill(Section(50));
  dlg.OnInsert();
  ASSERT_EQ(platform.messages.size(), 2u);
  EXPECT_EQ(platform.messages[1], kMsgSectionsFull);
  EXPECT_EQ(dlg.m_nSections, 45);
  EXPECT_EQ(dlg.m_nInputIndex, 45);
  EXPECT_EQ(Rows(), 45);
  for (int k = 0; k < MAX_SECTIONS; ++k) EXPECT_EQ(At(k), before[k]) << k;

  // Room again after a delete.
  dlg.OnDelete();
  EXPECT_EQ(dlg.m_nSections, 44);
  dlg.OnInsert();
  EXPECT_EQ(dlg.m_nSections, 45);
  EXPECT_EQ(platform.messages.size(), 2u);
}

TEST_F(InputCommands, EditingTheLastOfFortyFiveSections) {
  AppendSections(MAX_SECTIONS);
  Click({44});
  Fill(Section(3));
  dlg.OnChange();
  EXPECT_EQ(dlg.m_startKm[44], 15.0);
  dlg.OnDelete();
  EXPECT_EQ(dlg.m_nSections, 44);
  EXPECT_EQ(dlg.m_nSelected, 44);
  ExpectNumberedRows(44);
}

// ------------------------------------------------------------ odd states

TEST_F(InputCommands, StaleOrCorruptIndexesNeverReachPastTheTables) {
  AppendSections(2);
  for (int sel : {-5, 2, 45, 46, 1000, INT_MAX, INT_MIN}) {
    dlg.m_nSelected = sel;
    dlg.OnChange();
    dlg.OnInsert();
    dlg.OnDelete();
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
    headless::Platform p;
    CRaceDlg d(p);
    d.OnInitDialog();
    d.m_nSections = d.m_nInputIndex = 3;
    d.m_nSelected = 1;
    (d.*c)();
    EXPECT_TRUE(d.IsModified());
  }
}

TEST_F(InputCommands, RefusedAppendLeavesTheRaceUnmodified) {
  dlg.m_nSections = dlg.m_nInputIndex = MAX_SECTIONS;
  dlg.OnAppend();
  EXPECT_FALSE(dlg.IsModified());
}

}  // namespace

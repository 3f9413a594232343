// The input panel and the section editing commands: append, change, insert,
// delete, the selection by a click in the list, undo and redo.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "race/numtext.h"
#include "race/cell_format.h"
#include "race/race_math.h"
#include "race_fixture.h"
#include "res/strings.h"
#include "tests/core/file_test_util.h"

namespace qv::testing {
namespace {

using Race = std::vector<EnteredSection>;
using Ints = std::vector<int>;

class InputCommands : public RaceFixture {
 protected:
  // Section k of a made-up race: from 5k to 5k+5 km, a loss of k s, arrival
  // (k+1) x 30 min, lap 25 min + k s, pace 5 min + k s.
  void FillSection(int k) {
    Fill(std::to_string(5 * k), std::to_string(5 * k + 5),
         {0, k, 0, (k + 1) / 2, (k + 1) % 2 * 30, 0, 0, 0, 25, k, 0, 5, k, 0});
  }
  // What FillSection(k) stores when appended after section k - 1.
  static EnteredSection Stored(int k) {
    return {5.0 * k,          5.0 * k + 5,      k * 100,        k * 180100,
            (k + 1) * 180000, 150000 + k * 100, 30000 + k * 100};
  }
  void AppendSections(int count) {
    for (int k = 0; k < count; ++k) {
      FillSection(k);
      dlg.OnAppend();
    }
  }
  // The list shows the entered rows 1 to n and no totals row.
  void ExpectNumberedRows(int n) {
    ASSERT_EQ(Rows(), n);
    for (int r = 0; r < n; ++r)
      EXPECT_EQ(Cell(r, 0) + Cell(r, 1) + Cell(r, 2),
                std::to_string(r + 1) + KmText(At(r).startKm) +
                    KmText(At(r).endKm));
  }
  std::string Panel() {
    return Text(IDC_SECTION_NO) + ":" + Text(IDC_START_KM) + "-" +
           Text(IDC_END_KM);
  }
};

TEST_F(InputCommands, AppendChainsNumbersAndProposesTheNextSection) {
  AppendSections(3);
  EXPECT_EQ(All(), (Race{Stored(0), Stored(1), Stored(2)}));
  ExpectNumberedRows(3);
  EXPECT_EQ(platform.List().Rows()[1],
            (std::vector<std::string>{"2", "5 km", "10 km", "00分01秒00",
                                      "00時30分01秒00", "01時00分00秒00",
                                      "00時25分01秒00", "05分01秒00"}));
  EXPECT_EQ((Ints{dlg.SectionCount(), dlg.m_nSelected, dlg.IsModified()}),
            (Ints{3, -1, 1}));
  // As long and as fast as the last: arrival 2 x 540000 - 360200.
  EXPECT_EQ(Panel(), "4:15-20");
  EXPECT_EQ(Lists(), (Ints{0, 2, 0, 1, 59, 58, 0, 0, 25, 2, 0, 5, 2, 0}));
  dlg.OnCompute();
  FillSection(3);
  dlg.OnAppend();
  EXPECT_EQ(Cell(3, 0) + Cell(4, 0), "4全区間");  // before the totals row
}

TEST_F(InputCommands, AppendWithoutAssistEmptiesThePanel) {
  platform.Combo(IDC_INPUT_ASSIST).SetCurSel(1);
  Fill("5", "10", {1, 2, 3, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
  dlg.OnAppend();
  EXPECT_EQ(At(0), (EnteredSection{5, 10, 6203, 6203, 372304, 1836708, 55011}));
  EXPECT_EQ(Panel(), "2:10-");
  EXPECT_EQ(Lists(), Ints(14, 0));
}

// A day-long race, a walker's pace, values only a file brings: the hour
// lists reach 99, the panel shows what it can, and change without an edit
// changes nothing, not even the next section's link; an edited field is
// stored and the rest keep their exact values.
TEST_F(InputCommands, ChangeWithoutAnEditChangesNothing) {
  const EnteredSection next = {1, 2, 100, 7, 9, 11, 13};  // linked to no one
  const struct {
    EnteredSection section;
    Ints lists;  // as shown
  } cases[] = {
      {{0, 100, 0, 0, 10800000, 10800000, 108000},
       {0, 0, 0, 30, 0, 0, 0, 30, 0, 0, 0, 18, 0, 0}},
      {{0, 1, 0, 0, 400000, 400000, 400000},
       {0, 0, 0, 1, 6, 40, 0, 1, 6, 40, 0, 59, 59, 99}},
      {{12.5, 123.4567, 360000, 0, 43200000, -5, INT_MIN},
       {59, 59, 99, 99, 59, 59, 99, 0, 0, 0, 0, 0, 0, 0}},
      {{1.0 / 3, 1e-9, -1, INT_MAX, 35999999, 0, 0},
       {0, 0, 0, 99, 59, 59, 99, 0, 0, 0, 0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.section.endKm);
    platform.yesNoAnswers.assign(1, true);
    dlg.OnClearData();
    Enter({c.section, next});
    dlg.InsertEnteredRow(0);
    dlg.InsertEnteredRow(1);
    Click({0});
    EXPECT_EQ(Lists(), c.lists);
    dlg.OnChange();
    EXPECT_EQ(All(), (Race{c.section, next}));
    EXPECT_FALSE(dlg.IsModified());
    // One field edited: it alone is stored, and the next section joins.
    platform.Combo(IDC_LAP_CS).SetCurSel(c.lists[10] == 1 ? 2 : 1);
    dlg.OnChange();
    EnteredSection edited = c.section;
    edited.lap = c.lists[7] * 360000 + c.lists[8] * 6000 + c.lists[9] * 100 +
                 (c.lists[10] == 1 ? 2 : 1);
    EXPECT_EQ(At(0), edited);
    EXPECT_EQ(At(1).departure, SatAdd(next.loss, c.section.arrival));
    EXPECT_TRUE(dlg.IsModified());
  }
}

// An index outside the tables shows nothing and stores nothing.
TEST_F(InputCommands, PanelIgnoresIndicesOutsideTheTables) {
  Enter({{0, 5, 0, 0, 150000, 150000, 30000}});
  Fill("1", "2", Ints(14, 3));
  for (int i : {-1, MAX_SECTIONS}) {
    dlg.ShowSection(i);
    dlg.StoreSection(i);
  }
  EXPECT_EQ(Panel(), "1:1-2");
  EXPECT_EQ(Lists(), Ints(14, 3));
  EXPECT_EQ(All(), (std::vector<EnteredSection>{{0, 5, 0, 0, 150000, 150000,
                                                 30000}}));
}

// Each edit joins the next section to the edited one; a new first section
// starts at km 0; the selection and the panel stay.
TEST_F(InputCommands, ChangeInsertAndDeleteMendTheNextSection) {
  AppendSections(5);
  dlg.OnCompute();
  Click({2});
  EXPECT_EQ(Lists(), (Ints{0, 2, 0, 1, 30, 0, 0, 0, 25, 2, 0, 5, 2, 0}));
  Fill("10", "17.5", {0, 3, 0, 1, 40, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  dlg.OnChange();
  Click({0});
  Fill("0", "2", {0, 4, 0, 0, 8, 0, 0, 0, 7, 0, 0, 3, 0, 0});
  dlg.OnInsert();
  const EnteredSection changed = {10, 17.5, 300, 360300, 600000, 0, 0},
                       mended = {17.5, 20, 300, 600300, 720000, 150300, 30300},
                       inserted = {0, 2, 400, 400, 48000, 42000, 18000};
  EXPECT_EQ(All(), (Race{inserted, {2, 5, 0, 48000, 180000, 150000, 30000},
                         Stored(1), changed, mended, Stored(4)}));
  Click({1});
  dlg.OnDelete();
  Click({0});
  dlg.OnDelete();
  EXPECT_EQ(All(), (Race{{0, 10, 100, 100, 360000, 150100, 30100}, changed,
                         mended, Stored(4)}));
  EXPECT_EQ(dlg.m_nSelected, 0);
  ExpectNumberedRows(4);
  EXPECT_EQ(Panel(), "1:0-2");
}

// Random commands on races as a file may leave them, against a plain model:
// the count stays in step with the input index and within the tables, the
// list, the panel's number, the unsaved state and the tables hold what each
// command promises, and editing never computes. Under the sanitizers any
// access past the tables aborts.
TEST_F(InputCommands, RandomEditingKeepsCountListAndLinks) {
  std::mt19937 rng(20240611u);
  auto pick = [&](int n) { return static_cast<int>(rng() % unsigned(n)); };
  const int kTimes[] = {INT_MIN, -1, 0, 359999, 360000, 8640000, INT_MAX};
  const double kKm[] = {0, -5, 1e300, -1e300, 123.4567, 1e-9};
  const char* const kTexts[] = {"0",  "5",   "10.0", "42.195", "",    "-3",
                                "1e3", "1e999", " 7", "12,5",  "abc", "5km"};
  auto time = [&] { return pick(4) ? pick(9000000) : kTimes[pick(7)]; };
  auto km = [&] { return pick(5) ? pick(50000) / 100.0 : kKm[pick(6)]; };
  Race model;
  // The panel as section i would store it, read before the command.
  auto panel = [&](int i) {
    const Ints l = Lists();
    auto ms = [&](int k) { return l[k] * 6000 + l[k + 1] * 100 + l[k + 2]; };
    return EnteredSection{ParseDouble(Text(IDC_START_KM)),
                          ParseDouble(Text(IDC_END_KM)), ms(0),
                          i ? SatAdd(model[i - 1].arrival, ms(0)) : ms(0),
                          l[3] * 360000 + ms(4), l[7] * 360000 + ms(8), ms(11)};
  };
  auto mendAfter = [&](int i) {  // section i + 1, if any, joins section i
    if (i + 1 >= static_cast<int>(model.size())) return;
    model[i + 1].departure = SatAdd(model[i + 1].loss, model[i].arrival);
    model[i + 1].startKm = model[i].endKm;
  };
  for (int seq = 0; seq < 1500 && !HasFailure(); ++seq) {
    const int loaded = pick(MAX_SECTIONS + 1);
    model.clear();
    platform.List().DeleteAllItems();
    Race file;
    for (int k = 0; k < MAX_SECTIONS; ++k)
      file.push_back({km(), km(), time(), time(), time(), time(), time()});
    Enter(file);
    model.assign(file.begin(), file.begin() + loaded);
    dlg.m_race.sections.resize(loaded);
    for (int k = 0; k < loaded; ++k) dlg.InsertEnteredRow(k);
    dlg.m_nSelected = pick(loaded + 3) - 1;
    if (pick(2)) platform.List().InsertItem(loaded, kTotalsRowText);
    ComputedRace computed;
    for (int k = 0; k < MAX_SECTIONS; ++k)
      computed.sections.emplace_back().arrival = 1000 + k;
    dlg.m_computation = computed;
    for (int step = 0; step < 10 && !HasFailure(); ++step) {
      SCOPED_TRACE(::testing::Message() << "sequence " << seq << "." << step);
      if (pick(2)) {
        Fill(kTexts[pick(12)], kTexts[pick(12)], {});
        for (int id : kTimeLists)
          platform.Combo(id).SetCurSel(pick(platform.Combo(id).GetCount()));
      }
      if (pick(8) == 0) platform.Combo(IDC_INPUT_ASSIST).SetCurSel(pick(2));
      const int n = int(model.size()), sel = dlg.m_nSelected, op = pick(5);
      const bool refused = (op == 0 || (op == 2 && sel >= 0 && sel < n)) &&
                           n == MAX_SECTIONS;
      bool rebuilt = op >= 1 && op <= 3 && sel >= 0 && sel < n && !refused;
      std::vector<std::string> messages = platform.messages;
      const bool modified = dlg.IsModified();
      if (refused) messages.push_back(kMsgSectionsFull);
      std::string number = Text(IDC_SECTION_NO);
      int rows = Rows(), selection = sel;
      if (op == 0 && !refused) {
        model.push_back(panel(n));
        ++rows;
        number = std::to_string(n + 2);
      } else if (op == 1 && rebuilt) {
        // What still reads as the section shows it keeps its exact value;
        // a change that changes nothing leaves everything alone.
        const EnteredSection was = model[sel];
        EnteredSection now = panel(sel);
        const auto keep = [](int& v, int old, int max) {
          if (v == std::clamp(old, 0, max)) v = old;
        };
        if (Text(IDC_START_KM) == FormatG(was.startKm)) now.startKm = was.startKm;
        if (Text(IDC_END_KM) == FormatG(was.endKm)) now.endKm = was.endKm;
        keep(now.arrival, was.arrival, 35999999);
        keep(now.lap, was.lap, 35999999);
        keep(now.pace, was.pace, 359999);
        if (now.loss == std::clamp(was.loss, 0, 359999))
          now.loss = was.loss, now.departure = was.departure;
        rebuilt = !(now == was);
        model[sel] = now;
        mendAfter(rebuilt ? sel : static_cast<int>(model.size()));
      } else if (op == 2 && rebuilt) {
        model.insert(model.begin() + sel, panel(sel));
        mendAfter(sel);
      } else if (op == 3 && rebuilt) {
        model.erase(model.begin() + sel);
        if (sel > 0) mendAfter(sel - 1);
        if (sel == 0 && n > 1) model[0].departure = model[0].loss;
        if (sel == 0 && n > 1) model[0].startKm = 0.0;
      }
      if (op == 4) {
        std::vector<int> click;
        if (rows > 0 && pick(6)) click = {pick(rows), pick(rows)};
        selection = click.empty() ? -1 : std::min(click[0], click[1]);
        if (selection >= 0 && selection < n)
          number = std::to_string(selection + 1);
        Click(click);
      } else {
        void (CRaceDlg::*const commands[])() = {
            &CRaceDlg::OnAppend, &CRaceDlg::OnChange, &CRaceDlg::OnInsert,
            &CRaceDlg::OnDelete};
        (dlg.*commands[op])();
      }
      const int count = static_cast<int>(model.size());
      EXPECT_EQ((Ints{dlg.m_nSelected, dlg.SectionCount(), dlg.SectionCount(),
                      dlg.IsModified(), Rows()}),
                (Ints{selection, count, count,
                      modified || rebuilt || (op == 0 && !refused),
                      rebuilt ? count : rows}));
      EXPECT_EQ(platform.messages, messages);
      EXPECT_EQ(Text(IDC_SECTION_NO), number);
      if (rebuilt) ExpectNumberedRows(count);
      for (int k = 0; k < count; ++k) ASSERT_EQ(At(k), model[k]) << k;
      ASSERT_EQ(dlg.m_computation, computed);
    }
  }
}

// Undo and redo: random command sequences, then every step undone and
// redone, the race and the unsaved state checked at each one.
class Undo : public RaceFixture,
             public ::testing::WithParamInterface<unsigned> {};

TEST_P(Undo, UndoAllGivesTheFirstRaceAndRedoAllTheLast) {
  std::mt19937 rng(GetParam());
  auto pick = [&](int n) { return static_cast<int>(rng() % unsigned(n)); };
  filetest::ScratchDir dir;
  const std::string saved = dir.File("saved.txt");
  // The race each undo step finds; cleared: made by clear, unchanged since.
  struct Point { RaceSnapshot race; bool cleared; };
  std::vector<Point> points{{dlg.TakeSnapshot(), true}};
  std::size_t savedPoint = SIZE_MAX;  // the last saved or loaded
  const int ids[] = {IDC_APPEND, IDC_CHANGE, IDC_INSERT, IDC_DELETE,
                     IDC_CLEAR,  IDC_SAVE,   IDC_LOAD,   IDC_COMMENT};
  for (int step = 0; step < 60; ++step) {
    const RaceSnapshot before = dlg.TakeSnapshot();
    const bool unsavedBefore = dlg.IsModified();
    const int id = ids[pick(8)];
    if (id != IDC_APPEND) Click({pick(dlg.SectionCount() + 1)});
    platform.Text(IDC_END_KM).SetText(std::to_string(1 + pick(40)));
    for (int list : {IDC_ARR_MIN, IDC_LAP_SEC, IDC_LOSS_SEC})
      platform.Combo(list).SetCurSel(pick(60));
    platform.yesNoAnswers.assign(1, pick(2));
    if (id == IDC_SAVE) platform.saveAnswers.assign(1, saved);
    if (id == IDC_LOAD) platform.openAnswers.assign(1, saved);
    if (id == IDC_LOAD && !std::filesystem::exists(saved)) continue;
    if (id == IDC_COMMENT) {
      platform.Text(IDC_COMMENT).SetText("c" + std::to_string(step));
      dlg.OnUserEdit(IDC_COMMENT);
      dlg.OnUserEdit(IDC_COMMENT);
    } else {
      ASSERT_TRUE(dlg.OnCommand(id));
      if (pick(3) == 0) dlg.OnCommand(IDC_COMPUTE);
    }
    const bool changed = !before.SameRace(dlg.TakeSnapshot());
    if (changed && id != IDC_COMMENT) points.push_back({{}, false});
    // Changed without a step of its own: no longer what was saved.
    if (id == IDC_COMMENT || (!changed && dlg.IsModified())) {
      points.back().cleared = false;
      if (savedPoint == points.size() - 1) savedPoint = SIZE_MAX;
    }
    points.back().race = dlg.TakeSnapshot();
    if (!dlg.IsModified() &&
        (id == IDC_SAVE || (id == IDC_LOAD && (changed || unsavedBefore))))
      savedPoint = points.size() - 1;
    if (!dlg.IsModified() && id == IDC_CLEAR) points.back().cleared = true;
  }
  auto expectShown = [&](std::size_t k) {
    EXPECT_TRUE(dlg.TakeSnapshot().SameRace(points[k].race)) << k;
    // Only the last save or load and a cleared race are nothing to lose.
    EXPECT_EQ(dlg.IsModified(), k != savedPoint && !points[k].cleared) << k;
    EXPECT_EQ(Rows(), static_cast<int>(points[k].race.race.sections.size()))
        << k;  // the entered rows
  };
  for (std::size_t k = points.size() - 1; k-- > 0;) {
    ASSERT_TRUE(dlg.Undo());
    expectShown(k);
  }
  EXPECT_FALSE(dlg.Undo());
  for (std::size_t k = 1; k < points.size(); ++k) {
    ASSERT_TRUE(dlg.Redo());
    expectShown(k);
  }
  EXPECT_FALSE(dlg.Redo());
  // A command after an undo starts a new branch: what was undone is gone.
  dlg.OnCommand(IDC_APPEND);
  ASSERT_TRUE(dlg.Undo());
  EXPECT_TRUE(dlg.CanRedo());
  dlg.OnCommand(IDC_APPEND);
  EXPECT_FALSE(dlg.CanRedo());
}

INSTANTIATE_TEST_SUITE_P(Seeds, Undo, ::testing::Range(1u, 17u));

// Two races that differ in one value of one section are not the same race,
// whichever section and value it is; a NaN read from a file equals itself.
TEST(RaceSnapshot, EveryValueOfEverySectionCounts) {
  RaceSnapshot a;
  a.race.sections.assign(3, {0.0, 1, 2, std::nan(""), 4, 5, 6});
  for (std::size_t k = 0; k < 3; ++k)
    for (int field = 0; field < 7; ++field) {
      RaceSnapshot b = a;
      RaceFileSection& s = b.race.sections[k];
      int* ints[] = {&s.loss, &s.departure, &s.arrival, &s.lap, &s.pace};
      if (field < 5) ++*ints[field];
      else (field == 5 ? s.startKm : s.endKm) = 9.0;
      EXPECT_FALSE(a.SameRace(b)) << k << " " << field;
      EXPECT_TRUE(a.SameRace(a));
    }
}

// A long comment typed into between edits: the history forgets its oldest
// steps rather than keep a copy of the comment for every one, and the
// steps it keeps undo in order.
TEST_F(InputCommands, UndoHistoryKeepsLongTextsWithinItsBudget) {
  constexpr int kRounds = 24;
  constexpr std::size_t kLength = RaceHistory::kTextBudget / 16;
  std::string comment(kLength, 'x');
  for (int round = 0; round < kRounds; ++round) {
    comment[static_cast<std::size_t>(round)] = 'y';
    platform.Text(IDC_COMMENT).SetText(comment);
    dlg.OnUserEdit(IDC_COMMENT);
    dlg.OnUserEdit(IDC_COMMENT);
    ASSERT_TRUE(dlg.OnCommand(IDC_APPEND));
  }
  int steps = 0;
  while (dlg.Undo()) {
    ++steps;
    // Undoing append k shows the race before it: k sections, the comment
    // as typed in round k.
    const int round = kRounds - steps;
    ASSERT_EQ(dlg.SectionCount(), round);
    const std::string shown = Text(IDC_COMMENT);
    ASSERT_EQ(shown.size(), kLength);
    ASSERT_EQ(std::count(shown.begin(), shown.begin() + kRounds, 'y'),
              round + 1);
  }
  EXPECT_GE(steps, 8);
  EXPECT_LE(steps, 17);
}

}  // namespace
}  // namespace qv::testing

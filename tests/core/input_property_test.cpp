// Random sequences of editing commands against a plain model of the race:
// the count stays in step with the input index and within the tables, the
// list holds what each command should leave, and the tables match the
// model, whose neighbour links are mended where the commands promise it.
// Runs under the sanitizers, so any access past the tables aborts.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "tests/doubles/test_platform.h"
#include "app/numtext.h"
#include "app/race_dlg.h"
#include "res/resource.h"
#include "res/strings.h"

namespace {

using namespace qv;

struct Rec {
  double startKm = 0;
  double endKm = 0;
  int arrival = 0;
  int departure = 0;
  int loss = 0;
  int lap = 0;
  int pace = 0;
};

bool SameKm(double a, double b) {
  return a == b || (std::isnan(a) && std::isnan(b));
}

int Sum(long long a, long long b) {
  return static_cast<int>(std::clamp<long long>(a + b, INT_MIN, INT_MAX));
}

// Times a race file may bring, besides ordinary ones.
int FileTime(std::mt19937& rng) {
  static const int kOdd[] = {INT_MIN, -1,      0,       359999,
                             360000,  8639999, 8640000, INT_MAX};
  if (rng() % 4 == 0) return kOdd[rng() % std::size(kOdd)];
  return static_cast<int>(rng() % 9000000);
}

double FileKm(std::mt19937& rng) {
  static const double kOdd[] = {0.0, -5.0, 1e300, -1e300, 123.4567, 1e-9};
  if (rng() % 5 == 0) return kOdd[rng() % std::size(kOdd)];
  return static_cast<double>(rng() % 50000) / 100.0;
}

class Harness {
 public:
  explicit Harness(std::mt19937& rng) : m_rng(rng) {
    m_dlg.OnInitDialog();
    Load();
  }

  // Runs one random command and checks what it left.
  void Step() {
    if (m_rng() % 2 == 0) TypeIntoPanel();
    if (m_rng() % 8 == 0)
      m_p.Combo(IDC_INPUT_ASSIST).SetCurSel(static_cast<int>(m_rng() % 2));

    const int rowsBefore = m_p.List().GetItemCount();
    const std::size_t messagesBefore = m_p.messages.size();
    const std::string numberBefore = m_p.Text(IDC_SECTION_NO).GetText();
    const int n = static_cast<int>(m_model.size());
    const int sel = m_dlg.m_nSelected;
    const bool selValid = sel >= 0 && sel < n;

    int expectedRows = rowsBefore;
    bool rebuilt = false;
    bool refused = false;
    std::string expectedNumber = numberBefore;
    int expectedSelected = sel;

    const unsigned op = m_rng() % 100;
    if (op < 30) {
      const Rec panel = Panel(n);
      m_dlg.OnAppend();
      if (n == MAX_SECTIONS) {
        refused = true;
      } else {
        m_model.push_back(panel);
        ++expectedRows;
        expectedNumber = FormatInt(n + 2);
      }
    } else if (op < 45) {
      m_dlg.OnChange();
      if (selValid) {
        m_model[sel] = Panel(sel);
        MendAfter(sel);
        rebuilt = true;
      }
    } else if (op < 60) {
      m_dlg.OnInsert();
      if (selValid && n == MAX_SECTIONS) {
        refused = true;
      } else if (selValid) {
        m_model.insert(m_model.begin() + sel, Rec{});
        m_model[sel] = Panel(sel);
        MendAfter(sel);
        rebuilt = true;
      }
    } else if (op < 75) {
      m_dlg.OnDelete();
      if (selValid) {
        m_model.erase(m_model.begin() + sel);
        if (sel < static_cast<int>(m_model.size())) {
          if (sel == 0) {
            m_model[0].departure = m_model[0].loss;
            m_model[0].startKm = 0.0;
          } else {
            MendAfter(sel - 1);
          }
        }
        rebuilt = true;
      }
    } else {
      std::vector<int> rows;
      if (rowsBefore > 0 && m_rng() % 6 != 0) {
        rows.push_back(static_cast<int>(m_rng() % rowsBefore));
        if (m_rng() % 5 == 0)
          rows.push_back(static_cast<int>(m_rng() % rowsBefore));
      }
      expectedSelected =
          rows.empty() ? -1 : *std::min_element(rows.begin(), rows.end());
      m_p.List().Select(rows);
      long result = 7;
      m_dlg.OnClickSectionList(&result);
      EXPECT_EQ(result, 0);
      if (expectedSelected >= 0 && expectedSelected < n)
        expectedNumber = FormatInt(expectedSelected + 1);
    }
    if (rebuilt) expectedRows = static_cast<int>(m_model.size());

    const int count = static_cast<int>(m_model.size());
    EXPECT_EQ(m_dlg.m_nSections, count);
    EXPECT_EQ(m_dlg.m_nInputIndex, m_dlg.m_nSections);
    EXPECT_GE(m_dlg.m_nSections, 0);
    EXPECT_LE(m_dlg.m_nSections, MAX_SECTIONS);
    EXPECT_EQ(m_dlg.m_nSelected, expectedSelected);
    EXPECT_EQ(m_p.List().GetItemCount(), expectedRows);
    EXPECT_EQ(m_p.messages.size(), messagesBefore + (refused ? 1 : 0));
    if (refused) {
      EXPECT_EQ(m_p.messages.back(), kMsgSectionsFull);
    }
    EXPECT_EQ(m_p.Text(IDC_SECTION_NO).GetText(), expectedNumber);
    if (rebuilt) {
      for (int r = 0; r < count; ++r) {
        if (m_p.List().GetItemText(r, 0) != FormatInt(r + 1)) {
          ADD_FAILURE() << "row " << r << " is not section " << r + 1;
          break;
        }
      }
    }
    ExpectTablesMatchModel();
    ExpectUntouched();
  }

 private:
  // A race as a file leaves it: any count, any values, maybe the totals row
  // of an earlier calculation, maybe a stale selection.
  void Load() {
    const int n = static_cast<int>(m_rng() % (MAX_SECTIONS + 1));
    for (int k = 0; k < MAX_SECTIONS; ++k) {
      const Rec r{FileKm(m_rng),   FileKm(m_rng),   FileTime(m_rng),
                  FileTime(m_rng), FileTime(m_rng), FileTime(m_rng),
                  FileTime(m_rng)};
      m_dlg.m_startKm[k] = r.startKm;
      m_dlg.m_endKm[k] = r.endKm;
      m_dlg.m_arrival[k] = r.arrival;
      m_dlg.m_departure[k] = r.departure;
      m_dlg.m_loss[k] = r.loss;
      m_dlg.m_lap[k] = r.lap;
      m_dlg.m_pace[k] = r.pace;
      if (k < n) m_model.push_back(r);
    }
    m_dlg.m_nSections = m_dlg.m_nInputIndex = n;
    m_dlg.m_nSelected = static_cast<int>(m_rng() % (n + 3)) - 1;
    for (int k = 0; k < n; ++k) m_dlg.InsertEnteredRow(k);
    if (m_rng() % 2 == 0) m_p.List().InsertItem(n, "全区間");

    m_dlg.m_nPriority = static_cast<int>(m_rng() % 3);
    m_dlg.m_nCalcMode = static_cast<int>(m_rng() % 2);
    m_dlg.m_nSpeedUnit = static_cast<int>(m_rng() % 5);
    m_dlg.m_nGraphAxis = static_cast<int>(m_rng() % 2);
    for (int k = 0; k <= MAX_SECTIONS; ++k) {
      m_dlg.m_calcStartKm[k] = m_dlg.m_calcEndKm[k] = k + 0.5;
      m_dlg.m_calcArrival[k] = m_dlg.m_calcDeparture[k] = 1000 + k;
      m_dlg.m_calcLoss[k] = m_dlg.m_calcLap[k] = m_dlg.m_calcPace[k] = 2000 + k;
    }
    m_settings = Settings();
  }

  void TypeIntoPanel() {
    static const char* const kTexts[] = {"0",      "5",     "10.0", "42.195",
                                         "12.5km", "abc",   "",     "-3",
                                         "1e3",    "1e999", " 7",   "12,5"};
    auto text = [&] { return kTexts[m_rng() % std::size(kTexts)]; };
    m_p.Text(IDC_START_KM).SetText(text());
    m_p.Text(IDC_END_KM).SetText(text());
    struct List {
      int id;
      int count;
    };
    static const List kLists[] = {
        {IDC_LOSS_MIN, 60}, {IDC_LOSS_SEC, 60}, {IDC_LOSS_CS, 100},
        {IDC_ARR_HOUR, 24}, {IDC_ARR_MIN, 60},  {IDC_ARR_SEC, 60},
        {IDC_ARR_CS, 100},  {IDC_LAP_HOUR, 24}, {IDC_LAP_MIN, 60},
        {IDC_LAP_SEC, 60},  {IDC_LAP_CS, 100},  {IDC_PACE_MIN, 60},
        {IDC_PACE_SEC, 60}, {IDC_PACE_CS, 100},
    };
    for (const List& l : kLists)
      m_p.Combo(l.id).SetCurSel(static_cast<int>(m_rng() % l.count));
  }

  int Sel(int id) { return m_p.Combo(id).GetCurSel(); }
  int MinSecCs(int min, int sec, int cs) {
    return Sel(min) * 6000 + Sel(sec) * 100 + Sel(cs);
  }

  // The panel as section i would store it, read before the command runs.
  Rec Panel(int i) {
    Rec r;
    r.startKm = ParseDouble(m_p.Text(IDC_START_KM).GetText());
    r.endKm = ParseDouble(m_p.Text(IDC_END_KM).GetText());
    r.loss = MinSecCs(IDC_LOSS_MIN, IDC_LOSS_SEC, IDC_LOSS_CS);
    r.arrival = Sel(IDC_ARR_HOUR) * 360000 +
                MinSecCs(IDC_ARR_MIN, IDC_ARR_SEC, IDC_ARR_CS);
    r.lap = Sel(IDC_LAP_HOUR) * 360000 +
            MinSecCs(IDC_LAP_MIN, IDC_LAP_SEC, IDC_LAP_CS);
    r.pace = MinSecCs(IDC_PACE_MIN, IDC_PACE_SEC, IDC_PACE_CS);
    r.departure = i == 0 ? r.loss : Sum(m_model[i - 1].arrival, r.loss);
    return r;
  }

  // Section i + 1, if any, joins section i.
  void MendAfter(int i) {
    if (i + 1 >= static_cast<int>(m_model.size())) return;
    m_model[i + 1].departure = Sum(m_model[i + 1].loss, m_model[i].arrival);
    m_model[i + 1].startKm = m_model[i].endKm;
  }

  void ExpectTablesMatchModel() {
    for (int k = 0; k < static_cast<int>(m_model.size()); ++k) {
      const Rec& r = m_model[k];
      const bool same = SameKm(m_dlg.m_startKm[k], r.startKm) &&
                        SameKm(m_dlg.m_endKm[k], r.endKm) &&
                        m_dlg.m_arrival[k] == r.arrival &&
                        m_dlg.m_departure[k] == r.departure &&
                        m_dlg.m_loss[k] == r.loss && m_dlg.m_lap[k] == r.lap &&
                        m_dlg.m_pace[k] == r.pace;
      if (!same) {
        ADD_FAILURE() << "section " << k << " differs from the model";
        return;
      }
    }
  }

  std::vector<int> Settings() {
    return {m_dlg.m_nPriority, m_dlg.m_nCalcMode, m_dlg.m_nSpeedUnit,
            m_dlg.m_nGraphAxis};
  }

  // Editing never computes.
  void ExpectUntouched() {
    EXPECT_EQ(Settings(), m_settings);
    for (int k = 0; k <= MAX_SECTIONS; ++k) {
      const bool same = m_dlg.m_calcStartKm[k] == k + 0.5 &&
                        m_dlg.m_calcEndKm[k] == k + 0.5 &&
                        m_dlg.m_calcArrival[k] == 1000 + k &&
                        m_dlg.m_calcDeparture[k] == 1000 + k &&
                        m_dlg.m_calcLoss[k] == 2000 + k &&
                        m_dlg.m_calcLap[k] == 2000 + k &&
                        m_dlg.m_calcPace[k] == 2000 + k;
      if (!same) {
        ADD_FAILURE() << "computed entry " << k << " was written";
        return;
      }
    }
  }

  std::mt19937& m_rng;
  doubles::Platform m_p;
  CRaceDlg m_dlg{m_p};
  std::vector<Rec> m_model;
  std::vector<int> m_settings;
};

TEST(InputProperty, RandomEditingKeepsCountListAndLinks) {
  std::mt19937 rng(20240611u);
  constexpr int kSequences = 2000;
  constexpr int kSteps = 10;
  for (int seq = 0; seq < kSequences; ++seq) {
    Harness h(rng);
    for (int step = 0; step < kSteps; ++step) {
      SCOPED_TRACE("sequence " + std::to_string(seq) + " step " +
                   std::to_string(step));
      h.Step();
      if (::testing::Test::HasFailure()) return;
    }
  }
}

}  // namespace

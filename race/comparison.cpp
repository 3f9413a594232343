#include "race/comparison.h"

#include <algorithm>
#include <climits>

#include "app/null_controls.h"
#include "app/race_dlg.h"
#include "race/cell_format.h"
#include "race/race_math.h"

namespace qv {

namespace {

// The dialog's calculation writes list rows and reads nothing else of the
// window: a platform whose controls hold nothing lets it run on the
// comparison race's tables.
class NoFiles final : public IFileSystem {
 public:
  ReadResult ReadAll(const std::string&, std::size_t) override { return {}; }
  WriteStatus WriteAll(const std::string&, std::string_view) override {
    return WriteStatus::OpenFailed;
  }
};

class NoWindow final : public IPlatform {
 public:
  IListView& ListView(int) override { return m_list; }
  IComboBox& ComboBox(int) override { return m_combo; }
  ITextControl& TextControl(int) override { return m_text; }
  std::unique_ptr<IDrawContext> GetDC(int) override { return nullptr; }
  Rect GetClientRect(int) override { return {}; }
  void MessageBox(std::string_view) override {}
  bool AskYesNo(std::string_view) override { return false; }
  std::optional<std::string> GetOpenFileName() override { return {}; }
  std::optional<std::string> GetSaveFileName() override { return {}; }
  IFileSystem& Files() override { return m_files; }
  std::unique_ptr<IPrintJob> PrintDialog() override { return nullptr; }
  void SetDialogColors(Rgb, Rgb) override {}
  void InvalidateDialog() override {}
  void ShowAboutDialog() override {}
  void EndDialog(int) override {}
  int RunModal(CRaceDlg&) override { return 0; }

 private:
  NullListView m_list;
  NullComboBox m_combo;
  NullText m_text;
  NoFiles m_files;
};

}  // namespace

double ComparisonTimes::FarthestKm() const {
  double km = 0.0;
  for (int i = 0; i < count; ++i) km = std::max(km, endKm[i]);
  return km;
}

int ComparisonTimes::LatestTime() const {
  int t = 0;
  for (int i = 0; i < count; ++i) t = std::max(t, arrival[i]);
  return t;
}

ComparisonTimes ComputeComparison(const RaceFileData& race, int calcMode) {
  NoWindow window;
  // Large tables: on the heap rather than the caller's stack.
  auto dlg = std::make_unique<CRaceDlg>(window);
  dlg->DoDataExchange();
  const int n = std::clamp(race.sectionCount, 0, MAX_SECTIONS);
  dlg->m_nSections = n;
  for (int k = 0; k < n; ++k) {
    dlg->SetEnteredSection(k, race.sections[static_cast<std::size_t>(k)]);
  }
  dlg->m_nCalcMode = calcMode;
  dlg->m_nPriority = race.priority >= 0 && race.priority <= 2 ? race.priority : 0;
  dlg->Calculate();

  ComparisonTimes times;
  times.count = n;
  for (int k = 0; k < n; ++k) {
    times.startKm[static_cast<std::size_t>(k)] = dlg->m_calcStartKm[k];
    times.endKm[static_cast<std::size_t>(k)] = dlg->m_calcEndKm[k];
    times.departure[static_cast<std::size_t>(k)] = dlg->m_calcDeparture[k];
    times.arrival[static_cast<std::size_t>(k)] = dlg->m_calcArrival[k];
  }
  return times;
}

std::optional<int> TimeAt(const ComparisonTimes& race, double d) {
  for (int i = 0; i < race.count; ++i) {
    if (race.endKm[static_cast<std::size_t>(i)] == d)
      return race.arrival[static_cast<std::size_t>(i)];
  }
  for (int i = 0; i < race.count; ++i) {
    const auto k = static_cast<std::size_t>(i);
    const double start = race.startKm[k];
    const double end = race.endKm[k];
    if (start < d && end > d) {
      // In double: the difference of two times may not fit an int.
      const double lap = static_cast<double>(race.arrival[k]) -
                         static_cast<double>(race.departure[k]);
      return SatAdd(race.departure[k],
                    Trunc(lap * (d - start) / (end - start)));
    }
  }
  return std::nullopt;
}

std::string DifferenceText(int difference) {
  const int size = difference == INT_MIN ? INT_MAX : std::abs(difference);
  const char* sign = difference > 0 ? "+" : difference < 0 ? "-" : "";
  return sign + MinutesText(size);
}

}  // namespace qv

// The sample race in examples/ is what the program itself saves for a race
// entered through the panel. QV_UPDATE_EXAMPLES=1 rewrites the file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/headless/headless_platform.h"
#include "app/race_dlg.h"
#include "res/resource.h"
#include "tests/core/file_test_util.h"

namespace qv {
namespace {

const char kEventName[] = "第12回 みなと湖畔ロードレース 10km";
const char kComment[] =
    "晴れ、気温15℃、北西の風やや強め。\r\n"
    "前半を抑えて、6km手前の給水で5秒ロス。\r\n";

struct SampleSection {
  const char* startKm;
  const char* endKm;
  int loss;
  int arrival;
  int lap;
  int pace;
};

// Five 2 km sections; the drink stop before km 6 costs 5 seconds.
constexpr SampleSection kSections[] = {
    {"0", "2", 0, 48500, 48500, 24250},   {"2", "4", 0, 97230, 48730, 24365},
    {"4", "6", 0, 147010, 49780, 24890},  {"6", "8", 500, 197150, 49640, 24820},
    {"8", "10", 0, 245820, 48670, 24335},
};

void SetHms(headless::Platform& p, const int (&ids)[4], int t) {
  p.Combo(ids[0]).SetCurSel(t / 360000);
  p.Combo(ids[1]).SetCurSel(t % 360000 / 6000);
  p.Combo(ids[2]).SetCurSel(t % 6000 / 100);
  p.Combo(ids[3]).SetCurSel(t % 100);
}

void SetMs(headless::Platform& p, const int (&ids)[3], int t) {
  p.Combo(ids[0]).SetCurSel(t / 6000);
  p.Combo(ids[1]).SetCurSel(t % 6000 / 100);
  p.Combo(ids[2]).SetCurSel(t % 100);
}

std::string ExamplePath() {
  return (std::filesystem::path(QV_SOURCE_DIR) / "examples" / "sample-10km.txt")
      .string();
}

TEST(SampleRace, IsWhatTheProgramSaves) {
  headless::Platform p;
  CRaceDlg dlg(p);
  dlg.OnInitDialog();
  p.Text(IDC_EVENT_NAME).SetText(kEventName);
  for (const SampleSection& s : kSections) {
    p.Text(IDC_START_KM).SetText(s.startKm);
    p.Text(IDC_END_KM).SetText(s.endKm);
    SetMs(p, {IDC_LOSS_MIN, IDC_LOSS_SEC, IDC_LOSS_CS}, s.loss);
    SetHms(p, {IDC_ARR_HOUR, IDC_ARR_MIN, IDC_ARR_SEC, IDC_ARR_CS}, s.arrival);
    SetHms(p, {IDC_LAP_HOUR, IDC_LAP_MIN, IDC_LAP_SEC, IDC_LAP_CS}, s.lap);
    SetMs(p, {IDC_PACE_MIN, IDC_PACE_SEC, IDC_PACE_CS}, s.pace);
    dlg.OnAppend();
  }
  p.Text(IDC_COMMENT).SetText(kComment);
  ASSERT_EQ(dlg.m_nSections, 5);

  filetest::ScratchDir dir;
  ASSERT_TRUE(dir.Ok());
  const bool update = std::getenv("QV_UPDATE_EXAMPLES") != nullptr;
  const std::string path = update ? ExamplePath() : dir.File("sample.txt");
  p.saveAnswers.push_back(path);
  dlg.OnSave();
  EXPECT_TRUE(p.messages.empty());
  const std::string saved = filetest::ReadBytes(path);
  EXPECT_EQ(saved, filetest::ReadBytes(ExamplePath()));

  // The numbers as worked out by hand: each departure is the arrival before
  // plus the loss.
  std::vector<std::string> lines;
  for (std::size_t pos = 0, end; pos < saved.size(); pos = end + 2) {
    end = saved.find("\r\n", pos);
    if (end == std::string::npos) end = saved.size();
    lines.push_back(saved.substr(pos, end - pos));
  }
  const std::vector<std::string> numbers = {
      "0", "0",   "0",      "0",  "0",      "5",  // settings, count
      "0", "0",   "0",      "2",  "48500",  "48500", "24250",  // section 1
      "2", "0",   "48500",  "4",  "97230",  "48730", "24365",  // section 2
      "4", "0",   "97230",  "6",  "147010", "49780", "24890",  // section 3
      "6", "500", "147510", "8",  "197150", "49640", "24820",  // section 4
      "8", "0",   "197150", "10", "245820", "48670", "24335",  // section 5
  };
  ASSERT_GE(lines.size(), 1 + numbers.size());
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 1,
                                     lines.begin() + 1 + numbers.size()),
            numbers);
  // Code page 932 on disk: 第 is 0x91 0xE6, ロードレース six double-byte
  // characters.
  EXPECT_EQ(saved.substr(0, 2), "\x91\xE6");
  EXPECT_NE(saved.find("\x83\x8D\x81\x5B\x83\x68\x83\x8C\x81\x5B\x83\x58"),
            std::string::npos);
}

TEST(SampleRace, Loads) {
  headless::Platform p;
  CRaceDlg dlg(p);
  dlg.OnInitDialog();
  p.openAnswers.push_back(ExamplePath());
  dlg.OnLoad();
  EXPECT_TRUE(p.messages.empty());
  EXPECT_EQ(p.Text(IDC_EVENT_NAME).GetText(), kEventName);
  EXPECT_EQ(p.Text(IDC_COMMENT).GetText(), kComment);
  ASSERT_EQ(dlg.m_nSections, 5);
  EXPECT_EQ(dlg.m_startKm[0], 0.0);
  EXPECT_EQ(dlg.m_endKm[4], 10.0);
  EXPECT_EQ(dlg.m_departure[3], 147510);
  EXPECT_EQ(dlg.m_arrival[4], 245820);
  EXPECT_EQ(p.List().GetItemCount(), 5);
  EXPECT_EQ(p.Text(IDC_SECTION_NO).GetText(), "5");
}

}  // namespace
}  // namespace qv

// Replays the fuzz corpus through the race file reader, so the CI checks
// its invariants on every input the fuzzer kept, without clang.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "fuzz/race_file_invariants.h"
#include "tests/core/file_test_util.h"

namespace qv {
namespace {

TEST(RaceFileCorpus, EveryInputKeepsTheInvariants) {
  const std::filesystem::path corpus =
      std::filesystem::path(QV_SOURCE_DIR) / "fuzz" / "corpus";
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    if (!entry.is_regular_file()) continue;
    ++files;
    const std::string bytes = filetest::ReadBytes(entry.path().string());
    EXPECT_EQ(fuzz::CheckRaceFileInvariants(bytes), "")
        << entry.path().filename();
  }
  EXPECT_GE(files, 10);
}

// The comparison the invariants rest on notices each kind of change.
TEST(RaceFileCorpus, DifferencesAreNoticed) {
  struct Case {
    const char* what;
    void (*change)(RaceFileData&);
  };
  const Case cases[] = {
      {"event name", [](RaceFileData& r) { r.eventName.push_back('x'); }},
      {"settings", [](RaceFileData& r) { r.graphAxis = 1; }},
      {"section count", [](RaceFileData& r) { r.sectionCount = 2; }},
      {"section 0", [](RaceFileData& r) { r.sections[0].lap = 1; }},
      {"comment", [](RaceFileData& r) { r.comment.push_back('x'); }},
  };
  RaceFileData base;
  base.sectionCount = 1;
  EXPECT_EQ(fuzz::DifferenceBetween(base, base), "");
  for (const Case& c : cases) {
    RaceFileData changed = base;
    c.change(changed);
    EXPECT_EQ(fuzz::DifferenceBetween(base, changed), c.what);
  }
}

}  // namespace
}  // namespace qv

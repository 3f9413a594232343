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

// The invariants themselves catch a broken round trip.
TEST(RaceFileCorpus, TheCheckSeesRefusalsAndCounts) {
  EXPECT_EQ(fuzz::CheckRaceFileInvariants("A\r\n0\r\n0\r\n0\r\n0\r\n0\r\n46"),
            "");
  RaceFileData a;
  RaceFileData b;
  b.sectionCount = 1;
  EXPECT_EQ(fuzz::DifferenceBetween(a, b), "section count");
  b = a;
  b.sections[0].lap = 1;
  b.sectionCount = a.sectionCount = 1;
  EXPECT_EQ(fuzz::DifferenceBetween(a, b), "section 0");
  b = a;
  b.comment = "x";
  EXPECT_EQ(fuzz::DifferenceBetween(a, b), "comment");
}

}  // namespace
}  // namespace qv

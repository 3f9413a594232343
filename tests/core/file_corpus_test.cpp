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

}  // namespace
}  // namespace qv

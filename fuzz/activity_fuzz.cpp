// libFuzzer target for the activity import: FIT, TCX and GPX readers and
// the split rules (see scripts/fuzz.sh).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/activity_invariants.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string broken = qv::fuzz::CheckActivityInvariants(bytes);
  if (!broken.empty()) {
    std::fprintf(stderr, "activity invariant broken: %s\n", broken.c_str());
    std::abort();
  }
  return 0;
}

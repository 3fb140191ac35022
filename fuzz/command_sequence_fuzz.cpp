// Runs an editing sequence decoded from the fuzzer's bytes (the registry
// contents, the files imported and the user's steps) and, after every step,
// the property test's checks: Save writes what the window shows and no
// command leaves the Path view out of step; Export and Import after the last
// step (support/command_sequence.h).
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "support/command_sequence.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tallowin::testing;
  ByteChoices choices(data, size);
  // Export and Import once, after the last step: they write what Save writes,
  // and the reader has a fuzz target of its own.
  const SequenceResult result = RunSequence(choices, 64, false);
  if (!result.Failed) return 0;
  const std::vector<Step> shortened = Shrink(result.Steps, *result.Failed);
  std::fprintf(stderr, "command sequence, shortened:\n%s\n",
               Describe(shortened, Replay(shortened).value_or(*result.Failed)).c_str());
  std::abort();
}

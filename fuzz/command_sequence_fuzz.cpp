// Runs an editing sequence decoded from the fuzzer's bytes (the registry
// contents, the files imported, other programs' changes and the user's
// steps) with the property test's checks (support/command_sequence.h):
// after every step the view and the values Save would write; after the last
// step Save itself, on keys other programs changed, and Export and Import.
// The property test of make test runs all of them after every step.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "support/command_sequence.h"

// Short sequences, many of them: a fault takes a handful of steps to show.
// The property test of make test runs longer ones.
constexpr std::size_t kStepsPerSequence = 12;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tallowin::testing;
  ByteChoices choices(data, size);
  // Save, Export and Import once, after the last step: Save writes what the
  // quick check looked at after each step, with its automatic backup (most
  // of a step's time), and the reader has a fuzz target of its own.
  // No Path of 32,767 characters: every step and check walks it a few times
  // over, ten milliseconds a sequence under the sanitizers, and the fuzzer
  // keeps the sequences that hold it for the branches of its length, so
  // they came to be most of what it ran. The property test's sequences hold
  // it, and so do the seeds here (the one choice then makes a short one).
  const SequenceResult result =
      RunSequence(choices, kStepsPerSequence, {.RoundTripEachStep = false, .PathsAtSizeLimit = false});
  if (!result.Failed) return 0;
  const std::vector<Step> shortened = Shrink(result.Steps, *result.Failed);
  std::fprintf(stderr, "command sequence, shortened:\n%s\n",
               Describe(shortened, Replay(shortened).value_or(*result.Failed)).c_str());
  std::abort();
}

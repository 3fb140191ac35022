// Random editing sequences: after every step, what Save and Export write is
// what the window shows, or the value a row was read with while it still
// shows that (support/command_sequence.h).
//
// A failure prints the seed and a shortened step list. To look further than
// the default run, set TALLOWIN_SEQUENCES (how many) and TALLOWIN_FIRST_SEED.
#include "support/command_sequence.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace tallowin {
namespace {

using testing::SeededChoices;

constexpr std::size_t kStepsPerSequence = 40;
// The sanitizer build runs several times slower: fewer sequences there.
#if defined(__SANITIZE_ADDRESS__)
constexpr std::uint64_t kSequences = 50;
#else
constexpr std::uint64_t kSequences = 150;
#endif

std::uint64_t Setting(const char* name, std::uint64_t fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? std::strtoull(value, nullptr, 10) : fallback;
}

TEST(SaveWritesShownProperty, RandomEditingSequences) {
  const std::uint64_t first = Setting("TALLOWIN_FIRST_SEED", 1);
  const std::uint64_t count = Setting("TALLOWIN_SEQUENCES", kSequences);
  for (std::uint64_t seed = first; seed < first + count; ++seed) {
    SeededChoices choices(seed);
    const testing::SequenceResult result = testing::RunSequence(choices, kStepsPerSequence);
    if (!result.Failed) continue;
    const std::vector<testing::Step> shortened = testing::Shrink(result.Steps, *result.Failed);
    const std::optional<testing::Failure> again = testing::Replay(shortened);
    FAIL() << "seed " << seed << " (sequence " << seed - first + 1 << "), " << result.Steps.size()
           << " steps, shortened to:\n"
           << testing::Describe(shortened, again.value_or(*result.Failed));
  }
}

// The same seed makes the same steps, so a printed seed reproduces its run;
// recorded as bytes (the fuzz target's seeds), the choices make them again.
TEST(SaveWritesShownProperty, ASeedAndItsRecordedBytesMakeTheSameSteps) {
  const auto describe = [](testing::Choices& choices) {
    std::string steps;
    for (const testing::Step& step : testing::RunSequence(choices, 12).Steps) steps += testing::Describe(step) + "\n";
    return steps;
  };
  for (const std::uint64_t seed : {7u, 8u}) {
    SeededChoices seeded(seed);
    const std::string first = describe(seeded);
    SeededChoices again(seed);
    testing::RecordingChoices recording(again);
    EXPECT_EQ(describe(recording), first);
    testing::ByteChoices bytes(recording.Bytes.data(), recording.Bytes.size());
    EXPECT_EQ(describe(bytes), first);
  }
}

}  // namespace
}  // namespace tallowin

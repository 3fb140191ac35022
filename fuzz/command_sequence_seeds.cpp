// Writes seed inputs for the command-sequence fuzz target into the folder
// given as the only argument: the bytes that decode to the property test's
// sequences of the first seeds.
#include <cstdio>
#include <fstream>
#include <string>

#include "support/command_sequence.h"

int main(int argc, char** argv) {
  using namespace tallowin::testing;
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  for (int seed = 1; seed <= 64; ++seed) {
    SeededChoices seeded(static_cast<std::uint64_t>(seed));
    RecordingChoices recorded(seeded);
    RunSequence(recorded, 40);
    std::ofstream out(std::string(argv[1]) + "/sequence-" + std::to_string(seed), std::ios::binary);
    const std::vector<std::uint8_t>& bytes = recorded.Bytes;
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  return 0;
}

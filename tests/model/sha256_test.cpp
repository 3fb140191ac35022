#include "model/sha256.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tallowin {
namespace {

// The standard's examples: one block, the padding spilling into a second
// block (56 and 112 bytes), and many blocks; and the lengths either side of
// the last that pads within one block (55, 64).
TEST(Sha256, StandardExamples) {
  const struct {
    std::string Message;
    std::u16string Digest;
  } rows[] = {
      {"", u"e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abc", u"ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       u"248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {"abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrsmnopqrst"
       "nopqrstu",
       u"cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
      {std::string(55, 'a'), u"9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318"},
      {std::string(64, 'a'), u"ffe054fe7ae0cb6dc65c3af9b61d5209f439851db43d0ba5997337df154668eb"},
      {std::string(1000000, 'a'), u"cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
  };
  for (const auto& row : rows) {
    const std::vector<std::uint8_t> bytes(row.Message.begin(), row.Message.end());
    EXPECT_EQ(Sha256Text(bytes), row.Digest) << row.Message.size();
  }
}

}  // namespace
}  // namespace tallowin

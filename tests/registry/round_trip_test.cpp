#include <string>
#include <vector>

#include "model/value_text.h"
#include "registry/registry_io.h"
#include "support/scratch_key.h"

namespace tallowin::registry {
namespace {

using testing::ScratchKeyTest;

std::vector<std::uint8_t> Utf16Z(std::u16string_view text) {
  std::vector<std::uint8_t> bytes = Utf16LeBytes(text);
  bytes.insert(bytes.end(), {0, 0});
  return bytes;
}

std::vector<std::uint8_t> Concat(std::vector<std::uint8_t> a, const std::vector<std::uint8_t>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class RoundTripTest : public ScratchKeyTest {};

// Load then Save, with nothing edited, must leave every value byte for byte
// as it was, whatever its type and however its bytes are laid out.
TEST_F(RoundTripTest, LoadingAndSavingKeepsEveryValueByteForByte) {
  const struct {
    std::u16string Name;
    RegistryValue Value;
  } cases[] = {
      {u"dword", {REG_DWORD, {0x78, 0x56, 0x34, 0x12}}},
      {u"dword zero", {REG_DWORD, {0, 0, 0, 0}}},
      {u"dword big endian", {REG_DWORD_BIG_ENDIAN, {0x12, 0x34, 0x56, 0x78}}},
      {u"qword", {REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 0x80}}},
      {u"binary", {REG_BINARY, {0x00, 0xff, 0x10, 0x00, 0x7f}}},
      {u"binary empty", {REG_BINARY, {}}},
      {u"multi", {REG_MULTI_SZ, Concat(Concat(Utf16Z(u"one"), Utf16Z(u"二")), {0, 0})}},
      {u"none", {REG_NONE, {0xde, 0xad}}},
      {u"none empty", {REG_NONE, {}}},
      {u"type 0x1234", {0x1234, {9, 8, 7}}},
      {u"sz without terminator", {REG_SZ, Utf16LeBytes(u"abc")}},
      {u"sz odd length", {REG_SZ, {'a', 0, 'b'}}},
      {u"sz with text after its zero", {REG_SZ, Concat(Utf16Z(u"ab"), Utf16Z(u"hidden"))}},
      {u"expand sz", {REG_EXPAND_SZ, Utf16Z(u"%SystemRoot%\\\U0001F600")}},
      {u"link", {REG_LINK, Utf16LeBytes(u"\\Registry\\Machine")}},
  };
  for (const auto& c : cases) Set(Subkey, c.Name, c.Value);

  EditList list;
  ASSERT_EQ(ReadKeyToList(RootKey::CurrentUser, Subkey, list), ERROR_SUCCESS);
  ASSERT_EQ(list.Count(), static_cast<int>(std::size(cases)));
  const std::u16string copy = MakeKey(u"copy");
  ASSERT_EQ(WriteListToKey(RootKey::CurrentUser, copy, ValuesToWrite(list)), ERROR_SUCCESS);

  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.Name.begin(), c.Name.end()));
    EXPECT_EQ(Get(copy, c.Name), c.Value);
  }
}

}  // namespace
}  // namespace tallowin::registry

#include "registry/value_reader.h"

#include <map>
#include <string>

#include "model/value_text.h"
#include "support/scratch_key.h"

namespace tallowin::registry {
namespace {

using testing::ScratchKeyTest;

class ValueReaderTest : public ScratchKeyTest {
 protected:
  RegistryValue Big(std::size_t bytes, std::uint8_t fill) const {
    return RegistryValue{REG_BINARY, std::vector<std::uint8_t>(bytes, fill)};
  }
};

TEST_F(ValueReaderTest, BuffersTooSmallForAValueGrowAndTheSameValueIsReadAgain) {
  const std::u16string longName = u"N" + std::u16string(999, u'n');
  Set(Subkey, longName, Big(100000, 0x5a));
  const win32::UniqueKey key = Open(Subkey);
  ReadBuffers buffers;  // no storage at all yet
  std::u16string name;
  RegistryValue value;
  ASSERT_EQ(ReadValueAt(key.get(), 0, buffers, name, value), ERROR_SUCCESS);
  EXPECT_EQ(name, longName);
  EXPECT_EQ(value, Big(100000, 0x5a));
  EXPECT_EQ(ReadValueAt(key.get(), 1, buffers, name, value), ERROR_NO_MORE_ITEMS);
}

TEST_F(ValueReaderTest, AValueThatGrewAfterTheSizeQueryIsStillRead) {
  Set(Subkey, u"B", Big(10, 1));
  const win32::UniqueKey key = Open(Subkey);
  ReadBuffers buffers;
  ASSERT_EQ(SizeBuffersForKey(key.get(), buffers), ERROR_SUCCESS);
  EXPECT_EQ(buffers.Name.size(), 2u);
  EXPECT_EQ(buffers.Data.size(), 12u);

  // Another program writes meanwhile: the data grows, and a value with a
  // longer name appears before it.
  Set(Subkey, u"B", Big(5000, 2));
  const std::u16string longName = u"A" + std::u16string(300, u'a');
  Set(Subkey, longName, TextToValue(REG_SZ, u"x"));

  std::map<std::u16string, RegistryValue> read;
  std::u16string name;
  RegistryValue value;
  for (DWORD index = 0; index < 2; ++index) {
    ASSERT_EQ(ReadValueAt(key.get(), index, buffers, name, value), ERROR_SUCCESS);
    read[name] = value;
  }
  const std::map<std::u16string, RegistryValue> expected = {{u"B", Big(5000, 2)},
                                                            {longName, TextToValue(REG_SZ, u"x")}};
  EXPECT_EQ(read, expected);
  EXPECT_EQ(ReadValueAt(key.get(), 2, buffers, name, value), ERROR_NO_MORE_ITEMS);
}

}  // namespace
}  // namespace tallowin::registry

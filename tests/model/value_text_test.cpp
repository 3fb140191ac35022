#include "model/value_text.h"

#include <gtest/gtest.h>

#include "model/type_names.h"

namespace tallowin {
namespace {

RegistryValue Value(std::uint32_t type, std::vector<std::uint8_t> bytes) { return RegistryValue{type, std::move(bytes)}; }

TEST(DataTextOf, ShowsEachTypeReadably) {
  struct Case {
    RegistryValue Value;
    std::u16string Text;
  };
  const Case cases[] = {
      {TextToValue(kRegSz, u"C:\\Temp"), u"C:\\Temp"},
      {TextToValue(kRegExpandSz, u"%SystemRoot%"), u"%SystemRoot%"},
      {Value(kRegSz, {}), u""},
      {Value(kRegSz, {'a', 0, 'b', 0}), u"ab"},           // no terminating zero
      {Value(kRegSz, {'a', 0, 0, 0, 'b', 0}), u"a"},      // up to the first zero
      {Value(kRegSz, {'a', 0, 'b'}), u"ab"},              // odd byte count
      {Value(kRegSz, {0x24, 0x50, 0x3d, 0xd8, 0x00, 0xde}), u"\x5024\xd83d\xde00"},  // units beyond one byte
      {TextToValue(kRegSz, u"値;\xd83d\xde00"), u"値;\xd83d\xde00"},
      {Value(kRegDword, {1, 0, 0, 0}), u"0x00000001 (1)"},
      {Value(kRegDword, {0, 0, 0, 0}), u"0x00000000 (0)"},
      {Value(kRegDword, {0xff, 0xff, 0xff, 0xff}), u"0xffffffff (4294967295)"},
      {Value(kRegDword, {1, 2}), u"01 02"},               // not four bytes: shown as bytes
      {Value(kRegQword, {0, 0, 0, 0, 1, 0, 0, 0}), u"0x100000000 (4294967296)"},
      {Value(kRegMultiSz, {'a', 0, 0, 0, 'b', 0, 'c', 0, 0, 0, 0, 0}), u"a bc"},
      {Value(kRegMultiSz, {'a', 0, 0, 0, 'b'}), u"a b"},  // odd byte count, no closing zero
      {Value(kRegBinary, {0x00, 0xab, 0x10}), u"00 ab 10"},
      {Value(kRegNone, {}), u""},
      {Value(42, {0x7f}), u"7f"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DataTextOf(c.Value), c.Text) << "type " << c.Value.TypeCode;
  }
}

TEST(ValueToWrite, UnchangedEntriesKeepTheirBytes) {
  const RegistryValue dword = Value(kRegDword, {1, 0, 0, 0});
  VariableEntry entry = VariableEntry::FromValue(u"Flag", dword);
  EXPECT_EQ(entry.TypeName(), u"REG_DWORD");
  EXPECT_EQ(ValueToWrite(entry), dword);

  // Once the user changes the data, the text is written under the type name's code.
  entry.SubItems[1].assign(1, u'5');
  EXPECT_EQ(ValueToWrite(entry), Value(kRegDword, {'5', 0, 0, 0}));

  const RegistryValue unknownType = Value(77, {9, 9});
  const VariableEntry odd = VariableEntry::FromValue(u"Odd", unknownType);
  EXPECT_EQ(odd.TypeName(), u"");
  EXPECT_EQ(ValueToWrite(odd), unknownType);

  const VariableEntry made = VariableEntry::FromTexts(u"TEMP", u"reg_expand_sz", u"abc");
  EXPECT_EQ(ValueToWrite(made), Value(kRegExpandSz, {'a', 0, 'b', 0, 'c', 0, 0, 0}));
  EXPECT_EQ(ValueToWrite(VariableEntry::FromTexts(u"E", u"REG_SZ", u"")), Value(kRegSz, {0, 0}));
  EXPECT_EQ(ValueToWrite(VariableEntry::FromTexts(u"E", u"bogus", u"")).TypeCode, kRegNone);
}

}  // namespace
}  // namespace tallowin

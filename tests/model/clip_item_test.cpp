#include "model/clip_item.h"

#include <gtest/gtest.h>

#include "model/texts.h"
#include "model/type_names.h"
#include "model/value_text.h"

namespace tallowin {
namespace {

TEST(ClipItem, StoreToItemRules) {
  EditList list;
  CClipItem fresh;
  list.Add(VariableEntry::FromTexts(u"A", u"REG_SZ", u"a"));
  EXPECT_FALSE(fresh.StoreToItem(list, 0, CI_ALL_FIELDS));
  EXPECT_EQ(list.At(0), VariableEntry::FromTexts(u"A", u"REG_SZ", u"a"));

  // A load with mask 0 copies nothing but marks the buffer as set.
  CClipItem empty;
  empty.LoadFromItem(list.At(0), 0);
  EXPECT_TRUE(empty.IsSet);
  EXPECT_TRUE(empty.StoreToItem(list, 0, CI_ALL_FIELDS));
  EXPECT_EQ(list.At(0).Name, u"");
  EXPECT_EQ(list.At(0).SubItems, (std::vector<std::u16string>{u"", u""}));

  CClipItem item;
  item.SetValues(u"N", u"REG_EXPAND_SZ", u"D", CI_ALL_FIELDS);
  EXPECT_EQ(item.TypeIndex, 2);

  // Into a row without sub-items: exactly two, type name then data.
  EditList bare;
  bare.Add(VariableEntry{u"X", {}, std::nullopt});
  ASSERT_TRUE(item.StoreToItem(bare, 0, CI_ALL_FIELDS));
  EXPECT_EQ(bare.At(0).Name, u"N");
  EXPECT_EQ(bare.At(0).SubItems, (std::vector<std::u16string>{u"REG_EXPAND_SZ", u"D"}));

  // Data alone is appended as the next sub-item, whatever that one means.
  EditList one;
  one.Add(VariableEntry{u"X", {u"REG_SZ"}, std::nullopt});
  one.Add(VariableEntry{u"Y", {}, std::nullopt});
  ASSERT_TRUE(item.StoreToItem(one, 0, CI_DATA));
  ASSERT_TRUE(item.StoreToItem(one, 1, CI_DATA));
  EXPECT_EQ(one.At(0).SubItems, (std::vector<std::u16string>{u"REG_SZ", u"D"}));
  EXPECT_EQ(one.At(1).SubItems, (std::vector<std::u16string>{u"D"}));

  // One load can be stored any number of times; the buffer stays as it was.
  ASSERT_TRUE(item.StoreToItem(bare, 0, CI_ALL_FIELDS));
  EXPECT_EQ(item.Name, u"N");
  EXPECT_EQ(item.Data, u"D");
}

TEST(ClipItem, LoadKeepsUnmaskedFieldsAndCarriesStoredBytes) {
  RegistryValue raw;
  raw.TypeCode = 1;
  raw.Bytes = {'a', 0};  // a string without its terminating zero unit
  const VariableEntry read = VariableEntry::FromValue(u"RAW", raw);

  CClipItem item;
  item.SetValues(u"keep", u"REG_SZ", u"keep", CI_ALL_FIELDS);
  item.LoadFromItem(read, CI_NAME);
  EXPECT_EQ(item.Name, u"RAW");
  EXPECT_EQ(item.Data, u"keep");
  EXPECT_FALSE(item.Stored.has_value());

  // Cut and paste of a whole entry moves its exact bytes with it.
  item.LoadFromItem(read, CI_ALL_FIELDS);
  EditList list;
  list.Add(VariableEntry::FromTexts(u"OTHER", u"REG_SZ", u"x"));
  ASSERT_TRUE(item.StoreToItem(list, 0, CI_ALL_FIELDS));
  EXPECT_EQ(ValueToWrite(list.At(0)), raw);

  // A buffer filled from edit fields leaves the row what it was read with:
  // the row writes its text once that differs from what it was read as, and
  // the bytes read again when the texts are those again.
  item.SetValues(u"RAW", u"REG_SZ", u"b", CI_ALL_FIELDS);
  ASSERT_TRUE(item.StoreToItem(list, 0, CI_ALL_FIELDS));
  EXPECT_EQ(ValueToWrite(list.At(0)).Bytes, (std::vector<std::uint8_t>{'b', 0, 0, 0}));
  item.SetValues(u"RAW", u"REG_SZ", u"a", CI_ALL_FIELDS);
  ASSERT_TRUE(item.StoreToItem(list, 0, CI_ALL_FIELDS));
  EXPECT_EQ(ValueToWrite(list.At(0)), raw);
}

TEST(ClipItem, LoadingTheTypeNameLooksUpItsIndex) {
  const struct {
    std::u16string_view TypeName;
    int Mask;
    int TypeIndex;
  } cases[] = {
      {u"REG_EXPAND_SZ", CI_TYPE, 2},
      {u"reg_sz", CI_NAME | CI_TYPE | CI_DATA, 1},
      {u"REG_QWORD", CI_TYPE, 11},
      {u"REG_SZ ", CI_TYPE, 12},
      // Without the type name, the index stays what it was.
      {u"REG_SZ", CI_NAME | CI_DATA, 5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(std::u16string(c.TypeName)));
    CClipItem item;
    item.SetValues(u"", u"REG_DWORD_BIG_ENDIAN", u"", CI_TYPE);
    item.LoadFromItem(VariableEntry::FromTexts(u"N", std::u16string(c.TypeName), u"D"), c.Mask);
    EXPECT_EQ(item.TypeIndex, c.TypeIndex);
  }
}

TEST(ClipItem, ReadValueHoldsWhatAListReadShowsAndItsBytes) {
  const RegistryValue values[] = {TextToValue(kRegSz, u"C:\\Temp"), RegistryValue{kRegDword, {1, 0, 0, 0}},
                                  RegistryValue{42, {7}}};
  for (const RegistryValue& value : values) {
    const VariableEntry entry = VariableEntry::FromValue(u"NAME", value);
    CClipItem item;
    item.SetReadValue(u"NAME", value);
    EXPECT_TRUE(item.IsSet);
    EXPECT_EQ(item.Name, entry.Name);
    EXPECT_EQ(item.TypeName, entry.TypeName());
    EXPECT_EQ(item.Data, entry.Data());
    EXPECT_EQ(item.TypeIndex, TypeIndexOf(item.TypeName));
    EXPECT_EQ(item.Stored, entry.Stored);
  }
}

}  // namespace
}  // namespace tallowin

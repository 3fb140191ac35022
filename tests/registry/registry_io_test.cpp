#include "registry/registry_io.h"

#include <algorithm>
#include <string>
#include <vector>

#include "model/type_names.h"
#include "model/value_text.h"
#include "support/scratch_key.h"

namespace tallowin::registry {
namespace {

using testing::Ascii;
using testing::ScratchKeyTest;

RegistryValue Sz(std::uint32_t type, std::u16string_view text) { return TextToValue(type, text); }

class RegistryIoTest : public ScratchKeyTest {};

TEST_F(RegistryIoTest, ReadsEveryValueWithItsTypeNameInNameOrder) {
  Set(Subkey, u"Path", Sz(REG_EXPAND_SZ, u"C:\\A;C:\\B"));
  Set(Subkey, u"TEMP", Sz(REG_EXPAND_SZ, u"%USERPROFILE%\\Temp"));
  Set(Subkey, u"OS", Sz(REG_SZ, u"Windows_NT"));
  EditList list;
  ASSERT_EQ(ReadKeyToList(RootKey::CurrentUser, Subkey, list), ERROR_SUCCESS);
  ASSERT_EQ(list.Count(), 3);
  const struct {
    std::u16string_view Name, TypeName, Data;
  } expected[] = {
      {u"OS", u"REG_SZ", u"Windows_NT"},
      {u"Path", u"REG_EXPAND_SZ", u"C:\\A;C:\\B"},
      {u"TEMP", u"REG_EXPAND_SZ", u"%USERPROFILE%\\Temp"},
  };
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(list.At(i).Name, expected[i].Name);
    EXPECT_EQ(list.At(i).TypeName(), expected[i].TypeName);
    EXPECT_EQ(list.At(i).Data(), expected[i].Data);
  }
}

TEST_F(RegistryIoTest, TextOutsideEveryCodePageReadsUnchanged) {
  // Japanese, a Latin accent and a character beyond the BMP (a surrogate
  // pair): an ANSI round trip would replace some of them.
  const std::u16string name = u"変数_é_\U0001F600";
  const std::u16string data = u"C:\\ツール\\é\\\U0001F600";
  Set(Subkey, name, Sz(REG_SZ, data));
  EditList list;
  ASSERT_EQ(ReadKeyToList(RootKey::CurrentUser, Subkey, list), ERROR_SUCCESS);
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.At(0).Name, name);
  EXPECT_EQ(list.At(0).Data(), data);
}

TEST_F(RegistryIoTest, AnEmptyKeyReadsSuccessfullyAndSelectsNothing) {
  EditList list;
  EXPECT_EQ(ReadKeyToList(RootKey::CurrentUser, Subkey, list), ERROR_SUCCESS);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Selected(), -1);
}

TEST_F(RegistryIoTest, AMissingKeyFailsWithItsReasonAndLeavesTheTargetsAlone) {
  EditList list;
  list.Add(VariableEntry::FromTexts(u"KEEP", u"REG_SZ", u"x"));
  list.Select(-1);
  std::vector<CClipItem> items(1);

  ::SetLastError(0);
  EXPECT_EQ(ReadKeyToList(RootKey::CurrentUser, MissingKey(), list), ERROR_FILE_NOT_FOUND);
  ::SetLastError(0);
  EXPECT_EQ(ReadKeyToItems(RootKey::CurrentUser, MissingKey(), items), ERROR_FILE_NOT_FOUND);
  ::SetLastError(0);
  EXPECT_EQ(WriteListToKey(RootKey::CurrentUser, MissingKey(), ValuesToWrite(list)), ERROR_FILE_NOT_FOUND);

  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.At(0).Name, u"KEEP");
  EXPECT_EQ(list.Selected(), -1);
  EXPECT_EQ(items.size(), 1u);
  // Writing never creates the key.
  win32::UniqueKey key;
  EXPECT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, win32::Wide(MissingKey()), 0, KEY_READ, key.put()),
            ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryIoTest, ReadingAppendsToWhatTheListHolds) {
  Set(Subkey, u"B", Sz(REG_SZ, u"2"));
  EditList list;
  list.Add(VariableEntry::FromTexts(u"C", u"REG_SZ", u"3"));
  list.Add(VariableEntry::FromTexts(u"A", u"REG_SZ", u"1"));
  ASSERT_EQ(ReadKeyToList(RootKey::CurrentUser, Subkey, list), ERROR_SUCCESS);
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.At(1).Name, u"B");
  EXPECT_EQ(list.Selected(), 0);
}

TEST_F(RegistryIoTest, EditedEntriesAreWrittenAsTextUnderTheirTypeNamesCode) {
  const struct {
    std::u16string Name, TypeName, Data;
    std::uint32_t Type;
  } cases[] = {
      {u"TEMP", u"REG_SZ", u"abc", REG_SZ},
      {u"EMPTY", u"REG_SZ", u"", REG_SZ},
      {u"LOWER", u"reg_expand_sz", u"%X%", REG_EXPAND_SZ},
      {u"UNKNOWN", u"REG_TEXT", u"x", REG_NONE},
      {u"JAPANESE", u"REG_SZ", u"日本語\U0001F600", REG_SZ},
  };
  EditList list;
  for (const auto& c : cases) list.Add(VariableEntry::FromTexts(c.Name, c.TypeName, c.Data));
  ASSERT_EQ(WriteListToKey(RootKey::CurrentUser, Subkey, ValuesToWrite(list)), ERROR_SUCCESS);
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.Name.begin(), c.Name.end()));
    std::vector<std::uint8_t> bytes = Utf16LeBytes(c.Data);
    bytes.insert(bytes.end(), {0, 0});
    EXPECT_EQ(Get(Subkey, c.Name), (RegistryValue{c.Type, bytes}));
  }
  EXPECT_EQ(Get(Subkey, u"TEMP")->Bytes.size(), 8u);
  EXPECT_EQ(Get(Subkey, u"EMPTY")->Bytes.size(), 2u);
}

TEST_F(RegistryIoTest, OfTwoEntriesWithOneNameTheLaterInTheListWins) {
  EditList list;
  list.Add(VariableEntry::FromTexts(u"TWICE", u"REG_SZ", u"first"));
  list.Add(VariableEntry::FromTexts(u"TWICE", u"REG_SZ", u"second"));
  ASSERT_EQ(WriteListToKey(RootKey::CurrentUser, Subkey, ValuesToWrite(list)), ERROR_SUCCESS);
  EXPECT_EQ(Get(Subkey, u"TWICE"), TextToValue(REG_SZ, list.At(1).Data()));
}

TEST_F(RegistryIoTest, WritingNeverDeletesAValue) {
  Set(Subkey, u"TEMP", Sz(REG_EXPAND_SZ, u"%USERPROFILE%\\Temp"));
  Set(Subkey, u"OTHER", Sz(REG_SZ, u"old"));
  EditList list;
  ASSERT_EQ(ReadKeyToList(RootKey::CurrentUser, Subkey, list), ERROR_SUCCESS);
  list.Delete(list.FindIgnoringCase(u"TEMP"));
  list.SetData(list.FindIgnoringCase(u"OTHER"), u"new");
  ASSERT_EQ(WriteListToKey(RootKey::CurrentUser, Subkey, ValuesToWrite(list)), ERROR_SUCCESS);
  EXPECT_EQ(Get(Subkey, u"TEMP"), Sz(REG_EXPAND_SZ, u"%USERPROFILE%\\Temp"));
  EXPECT_EQ(Get(Subkey, u"OTHER"), Sz(REG_SZ, u"new"));
}

TEST_F(RegistryIoTest, AFailingEntryStopsTheWriteAndKeepsWhatWasWrittenBeforeIt) {
  Set(Subkey, u"V4", Sz(REG_SZ, u"old"));
  // Longer than any value name the registry accepts.
  const std::u16string tooLong = u"V3" + std::u16string(16383, u'x');
  EditList list;
  for (const std::u16string& name :
       {std::u16string(u"V1"), std::u16string(u"V2"), tooLong, std::u16string(u"V4"), std::u16string(u"V5")}) {
    list.Add(VariableEntry::FromTexts(name, u"REG_SZ", u"new"));
  }
  ASSERT_EQ(list.At(2).Name, tooLong);

  ::SetLastError(0);
  EXPECT_NE(WriteListToKey(RootKey::CurrentUser, Subkey, ValuesToWrite(list)), ERROR_SUCCESS);
  EXPECT_EQ(Get(Subkey, u"V1"), Sz(REG_SZ, u"new"));
  EXPECT_EQ(Get(Subkey, u"V2"), Sz(REG_SZ, u"new"));
  EXPECT_EQ(Get(Subkey, tooLong), std::nullopt);
  EXPECT_EQ(Get(Subkey, u"V4"), Sz(REG_SZ, u"old"));
  EXPECT_EQ(Get(Subkey, u"V5"), std::nullopt);
}

TEST_F(RegistryIoTest, ANameHoldingAZeroCharacterIsRefusedRatherThanWrittenUnderItsStart) {
  EditList list;
  list.Add(VariableEntry::FromTexts(std::u16string(u"AB\0CD", 5), u"REG_SZ", u"x"));
  ::SetLastError(0);
  EXPECT_EQ(WriteListToKey(RootKey::CurrentUser, Subkey, ValuesToWrite(list)), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(Get(Subkey, u"AB"), std::nullopt);
}

// The order the registry itself enumerates the key's values in.
std::vector<std::u16string> EnumerationOrder(HKEY key) {
  std::vector<std::u16string> names;
  for (DWORD index = 0;; ++index) {
    wchar_t name[256];
    DWORD length = 256;
    if (::RegEnumValueW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.push_back(win32::FromWide(name, length));
  }
  return names;
}

// The registry hands the values out in an order of its own; the entry
// selected is the first in the list's name order, neither the first nor the
// last one read.
TEST_F(RegistryIoTest, DeletingRemovesOneValueByNameIgnoringCase) {
  const struct {
    const char* Case;
    std::u16string Name;
    LSTATUS Status;
    std::vector<std::u16string> Left;
  } cases[] = {
      {"one value", u"OLD", ERROR_SUCCESS, {u"Path", u"Keep"}},
      {"names ignore case", u"path", ERROR_SUCCESS, {u"OLD", u"Keep"}},
      {"a value that is not there", u"Absent", ERROR_SUCCESS, {u"Path", u"OLD", u"Keep"}},
      {"a name holding a zero", std::u16string(u"OLD\0x", 5), ERROR_INVALID_PARAMETER, {u"Path", u"OLD", u"Keep"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Case);
    for (const std::u16string name : {u"Path", u"OLD", u"Keep"}) Set(Subkey, name, Sz(REG_SZ, name));
    EXPECT_EQ(DeleteValue(RootKey::CurrentUser, Subkey, c.Name), c.Status);
    std::vector<std::u16string> left;
    for (const auto& [name, value] : Values(Subkey)) left.push_back(name);
    std::vector<std::u16string> expected = c.Left;
    std::sort(left.begin(), left.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(left, expected);
  }
  EXPECT_EQ(DeleteValue(RootKey::CurrentUser, MissingKey(), u"OLD"), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryIoTest, SelectsTheFirstEntryInNameOrder) {
  for (const char16_t* name : {u"a-c", u"A_", u"b"}) Set(Subkey, name, Sz(REG_SZ, u"x"));
  const std::vector<std::u16string> read = EnumerationOrder(Open(Subkey).get());
  ASSERT_EQ(read.size(), 3u);
  ASSERT_NE(read.front(), u"A_");
  ASSERT_NE(read.back(), u"A_");

  EditList list;
  ASSERT_EQ(ReadKeyToList(RootKey::CurrentUser, Subkey, list), ERROR_SUCCESS);
  ASSERT_EQ(list.Selected(), 0);
  EXPECT_EQ(list.At(0).Name, u"A_");
}

TEST_F(RegistryIoTest, ItemsKeepTheEnumerationOrderTheirTextsAndExactBytes) {
  // Names that the registry and the lists' word sort put in different orders
  // (the word sort ignores hyphens and puts '_' before letters).
  const RegistryValue dword{REG_DWORD, {1, 0, 0, 0}};
  Set(Subkey, u"ab", Sz(REG_SZ, u"1"));
  Set(Subkey, u"a-c", Sz(REG_EXPAND_SZ, u"2"));
  Set(Subkey, u"A_", dword);
  Set(Subkey, u"AB2", Sz(REG_SZ, u""));
  std::vector<CClipItem> items;
  ASSERT_EQ(ReadKeyToItems(RootKey::CurrentUser, Subkey, items), ERROR_SUCCESS);

  const std::vector<std::u16string> order = EnumerationOrder(Open(Subkey).get());
  ASSERT_EQ(items.size(), order.size());
  EditList sorted;
  for (std::size_t i = 0; i < items.size(); ++i) {
    EXPECT_EQ(items[i].Name, order[i]);
    sorted.Add(VariableEntry::FromTexts(items[i].Name, u"", u""));
  }
  bool sameAsSorted = true;
  for (std::size_t i = 0; i < items.size(); ++i) {
    sameAsSorted = sameAsSorted && sorted.At(static_cast<int>(i)).Name == order[i];
  }
  EXPECT_FALSE(sameAsSorted) << "the case does not tell enumeration order from name order";

  for (const CClipItem& item : items) {
    EXPECT_TRUE(item.IsSet);
    ASSERT_TRUE(item.Stored.has_value());
    EXPECT_EQ(item.Stored->Value, Get(Subkey, item.Name));
    EXPECT_EQ(item.Stored->TypeName, item.TypeName);
    EXPECT_EQ(item.Stored->Data, item.Data);
    EXPECT_EQ(item.TypeIndex, static_cast<int>(item.Stored->Value.TypeCode));
    EXPECT_EQ(item.Data, DataTextOf(item.Stored->Value));
  }
  const auto dwordItem = std::find_if(items.begin(), items.end(), [](const CClipItem& i) { return i.Name == u"A_"; });
  ASSERT_NE(dwordItem, items.end());
  EXPECT_EQ(dwordItem->TypeName, u"REG_DWORD");
  EXPECT_EQ(dwordItem->Data, u"0x00000001 (1)");
}

TEST(StockKeys, TheMachineKeyNamesItsPathInCapitalsAndTheUserKeyHoldsTemp) {
  EditList system;
  ASSERT_EQ(ReadKeyToList(RootKey::LocalMachine, kSystemSubkey, system), ERROR_SUCCESS);
  const int path = system.FindIgnoringCase(u"path");
  ASSERT_GE(path, 0);
  EXPECT_EQ(system.At(path).Name, u"PATH");
  EXPECT_EQ(system.At(path).TypeName(), u"REG_EXPAND_SZ");
  EXPECT_NE(system.At(path).Data().find(u"%SystemRoot%"), std::u16string_view::npos);
  EXPECT_EQ(system.Selected(), 0);

  EditList user;
  ASSERT_EQ(ReadKeyToList(RootKey::CurrentUser, kUserSubkey, user), ERROR_SUCCESS);
  EXPECT_GE(user.FindIgnoringCase(u"TEMP"), 0);
  EXPECT_GE(user.FindIgnoringCase(u"TMP"), 0);

  std::vector<CClipItem> items;
  ASSERT_EQ(ReadKeyToItems(RootKey::LocalMachine, kSystemSubkey, items), ERROR_SUCCESS);
  EXPECT_EQ(static_cast<int>(items.size()), system.Count());
}

}  // namespace
}  // namespace tallowin::registry

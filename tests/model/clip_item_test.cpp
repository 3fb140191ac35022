#include "model/clip_item.h"

#include <gtest/gtest.h>

#include "model/texts.h"
#include "model/type_names.h"
#include "model/value_text.h"
#include "support/scripted_dialogs.h"

namespace tallowin {
namespace {

using testing::DialogKind;
using testing::FixedWindow;
using testing::ScriptedDialogs;

class CheckPlacementTest : public ::testing::Test {
 protected:
  CheckPlacementTest() {
    sys.Add(VariableEntry::FromTexts(u"Path", u"REG_EXPAND_SZ", u"C:\\A;"));
    sys.Add(VariableEntry::FromTexts(u"TEMP", u"REG_EXPAND_SZ", u"%USERPROFILE%\\Temp"));
    sys.Add(VariableEntry::FromTexts(u"OS", u"REG_SZ", u"Windows_NT"));
  }

  int Check(std::u16string name, std::u16string type, int mask) {
    item.SetValues(name, type, u"data", CI_ALL_FIELDS);
    return item.CheckPlacement(sys, mask);
  }

  void SelectByName(std::u16string_view name) { sys.Select(sys.FindIgnoringCase(name)); }

  FixedWindow window{ScreenRect{200, 100, 700, 600}};
  ScriptedDialogs dialogs;
  CClipItem item{&window, &dialogs};
  EditList sys;
};

TEST_F(CheckPlacementTest, ResultsMessagesAndPositions) {
  const std::u16string both = std::u16string(texts::kDuplicateName) + std::u16string(texts::kTypeNotAllowed);
  struct Case {
    std::u16string Selected;
    std::u16string Name;
    std::u16string Type;
    int Mask;
    int Result;
    std::u16string Message;  // empty: no message
    ScreenPoint At;
  };
  const Case cases[] = {
      {u"OS", u"NEW", u"REG_SZ", 6, 0, u"", {}},
      {u"OS", u"PATH", u"REG_SZ", 6, 0, u"", {}},  // case-sensitive names
      {u"OS", u"NEW", u"reg_expand_sz", 6, 0, u"", {}},
      {u"OS", u"OS", u"REG_SZ", 7, 1, u"", {}},
      {u"OS", u"TEMP", u"REG_SZ", 6, 2, std::u16string(texts::kDuplicateName), {360, 230}},
      {u"OS", u"TEMP", u"REG_SZ", 7, 2, std::u16string(texts::kDuplicateName), {360, 230}},
      {u"OS", u"NEW", u"REG_DWORD", 6, 4, std::u16string(texts::kTypeNotAllowed), {280, 230}},
      {u"OS", u"OS", u"REG_DWORD", 7, 5, std::u16string(texts::kTypeNotAllowed), {280, 230}},
      {u"OS", u"TEMP", u"REG_BINARY", 6, 6, both, {280, 230}},
      {u"Path", u"TEMP", u"REG_BINARY", 23, 16, std::u16string(texts::kPathGuard), {330, 230}},
      {u"Path", u"X", u"REG_SZ", 20, 16, std::u16string(texts::kPathGuard), {330, 230}},
      {u"OS", u"X", u"", 20, 4, std::u16string(texts::kTypeNotAllowed), {280, 230}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "mask " << c.Mask << ", expected " << c.Result);
    SelectByName(c.Selected);
    dialogs.Shown.clear();
    EXPECT_EQ(Check(c.Name, c.Type, c.Mask), c.Result);
    if (c.Message.empty()) {
      EXPECT_TRUE(dialogs.Shown.empty());
    } else {
      ASSERT_EQ(dialogs.Shown.size(), 1u);
      EXPECT_EQ(dialogs.Shown[0].Kind, DialogKind::Inform);
      EXPECT_EQ(dialogs.Shown[0].Text, c.Message);
      EXPECT_EQ(dialogs.Shown[0].TopLeft, c.At);
    }
  }
}

TEST_F(CheckPlacementTest, PathGuardIsCaseSensitiveAndLeavesListAlone) {
  sys.Add(VariableEntry::FromTexts(u"path", u"REG_SZ", u""));
  sys.Add(VariableEntry::FromTexts(u"PATH", u"REG_SZ", u""));
  for (int i = 0; i < sys.Count(); ++i) {
    if (sys.At(i).Name == u"Path") continue;
    if (sys.At(i).Name != u"path" && sys.At(i).Name != u"PATH") continue;
    sys.Select(i);
    EXPECT_EQ(Check(u"X", u"REG_SZ", CI_PATH_GUARD), 0);
  }
  EXPECT_TRUE(dialogs.Shown.empty());
  EXPECT_EQ(sys.Count(), 5);
  // No selection at all: the guard has nothing to protect.
  sys.Select(-1);
  EXPECT_EQ(Check(u"X", u"REG_SZ", CI_PATH_GUARD | CI_NAME | CI_TYPE), 0);
}

TEST(ClipItem, StoreToItemRules) {
  EditList list;
  CClipItem fresh(nullptr, nullptr);
  list.Add(VariableEntry::FromTexts(u"A", u"REG_SZ", u"a"));
  EXPECT_FALSE(fresh.StoreToItem(list, 0, CI_ALL_FIELDS));
  EXPECT_EQ(list.At(0), VariableEntry::FromTexts(u"A", u"REG_SZ", u"a"));

  // A load with mask 0 copies nothing but marks the buffer as set.
  CClipItem empty(nullptr, nullptr);
  empty.LoadFromItem(list.At(0), 0);
  EXPECT_TRUE(empty.IsSet);
  EXPECT_TRUE(empty.StoreToItem(list, 0, CI_ALL_FIELDS));
  EXPECT_EQ(list.At(0).Name, u"");
  EXPECT_EQ(list.At(0).SubItems, (std::vector<std::u16string>{u"", u""}));

  CClipItem item(nullptr, nullptr);
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

  CClipItem item(nullptr, nullptr);
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

  // A buffer filled from edit fields writes its text.
  item.SetValues(u"RAW", u"REG_SZ", u"a", CI_ALL_FIELDS);
  ASSERT_TRUE(item.StoreToItem(list, 0, CI_ALL_FIELDS));
  EXPECT_EQ(ValueToWrite(list.At(0)).Bytes, (std::vector<std::uint8_t>{'a', 0, 0, 0}));
}

TEST(ClipItem, ReadValueHoldsWhatAListReadShowsAndItsBytes) {
  const RegistryValue values[] = {TextToValue(kRegSz, u"C:\\Temp"), RegistryValue{kRegDword, {1, 0, 0, 0}},
                                  RegistryValue{42, {7}}};
  for (const RegistryValue& value : values) {
    const VariableEntry entry = VariableEntry::FromValue(u"NAME", value);
    CClipItem item(nullptr, nullptr);
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

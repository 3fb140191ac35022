#include "model/save_review.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "model/type_names.h"
#include "model/value_text.h"

namespace tallowin {
namespace {

NamedValue Sz(std::u16string name, std::u16string_view data) { return {std::move(name), TextToValue(kRegSz, data)}; }
NamedValue ExpandSz(std::u16string name, std::u16string_view data) {
  return {std::move(name), TextToValue(kRegExpandSz, data)};
}
NamedValue Dword(std::u16string name, std::uint8_t low) { return {std::move(name), {kRegDword, {low, 0, 0, 0}}}; }

TEST(SaveReview, EveryKindTypeChangesFirstTheLimitsAndWhatMayBeDeleted) {
  const std::u16string name255(255, u'N');
  const std::u16string name256(256, u'M');
  const std::u16string data32767(32767, u'd');
  const std::u16string data32768(32768, u'e');
  ReviewScope system;
  system.ToWrite = {Sz(u"Same", u"1"),      Sz(u"Edited", u"new"),  Sz(u"Retyped", u"%X%"), Sz(name255, data32767),
                    Sz(name256, u"x"),      Sz(u"Big", data32768),  Sz(u"same CASE", u"c"), ExpandSz(u"Path", u"C:\\A;")};
  system.Current = {Sz(u"Gone", u"g"),      Sz(u"Same", u"1"),      ExpandSz(u"Retyped", u"%X%"),
                    Sz(u"Edited", u"old"),  Sz(u"Same case", u"c"), Sz(u"Kept", u"k"),  ExpandSz(u"Path", u"C:\\A")};
  system.NamesAtLoad = {u"gone", u"Path"};
  ReviewScope user;
  user.ToWrite = {Dword(u"TEMP", 2)};
  user.Current = {Sz(u"TEMP", u"C:\\Temp"), Sz(u"Path", u"C:\\U"), Sz(u"Gone", u"u")};
  user.NamesAtLoad = {u"Path"};

  const struct {
    std::array<std::u16string, 5> Texts;
    bool Deletable;
    bool Marked;
  } expected[] = {
      {{u"システム", u"Retyped", u"種類の変更", u"REG_EXPAND_SZ: %X%", u"REG_SZ: %X%"}, false, false},
      {{u"ユーザー", u"TEMP", u"種類の変更", u"REG_SZ: C:\\Temp", u"REG_DWORD: 0x00000002 (2)"}, false, false},
      {{u"システム", u"Edited", u"変更", u"old", u"new"}, false, false},
      {{u"システム", name255, u"追加", u"", data32767}, false, false},
      {{u"システム", name256, u"追加 長すぎます", u"", u"x"}, false, false},
      {{u"システム", u"Big", u"追加 長すぎます", u"", data32768}, false, false},
      {{u"システム", u"Path", u"変更", u"C:\\A", u"C:\\A;"}, false, false},
      {{u"システム", u"Gone", u"削除します", u"g", u""}, true, true},  // what Save will do
      {{u"システム", u"Kept", u"残ります", u"k", u""}, false, false},      // not held at the last Load
      {{u"ユーザー", u"Path", u"残ります", u"C:\\U", u""}, true, false},  // only the system Path stays
      {{u"ユーザー", u"Gone", u"残ります", u"u", u""}, false, false},     // marked, but not deletable
  };
  const std::vector<ReviewRow> rows =
      ReviewDifferences(system, user, {{KeyScope::System, u"GONE"}, {KeyScope::User, u"Gone"}});
  ASSERT_EQ(rows.size(), std::size(expected));
  for (std::size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(i);
    // Not EXPECT_EQ: a failing comparison of 32,767 characters is unreadable.
    EXPECT_TRUE(ReviewColumnTexts(rows[i]) == expected[i].Texts);
    EXPECT_EQ(rows[i].Deletable, expected[i].Deletable);
    EXPECT_EQ(rows[i].DeleteOnSave, expected[i].Marked);
  }
  EXPECT_TRUE(ReviewDifferences({system.ToWrite, system.ToWrite, {}}, {}, {}).empty());
}

TEST(SaveReview, WhatSaveMayDelete) {
  const struct {
    KeyScope Scope;
    std::u16string_view Name;
    std::vector<NamedValue> ToWrite;
    std::vector<std::u16string> NamesAtLoad;
    bool MayDelete;
  } cases[] = {
      {KeyScope::System, u"OLD", {}, {u"OLD"}, true},              // taken out since the Load
      {KeyScope::User, u"old", {}, {u"OLD"}, true},                // names ignore case
      {KeyScope::System, u"OLD", {Sz(u"old", u"")}, {u"OLD"}, false},  // back in the list
      {KeyScope::System, u"OLD", {}, {}, false},                   // not held at the Load
      {KeyScope::System, u"PATH", {}, {u"Path"}, false},           // the system Path, any case
      {KeyScope::User, u"Path", {}, {u"Path"}, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MayDeleteOnSave(c.Scope, c.Name, c.ToWrite, c.NamesAtLoad), c.MayDelete)
        << std::string(c.Name.begin(), c.Name.end());
  }
}

}  // namespace
}  // namespace tallowin

// Values written by the writer read back with their exact type and bytes.
#include <gtest/gtest.h>

#include "model/type_names.h"
#include "regfile/reg_file.h"
#include "regfile/reg_file_test_support.h"

namespace tallowin::regfile {
namespace {

using testing::FileBytes;
using testing::Parse;

RegistryValue Bytes(std::uint32_t type, std::vector<std::uint8_t> bytes) { return RegistryValue{type, std::move(bytes)}; }

std::vector<ParsedValue> EveryForm() {
  std::vector<std::uint8_t> many(300);
  for (std::size_t i = 0; i < many.size(); ++i) many[i] = static_cast<std::uint8_t>(i * 7);
  return {
      {u"TEMP", TextToValue(kRegSz, u"C:\\Temp")},
      {u"Quote", TextToValue(kRegSz, u"a \"b\" \\\" c\\")},
      {u"Empty", TextToValue(kRegSz, u"")},
      {u"", TextToValue(kRegSz, u"default")},
      {u"Lines", TextToValue(kRegSz, u"one\r\ntwo\rthree\n")},
      {u"Nul", Bytes(kRegSz, {'a', 0, 0, 0, 'b', 0, 0, 0})},
      {u"NoEnd", Bytes(kRegSz, {'a', 0, 'b', 0})},
      {u"Odd", Bytes(kRegSz, {'a', 0, 'b'})},
      {u"Nothing", Bytes(kRegSz, {})},
      {u"日本語の名前", TextToValue(kRegSz, u"表示\\ソフト")},
      {u"Path", TextToValue(kRegExpandSz, u"%SystemRoot%\\system32;C:\\Program Files\\ツール;D:\\x")},
      {u"EmptyExpand", TextToValue(kRegExpandSz, u"")},
      {std::u16string(85, u'L'), TextToValue(kRegExpandSz, u"%USERPROFILE%\\bin")},
      {std::u16string(40, u'長'), TextToValue(kRegSz, u"x")},
      {u"Dword", Bytes(kRegDword, {0x01, 0x02, 0x03, 0xf4})},
      {u"ShortDword", Bytes(kRegDword, {7})},
      {u"Qword", Bytes(kRegQword, {1, 2, 3, 4, 5, 6, 7, 8})},
      {u"Multi", Bytes(kRegMultiSz, {'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0})},
      {u"Binary", Bytes(kRegBinary, many)},
      {u"EmptyBinary", Bytes(kRegBinary, {})},
      {u"None", Bytes(kRegNone, {})},
      {u"BigEndian", Bytes(kRegDwordBigEndian, {0, 0, 0, 1})},
      {u"Unknown", Bytes(0x12345678, {0xde, 0xad})},
      {u"a\\b\"c\\", TextToValue(kRegSz, u"\"")},
      {u"break\r\nname\\n", TextToValue(kRegSz, u"1")},
      {u"@", TextToValue(kRegSz, u"at")},
      {u"Surrogates", TextToValue(kRegSz, u"\U0001F600 \xD800 \xDC00")},
      {u"Tab\tName", TextToValue(kRegSz, u"\ttabbed\t")},
  };
}

bool SameValues(const std::vector<ParsedValue>& a, const std::vector<ParsedValue>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].Name != b[i].Name || !(a[i].Value == b[i].Value)) {
      ADD_FAILURE() << "value " << i << " differs: " << testing::Narrow(a[i].Name);
      return false;
    }
  }
  return true;
}

std::vector<std::u16string> LinesOf(const std::vector<ParsedValue>& values) {
  std::vector<std::u16string> lines;
  for (const auto& value : values) lines.push_back(MakeValueLine(value.Name, value.Value));
  return lines;
}

TEST(RoundTrip, EveryFormReadsBackWithItsTypeAndBytes) {
  const std::vector<ParsedValue> system = EveryForm();
  std::vector<ParsedValue> user(system.rbegin(), system.rend());
  const ParsedFile file = Parse(EncodeFile(MakeFileLines(LinesOf(system), LinesOf(user))));
  ASSERT_TRUE(file.IsRegistrationFile);
  ASSERT_EQ(file.Sections.size(), 2u);
  EXPECT_EQ(file.Sections[0].Target, Scope::System);
  EXPECT_EQ(file.Sections[1].Target, Scope::User);
  EXPECT_TRUE(SameValues(file.Sections[0].Values, system));
  EXPECT_TRUE(SameValues(file.Sections[1].Values, user));
}

// The same file with its byte-order mark dropped, its line ends changed or
// its continuation lines indented otherwise reads the same.
TEST(RoundTrip, ToleratesTheWaysOtherToolsLayOutTheFile) {
  const std::vector<ParsedValue> values = EveryForm();
  const std::u16string text = Utf16LeTextUpToZero(
      [&] {
        auto bytes = EncodeFile(MakeFileLines(LinesOf(values), {}));
        return std::vector<std::uint8_t>(bytes.begin() + 2, bytes.end());
      }());
  auto replaced = [&text](std::u16string_view from, std::u16string_view to) {
    std::u16string result;
    for (std::size_t i = 0; i < text.size();) {
      if (text.compare(i, from.size(), from) == 0) {
        result += to;
        i += from.size();
      } else {
        result.push_back(text[i++]);
      }
    }
    return result;
  };
  struct Case {
    const char* What;
    std::vector<std::uint8_t> Bytes;
  };
  const Case cases[] = {
      {"without byte-order mark", FileBytes(text, false)},
      {"LF line ends", FileBytes(replaced(u"\r\n", u"\n"))},
      {"CR line ends", FileBytes(replaced(u"\r\n", u"\r"))},
      {"tab-indented continuations", FileBytes(replaced(u"\\\r\n  ", u"\\\r\n\t"))},
      {"unindented continuations", FileBytes(replaced(u"\\\r\n  ", u"\\\r\n"))},
      {"blanks after the backslash", FileBytes(replaced(u"\\\r\n", u"\\  \r\n"))},
      {"blanks around commas", FileBytes(replaced(u",", u" , "))},
      {"no closing NUL", FileBytes(text)},
  };
  for (const Case& c : cases) {
    const ParsedFile file = Parse(c.Bytes);
    ASSERT_EQ(file.Sections.size(), 2u) << c.What;
    EXPECT_TRUE(SameValues(file.Sections[0].Values, values)) << c.What;
  }
}

}  // namespace
}  // namespace tallowin::regfile

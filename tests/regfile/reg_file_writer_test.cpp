#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>

#include "model/type_names.h"
#include "regfile/reg_file.h"
#include "regfile/reg_file_test_support.h"

namespace tallowin::regfile {
namespace {

using testing::Narrow;

RegistryValue Bytes(std::uint32_t type, std::vector<std::uint8_t> bytes) { return RegistryValue{type, std::move(bytes)}; }

// The physical lines of a value line.
std::vector<std::u16string> PhysicalLines(std::u16string_view line) {
  std::vector<std::u16string> lines;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = line.find(u"\r\n", start);
    lines.emplace_back(line.substr(start, end == std::u16string_view::npos ? end : end - start));
    if (end == std::u16string_view::npos) return lines;
    start = end + 2;
  }
}

bool IsHexDigit(char16_t unit) {
  return (unit >= u'0' && unit <= u'9') || (unit >= u'a' && unit <= u'f');
}

std::size_t HexPairs(std::u16string_view physicalLine) {
  std::size_t pairs = 0;
  for (std::size_t i = 0; i + 1 < physicalLine.size(); ++i) {
    if (IsHexDigit(physicalLine[i]) && IsHexDigit(physicalLine[i + 1]) &&
        (i + 2 == physicalLine.size() || physicalLine[i + 2] == u',')) {
      ++pairs;
    }
  }
  return pairs;
}

TEST(MakeKeyLine, WritesTheRootName) {
  EXPECT_EQ(MakeKeyLine(RootKey::ClassesRoot, u"A\\B"), u"[HKEY_CLASSES_ROOT\\A\\B]");
  EXPECT_EQ(MakeKeyLine(RootKey::CurrentUser, kUserSubkey), u"[HKEY_CURRENT_USER\\Environment]");
  EXPECT_EQ(MakeKeyLine(RootKey::LocalMachine, kSystemSubkey),
            u"[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment]");
  EXPECT_EQ(MakeKeyLine(RootKey::Users, u".DEFAULT"), u"[HKEY_USERS\\.DEFAULT]");
}

TEST(MakeValueLine, WritesEachFormAsRegeditDoes) {
  struct Case {
    std::u16string_view Name;
    RegistryValue Value;
    std::u16string_view Line;
  };
  const Case cases[] = {
      {u"TEMP", TextToValue(kRegSz, u"C:\\Temp"), u"\"TEMP\"=\"C:\\\\Temp\""},
      {u"Q", TextToValue(kRegSz, u"say \"hi\""), u"\"Q\"=\"say \\\"hi\\\"\""},
      {u"E", TextToValue(kRegSz, u""), u"\"E\"=\"\""},
      {u"", TextToValue(kRegSz, u"x"), u"@=\"x\""},
      {u"a\\b\"c", TextToValue(kRegSz, u"1"), u"\"a\\\\b\\\"c\"=\"1\""},
      {u"two\r\nlines", TextToValue(kRegSz, u"1"), u"\"two\\r\\nlines\"=\"1\""},
      {std::u16string_view(u"cut\0off", 7), TextToValue(kRegSz, u"1"), u"\"cut\"=\"1\""},
      {u"@", TextToValue(kRegSz, u"1"), u"\"@\"=\"1\""},
      {u"名前", TextToValue(kRegSz, u"値"), u"\"名前\"=\"値\""},
      // REG_SZ bytes the quoted form cannot reproduce.
      {u"S", TextToValue(kRegSz, u"a\nb"), u"\"S\"=hex(1):61,00,0a,00,62,00,00,00"},
      {u"S", TextToValue(kRegSz, u"a\rb"), u"\"S\"=hex(1):61,00,0d,00,62,00,00,00"},
      {u"S", Bytes(kRegSz, {'a', 0, 0, 0, 'b', 0, 0, 0}), u"\"S\"=hex(1):61,00,00,00,62,00,00,00"},
      {u"S", Bytes(kRegSz, {'a', 0}), u"\"S\"=hex(1):61,00"},
      {u"S", Bytes(kRegSz, {'a', 0, 0, 0, 0, 0}), u"\"S\"=hex(1):61,00,00,00,00,00"},
      {u"S", Bytes(kRegSz, {'a', 0, 0}), u"\"S\"=hex(1):61,00,00"},
      {u"S", Bytes(kRegSz, {}), u"\"S\"=hex(1):"},
      {u"", Bytes(kRegSz, {}), u"@=hex(1):"},
      // The other types.
      {u"Path", TextToValue(kRegExpandSz, u"%A%"), u"\"Path\"=hex(2):25,00,41,00,25,00,00,00"},
      {u"X", TextToValue(kRegExpandSz, u""), u"\"X\"=hex(2):00,00"},
      {u"", TextToValue(kRegExpandSz, u"a"), u"@=hex(2):61,00,00,00"},
      {u"D", Bytes(kRegDword, {0x78, 0x56, 0x34, 0x12}), u"\"D\"=dword:12345678"},
      {u"D", Bytes(kRegDword, {0, 0, 0, 0}), u"\"D\"=dword:00000000"},
      {u"D", Bytes(kRegDword, {0xff, 0xff, 0xff, 0xff}), u"\"D\"=dword:ffffffff"},
      {u"D", Bytes(kRegDword, {1, 2}), u"\"D\"=hex(4):01,02"},
      {u"D", Bytes(kRegDword, {}), u"\"D\"=hex(4):"},
      {u"B", Bytes(kRegBinary, {0x00, 0xab, 0xff}), u"\"B\"=hex:00,ab,ff"},
      {u"B", Bytes(kRegBinary, {}), u"\"B\"=hex:"},
      {u"N", Bytes(kRegNone, {1}), u"\"N\"=hex(0):01"},
      {u"Q", Bytes(kRegQword, {1, 0, 0, 0, 0, 0, 0, 0}), u"\"Q\"=hex(b):01,00,00,00,00,00,00,00"},
      {u"M", Bytes(kRegMultiSz, {'a', 0, 0, 0, 0, 0}), u"\"M\"=hex(7):61,00,00,00,00,00"},
      {u"R", Bytes(kRegDwordBigEndian, {0, 0, 0, 1}), u"\"R\"=hex(5):00,00,00,01"},
      {u"U", Bytes(0xffff0001u, {0x10}), u"\"U\"=hex(ffff0001):10"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Narrow(MakeValueLine(c.Name, c.Value)), Narrow(c.Line)) << "case " << (&c - cases);
    if (c.Line.find(u'\u540d') != std::u16string_view::npos) {
      EXPECT_EQ(MakeValueLine(c.Name, c.Value), c.Line);
    }
  }
}

TEST(MakeValueLine, WrapsPathAt21AndThen25Bytes) {
  const std::u16string data = u"%SystemRoot%\\system32;C:\\Tools;D:\\Bin;E:\\Go;";
  ASSERT_EQ(data.size(), 44u);
  const auto lines = PhysicalLines(MakeValueLine(u"Path", TextToValue(kRegExpandSz, data)));
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].size(), 78u);
  EXPECT_EQ(Narrow(lines[0].substr(0, 20)), "\"Path\"=hex(2):25,00,");
  EXPECT_EQ(Narrow(lines[0].substr(lines[0].size() - 4)), "74,\\");
  EXPECT_EQ(Narrow(lines[1].substr(0, 4)), "  00");
  EXPECT_EQ(Narrow(lines[3].substr(lines[3].size() - 6)), ",00,00");
  const std::size_t expectedPairs[] = {21, 25, 25, 19};
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(HexPairs(lines[i]), expectedPairs[i]) << "physical line " << i;
    EXPECT_LT(lines[i].size(), 80u);
  }
}

TEST(MakeValueLine, FirstLineCountsTheNameAsWrittenInCodePage932) {
  struct Case {
    std::u16string Name;
    RegistryValue Value;
    std::size_t FirstLineBytes;
  };
  const RegistryValue expand = TextToValue(kRegExpandSz, std::u16string(40, u'x'));
  const RegistryValue binary = Bytes(kRegBinary, std::vector<std::uint8_t>(60, 0x11));
  const Case cases[] = {
      {u"ab", expand, 22},                    // prefix of 13 bytes
      {u"Path", expand, 21},                  // 14
      {u"パス", expand, 21},                  // 14: two double-byte characters
      {u"\uFF8A\uFF9F", expand, 22},          // 13: half-width katakana are single bytes
      {u"a\\b", expand, 21},                  // 14: the escape's backslash counts
      {u"", expand, 23},                      // "@=hex(2):", 9
      {u"ab", binary, 23},                    // "\"ab\"=hex:", 9
      {std::u16string(66, u'n'), expand, 1},  // 76: one byte still fits
      {std::u16string(67, u'n'), expand, 0},  // 77: the bytes start on the next line
      {std::u16string(90, u'n'), expand, 0},
      {std::u16string(33, u'環'), expand, 1},  // 76 bytes in 43 characters
      {std::u16string(33, u'環') + u"a", expand, 0},  // 77
      {std::u16string(66, u'\u00e9'), expand, 1},      // 76: code page 932 writes 'é' as one byte
      {std::u16string(66, u'\uD55C'), expand, 1},      // 76: and Hangul as one '?' each
  };
  for (const Case& c : cases) {
    const auto lines = PhysicalLines(MakeValueLine(c.Name, c.Value));
    ASSERT_GE(lines.size(), 2u) << "case " << (&c - cases);
    EXPECT_EQ(HexPairs(lines[0]), c.FirstLineBytes) << "case " << (&c - cases);
    EXPECT_EQ(lines[0].back(), u'\\') << "case " << (&c - cases);
    EXPECT_EQ(HexPairs(lines[1]), 25u) << "case " << (&c - cases);
  }
}

TEST(MakeFileLines, PutsTheSystemSectionFirst) {
  const std::vector<std::u16string> lines = MakeFileLines({u"\"A\"=\"1\"", u"\"B\"=\"2\""}, {u"\"C\"=\"3\""});
  const std::vector<std::u16string> expected = {
      u"Windows Registry Editor Version 5.00",
      u"",
      u"[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment]",
      u"\"A\"=\"1\"",
      u"\"B\"=\"2\"",
      u"",
      u"[HKEY_CURRENT_USER\\Environment]",
      u"\"C\"=\"3\"",
      u"",
  };
  EXPECT_EQ(lines, expected);
  EXPECT_EQ(MakeFileLines({}, {}).size(), 6u);
}

TEST(EncodeFile, WritesUtf16LeWithByteOrderMarkLineEndsAndClosingNul) {
  EXPECT_EQ(EncodeFile({}), (std::vector<std::uint8_t>{0xFF, 0xFE, 0, 0}));
  EXPECT_EQ(EncodeFile({u"A\u3042", u""}),
            (std::vector<std::uint8_t>{0xFF, 0xFE, 'A', 0, 0x42, 0x30, 0x0D, 0, 0x0A, 0, 0x0D, 0, 0x0A, 0, 0, 0}));

  // A whole export: a system Path and an empty user section.
  const auto bytes =
      EncodeFile(MakeFileLines({MakeValueLine(u"Path", TextToValue(kRegExpandSz, u"%SystemRoot%\\system32;C:\\Tools"))}, {}));
  const std::vector<std::uint8_t> start = {0xFF, 0xFE, 'W', 0, 'i', 0};
  const std::vector<std::uint8_t> end = {0x0D, 0, 0x0A, 0, 0x0D, 0, 0x0A, 0, 0, 0};
  ASSERT_GT(bytes.size(), start.size() + end.size());
  EXPECT_TRUE(std::equal(start.begin(), start.end(), bytes.begin()));
  EXPECT_TRUE(std::equal(end.begin(), end.end(), bytes.end() - static_cast<std::ptrdiff_t>(end.size())));
  const std::u16string text = Utf16LeTextUpToZero(std::vector<std::uint8_t>(bytes.begin() + 2, bytes.end()));
  EXPECT_EQ(Narrow(text),
            "Windows Registry Editor Version 5.00\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment]\r\n"
            "\"Path\"=hex(2):25,00,53,00,79,00,73,00,74,00,65,00,6d,00,52,00,6f,00,6f,00,74,\\\r\n"
            "  00,25,00,5c,00,73,00,79,00,73,00,74,00,65,00,6d,00,33,00,32,00,3b,00,43,00,\\\r\n"
            "  3a,00,5c,00,54,00,6f,00,6f,00,6c,00,73,00,00,00\r\n"
            "\r\n[HKEY_CURRENT_USER\\Environment]\r\n\r\n");
}

}  // namespace
}  // namespace tallowin::regfile

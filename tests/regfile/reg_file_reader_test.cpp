#include <gtest/gtest.h>

#include <optional>

#include "model/type_names.h"
#include "regfile/reg_file.h"
#include "regfile/reg_file_test_support.h"

namespace tallowin::regfile {
namespace {

using testing::FileBytes;
using testing::kUserFileStart;
using testing::Parse;
using testing::SectionNames;

RegistryValue Bytes(std::uint32_t type, std::vector<std::uint8_t> bytes) { return RegistryValue{type, std::move(bytes)}; }

constexpr std::u16string_view kSystemHeader =
    u"[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment]";

TEST(ParseFile, RejectsFilesWithoutTheHeader) {
  const std::string utf8 = "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Environment]\r\n\"A\"=\"1\"\r\n";
  const std::string utf8Bom = "\xEF\xBB\xBF" + utf8;
  const std::vector<std::vector<std::uint8_t>> files = {
      {},
      {0xFF, 0xFE},
      {0xFF, 0xFE, 0, 0, 'W', 0},
      {0xFF},
      std::vector<std::uint8_t>(utf8.begin(), utf8.end()),
      std::vector<std::uint8_t>(utf8Bom.begin(), utf8Bom.end()),
      FileBytes(u"windows registry editor version 5.00\r\n[HKEY_CURRENT_USER\\Environment]\r\n\"A\"=\"1\"\r\n"),
      FileBytes(u"Windows Registry Editor Version 5.00 \r\n[HKEY_CURRENT_USER\\Environment]\r\n\"A\"=\"1\"\r\n"),
      FileBytes(u"\r\nWindows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\Environment]\r\n\"A\"=\"1\"\r\n"),
      FileBytes(u" Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\Environment]\r\n\"A\"=\"1\"\r\n"),
      FileBytes(u"Windows Registry Editor Version 4.00\r\n[HKEY_CURRENT_USER\\Environment]\r\n\"A\"=\"1\"\r\n"),
      FileBytes(u"REGEDIT\r\n[HKEY_CURRENT_USER\\Environment]\r\n\"A\"=\"1\"\r\n"),
      FileBytes(u"[HKEY_CURRENT_USER\\Environment]\r\n\"A\"=\"1\"\r\n"),
  };
  for (std::size_t i = 0; i < files.size(); ++i) {
    const ParsedFile file = Parse(files[i]);
    EXPECT_FALSE(file.IsRegistrationFile) << "file " << i;
    EXPECT_TRUE(file.Sections.empty()) << "file " << i;
  }
  EXPECT_TRUE(Parse(u"Windows Registry Editor Version 5.00").IsRegistrationFile);
  EXPECT_TRUE(Parse(FileBytes(u"Windows Registry Editor Version 5.00\n", false)).IsRegistrationFile);
}

TEST(ParseFile, OnlyTheEnvironmentKeysOpenSections) {
  struct Case {
    std::u16string Body;  // after the header line
    std::string Sections;
  };
  const std::u16string system(kSystemHeader);
  const Case cases[] = {
      {u"\"A\"=\"1\"\r\n[HKEY_CURRENT_USER\\Environment]\r\n\"B\"=\"2\"", "U(B)"},
      {system + u"\r\n\"A\"=\"1\"\r\n\r\n[HKEY_CURRENT_USER\\Environment]\r\n\"B\"=\"2\"", "S(A) U(B)"},
      {u"[HKEY_CURRENT_USER\\Environment]\r\n\"A\"=\"1\"\r\n" + system + u"\r\n\"B\"=\"2\"", "U(A) S(B)"},
      // Another key's values are not environment variables.
      {system + u"\r\n\"A\"=\"1\"\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE]\r\n\"B\"=\"2\"", "S(A)"},
      {system + u"\r\n\"A\"=\"1\"\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE]\r\n\"B\"=\"2\"\r\n[HKEY_CURRENT_USER\\Environment]\r\n\"C\"=\"3\"",
       "S(A) U(C)"},
      {u"[HKEY_CURRENT_USER\\Environment\\Sub]\r\n\"A\"=\"1\"", ""},
      {u"[HKEY_CURRENT_USER\\Environment]\r\n\"A\"=\"1\"\r\n  [HKEY_CURRENT_USER\\Environment]\r\n\"B\"=\"2\"", "U(A)"},
      // The key names match exactly, letter case included.
      {u"[HKEY_CURRENT_USER\\environment]\r\n\"A\"=\"1\"", ""},
      {u"[HKEY_CURRENT_USER\\Environment]\r\n\"A\"=\"1\"\r\n[hkey_current_user\\Environment]\r\n\"B\"=\"2\"", "U(A)"},
      {u"[HKEY_CURRENT_USER\\Environment] \r\n\"A\"=\"1\"", ""},
      // Deletions import nothing; a deletion header ends the section.
      {u"[HKEY_CURRENT_USER\\Environment]\r\n\"A\"=-\r\n@=-\r\n\"B\" = -\r\n\"C\"=\"3\"", "U(C)"},
      {u"[HKEY_CURRENT_USER\\Environment]\r\n\"A\"=\"1\"\r\n[-HKEY_CURRENT_USER\\Environment]\r\n\"B\"=\"2\"", "U(A)"},
      {u"[-HKEY_CURRENT_USER\\Environment]\r\n\"A\"=\"1\"", ""},
      // A scope met again starts over; the sections stay in file order.
      {u"[HKEY_CURRENT_USER\\Environment]\r\n\"A\"=\"1\"\r\n" + system + u"\r\n\"B\"=\"2\"\r\n[HKEY_CURRENT_USER\\Environment]\r\n\"C\"=\"3\"",
       "S(B) U(C)"},
      {u"[HKEY_CURRENT_USER\\Environment]\r\n[HKEY_CURRENT_USER\\Environment]", "U()"},
      // Comments, blank lines and stray text are skipped.
      {u"[HKEY_CURRENT_USER\\Environment]\r\n; \"X\"=\"0\"\r\n\t\r\n#x\r\n\"A\"=\"1\"\r\n  @=\"d\"\r\nstray", "U(A,@)"},
      {u"[HKEY_CURRENT_USER\\Environment]\r\n\"A\"=\"1\"\r\n\"A\"=\"2\"", "U(A,A)"},
  };
  for (const Case& c : cases) {
    const ParsedFile file = Parse(u"Windows Registry Editor Version 5.00\r\n" + c.Body);
    EXPECT_TRUE(file.IsRegistrationFile);
    EXPECT_EQ(SectionNames(file), c.Sections) << "case " << (&c - cases);
  }
}

// One value line in a user section, then a line that must still be read.
std::optional<ParsedValue> ReadOne(std::u16string_view lines) {
  const ParsedFile file = Parse(std::u16string(kUserFileStart) + std::u16string(lines) + u"\r\n\"Next\"=\"n\"\r\n");
  EXPECT_EQ(file.Sections.size(), 1u);
  if (file.Sections.size() != 1) return std::nullopt;
  auto values = file.Sections[0].Values;
  if (values.empty() || values.back().Name != u"Next") {
    ADD_FAILURE() << "the line after the value was not read";
    return std::nullopt;
  }
  values.pop_back();
  if (values.size() > 1) ADD_FAILURE() << "one line gave " << values.size() << " values";
  if (values.empty()) return std::nullopt;
  return values.front();
}

TEST(ParseFile, ReadsValueLines) {
  struct Case {
    std::u16string_view Lines;
    std::optional<ParsedValue> Value;  // nothing: the line imports no value
  };
  const Case cases[] = {
      {u"\"A\"=\"x\"", ParsedValue{u"A", TextToValue(kRegSz, u"x")}},
      {u"\"A\"=\"\"", ParsedValue{u"A", TextToValue(kRegSz, u"")}},
      {u"@=\"d\"", ParsedValue{u"", TextToValue(kRegSz, u"d")}},
      {u"\"\"=\"d\"", ParsedValue{u"", TextToValue(kRegSz, u"d")}},
      {u"\"A\" =\t\"x\"  ", ParsedValue{u"A", TextToValue(kRegSz, u"x")}},
      {u"\t\"A\"=\"x\"", ParsedValue{u"A", TextToValue(kRegSz, u"x")}},
      {u"\"a\\\\b\\\"c\"=\"C:\\\\x\\\"y\\\"\"", ParsedValue{u"a\\b\"c", TextToValue(kRegSz, u"C:\\x\"y\"")}},
      {u"\"A\"=\"1\\n2\\r3\"", ParsedValue{u"A", TextToValue(kRegSz, u"1\n2\r3")}},
      // A backslash before any other character stays: older files wrote
      // names unescaped.
      {u"\"C:\\Tools\"=\"1\"", ParsedValue{u"C:\\Tools", TextToValue(kRegSz, u"1")}},
      {u"\"A\"=\"C:\\Temp\"", ParsedValue{u"A", TextToValue(kRegSz, u"C:\\Temp")}},
      // A quote that older files left unescaped belongs to the data.
      {u"\"A\"=\"x\"y\"", ParsedValue{u"A", TextToValue(kRegSz, u"x\"y")}},
      {u"\"A\"=\"x", std::nullopt},
      {u"\"A\"=\"", std::nullopt},
      {u"\"A\"=\"x\\\"", std::nullopt},
      {u"\"A\"=\"x\" junk", std::nullopt},
      {u"\"A\"", std::nullopt},
      {u"\"A", std::nullopt},
      {u"\"A\"=", std::nullopt},
      {u"\"A\"x=\"1\"", std::nullopt},
      {u"@", std::nullopt},
      {u"\"A\"=str:\"x\"", std::nullopt},
      {u"\"A\"=dword:0000000a", ParsedValue{u"A", Bytes(kRegDword, {10, 0, 0, 0})}},
      {u"\"A\"=DWORD:FFFFFFFF", ParsedValue{u"A", Bytes(kRegDword, {0xff, 0xff, 0xff, 0xff})}},
      {u"\"A\"=dword:1 ", ParsedValue{u"A", Bytes(kRegDword, {1, 0, 0, 0})}},
      {u"\"A\"=dword:123456789", std::nullopt},
      {u"\"A\"=dword:", std::nullopt},
      {u"\"A\"=dword:0000001x", std::nullopt},
      {u"\"A\"=dword:-1", std::nullopt},
      {u"\"A\"=hex:", ParsedValue{u"A", Bytes(kRegBinary, {})}},
      {u"\"A\"=hex:0,a,FF", ParsedValue{u"A", Bytes(kRegBinary, {0, 0x0a, 0xff})}},
      {u"\"A\"=hex: 01 ,\t02 , 03 ", ParsedValue{u"A", Bytes(kRegBinary, {1, 2, 3})}},
      {u"\"A\"=HEX(2):41,00,00,00", ParsedValue{u"A", TextToValue(kRegExpandSz, u"A")}},
      {u"\"A\"=hex(b):01,00,00,00,00,00,00,00", ParsedValue{u"A", Bytes(kRegQword, {1, 0, 0, 0, 0, 0, 0, 0})}},
      {u"\"A\"=hex(0):", ParsedValue{u"A", Bytes(kRegNone, {})}},
      {u"\"A\"=hex(ffffffff):01", ParsedValue{u"A", Bytes(0xffffffffu, {1})}},
      // Malformed hex lists are skipped whole.
      {u"\"A\"=hex:0g", std::nullopt},
      {u"\"A\"=hex:100", std::nullopt},
      {u"\"A\"=hex:00 01", std::nullopt},
      {u"\"A\"=hex:00,,01", std::nullopt},
      {u"\"A\"=hex:,00", std::nullopt},
      {u"\"A\"=hex(zz):00", std::nullopt},
      {u"\"A\"=hex(123456789):00", std::nullopt},
      {u"\"A\"=hex():00", std::nullopt},
      {u"\"A\"=hex(2)00", std::nullopt},
      {u"\"A\"=hex(2:00", std::nullopt},
      {u"\"A\"=hex 00", std::nullopt},
      // Continuation lines.
      {u"\"A\"=hex:01,\\\r\n  02,\\\r\n\t\t03", ParsedValue{u"A", Bytes(kRegBinary, {1, 2, 3})}},
      {u"\"A\"=hex:\\\r\n  01,02", ParsedValue{u"A", Bytes(kRegBinary, {1, 2})}},
      {u"\"A\"=hex:01\\\r\n  ,02", ParsedValue{u"A", Bytes(kRegBinary, {1, 2})}},
      {u"\"A\"=hex:0\\\r\n1", ParsedValue{u"A", Bytes(kRegBinary, {1})}},
      {u"\"A\"=hex:01,\\\n  02\r03", ParsedValue{u"A", Bytes(kRegBinary, {1, 2})}},  // "03" is stray text
      {u"\"A\"=hex:01,\\\r\n  zz,\\\r\n  03", std::nullopt},
      {u"\"A\"=hex:01,\\\r\n  02\\x", std::nullopt},
      // reg.exe skips empty lines between continuation lines; a value line
      // where the continuation was announced leaves the value cut short.
      {u"\"A\"=hex:01,\\\r\n\r\n  02", ParsedValue{u"A", Bytes(kRegBinary, {1, 2})}},
      {u"\"A\"=hex:01,\\\r\n  \r\n\r\n  02", ParsedValue{u"A", Bytes(kRegBinary, {1, 2})}},
      {u"\"A\"=hex:01,\\", std::nullopt},
      {u"\"A\"=\"x\\\\\"", ParsedValue{u"A", TextToValue(kRegSz, u"x\\")}},
  };
  for (const Case& c : cases) {
    const auto read = ReadOne(c.Lines);
    ASSERT_EQ(read.has_value(), c.Value.has_value()) << "case " << (&c - cases);
    if (!read) continue;
    EXPECT_EQ(read->Name, c.Value->Name) << "case " << (&c - cases);
    EXPECT_EQ(read->Value, c.Value->Value) << "case " << (&c - cases);
  }
}

// Wine's reg.exe reads all of these the same way.
TEST(ParseFile, ReadsCommentsAfterDataAndBetweenContinuationLines) {
  struct Case {
    std::u16string_view Lines;
    ParsedValue Value;
  };
  const Case cases[] = {
      {u"\"A\"=\"v\"   ; note", ParsedValue{u"A", TextToValue(kRegSz, u"v")}},
      {u"\"A\"=\"v\";note", ParsedValue{u"A", TextToValue(kRegSz, u"v")}},
      {u"@=\"v\"\t;", ParsedValue{u"", TextToValue(kRegSz, u"v")}},
      {u"\"A\"=\"v;w\" ; x", ParsedValue{u"A", TextToValue(kRegSz, u"v;w")}},
      // The datum ends at its first unescaped quote, even when the comment
      // holds quotes of its own.
      {u"\"A\"=\"v\" ; say \"hi\"", ParsedValue{u"A", TextToValue(kRegSz, u"v")}},
      {u"\"A\"=\"a\\\"b\" ; \"c\"", ParsedValue{u"A", TextToValue(kRegSz, u"a\"b")}},
      // An unescaped quote that an older writer left in the data, then a comment.
      {u"\"A\"=\"x\"y\" ; note", ParsedValue{u"A", TextToValue(kRegSz, u"x\"y")}},
      {u"\"A\"=dword:00001234 ; note", ParsedValue{u"A", Bytes(kRegDword, {0x34, 0x12, 0, 0})}},
      {u"\"A\"=dword:00001234;note", ParsedValue{u"A", Bytes(kRegDword, {0x34, 0x12, 0, 0})}},
      {u"\"A\"=hex:01,02 ; note", ParsedValue{u"A", Bytes(kRegBinary, {1, 2})}},
      {u"\"A\"=hex:00;01", ParsedValue{u"A", Bytes(kRegBinary, {0})}},
      {u"\"A\"=hex:01, ;", ParsedValue{u"A", Bytes(kRegBinary, {1})}},
      {u"\"A\"=hex(2):41,00,\\ ; note\r\n  00,00", ParsedValue{u"A", TextToValue(kRegExpandSz, u"A")}},
      {u"\"A\"=hex:01,\\;\r\n  02", ParsedValue{u"A", Bytes(kRegBinary, {1, 2})}},
      // Comment lines inside a continuation are skipped and the value goes on.
      {u"\"A\"=hex:01,\\\r\n; comment\r\n  02", ParsedValue{u"A", Bytes(kRegBinary, {1, 2})}},
      {u"\"A\"=hex:01,\\\r\n  ; one\r\n\t;two \\\r\n  02,\\ ; c\r\n  03 ; c",
       ParsedValue{u"A", Bytes(kRegBinary, {1, 2, 3})}},
      {u"\"A\"=hex:01,\\\r\n; comment\r\n\r\n  02", ParsedValue{u"A", Bytes(kRegBinary, {1, 2})}},
  };
  for (const Case& c : cases) {
    const auto read = ReadOne(c.Lines);
    EXPECT_TRUE(read.has_value()) << "case " << (&c - cases);
    if (!read) continue;
    EXPECT_EQ(read->Name, c.Value.Name) << "case " << (&c - cases);
    EXPECT_EQ(read->Value, c.Value.Value) << "case " << (&c - cases);
  }
}

// A value whose announced continuation line is a header or a value line was
// cut short: reg.exe drops it, and so does the reader. The line itself is
// read as what it is; reg.exe skips a header there, which would put the
// values after it into the key before it.
TEST(ParseFile, ABackslashBeforeAHeaderOrValueLineDoesNotSwallowIt) {
  const ParsedFile file = Parse(std::u16string(kUserFileStart) +
                                u"\"A\"=hex:01,\\\r\n\"B\"=\"2\"\r\n\"C\"=hex:03,\\\r\n@=\"d\"\r\n\"E\"=hex:05\\\r\n" +
                                std::u16string(kSystemHeader) + u"\r\n\"F\"=\"6\"\r\n\"G\"=hex:07,\\\r\n; c\r\n\r\n" +
                                std::u16string(kSystemHeader) + u"\r\n\"H\"=\"8\"\r\n");
  EXPECT_EQ(SectionNames(file), "U(B,@) S(H)");
}

TEST(ParseFile, DecodesTheTextUpToItsFirstNul) {
  struct Case {
    const char* What;
    std::vector<std::uint8_t> Bytes;
    std::string Sections;
  };
  auto withTail = [](std::u16string_view text, std::vector<std::uint8_t> tail) {
    std::vector<std::uint8_t> bytes = FileBytes(text);
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    return bytes;
  };
  const std::u16string start(kUserFileStart);
  const Case cases[] = {
      {"NUL ends the text", FileBytes(start + u"\"A\"=\"1\"\r\n" + std::u16string(1, u'\0') + u"\"B\"=\"2\"\r\n"), "U(A)"},
      {"NUL inside a line", FileBytes(start + u"\"A\"=\"1\"\r\n\"B\"=\"2" + std::u16string(1, u'\0') + u"\"\r\n"), "U(A)"},
      {"odd last byte dropped", withTail(start + u"\"A\"=\"1\"", {'"'}), "U(A)"},
      {"odd byte after a line", withTail(start + u"\"A\"=\"1\"\r\n", {0x41}), "U(A)"},
      {"no line end at all", FileBytes(start + u"\"A\"=hex:01"), "U(A)"},
      // The file ends where the value announced a further line: it was cut
      // short, and a value cut short is not imported.
      {"no line end after a continuation mark", FileBytes(start + u"\"A\"=hex:01,\\"), "U()"},
      {"the end after a continuation mark", FileBytes(start + u"\"A\"=hex:01,\\\r\n\"B\"=\"2\"\r\n\"C\"=hex:03,\\\r\n"),
       "U(B)"},
      {"comments only after a continuation mark", FileBytes(start + u"\"A\"=hex:01,\\\r\n; c\r\n"), "U()"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SectionNames(Parse(c.Bytes)), c.Sections) << c.What;
  }
}

TEST(ParseFile, KeepsUnpairedSurrogatesAsTheyAre) {
  const std::u16string name = u"\xDC00name\xD800";
  const std::u16string data = u"\xD800\xD800\xDFFF";
  const ParsedFile file = Parse(std::u16string(kUserFileStart) + u"\"" + name + u"\"=\"" + data + u"\"\r\n");
  ASSERT_EQ(file.Sections.size(), 1u);
  ASSERT_EQ(file.Sections[0].Values.size(), 1u);
  EXPECT_EQ(file.Sections[0].Values[0].Name, name);
  EXPECT_EQ(file.Sections[0].Values[0].Value, TextToValue(kRegSz, data));
}

TEST(ParseFile, ReadsMultiMegabyteLines) {
  constexpr std::size_t kBytes = 1'500'000;
  std::u16string hex;
  hex.reserve(kBytes * 3);
  for (std::size_t i = 0; i < kBytes; ++i) hex += i + 1 < kBytes ? u"5a," : u"5a";
  const std::u16string big = std::u16string(kUserFileStart) + u"\"Big\"=hex:" + hex + u"\r\n\"Junk\"=hex:" + hex +
                             u"zz\r\n\"Name" + std::u16string(kBytes, u'n') + u"\"=\"" + std::u16string(kBytes, u'd') +
                             u"\"\r\n";
  const ParsedFile file = Parse(big);
  ASSERT_EQ(file.Sections.size(), 1u);
  ASSERT_EQ(file.Sections[0].Values.size(), 2u);
  EXPECT_EQ(file.Sections[0].Values[0].Value, Bytes(kRegBinary, std::vector<std::uint8_t>(kBytes, 0x5a)));
  EXPECT_EQ(file.Sections[0].Values[1].Name.size(), kBytes + 4);
  EXPECT_EQ(file.Sections[0].Values[1].Value.Bytes.size(), kBytes * 2 + 2);
}

// Code page 932 in miniature: ASCII, and the lead byte 0x82 with the trail
// byte 0xA0 for HIRAGANA LETTER A; any other byte becomes U+FFFD.
std::u16string DecodeTestAnsi(std::string_view text) {
  std::u16string result;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x80) {
      result.push_back(byte);
    } else if (byte == 0x82 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0xA0) {
      result.push_back(u'\u3042');
      ++i;
    } else {
      result.push_back(u'\uFFFD');
    }
  }
  return result;
}

std::vector<std::uint8_t> AnsiBytes(std::string_view text) { return std::vector<std::uint8_t>(text.begin(), text.end()); }

TEST(ParseFile, ReadsRegedit4FilesThroughTheAnsiDecoder) {
  const auto bytes = AnsiBytes(
      "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Environment]\r\n"
      "\"\x82\xA0\"=\"x\x82\xA0\\\\y\"\r\n"
      "\"E\"=hex(2):41,82,a0,00\r\n"
      "\"M\"=hex(7):61,00,00\r\n"
      "\"B\"=hex:82,a0\r\n"
      "\"D\"=dword:00000002\r\n");
  const ParsedFile file = Parse(bytes, DecodeTestAnsi);
  ASSERT_TRUE(file.IsRegistrationFile);
  ASSERT_EQ(file.Sections.size(), 1u);
  const std::vector<ParsedValue>& values = file.Sections[0].Values;
  ASSERT_EQ(values.size(), 5u);
  EXPECT_EQ(values[0].Name, u"\u3042");
  EXPECT_EQ(values[0].Value, TextToValue(kRegSz, u"x\u3042\\y"));
  // String data in hex is ANSI text in these files: it is read as UTF-16LE.
  EXPECT_EQ(values[1].Value, TextToValue(kRegExpandSz, u"A\u3042"));
  EXPECT_EQ(values[2].Value, Bytes(kRegMultiSz, {'a', 0, 0, 0, 0, 0}));
  // Other data keeps its bytes.
  EXPECT_EQ(values[3].Value, Bytes(kRegBinary, {0x82, 0xa0}));
  EXPECT_EQ(values[4].Value, Bytes(kRegDword, {2, 0, 0, 0}));

  // The text ends at the first NUL byte; without a decoder each byte is
  // taken as the character of the same number.
  const ParsedFile plain = Parse(AnsiBytes(std::string("REGEDIT4\n[HKEY_CURRENT_USER\\Environment]\n\"\xE9\"=\"1\"\n"
                                                       "\"E\"=hex(2):e9,00\n") +
                                           '\0' + "\"B\"=\"2\"\n"));
  ASSERT_EQ(plain.Sections.size(), 1u);
  ASSERT_EQ(plain.Sections[0].Values.size(), 2u);
  EXPECT_EQ(plain.Sections[0].Values[0].Name, u"\u00e9");
  EXPECT_EQ(plain.Sections[0].Values[1].Value, TextToValue(kRegExpandSz, u"\u00e9"));

  // Only the exact first line makes a REGEDIT4 file.
  EXPECT_FALSE(Parse(AnsiBytes("REGEDIT4x\r\n"), DecodeTestAnsi).IsRegistrationFile);
  EXPECT_FALSE(Parse(AnsiBytes("regedit4\r\n"), DecodeTestAnsi).IsRegistrationFile);
  EXPECT_TRUE(Parse(AnsiBytes("REGEDIT4"), DecodeTestAnsi).IsRegistrationFile);
}

}  // namespace
}  // namespace tallowin::regfile

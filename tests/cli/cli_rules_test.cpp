// The command line's verbs on fake ports: what each run writes, prints and
// answers, for the rules it shares with the window.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "model/sha256.h"
#include "model/type_names.h"
#include "model/value_text.h"
#include "regfile/reg_file.h"
#include "cli/console.h"
#include "cli/context.h"
#include "cli/verbs.h"
#include "support/fake_editing_ports.h"
#include "support/fake_ports.h"

namespace tallowin {
namespace {

using cli::ExitCode;

class RecordingConsole final : public cli::Console {
 public:
  std::u16string Output;
  std::u16string Errors;
  std::optional<std::u16string> Input = u"";
  cli::InputText ReadAllInput() override { return {true, 0, Input}; }

 protected:
  bool WriteOut(std::u16string_view text) override {
    Output += text;
    return true;
  }
  void WriteErr(std::u16string_view text) override { Errors += text; }
};

class CountingTurn final : public WriteTurnPort {
 public:
  int Takes = 0;
  int Releases = 0;
  std::optional<std::uint32_t> Refusal;
  PortResult Take() override {
    ++Takes;
    return Refusal ? PortResult::Failure(*Refusal) : PortResult::Success();
  }
  void Release() override { ++Releases; }
};

// Answers at once, in order: a folder exists when it is listed.
class ListedFolders final : public FolderCheckPort {
 public:
  std::set<std::u16string> Existing;
  std::vector<std::u16string> Asked;
  void StartChecks(std::vector<std::u16string> folders, AnswerSink sink) override {
    for (std::size_t i = 0; i < folders.size(); ++i) {
      Asked.push_back(folders[i]);
      sink(i, Existing.count(folders[i]) != 0 ? FolderAnswer::Exists : FolderAnswer::Missing);
    }
  }
  void StopChecks() override {}
};

// A registration file as Windows' editor writes it: UTF-16LE with its mark.
std::vector<std::uint8_t> RegFile(std::u16string_view text) {
  std::vector<std::uint8_t> bytes = {0xFF, 0xFE};
  for (const char16_t unit : text) {
    bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  return bytes;
}

constexpr std::u16string_view kHeader = u"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Environment]\r\n";

class CliRules : public ::testing::Test {
 protected:
  CliRules() {
    registry.Key(RootKey::LocalMachine, kSystemSubkey).emplace_back(u"PATH", TextToValue(kRegExpandSz, u"C:\\W"));
    registry.Key(RootKey::CurrentUser, kUserSubkey);
    environment.Expansions[u"%LOCALAPPDATA%"] = u"C:\\Local";
  }

  ExitCode Run(std::initializer_list<std::u16string> words) {
    console.Output.clear();
    console.Errors.clear();
    cli::Context context{console, {}};
    context.Ports.Registry = &registry;
    context.Ports.System = &system;
    context.Ports.Files = &files;
    context.Ports.Environment = &environment;
    context.Ports.Broadcast = &broadcast;
    context.Ports.WriteTurn = &turn;
    context.Ports.FolderChecks = &folders;
    const std::vector<std::u16string> line(words);
    return cli::RunCommandLine(line, context);
  }

  void SetUser(const std::u16string& name, std::u16string_view text) {
    testing::FakeRegistry::Set(registry.Key(RootKey::CurrentUser, kUserSubkey), name, TextToValue(kRegSz, text));
  }
  std::optional<std::u16string> User(std::u16string_view name) {
    for (const auto& [held, value] : registry.Key(RootKey::CurrentUser, kUserSubkey)) {
      if (held == name) return DataTextOf(value);
    }
    return std::nullopt;
  }

  testing::FakeRegistry registry;
  testing::FakeSystem system;
  testing::MemoryFiles files;
  testing::FakeEnvironment environment;
  testing::RecordingBroadcast broadcast;
  CountingTurn turn;
  ListedFolders folders;
  RecordingConsole console;
};

// A line break ends an item as ';' does, for every path verb, and an edit
// keeps the line break where it stood.
TEST_F(CliRules, PathVerbsEndItemsAtLineBreaks) {
  struct Case {
    std::initializer_list<std::u16string> Words;
    ExitCode Code;
    std::u16string Output;
    std::u16string PathAfter;
  };
  const std::u16string path = u"C:\\A;C:\\B\r\nC:\\C;C:\\D";
  const Case cases[] = {
      {{u"path", u"list", u"--user"}, ExitCode::Done, u"C:\\A\r\nC:\\B\r\nC:\\C\r\nC:\\D\r\n", path},
      {{u"path", u"has", u"c:\\b\\", u"--user"}, ExitCode::Done, u"", path},
      {{u"path", u"has", u"C:\\E", u"--user"}, ExitCode::No, u"", path},
      {{u"path", u"add", u"C:\\C", u"--user"}, ExitCode::Done, u"すでに Path にあります: C:\\C\r\n", path},
      {{u"path", u"add", u"C:\\N", u"--after", u"C:\\B", u"--user"}, ExitCode::Done, u"Path に追加しました: C:\\N\r\n",
       u"C:\\A;C:\\B\r\nC:\\N;C:\\C;C:\\D"},
      {{u"path", u"remove", u"C:\\C", u"--user"}, ExitCode::Done, u"Path から削除しました: C:\\C\r\n",
       u"C:\\A;C:\\B\r\nC:\\D"},
      {{u"path", u"remove", u"C:\\B", u"--user"}, ExitCode::Done, u"Path から削除しました: C:\\B\r\n",
       u"C:\\A;C:\\C;C:\\D"},
  };
  for (const Case& c : cases) {
    SetUser(u"Path", path);
    EXPECT_EQ(Run(c.Words), c.Code) << std::string(c.Output.begin(), c.Output.end());
    EXPECT_EQ(console.Output, c.Output);
    EXPECT_EQ(User(u"Path"), c.PathAfter);
  }
}

// A refused write says which rule refused it, exits 4 and writes nothing.
TEST_F(CliRules, RefusalsNameTheirRuleAndWriteNothing) {
  struct Case {
    std::initializer_list<std::u16string> Words;
    std::u16string File;  // the registration file's values, for apply
    std::u16string Error;
  };
  const Case cases[] = {
      {{u"set", u"Path", u"", u"--system"}, u"", u"システムの Path は削除できません。"},
      {{u"unset", u"path", u"--system"}, u"", u"システムの Path は削除できません。"},
      {{u"path", u"remove", u"C:\\W", u"--system"}, u"", u"システムの Path は削除できません。"},
      {{u"set", u"A=B", u"x", u"--user"}, u"", u"変数名に'='や制御文字は使用できません。"},
      {{u"set", u"Long", std::u16string(32768, u'x'), u"--user"}, u"", u"書き込む値が長すぎます"},
      {{u"apply", u"C:\\f.reg"}, u"\"A\"=hex(2):41,00,\\", u"ファイルが途中で切れています。何も書き込んでいません (C:\\f.reg の 4 行目)"},
      {{u"apply", u"C:\\f.reg"}, u"[HKLM\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment]\r\n\"A\"=\"1\"\r\n\"path\"=-",
       u"システムの Path は削除できません。: path (C:\\f.reg の 6 行目)"},
      {{u"diff", u"C:\\f.reg"}, u"\"A\"=\"C:\\tools\"\r\n", u"読めない行があります"},
      {{u"apply", u"C:\\f.reg", u"--expect-sha256", std::u16string(64, u'0')}, u"\"A\"=\"1\"\r\n", u"SHA-256"},
      {{u"apply", u"C:\\f.reg"}, u"\"A=B\"=\"x\"\r\n", u"変数名に'='や制御文字は使用できません。: A=B"},
      {{u"path", u"add", u"C:\\M", u"--user", u"--name", u"A=B"}, u"", u"変数名に'='や制御文字は使用できません。: A=B"},
      {{u"path", u"list", u"--name", u""}, u"", u"変数名"},
  };
  for (const Case& c : cases) {
    files.Files[u"C:\\f.reg"] = RegFile(std::u16string(kHeader) + c.File);
    EXPECT_EQ(Run(c.Words), ExitCode::Refused) << std::string(c.Error.begin(), c.Error.end());
    EXPECT_NE(console.Errors.find(c.Error), std::u16string::npos);
    EXPECT_EQ(registry.Writes, 0);
    EXPECT_TRUE(registry.Deleted.empty());
  }
}

// With --json a writing run answers with one document: whether the keys
// changed, and the review's rows of what it wrote or deleted (or, in a dry
// run, would). export names one key's section only when asked.
TEST_F(CliRules, WritingRunsAnswerInJsonAndExportTakesOneKey) {
  const std::u16string added =
      u"{\"scope\":\"user\",\"name\":\"A\",\"kind\":\"added\",\"tooLong\":false,\"current\":null,"
      u"\"toWrite\":{\"type\":\"REG_SZ\",\"data\":\"1\"}}";
  const std::u16string deleted =
      u"{\"scope\":\"user\",\"name\":\"A\",\"kind\":\"deleted\",\"tooLong\":false,"
      u"\"current\":{\"type\":\"REG_SZ\",\"data\":\"1\"},\"toWrite\":null}";
  const std::u16string unchanged = u"{\"changed\":false,\"dryRun\":false,\"values\":[]}\r\n";
  const struct {
    std::initializer_list<std::u16string> Words;
    std::u16string Output;
  } rows[] = {
      {{u"set", u"A", u"1", u"--user", u"--json"}, u"{\"changed\":true,\"dryRun\":false,\"values\":[" + added + u"]}\r\n"},
      {{u"set", u"a", u"1", u"--user", u"--json"}, unchanged},
      {{u"unset", u"A", u"--user", u"--json", u"--dry-run"},
       u"{\"changed\":false,\"dryRun\":true,\"values\":[" + deleted + u"]}\r\n"},
      {{u"apply", u"C:\\f.reg", u"--json"}, u"{\"changed\":true,\"dryRun\":false,\"values\":[" + deleted + u"]}\r\n"},
      {{u"apply", u"C:\\f.reg", u"--json"}, unchanged},
      {{u"path", u"add", u"C:\\W", u"--system", u"--json"}, unchanged},
  };
  files.Files[u"C:\\f.reg"] = RegFile(std::u16string(kHeader) + u"\"A\"=-\r\n");
  for (const auto& row : rows) {
    EXPECT_EQ(Run(row.Words), ExitCode::Done);
    EXPECT_EQ(console.Output, row.Output);
  }
  // The digest of the file as read, in either case, lets it be applied.
  std::u16string digest = Sha256Text(files.Files[u"C:\\f.reg"]);
  std::transform(digest.begin(), digest.end(), digest.begin(), [](char16_t c) { return c >= u'a' ? c - 32 : c; });
  SetUser(u"A", u"1");
  EXPECT_EQ(Run({u"apply", u"C:\\f.reg", u"--expect-sha256", digest}), ExitCode::Done);
  EXPECT_EQ(User(u"A"), std::nullopt);
  SetUser(u"U", u"u");
  EXPECT_EQ(Run({u"export", u"C:\\s.reg", u"--system"}), ExitCode::Done);
  const std::vector<std::uint8_t>& written = files.Files[u"C:\\s.reg"];
  const regfile::ParsedFile parsed = regfile::ParseFile(written.data(), written.size(), {});
  ASSERT_EQ(parsed.Sections.size(), 1u);
  EXPECT_EQ(parsed.Sections[0].Target, regfile::Scope::System);
  EXPECT_EQ(parsed.Sections[0].Values.size(), 1u);
}

// A value already longer than a variable may be can be made shorter.
TEST_F(CliRules, AnOverLongPathCanBeShortened) {
  const std::u16string rest(40900, u'x');
  SetUser(u"Path", u"C:\\Old;" + rest);
  EXPECT_EQ(Run({u"path", u"remove", u"C:\\Old", u"--user"}), ExitCode::Done);
  EXPECT_EQ(User(u"Path"), rest);
  EXPECT_EQ(Run({u"path", u"add", u"C:\\New", u"--user"}), ExitCode::Refused);
  EXPECT_EQ(User(u"Path"), rest);
}

// Names as the registry compares them, and a section's values as the key
// holds them: applying a file with a name twice settles after one run.
TEST_F(CliRules, RepeatedNamesSettleAfterOneApply) {
  files.Files[u"C:\\f.reg"] = RegFile(std::u16string(kHeader) + u"\"DUPX\"=\"1\"\r\n\"dupx\"=\"2\"\r\n");
  EXPECT_EQ(Run({u"diff", u"C:\\f.reg"}), ExitCode::No);
  EXPECT_EQ(Run({u"apply", u"C:\\f.reg"}), ExitCode::Done);
  EXPECT_EQ(User(u"DUPX"), u"2");
  const std::size_t backups = files.NamesIn(u"C:\\Local\\Tallowin\\Backups").size();
  EXPECT_EQ(Run({u"diff", u"C:\\f.reg"}), ExitCode::Done);
  EXPECT_EQ(Run({u"apply", u"C:\\f.reg"}), ExitCode::Done);
  EXPECT_EQ(console.Output, u"変更はありません。\r\n");
  EXPECT_EQ(files.NamesIn(u"C:\\Local\\Tallowin\\Backups").size(), backups);
  EXPECT_EQ(Run({u"get", u"dupx", u"--user"}), ExitCode::Done);
  EXPECT_EQ(console.Output, u"2\r\n");
}

// Every writer holds the turn from before its read to after its write; a
// turn that never comes is a failure that says so.
TEST_F(CliRules, WritersHoldTheTurn) {
  EXPECT_EQ(Run({u"set", u"A", u"1", u"--user"}), ExitCode::Done);
  EXPECT_EQ(turn.Takes, 1);
  EXPECT_EQ(turn.Releases, 1);
  EXPECT_EQ(Run({u"set", u"A", u"2", u"--user", u"--dry-run"}), ExitCode::Done);
  EXPECT_EQ(turn.Takes, 1);
  turn.Refusal = kErrorWaitTimeout;
  EXPECT_EQ(Run({u"set", u"A", u"3", u"--user"}), ExitCode::Failed);
  EXPECT_NE(console.Errors.find(u"順番が回ってきませんでした"), std::u16string::npos);
  EXPECT_EQ(User(u"A"), u"1");
}

// What a value becomes follows its type, for get --expand and the Path
// verbs alike: a plain string keeps its references, a loop stays a loop.
TEST_F(CliRules, ExpansionFollowsTheValueType) {
  environment.Expansions[u"%T%"] = u"C:\\T";
  auto& user = registry.Key(RootKey::CurrentUser, kUserSubkey);
  testing::FakeRegistry::Set(user, u"E", TextToValue(kRegExpandSz, u"%T%\\x"));
  testing::FakeRegistry::Set(user, u"AA", TextToValue(kRegExpandSz, u"%AA%%AA%%AA%%AA%%AA%%AA%"));
  SetUser(u"S", u"%T%\\x");
  SetUser(u"Path", u"%T%\\bin");
  struct Case {
    std::initializer_list<std::u16string> Words;
    ExitCode Code;
    std::u16string Output;
  };
  const Case cases[] = {
      {{u"get", u"E", u"--user", u"--expand"}, ExitCode::Done, u"C:\\T\\x\r\n"},
      {{u"get", u"S", u"--user", u"--expand"}, ExitCode::Done, u"%T%\\x\r\n"},
      {{u"get", u"AA", u"--user", u"--expand"}, ExitCode::Done, u"%AA%%AA%%AA%%AA%%AA%%AA%\r\n"},
      {{u"path", u"has", u"C:\\T\\bin", u"--user"}, ExitCode::No, u""},
      {{u"path", u"has", u"%T%\\bin", u"--user"}, ExitCode::Done, u""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Run(c.Words), c.Code) << std::string(c.Output.begin(), c.Output.end());
    EXPECT_EQ(console.Output, c.Output);
  }
}

// --name takes another list variable by the same rules: a new one is
// made, an existing one keeps its name; its check finds no "also in".
TEST_F(CliRules, PathVerbsTakeAnotherListByName) {
  SetUser(u"Path", u"C:\\A");
  const std::u16string modules = u"%USERPROFILE%\\Documents\\PowerShell\\Modules";
  EXPECT_EQ(Run({u"path", u"add", modules, u"--user", u"--name", u"PSModulePath"}), ExitCode::Done);
  EXPECT_EQ(console.Output, u"PSModulePath に追加しました: " + modules + u"\r\n");
  EXPECT_EQ(Run({u"path", u"add", u"C:\\M", u"--first", u"--user", u"--name", u"psmodulepath"}), ExitCode::Done);
  EXPECT_EQ(User(u"PSModulePath"), u"C:\\M;" + modules);
  EXPECT_EQ(User(u"Path"), u"C:\\A");
  EXPECT_EQ(Run({u"path", u"has", u"c:\\m\\", u"--user", u"--name", u"PSModulePath"}), ExitCode::Done);
  folders.Existing = {u"C:\\M"};
  EXPECT_EQ(Run({u"path", u"check", u"--system", u"--name", u"PSModulePath"}), ExitCode::Done);
  SetUser(u"PSModulePath", u"C:\\M;C:\\A");
  EXPECT_EQ(Run({u"path", u"check", u"--user", u"--name", u"PSModulePath"}), ExitCode::No);
  EXPECT_EQ(console.Output, u"ユーザー\tC:\\A;\tフォルダが存在しません\r\n");
}

// The Path check asks the folder check port, the window's probe.
TEST_F(CliRules, PathCheckAsksTheFolderCheck) {
  SetUser(u"Path", u"C:\\Here;C:\\Gone\nC:\\Here");
  folders.Existing = {u"C:\\Here"};
  EXPECT_EQ(Run({u"path", u"check", u"--user"}), ExitCode::No);
  EXPECT_EQ(folders.Asked, (std::vector<std::u16string>{u"C:\\Here", u"C:\\Gone", u"C:\\Here"}));
  EXPECT_EQ(console.Output,
            u"ユーザー\tC:\\Gone;\tフォルダが存在しません\r\nユーザー\tC:\\Here;\t重複しています\r\n");
}

// Help is asked for in place of the command or of its first operand, and
// words that begin several commands ask about all of them; anywhere else a
// help word is an operand, so the value is written. A run that did not do
// what it was asked prints its usage or message on standard error.
TEST_F(CliRules, HelpWordsStandOnlyBeforeTheOperands) {
  struct Case {
    std::initializer_list<std::u16string> Words;
    ExitCode Code;
    std::u16string Shows;  // on standard output, or standard error when it failed
    std::optional<std::u16string> ValueAfter;
  };
  const Case cases[] = {
      {{u"help", u"path"}, ExitCode::Done, u"tallowin-cli path check", std::nullopt},
      {{u"path", u"--help"}, ExitCode::Done, u"tallowin-cli path add", std::nullopt},
      {{u"--help", u"path"}, ExitCode::Done, u"tallowin-cli path list", std::nullopt},
      {{u"help", u"path", u"add"}, ExitCode::Done, u"tallowin-cli path add DIR", std::nullopt},
      {{u"path"}, ExitCode::Usage, u"tallowin-cli path remove", std::nullopt},
      {{u"path", u"bogus", u"--help"}, ExitCode::Usage, u"不明なコマンドです: path bogus\r\n", std::nullopt},
      {{u"help"}, ExitCode::Done, u"-- はオプションの終わりです", std::nullopt},
      {{u"set", u"/?"}, ExitCode::Done, u"tallowin-cli set NAME", std::nullopt},
      {{u"set", u"A", u"/?", u"--user"}, ExitCode::Done, u"書き込みました REG_SZ: A", u"/?"},
      {{u"set", u"A", u"-h", u"--user"}, ExitCode::Done, u"書き込みました", u"-h"},
      {{u"set", u"A", u"--user", u"--", u"--help"}, ExitCode::Done, u"書き込みました", u"--help"},
      {{u"set", u"A", u"--help", u"--user"}, ExitCode::Usage, u"オプションです: --help", std::nullopt},
      {{u"--version", u"x"}, ExitCode::Usage, u"引数の数が違います: --version", std::nullopt},
      {{u"--version"}, ExitCode::Done, u"tallowin-cli " TALLOWIN_PROJECT_VERSION u"\r\n", std::nullopt},
  };
  for (const Case& c : cases) {
    std::string trace;
    for (const std::u16string& word : c.Words) trace += std::string(word.begin(), word.end()) + ' ';
    SCOPED_TRACE(trace);
    registry.Key(RootKey::CurrentUser, kUserSubkey).clear();
    const ExitCode code = Run(c.Words);
    EXPECT_EQ(code, c.Code);
    const std::u16string& shown = code == ExitCode::Done ? console.Output : console.Errors;
    EXPECT_NE(shown.find(c.Shows), std::u16string::npos);
    EXPECT_TRUE((code == ExitCode::Done ? console.Errors : console.Output).empty());
    EXPECT_EQ(User(u"A"), c.ValueAfter);
  }
  // A group's usage lists its own rows alone.
  Run({u"help", u"path"});
  EXPECT_EQ(console.Output.find(u"tallowin-cli unset"), std::u16string::npos);
}

// Asked for JSON, a missing value is null on standard output; the message
// still goes to standard error.
TEST_F(CliRules, GetOfAMissingValueIsNullInJson) {
  SetUser(u"A", u"1");
  EXPECT_EQ(Run({u"get", u"B", u"--json"}), ExitCode::No);
  EXPECT_EQ(console.Output, u"null\r\n");
  EXPECT_EQ(console.Errors, u"その値はありません: B\r\n");
  EXPECT_EQ(Run({u"get", u"B"}), ExitCode::No);
  EXPECT_EQ(console.Output, u"");
  EXPECT_EQ(Run({u"get", u"A", u"--json"}), ExitCode::Done);
  EXPECT_EQ(console.Output, u"[{\"scope\":\"user\",\"name\":\"A\",\"type\":\"REG_SZ\",\"data\":\"1\"}]\r\n");
}

}  // namespace
}  // namespace tallowin

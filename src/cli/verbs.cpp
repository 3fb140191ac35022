#include "cli/verbs.h"

#include <algorithm>
#include <bit>
#include <vector>

#include "cli/cli_texts.h"
#include "tallowin_version.h"

namespace tallowin::cli {
namespace {

constexpr unsigned kPathWrite = kScopeOptions | kWriteOptions;

constexpr Verb kVerbs[] = {
    {u"list", u"[--system|--user] [--json]", 0, 0, kScopeOptions | kJson, ScopeRule::Optional, RunList,
     texts::kHelpList},
    {u"get", u"NAME [--system|--user] [--expand] [--json]", 1, 1, kScopeOptions | kExpand | kJson,
     ScopeRule::Optional, RunGet, texts::kHelpGet},
    {u"set", u"NAME VALUE (--system|--user) [--type REG_SZ|REG_EXPAND_SZ]", 2, 2, kPathWrite | kType,
     ScopeRule::Required, RunSet, texts::kHelpSet},
    {u"unset", u"NAME (--system|--user)", 1, 1, kPathWrite, ScopeRule::Required, RunUnset, texts::kHelpUnset},
    {u"path list", u"[--system|--user] [--name VAR] [--json]", 0, 0, kScopeOptions | kName | kJson,
     ScopeRule::Optional, RunPathList, texts::kHelpPathList},
    {u"path has", u"DIR (--system|--user) [--name VAR]", 1, 1, kScopeOptions | kName, ScopeRule::Required,
     RunPathHas, texts::kHelpPathHas},
    {u"path add", u"DIR (--system|--user) [--name VAR] [--first|--last|--before ITEM|--after ITEM]", 1, 1,
     kPathWrite | kName | kPlaceOptions, ScopeRule::Required, RunPathAdd, texts::kHelpPathAdd},
    {u"path remove", u"DIR (--system|--user) [--name VAR]", 1, 1, kPathWrite | kName, ScopeRule::Required,
     RunPathRemove, texts::kHelpPathRemove},
    {u"path check", u"[--system|--user] [--name VAR] [--json]", 0, 0, kScopeOptions | kName | kJson,
     ScopeRule::Optional, RunPathCheck, texts::kHelpPathCheck},
    {u"export", u"FILE [--system|--user]", 1, 1, kScopeOptions, ScopeRule::Optional, RunExport, texts::kHelpExport},
    {u"backup", u"FILE", 1, 1, 0, ScopeRule::None, RunBackup, texts::kHelpBackup},
    {u"diff", u"FILE [--delete-missing] [--json]", 1, 1, kDeleteMissing | kJson, ScopeRule::None, RunDiff,
     texts::kHelpDiff},
    {u"apply", u"FILE [--delete-missing] [--expect-sha256 HASH]", 1, 1, kDeleteMissing | kExpectSha256 | kWriteOptions,
     ScopeRule::None, RunApply,
     texts::kHelpApply},
    {u"dsc variable", u"get|set|test  (JSON < stdin)", 1, 1, 0, ScopeRule::None, RunDscVariable,
     texts::kHelpDscVariable},
    {u"dsc pathitem", u"get|set|test  (JSON < stdin)", 1, 1, 0, ScopeRule::None, RunDscPathItem,
     texts::kHelpDscPathItem},
    {u"help", u"[COMMAND]", 0, 2, 0, ScopeRule::None, RunHelp, texts::kHelpHelp},
};

bool IsHelpWord(std::u16string_view word) { return word == u"--help" || word == u"-h" || word == u"/?"; }

std::vector<std::u16string_view> WordsOf(std::u16string_view words) {
  std::vector<std::u16string_view> split;
  for (std::size_t start = 0; start <= words.size();) {
    const std::size_t blank = std::min(words.find(u' ', start), words.size());
    split.push_back(words.substr(start, blank - start));
    start = blank + 1;
  }
  return split;
}

// The rows whose words begin with `words`: "path" names every Path verb.
std::vector<const Verb*> RowsBeginningWith(std::span<const std::u16string> words) {
  std::vector<const Verb*> rows;
  for (const Verb& verb : kVerbs) {
    const std::vector<std::u16string_view> own = WordsOf(verb.Words);
    if (own.size() >= words.size() && std::equal(words.begin(), words.end(), own.begin())) rows.push_back(&verb);
  }
  return rows;
}

std::u16string Joined(std::span<const std::u16string> words) {
  std::u16string text;
  for (const std::u16string& word : words) text += (text.empty() ? u"" : u" ") + word;
  return text;
}

// The row whose words begin the command line, the longest such row; and
// how many words it took.
const Verb* MatchVerb(std::span<const std::u16string> words, std::size_t& taken) {
  const Verb* match = nullptr;
  taken = 0;
  for (const Verb& verb : kVerbs) {
    const std::vector<std::u16string_view> own = WordsOf(verb.Words);
    if (own.size() <= taken || own.size() > words.size()) continue;
    if (std::equal(own.begin(), own.end(), words.begin())) {
      match = &verb;
      taken = own.size();
    }
  }
  return match;
}

// Asked for, the usage is a result; after a mistake, a message. The whole
// table comes with its title and the program's own option.
void PrintUsage(Console& io, const std::vector<const Verb*>& rows, bool asked = true) {
  const bool whole = rows.size() == std::size(kVerbs);
  std::u16string text;
  if (whole) text = std::u16string(texts::kUsageTitle) + u"\r\n\r\n";
  for (const Verb* verb : rows) {
    text += u"  tallowin-cli ";
    text += verb->Words;
    text += u' ';
    text += verb->Synopsis;
    text += u"\r\n      ";
    text += verb->Help;
    text += u"\r\n";
  }
  text += u"\r\n";
  for (const std::u16string_view line : {texts::kUsageWriteOptions, texts::kUsageEndOfOptions}) {
    text += line;
    text += u"\r\n";
  }
  if (whole) text += std::u16string(texts::kUsageVersion) + u"\r\n";
  if (asked) {
    io.Out(text);
  } else {
    io.Err(text);
  }
}

// The checks every row shares: the scope rule, one place at most, the
// number of operands.
ExitCode CheckShape(const Verb& verb, const Arguments& arguments, Context& context) {
  if (arguments.Has(kSystem) && arguments.Has(kUser)) return UsageError(context, texts::kUsageScopeConflict);
  if (verb.Scope == ScopeRule::Required && !arguments.Scope()) return UsageError(context, texts::kUsageScopeRequired);
  if (std::popcount(arguments.Given & kPlaceOptions) > 1) return UsageError(context, texts::kUsagePlaceConflict);
  const std::size_t count = arguments.Operands.size();
  if (count < verb.MinOperands || count > verb.MaxOperands) {
    return UsageError(context, std::u16string(texts::kUsageOperandCount) + std::u16string(verb.Words));
  }
  return ExitCode::Done;
}

// Words that begin rows but finish none: "path" alone is a mistake that
// lists the Path verbs, "path --help" asks for that list.
ExitCode RunUnfinished(std::span<const std::u16string> words, Context& context) {
  std::size_t known = 0;
  while (known < words.size() && !RowsBeginningWith(words.first(known + 1)).empty()) ++known;
  if (known == 0 || (known < words.size() && !IsHelpWord(words[known]))) {
    return UsageError(context, std::u16string(texts::kUsageUnknownCommand) + Joined(words.first(known + 1)));
  }
  const bool asked = known < words.size();
  PrintUsage(context.Io, RowsBeginningWith(words.first(known)), asked);
  return asked ? ExitCode::Done : ExitCode::Usage;
}

}  // namespace

std::span<const Verb> VerbTable() { return kVerbs; }

ExitCode RunHelp(const Arguments& arguments, Context& context) {
  const std::vector<const Verb*> rows = RowsBeginningWith(arguments.Operands);
  if (rows.empty()) return UsageError(context, std::u16string(texts::kUsageUnknownCommand) + Joined(arguments.Operands));
  PrintUsage(context.Io, rows);
  return ExitCode::Done;
}

ExitCode RunCommandLine(std::span<const std::u16string> words, Context& context) {
  if (words.empty()) {
    PrintUsage(context.Io, RowsBeginningWith({}), false);
    return ExitCode::Usage;
  }
  // In place of the command, a help word asks about the words after it.
  if (IsHelpWord(words.front())) {
    Arguments asked;
    asked.Operands.assign(words.begin() + 1, words.end());
    return RunHelp(asked, context);
  }
  if (words.front() == u"--version") {
    if (words.size() > 1) return UsageError(context, std::u16string(texts::kUsageOperandCount) + words.front());
    context.Io.Out(u"tallowin-cli " TALLOWIN_VERSION_TEXT u"\r\n");
    return ExitCode::Done;
  }
  std::size_t taken = 0;
  const Verb* verb = MatchVerb(words, taken);
  if (verb == nullptr) return RunUnfinished(words, context);
  const std::span<const std::u16string> rest = words.subspan(taken);
  // A help word asks for help only in place of the first operand. Anywhere
  // else it is an operand (spelled "--help", an unknown option, as any
  // "--" word is), so that a value that reads "/?" is written, and a script
  // never takes usage for a done write.
  if (!rest.empty() && IsHelpWord(rest.front())) {
    PrintUsage(context.Io, {verb});
    return ExitCode::Done;
  }
  std::u16string message;
  const std::optional<Arguments> arguments = ParseArguments(rest, verb->Options, message);
  if (!arguments) return UsageError(context, message);
  if (const ExitCode shape = CheckShape(*verb, *arguments, context); shape != ExitCode::Done) return shape;
  return verb->Run(*arguments, context);
}

}  // namespace tallowin::cli

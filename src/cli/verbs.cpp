#include "cli/verbs.h"

#include <algorithm>
#include <bit>
#include <vector>

#include "cli/cli_texts.h"

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
    {u"path list", u"[--system|--user] [--json]", 0, 0, kScopeOptions | kJson, ScopeRule::Optional, RunPathList,
     texts::kHelpPathList},
    {u"path has", u"DIR (--system|--user)", 1, 1, kScopeOptions, ScopeRule::Required, RunPathHas,
     texts::kHelpPathHas},
    {u"path add", u"DIR (--system|--user) [--first|--last|--before ITEM|--after ITEM]", 1, 1,
     kPathWrite | kPlaceOptions, ScopeRule::Required, RunPathAdd, texts::kHelpPathAdd},
    {u"path remove", u"DIR (--system|--user)", 1, 1, kPathWrite, ScopeRule::Required, RunPathRemove,
     texts::kHelpPathRemove},
    {u"path check", u"[--system|--user] [--json]", 0, 0, kScopeOptions | kJson, ScopeRule::Optional, RunPathCheck,
     texts::kHelpPathCheck},
    {u"export", u"FILE", 1, 1, 0, ScopeRule::None, RunExport, texts::kHelpExport},
    {u"backup", u"FILE", 1, 1, 0, ScopeRule::None, RunBackup, texts::kHelpBackup},
    {u"diff", u"FILE [--delete-missing] [--json]", 1, 1, kDeleteMissing | kJson, ScopeRule::None, RunDiff,
     texts::kHelpDiff},
    {u"apply", u"FILE [--delete-missing]", 1, 1, kDeleteMissing | kWriteOptions, ScopeRule::None, RunApply,
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

// Asked for, the usage is a result; after a mistake, a message.
void PrintUsage(Console& io, const Verb* only, bool asked = true) {
  std::u16string text;
  if (only == nullptr) text = std::u16string(texts::kUsageTitle) + u"\r\n\r\n";
  for (const Verb& verb : kVerbs) {
    if (only != nullptr && only != &verb) continue;
    text += u"  tallowin-cli ";
    text += verb.Words;
    text += u' ';
    text += verb.Synopsis;
    text += u"\r\n      ";
    text += verb.Help;
    text += u"\r\n";
  }
  text += u"\r\n";
  text += texts::kUsageWriteOptions;
  text += u"\r\n";
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

}  // namespace

std::span<const Verb> VerbTable() { return kVerbs; }

ExitCode RunHelp(const Arguments& arguments, Context& context) {
  if (arguments.Operands.empty()) {
    PrintUsage(context.Io, nullptr);
    return ExitCode::Done;
  }
  std::size_t taken = 0;
  const Verb* verb = MatchVerb(arguments.Operands, taken);
  if (verb == nullptr || taken != arguments.Operands.size()) {
    return UsageError(context, std::u16string(texts::kUsageUnknownCommand) + arguments.Operands.front());
  }
  PrintUsage(context.Io, verb);
  return ExitCode::Done;
}

ExitCode RunCommandLine(std::span<const std::u16string> words, Context& context) {
  if (words.empty()) {
    PrintUsage(context.Io, nullptr, false);
    return ExitCode::Usage;
  }
  if (IsHelpWord(words.front())) return RunHelp(Arguments{}, context);
  std::size_t taken = 0;
  const Verb* verb = MatchVerb(words, taken);
  if (verb == nullptr) return UsageError(context, std::u16string(texts::kUsageUnknownCommand) + words.front());
  const std::span<const std::u16string> rest = words.subspan(taken);
  const auto end = std::find(rest.begin(), rest.end(), u"--");
  if (std::any_of(rest.begin(), end, [](const std::u16string& word) { return IsHelpWord(word); })) {
    PrintUsage(context.Io, verb);
    return ExitCode::Done;
  }
  std::u16string message;
  const std::optional<Arguments> arguments = ParseArguments(rest, verb->Options, message);
  if (!arguments) return UsageError(context, message);
  if (const ExitCode shape = CheckShape(*verb, *arguments, context); shape != ExitCode::Done) return shape;
  return verb->Run(*arguments, context);
}

}  // namespace tallowin::cli

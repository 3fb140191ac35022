#pragma once

#include <span>
#include <string>
#include <string_view>

#include "cli/arguments.h"
#include "cli/context.h"

// The command line's one verb table: each command once, with its words, its
// operands, the options it takes, its handler and its help line. Parsing,
// usage and dispatch all read it.
namespace tallowin::cli {

// Whether a command works on one key or both.
enum class ScopeRule {
  None,      // neither option (the files name their keys)
  Optional,  // reads: both keys unless one is named
  Required,  // writes: exactly one
};

using Handler = ExitCode (*)(const Arguments& arguments, Context& context);

struct Verb {
  std::u16string_view Words;
  std::u16string_view Synopsis;  // operands and options, for the usage
  std::size_t MinOperands;
  std::size_t MaxOperands;
  unsigned Options;
  ScopeRule Scope;
  Handler Run;
  std::u16string_view Help;
};

std::span<const Verb> VerbTable();

// Runs one command line (the words after the program's name).
ExitCode RunCommandLine(std::span<const std::u16string> words, Context& context);

// The handlers, one per row.
ExitCode RunList(const Arguments& arguments, Context& context);
ExitCode RunGet(const Arguments& arguments, Context& context);
ExitCode RunSet(const Arguments& arguments, Context& context);
ExitCode RunUnset(const Arguments& arguments, Context& context);
ExitCode RunPathList(const Arguments& arguments, Context& context);
ExitCode RunPathHas(const Arguments& arguments, Context& context);
ExitCode RunPathAdd(const Arguments& arguments, Context& context);
ExitCode RunPathRemove(const Arguments& arguments, Context& context);
ExitCode RunPathCheck(const Arguments& arguments, Context& context);
ExitCode RunExport(const Arguments& arguments, Context& context);
ExitCode RunBackup(const Arguments& arguments, Context& context);
ExitCode RunDiff(const Arguments& arguments, Context& context);
ExitCode RunApply(const Arguments& arguments, Context& context);
ExitCode RunHelp(const Arguments& arguments, Context& context);
ExitCode RunDscVariable(const Arguments& arguments, Context& context);
ExitCode RunDscPathItem(const Arguments& arguments, Context& context);

}  // namespace tallowin::cli

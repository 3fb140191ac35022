#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/environment_keys.h"
#include "model/path_value_edit.h"

// The options of the command line and what a run was given. Which options
// a command takes is its row's business (verbs.h).
namespace tallowin::cli {

enum Option : unsigned {
  kSystem = 1u << 0,
  kUser = 1u << 1,
  kJson = 1u << 2,
  kExpand = 1u << 3,
  kType = 1u << 4,
  kFirst = 1u << 5,
  kLast = 1u << 6,
  kBefore = 1u << 7,
  kAfter = 1u << 8,
  kDryRun = 1u << 9,
  kNoBackup = 1u << 10,
  kNoBroadcast = 1u << 11,
  kDeleteMissing = 1u << 12,
  kExpectSha256 = 1u << 13,
  kName = 1u << 14,
};

inline constexpr unsigned kScopeOptions = kSystem | kUser;
inline constexpr unsigned kPlaceOptions = kFirst | kLast | kBefore | kAfter;
// Every command that writes takes these.
inline constexpr unsigned kWriteOptions = kDryRun | kNoBackup | kNoBroadcast | kJson;

struct OptionWord {
  std::u16string_view Word;
  Option Bit;
  bool TakesValue;
};

inline constexpr OptionWord kOptionWords[] = {
    {u"--system", kSystem, false},   {u"--user", kUser, false},          {u"--json", kJson, false},
    {u"--expand", kExpand, false},   {u"--type", kType, true},           {u"--first", kFirst, false},
    {u"--last", kLast, false},       {u"--before", kBefore, true},       {u"--after", kAfter, true},
    {u"--dry-run", kDryRun, false},  {u"--no-backup", kNoBackup, false}, {u"--no-broadcast", kNoBroadcast, false},
    {u"--delete-missing", kDeleteMissing, false}, {u"--expect-sha256", kExpectSha256, true},
    {u"--name", kName, true},
};

struct Arguments {
  unsigned Given = 0;
  std::vector<std::u16string> Operands;
  std::u16string TypeName;  // of --type
  std::u16string Anchor;    // of --before or --after
  std::u16string Sha256;    // of --expect-sha256
  std::u16string Name = u"Path";  // of --name: the list variable of the path commands

  bool Has(unsigned option) const { return (Given & option) != 0; }
  // The one scope given, if any.
  std::optional<KeyScope> Scope() const;
  // The scopes a reading command shows: the one given, else both.
  std::vector<KeyScope> ScopesToShow() const;
  PathPlace Place() const;
};

// Splits the words after the command's into options and operands. "--"
// ends the options, so an operand may start with "--". Anything else that
// starts with "--" must be one of `allowed`; otherwise (or when its value
// is missing) the message says what is wrong and nothing is returned.
std::optional<Arguments> ParseArguments(std::span<const std::u16string> words, unsigned allowed,
                                        std::u16string& message);

}  // namespace tallowin::cli

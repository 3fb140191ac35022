#pragma once

// The command line's exit codes: part of its interface, documented in the
// README. 0 only for "done" and "nothing needed doing".
namespace tallowin::cli {

enum class ExitCode : int {
  Done = 0,
  // "path has": not there; "diff", "path check": something differs or has a
  // problem; "get": no such value.
  No = 1,
  Usage = 2,
  AccessDenied = 3,
  Refused = 4,
  Failed = 5,
};

}  // namespace tallowin::cli

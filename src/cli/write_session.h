#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "model/environment_keys.h"
#include "model/save_review.h"
#include "model/variable_entry.h"
#include "cli/arguments.h"
#include "cli/context.h"

// One run's writes, with the guarantees every writing command gives: the
// writers' turn held from before the values are read until after the last
// write, the automatic backup before the first write (unless --no-backup),
// and once the turn is released, the environment-change broadcast after any
// write (unless --no-broadcast). A dry run takes no turn and writes nothing.
// With --json the run's result is one document instead of a line of text:
// {"changed": whether the keys changed, "dryRun", "values": the review's
// rows of what was (or, in a dry run, would be) written and deleted}.
namespace tallowin::cli {

class WriteSession {
 public:
  WriteSession(Context& context, const Arguments& arguments);
  WriteSession(const WriteSession&) = delete;
  WriteSession& operator=(const WriteSession&) = delete;
  ~WriteSession();

  // Waits for the turn. Call before reading what the writes depend on.
  ExitCode Begin();
  bool IsDryRun() const { return dryRun_; }
  // True when the run ends without writing: the review's rows are empty
  // (it says nothing needs doing) or it is a dry run (it shows the rows).
  // Otherwise the rows are what the run is about to carry out.
  bool EndsBeforeWriting(const std::vector<ReviewRow>& rows);
  // Sets the values in one key, in order.
  ExitCode Write(KeyScope scope, const std::vector<NamedValue>& values);
  ExitCode Delete(KeyScope scope, std::u16string_view name);
  // The run's last words: the line of text, or with --json the document.
  ExitCode Finish(std::u16string_view line);

 private:
  void PrintDocument();

  ExitCode BackUpOnce();

  Context& context_;
  const bool dryRun_;
  const bool backUp_;
  const bool broadcast_;
  const bool json_;
  std::vector<ReviewRow> rows_;
  bool backedUp_ = false;
  bool wrote_ = false;
  bool turnHeld_ = false;
};

}  // namespace tallowin::cli

#include "cli/context.h"

#include <windows.h>

#include <string>

#include "cli/cli_texts.h"

namespace tallowin::cli {
namespace {

void ErrLine(Context& context, std::u16string_view text) {
  std::u16string line(text);
  // The system's descriptions end with a line break of their own.
  while (!line.empty() && (line.back() == u'\r' || line.back() == u'\n')) line.pop_back();
  context.Io.Err(line + u"\r\n");
}

}  // namespace

ExitCode UsageError(Context& context, std::u16string_view message) {
  ErrLine(context, message);
  ErrLine(context, texts::kUsageSeeHelp);
  return ExitCode::Usage;
}

ExitCode Refuse(Context& context, std::u16string_view message) {
  ErrLine(context, message);
  return ExitCode::Refused;
}

ExitCode ReportFailure(Context& context, std::u16string_view firstLine, std::uint32_t code) {
  std::u16string message(code == WAIT_TIMEOUT ? texts::kTurnTimedOut : firstLine);
  if (!message.empty() && message.back() != u'\n') message += u'\n';
  message += context.Ports.System->DescribeError(code);
  ErrLine(context, message);
  return ExitCode::Failed;
}

ExitCode ReportWriteFailure(Context& context, std::u16string_view firstLine, std::uint32_t code) {
  if (code != ERROR_ACCESS_DENIED) return ReportFailure(context, firstLine, code);
  ReportFailure(context, texts::kAccessDenied, code);
  return ExitCode::AccessDenied;
}

}  // namespace tallowin::cli

#include "cli/context.h"

#include <string>

#include "model/text_scan.h"
#include "cli/cli_texts.h"

namespace tallowin::cli {
namespace {

void ErrLine(Context& context, std::u16string_view text) {
  context.Io.Err(std::u16string(WithoutTrailingLineBreaks(text)) + u"\r\n");
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
  std::u16string message(code == kErrorWaitTimeout ? texts::kTurnTimedOut : firstLine);
  if (!message.empty() && message.back() != u'\n') message += u'\n';
  message += context.Ports.System->DescribeError(code);
  ErrLine(context, message);
  return ExitCode::Failed;
}

ExitCode ReportWriteFailure(Context& context, std::u16string_view firstLine, std::uint32_t code) {
  if (code != kErrorAccessDenied) return ReportFailure(context, firstLine, code);
  ReportFailure(context, texts::kAccessDenied, code);
  return ExitCode::AccessDenied;
}

}  // namespace tallowin::cli

#include "commands/failure_report.h"

#include <string>

#include "commands/dialog_offsets.h"

namespace tallowin {
namespace {

void ShowFailure(const CommandPorts& ports, std::u16string_view firstLine, std::u16string_view secondLine) {
  ports.Dialogs->Beep(SystemSound::Hand);
  std::u16string text(firstLine);
  text += secondLine;
  ports.Dialogs->Inform(text, OffsetFromOwner(ports.Window, kFailureX, kDialogY));
}

}  // namespace

void ReportFailure(const CommandPorts& ports, std::u16string_view firstLine, std::uint32_t errorCode) {
  ShowFailure(ports, firstLine, ports.System->DescribeError(errorCode));
}

void ReportRefusal(const CommandPorts& ports, std::u16string_view firstLine, std::u16string_view reason) {
  ShowFailure(ports, firstLine, reason);
}

}  // namespace tallowin

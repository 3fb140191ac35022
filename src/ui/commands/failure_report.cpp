#include "ui/commands/failure_report.h"

namespace tallowin {

void ReportFailure(const CommandPorts& ports, std::u16string_view firstLine, std::uint32_t errorCode) {
  ports.Dialogs->Beep(SystemSound::Hand);
  std::u16string text(firstLine);
  text += ports.System->DescribeError(errorCode);
  ports.Dialogs->Inform(text, OffsetFromOwner(ports.Window, kFailureX, kDialogY));
}

}  // namespace tallowin

#pragma once

#include <windows.h>

#include <string_view>

#include "commands/ports.h"

// The system clipboard as Unicode text. Another program may hold the
// clipboard open for a moment (clipboard managers read every change): each
// call that opens it retries for a short, bounded time before it reports
// the failure.
namespace tallowin::ports {

class Win32Clipboard final : public ClipboardPort {
 public:
  // The owner becomes the clipboard's owner after a write; it may be null.
  explicit Win32Clipboard(HWND owner) : owner_(owner) {}

  // CF_UNICODETEXT; the system offers it as CF_TEXT too.
  PortResult WriteText(std::u16string_view text) override;
  // CF_UNICODETEXT, which the system also makes from CF_TEXT.
  ClipboardText ReadText() override;
  bool HasText() override;

 private:
  HWND owner_;
};

}  // namespace tallowin::ports

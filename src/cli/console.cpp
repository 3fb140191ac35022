#include "cli/console.h"

#include "model/text_scan.h"
#include "cli/json.h"

namespace tallowin::cli {

void Console::Err(std::u16string_view text) {
  if (!jsonErrors_) {
    WriteErr(text);
    return;
  }
  WriteErr(JsonObject().Text(u"level", u"error").Text(u"message", WithoutTrailingLineBreaks(text)).Close() + u"\n");
}

}  // namespace tallowin::cli

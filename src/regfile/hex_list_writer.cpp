#include "regfile/hex_list_writer.h"

#include "model/text_scan.h"

namespace tallowin::regfile {

void AppendWrappedHexList(std::u16string& line, std::size_t lineWidth, const std::vector<std::uint8_t>& bytes) {
  constexpr std::size_t kBytesPerLine = 25;
  line.reserve(line.size() + bytes.size() * 3 + (bytes.size() / kBytesPerLine + 1) * 5);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (lineWidth + 3 >= 80) {
      line += u"\\\r\n  ";
      lineWidth = 2;
    }
    AppendHexByte(line, bytes[i]);
    lineWidth += 2;
    if (i + 1 < bytes.size()) {
      line.push_back(u',');
      ++lineWidth;
    }
  }
}

}  // namespace tallowin::regfile

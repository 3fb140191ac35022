#include "regfile/file_text.h"

#include <algorithm>
#include <span>
#include <string_view>

#include "model/utf16le.h"

namespace tallowin::regfile {
namespace {

bool StartsWithAnsiHeader(const std::uint8_t* data, std::size_t size) {
  constexpr std::string_view kAnsiHeader = "REGEDIT4";
  if (size < kAnsiHeader.size()) return false;
  if (!std::equal(kAnsiHeader.begin(), kAnsiHeader.end(), data)) return false;
  if (size == kAnsiHeader.size()) return true;
  const std::uint8_t next = data[kAnsiHeader.size()];
  return next == '\r' || next == '\n' || next == '\0';
}

// An odd last byte is no whole character of a file and is dropped.
std::u16string Utf16LeUpToNul(const std::uint8_t* data, std::size_t size) {
  return Utf16LeTextUpToZero(std::span(data, size - size % 2));
}

std::u16string AnsiUpToNul(const std::uint8_t* data, std::size_t size, const AnsiDecoder& decodeAnsi) {
  const std::size_t length = static_cast<std::size_t>(std::find(data, data + size, std::uint8_t{0}) - data);
  std::u16string text;
  if (decodeAnsi) {
    text = decodeAnsi(std::string_view(reinterpret_cast<const char*>(data), length));
    text.resize(std::min(text.size(), text.find(u'\0')));
  } else {
    text.assign(data, data + length);
  }
  return text;
}

}  // namespace

FileText DecodeFileText(const std::uint8_t* data, std::size_t size, const AnsiDecoder& decodeAnsi) {
  FileText result;
  if (data == nullptr || size == 0) return result;
  if (size >= 2 && data[0] == 0xFF && data[1] == 0xFE) {
    result.Text = Utf16LeUpToNul(data + 2, size - 2);
  } else if (StartsWithAnsiHeader(data, size)) {
    result.Text = AnsiUpToNul(data, size, decodeAnsi);
    result.IsAnsi = true;
  } else {
    result.Text = Utf16LeUpToNul(data, size);
  }
  return result;
}

std::u16string_view LineCursor::Next() {
  ++taken_;
  const std::size_t start = position_;
  std::size_t end = start;
  while (end < text_.size() && text_[end] != u'\r' && text_[end] != u'\n') ++end;
  position_ = end;
  if (position_ < text_.size()) {
    const bool crLf = text_[position_] == u'\r' && position_ + 1 < text_.size() && text_[position_ + 1] == u'\n';
    position_ += crLf ? 2 : 1;
  }
  return text_.substr(start, end - start);
}

}  // namespace tallowin::regfile

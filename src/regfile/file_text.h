#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "regfile/reg_file.h"

namespace tallowin::regfile {

struct FileText {
  std::u16string Text;
  // A REGEDIT4 file: its hex data of string types holds ANSI bytes too.
  bool IsAnsi = false;
};

// The text of a file's bytes, up to its first NUL character. Bytes that
// start with the ANSI line "REGEDIT4" go through the decoder (without one,
// each byte becomes the character of the same number); everything else is
// UTF-16LE, with FF FE skipped when present. An odd last byte of UTF-16LE
// text is no whole character and is dropped. Unpaired surrogates are kept as
// they are: the registry holds such names and data too.
FileText DecodeFileText(const std::uint8_t* data, std::size_t size, const AnsiDecoder& decodeAnsi);

// The file's text as lines split at CR LF, a lone CR or a lone LF. A last
// line without a line end counts; no empty line follows a final line end.
class LineCursor {
 public:
  explicit LineCursor(std::u16string_view text) : text_(text) {}

  bool AtEnd() const { return position_ >= text_.size(); }
  // Takes the next line. Only when !AtEnd().
  std::u16string_view Next();
  // The next line, left in place. Only when !AtEnd().
  std::u16string_view Peek() const { return LineCursor(*this).Next(); }
  // The number of the line Next() took last, counting from 1.
  std::size_t LineNumber() const { return taken_; }
  // Whether the text's last line has a line end of its own: a file that
  // stops inside a line may have been cut short.
  bool TextEndsWithLineEnd() const {
    return !text_.empty() && (text_.back() == u'\r' || text_.back() == u'\n');
  }

 private:
  std::u16string_view text_;
  std::size_t position_ = 0;
  std::size_t taken_ = 0;
};

}  // namespace tallowin::regfile

#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "regfile/reg_file.h"

// The text of a registration file handed to a deployment, decoded as
// reg.exe decodes it: FF FE starts UTF-16LE; any other file is 8-bit text
// in the system's ANSI code page, whatever its header says. Two readings go
// beyond reg.exe's, each where reg.exe would lose the file: EF BB BF starts
// UTF-8 (reg.exe reads the mark as part of the header and refuses the
// file), and a file whose second byte is zero is UTF-16LE without its mark.
namespace tallowin::regfile {

enum class TextEncoding { Utf16, Ansi, Utf8 };

struct DeploymentText {
  std::u16string Text;  // up to the first NUL character
  TextEncoding Encoding = TextEncoding::Utf16;
  // UTF-16 that ends on half a character: the file was cut short.
  bool EndsOnOddByte = false;
  // Something other than NULs follows the first NUL character, at this
  // offset into Text: the rest of the file would be left out.
  bool TextAfterNul = false;
  // A UTF-8 file holding bytes that are not UTF-8, at this offset into Text.
  bool NotUtf8 = false;
  std::size_t ProblemAt = 0;
  // ANSI text whose bytes beyond ASCII also read as UTF-8: a file saved as
  // UTF-8 without its mark, which the ANSI code page reads differently.
  bool AnsiLooksLikeUtf8 = false;
};

DeploymentText DecodeDeploymentText(std::span<const std::uint8_t> bytes, const AnsiDecoder& decodeAnsi);

// Each byte as the character of its number: 8-bit text when no decoder is
// given.
std::u16string ByteNumbersAsText(std::string_view bytes);

// Strict UTF-8: nothing for an overlong form, a surrogate, a code point
// above U+10FFFF or a sequence cut short.
std::optional<std::u16string> DecodeUtf8(std::string_view bytes);

}  // namespace tallowin::regfile

#include "regfile/hex_list_reader.h"

#include "model/text_scan.h"

namespace tallowin::regfile {

bool HexListReader::Feed(std::u16string_view segment) {
  if (state_ == State::Malformed) return false;
  if (bytes_.empty()) bytes_.reserve(segment.size() / 3 + 1);
  for (const char16_t unit : segment) {
    Step(unit, HexDigitValue(unit));
    if (state_ == State::Malformed) {
      bytes_.clear();
      return false;
    }
  }
  return true;
}

void HexListReader::Step(char16_t unit, int digit) {
  switch (state_) {
    case State::ExpectByte:
      if (digit >= 0) {
        state_ = State::InByte;
        digits_ = 1;
        byte_ = static_cast<unsigned>(digit);
      } else if (!IsBlank(unit)) {
        state_ = State::Malformed;
      }
      break;
    case State::InByte:
      StepInByte(unit, digit);
      break;
    case State::AfterByte:
      if (unit == u',') {
        state_ = State::ExpectByte;
      } else if (!IsBlank(unit)) {
        state_ = State::Malformed;
      }
      break;
    case State::Malformed:
      break;
  }
}

void HexListReader::StepInByte(char16_t unit, int digit) {
  if (digit >= 0) {
    if (++digits_ > 2) {
      state_ = State::Malformed;
      return;
    }
    byte_ = byte_ * 16 + static_cast<unsigned>(digit);
  } else if (unit == u',') {
    bytes_.push_back(static_cast<std::uint8_t>(byte_));
    state_ = State::ExpectByte;
  } else if (IsBlank(unit)) {
    bytes_.push_back(static_cast<std::uint8_t>(byte_));
    state_ = State::AfterByte;
  } else {
    state_ = State::Malformed;
  }
}

std::optional<std::vector<std::uint8_t>> HexListReader::Finish() {
  if (state_ == State::Malformed) return std::nullopt;
  if (state_ == State::InByte) bytes_.push_back(static_cast<std::uint8_t>(byte_));
  state_ = State::ExpectByte;
  return std::move(bytes_);
}

}  // namespace tallowin::regfile

#pragma once

#include <cstdint>
#include <string>

#include "ui/commands/ports.h"

namespace tallowin::win32 {

// The system's description of an error code in the user's default language,
// as the system words it (line break included); empty when it has none.
std::u16string DescribeError(std::uint32_t code);

// The Win32 SystemPort: GetLastError and DescribeError.
class Win32System final : public SystemPort {
 public:
  std::uint32_t LastError() override;
  std::u16string DescribeError(std::uint32_t code) override;
};

}  // namespace tallowin::win32

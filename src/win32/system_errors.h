#pragma once

#include <cstdint>
#include <string>

namespace tallowin::win32 {

// The system's description of an error code in the user's default language,
// as the system words it (line break included); empty when it has none.
std::u16string DescribeError(std::uint32_t code);

}  // namespace tallowin::win32

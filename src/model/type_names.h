#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// The registry value types by their registry type code, and the lookups
// between a type name and its code.
namespace tallowin {

enum RegistryTypeCode : std::uint32_t {
  kRegNone = 0,
  kRegSz = 1,
  kRegExpandSz = 2,
  kRegBinary = 3,
  kRegDword = 4,
  kRegDwordBigEndian = 5,
  kRegLink = 6,
  kRegMultiSz = 7,
  kRegResourceList = 8,
  kRegFullResourceDescriptor = 9,
  kRegResourceRequirementsList = 10,
  kRegQword = 11,
};

inline constexpr std::array<std::u16string_view, 12> kTypeNames = {
    u"REG_NONE",
    u"REG_SZ",
    u"REG_EXPAND_SZ",
    u"REG_BINARY",
    u"REG_DWORD",
    u"REG_DWORD_BIG_ENDIAN",
    u"REG_LINK",
    u"REG_MULTI_SZ",
    u"REG_RESOURCE_LIST",
    u"REG_FULL_RESOURCE_DESCRIPTOR",
    u"REG_RESOURCE_REQUIREMENTS_LIST",
    u"REG_QWORD",
};

// One past the last row: what a type name outside the table looks up to.
inline constexpr int kUnknownTypeIndex = 12;

// The table's name for a code; empty for a code of 12 or more.
std::u16string_view TypeNameOf(std::uint32_t code);

// The entry buffer's lookup: the code of the first row equal to the name
// ignoring case, or 12 when no row is.
int TypeIndexOf(std::u16string_view typeName);

// The writers' lookup: the same, but REG_NONE (0) when no row matches.
std::uint32_t TypeCodeForWriting(std::u16string_view typeName);

}  // namespace tallowin

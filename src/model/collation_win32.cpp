#include "model/collation.h"

#include <windows.h>

#include <string>

// The platform's word sort under the user's default locale, as lstrcmpW
// orders names. A key is the platform's sort key of the name, which compares
// byte for byte as CompareStringEx compares the names: a list that sorts a
// row in among thousands then compares bytes instead of asking the platform
// again for every comparison.
namespace tallowin {
namespace {

int CompareWithFlags(std::u16string_view a, std::u16string_view b, DWORD flags) {
  const int result = CompareStringEx(LOCALE_NAME_USER_DEFAULT, flags,
                                     reinterpret_cast<const wchar_t*>(a.data()), static_cast<int>(a.size()),
                                     reinterpret_cast<const wchar_t*>(b.data()), static_cast<int>(b.size()),
                                     nullptr, nullptr, 0);
  if (result == 0) {
    // Only invalid arguments make CompareStringEx fail; fall back to code
    // unit order so that sorting still terminates with a total order.
    const int order = a.compare(b);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
  }
  return result - CSTR_EQUAL;
}

// The platform's sort key of the name under these comparison flags: two keys
// are equal exactly when CompareStringEx with the flags finds the names equal.
CollationKey SortKey(std::u16string_view name, DWORD flags) {
  const wchar_t* text = reinterpret_cast<const wchar_t*>(name.data());
  const int length = static_cast<int>(name.size());
  const DWORD mapping = LCMAP_SORTKEY | flags;
  // The key of a usual name fits in the room on hand, and then one call
  // makes it; a longer one is measured first.
  std::string bytes(256, '\0');
  int size = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, mapping, text, length, reinterpret_cast<wchar_t*>(bytes.data()),
                           static_cast<int>(bytes.size()), nullptr, nullptr, 0);
  if (size <= 0 && ::GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
    size = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, mapping, text, length, nullptr, 0, nullptr, nullptr, 0);
    bytes.assign(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0 && LCMapStringEx(LOCALE_NAME_USER_DEFAULT, mapping, text, length,
                                  reinterpret_cast<wchar_t*>(bytes.data()), size, nullptr, nullptr, 0) != size) {
      size = 0;
    }
  }
  bytes.resize(static_cast<std::size_t>(size > 0 ? size : 0));
  if (size <= 0) {
    // Only invalid arguments make this fail; order by code units then.
    bytes.clear();
    for (const char16_t unit : name) {
      bytes.push_back(static_cast<char>(unit >> 8));
      bytes.push_back(static_cast<char>(unit & 0xff));
    }
  }
  // Two bytes a unit, the first byte high, so that comparing units compares
  // the bytes in order; an odd last byte is padded with the lowest value.
  CollationKey key;
  key.reserve((bytes.size() + 1) / 2);
  for (std::size_t i = 0; i < bytes.size(); i += 2) {
    const unsigned high = static_cast<unsigned char>(bytes[i]);
    const unsigned low = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) : 0u;
    key.push_back(static_cast<char16_t>((high << 8) | low));
  }
  return key;
}

}  // namespace

CollationKey MakeCollationKey(std::u16string_view name) { return SortKey(name, 0); }

CollationKey MakeCaseBlindKey(std::u16string_view text) { return SortKey(text, NORM_IGNORECASE); }

int CompareNames(std::u16string_view a, std::u16string_view b) { return CompareWithFlags(a, b, 0); }

bool NamesEqual(std::u16string_view a, std::u16string_view b) { return CompareWithFlags(a, b, 0) == 0; }

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
  return CompareWithFlags(a, b, NORM_IGNORECASE) == 0;
}

CollationKey MakeFindKey(std::u16string_view text) {
  // The system's own width and case mapping: full width joins a half-width
  // kana and its voiced mark into one character, as a comparison that
  // ignores width sees them.
  const wchar_t* source = reinterpret_cast<const wchar_t*>(text.data());
  const int length = static_cast<int>(text.size());
  constexpr DWORD kMapping = LCMAP_FULLWIDTH | LCMAP_LOWERCASE;
  if (length == 0) return {};
  const int size = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, kMapping, source, length, nullptr, 0, nullptr, nullptr, 0);
  CollationKey key(static_cast<std::size_t>(size > 0 ? size : 0), u'\0');
  if (size <= 0 || LCMapStringEx(LOCALE_NAME_USER_DEFAULT, kMapping, source, length,
                                 reinterpret_cast<wchar_t*>(key.data()), size, nullptr, nullptr, 0) != size) {
    return CollationKey(text);  // only invalid arguments make this fail
  }
  return key;
}

bool SameRegistryName(std::u16string_view a, std::u16string_view b) {
  // CompareStringOrdinal ignoring case uses the system's upper-case table,
  // the one the registry compares names with.
  return CompareStringOrdinal(reinterpret_cast<const wchar_t*>(a.data()), static_cast<int>(a.size()),
                              reinterpret_cast<const wchar_t*>(b.data()), static_cast<int>(b.size()),
                              TRUE) == CSTR_EQUAL;
}

}  // namespace tallowin

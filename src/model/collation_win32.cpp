#include "model/collation.h"

#include <windows.h>

// The platform's word sort under the user's default locale, as lstrcmpW
// orders names. The key is the name itself: CompareStringEx does the work.
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

}  // namespace

CollationKey MakeCollationKey(std::u16string_view name) { return CollationKey(name); }

int CompareCollationKeys(const CollationKey& a, const CollationKey& b) { return CompareWithFlags(a, b, 0); }

int CompareNames(std::u16string_view a, std::u16string_view b) { return CompareWithFlags(a, b, 0); }

bool NamesEqual(std::u16string_view a, std::u16string_view b) { return CompareWithFlags(a, b, 0) == 0; }

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
  return CompareWithFlags(a, b, NORM_IGNORECASE) == 0;
}

}  // namespace tallowin

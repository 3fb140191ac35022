#pragma once

#include <string>
#include <string_view>

// How variable names and type names compare. On Windows these are the
// platform's locale-aware comparisons under the user's default locale (the
// order lstrcmpW gives); the host build has a portable comparison that follows
// the same rules for ASCII names, so the same ordering tests pass in both.
namespace tallowin {

// A name prepared once for repeated ordering comparisons. What it holds is the
// comparison's business; only CompareCollationKeys looks inside.
using CollationKey = std::u16string;

CollationKey MakeCollationKey(std::u16string_view name);

// Word-sort order of two prepared names: -1, 0 or 1. Keys compare unit by
// unit on every platform; only how a key is made differs.
inline int CompareCollationKeys(const CollationKey& a, const CollationKey& b) {
  const int order = a.compare(b);
  return (order > 0) - (order < 0);
}

// Word-sort order of two names.
int CompareNames(std::u16string_view a, std::u16string_view b);

// Case-sensitive equality as the locale-aware comparison sees it; for the
// names that occur in practice this is exact equality ("PATH" is not "Path").
bool NamesEqual(std::u16string_view a, std::u16string_view b);

// Equality ignoring letter case (type names, the search for the Path entry).
bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b);

// A text prepared for equality ignoring case: two keys are equal exactly
// when EqualsIgnoringCase says the texts are, so that thousands of texts can
// be told apart through a set instead of comparing each pair.
CollationKey MakeCaseBlindKey(std::u16string_view text);

// Whether two names name the same registry value: the registry compares
// value names unit by unit ignoring letter case, with none of the linguistic
// equivalences of the word sort, so "Foo" and "FOO" are one value while a
// precomposed and a decomposed accent are two.
bool SameRegistryName(std::u16string_view a, std::u16string_view b);

// A text folded for finding one text in another ignoring letter case and the
// width of kana and letters ("ＪＡＶＡ" is "java", "ｶﾞｲﾄﾞ" is "ガイド"): a
// text contains another exactly when its key contains the other's key.
CollationKey MakeFindKey(std::u16string_view text);

}  // namespace tallowin

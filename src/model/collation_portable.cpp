#include "model/collation.h"

// The host build's word sort. It reproduces, for ASCII names, the order of
// the Windows word sort: symbols and punctuation before digits before letters;
// letters compared without regard to case first, lower case before upper case
// only when two names are otherwise equal; hyphen and apostrophe left out of
// the first comparison so that "coop" and "co-op" stand together. Characters
// outside ASCII sort after the letters by code unit.
//
// A key holds three levels, each closed by the unit 1, which is below every
// weight, so that a name that is a prefix of another sorts first:
//   1. two units per character (class, value), hyphen and apostrophe skipped;
//   2. one unit per character of level 1: 2 for lower case or no case, 3 for
//      upper case;
//   3. for each hyphen or apostrophe: its position and its character.
namespace tallowin {
namespace {

constexpr char16_t kLevelEnd = 1;
constexpr char16_t kSymbolClass = 2;
constexpr char16_t kDigitClass = 3;
constexpr char16_t kLetterClass = 4;
constexpr char16_t kOtherClass = 5;

bool IsWordSortSpecial(char16_t c) { return c == u'-' || c == u'\''; }
bool IsUpper(char16_t c) { return c >= u'A' && c <= u'Z'; }
bool IsLower(char16_t c) { return c >= u'a' && c <= u'z'; }
char16_t FoldCase(char16_t c) { return IsUpper(c) ? static_cast<char16_t>(c - u'A' + u'a') : c; }

// Half-width katakana U+FF61 to U+FF9F as their full-width forms.
constexpr std::u16string_view kFullWidthKana =
    u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜";

// The kana whose voiced form follows it directly in the code chart.
bool TakesVoicedMark(char16_t kana) {
  return (kana >= u'カ' && kana <= u'チ' && (kana - u'カ') % 2 == 0) || kana == u'ツ' || kana == u'テ' ||
         kana == u'ト' || (kana >= u'ハ' && kana <= u'ホ' && (kana - u'ハ') % 3 == 0);
}

}  // namespace

CollationKey MakeCollationKey(std::u16string_view name) {
  CollationKey primary;
  CollationKey caseLevel;
  CollationKey special;
  primary.reserve(name.size() * 2 + 1);
  caseLevel.reserve(name.size() + 1);
  for (std::size_t i = 0; i < name.size(); ++i) {
    const char16_t c = name[i];
    if (IsWordSortSpecial(c)) {
      // Positions are offset by 2 to stay above the level terminator.
      special.push_back(static_cast<char16_t>(i + 2));
      special.push_back(c);
      continue;
    }
    char16_t cls = kOtherClass;
    char16_t value = c;
    if (c >= u'0' && c <= u'9') {
      cls = kDigitClass;
    } else if (IsUpper(c) || IsLower(c)) {
      cls = kLetterClass;
      value = FoldCase(c);
    } else if (c < 0x80) {
      cls = kSymbolClass;
    }
    primary.push_back(cls);
    primary.push_back(value);
    caseLevel.push_back(IsUpper(c) ? 3 : 2);
  }
  CollationKey key = std::move(primary);
  key.push_back(kLevelEnd);
  key += caseLevel;
  key.push_back(kLevelEnd);
  key += special;
  key.push_back(kLevelEnd);
  return key;
}

int CompareNames(std::u16string_view a, std::u16string_view b) {
  return CompareCollationKeys(MakeCollationKey(a), MakeCollationKey(b));
}

bool NamesEqual(std::u16string_view a, std::u16string_view b) { return a == b; }

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

CollationKey MakeCaseBlindKey(std::u16string_view text) {
  CollationKey key(text);
  for (char16_t& unit : key) unit = FoldCase(unit);
  return key;
}

// The host's folding: full-width ASCII and the ideographic space become
// ASCII, half-width katakana full width (a voiced or semi-voiced mark joined
// to the kana before it), ASCII letters lower case.
CollationKey MakeFindKey(std::u16string_view text) {
  CollationKey key;
  key.reserve(text.size());
  for (const char16_t c : text) {
    if (c >= 0xFF01 && c <= 0xFF5E) {
      key.push_back(FoldCase(static_cast<char16_t>(c - 0xFEE0)));
    } else if (c == 0x3000) {
      key.push_back(u' ');
    } else if (c < 0xFF61 || c > 0xFF9F) {
      key.push_back(FoldCase(c));
    } else {
      const char16_t kana = kFullWidthKana[c - 0xFF61];
      const char16_t last = key.empty() ? u'\0' : key.back();
      if (kana == u'゛' && (TakesVoicedMark(last) || last == u'ウ')) {
        key.back() = last == u'ウ' ? u'ヴ' : static_cast<char16_t>(last + 1);
      } else if (kana == u'゜' && last >= u'ハ' && last <= u'ホ' && (last - u'ハ') % 3 == 0) {
        key.back() = static_cast<char16_t>(last + 2);
      } else {
        key.push_back(kana);
      }
    }
  }
  return key;
}

// Letters outside ASCII keep their case here; the Windows build folds them
// as the registry does.
bool SameRegistryName(std::u16string_view a, std::u16string_view b) { return EqualsIgnoringCase(a, b); }

}  // namespace tallowin

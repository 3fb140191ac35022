#pragma once

#include <string>
#include <string_view>
#include <vector>

// The system Path value as directory items. An item is one directory with
// its closing ';'; the joined value is the items one after the other; the
// item text is the items each followed by CR LF, as the Path list reads and
// replaces its lines. Scans work on UTF-16 code units: ';', CR and LF are
// never part of another character.
namespace tallowin {

// The item text of a value's items. A ';' that would close an empty item
// starts the next item instead, so no separator is ever lost; the last item
// gets a ';' when the value does not end with one.
std::u16string SplitPathItems(std::u16string_view value);

// The items of a value that holds no line break, as SplitPathItems makes
// them, as a list.
std::vector<std::u16string> SplitPathValue(std::u16string_view value);

// The joined value of a list of items: the items one after the other.
std::u16string JoinPathItems(const std::vector<std::u16string>& items);

// The value without any CR or LF.
std::u16string RemoveLineBreaks(std::u16string_view text);

// One item made from a directory the user typed or chose: the text unchanged
// when it already ends with ';', otherwise trimmed of blanks and control
// characters at both ends with one ';' added. A text that is empty or holds
// only blanks gives an empty text (no item), never a lone ';'.
std::u16string EnsureTrailingSemicolon(std::u16string_view text);

// The lines of an item text: split at CR LF, a lone CR or a lone LF; a line
// break at the very end closes the last line and adds no empty one.
std::vector<std::u16string> SplitLines(std::u16string_view text);

// The item text of a list of lines: each line followed by CR LF.
std::u16string JoinLines(const std::vector<std::u16string>& lines);

// The items a stored Path value is shown as when it is read. A line break
// inside the data ends an item, as a ';' does: each line is split on its
// own, so that every item ends with its own ';' and the next edit, which
// joins the items without line breaks, keeps them apart.
std::vector<std::u16string> ItemsOfReadPath(std::u16string_view data);

// Whether the items are ItemsOfReadPath(data), and whether the text is
// JoinPathItems(items); both without making either, as they run for a long
// Path on every look at what Save would write.
bool IsItemsOfReadPath(std::u16string_view data, const std::vector<std::u16string>& items);
bool IsJoinedPathItems(std::u16string_view text, const std::vector<std::u16string>& items);

}  // namespace tallowin

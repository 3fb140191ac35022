#include "cli/review_output.h"

#include <string>

#include "model/type_names.h"
#include "model/value_text.h"
#include "cli/cli_texts.h"
#include "cli/json.h"
#include "cli/keys.h"

namespace tallowin::cli {
namespace {

std::u16string_view KindWord(const ReviewRow& row) {
  switch (row.Kind) {
    case ReviewKind::Added:
      return u"added";
    case ReviewKind::Changed:
      return u"changed";
    case ReviewKind::TypeChanged:
      return u"typeChanged";
    case ReviewKind::Remains:
      break;
  }
  return row.DeleteOnSave ? u"deleted" : u"remains";
}

std::u16string ValueJson(const std::optional<RegistryValue>& value) {
  if (!value) return u"null";
  return JsonObject().Text(u"type", TypeNameOf(value->TypeCode)).Text(u"data", DataTextOf(*value)).Close();
}

}  // namespace

std::u16string ReviewRowsJson(const std::vector<ReviewRow>& rows) {
  std::vector<std::u16string> elements;
  elements.reserve(rows.size());
  for (const ReviewRow& row : rows) {
    elements.push_back(JsonObject()
                           .Text(u"scope", ScopeWord(row.Scope))
                           .Text(u"name", row.Name)
                           .Text(u"kind", KindWord(row))
                           .Raw(u"tooLong", row.TooLong ? u"true" : u"false")
                           .Raw(u"current", ValueJson(row.Current))
                           .Raw(u"toWrite", ValueJson(row.ToWrite))
                           .Close());
  }
  return JsonArray(elements);
}

void PrintReviewRows(Console& io, const std::vector<ReviewRow>& rows, bool json) {
  if (json) {
    io.Out(ReviewRowsJson(rows) + u"\r\n");
    return;
  }
  for (const ReviewRow& row : rows) {
    std::array<std::u16string, 5> columns = ReviewColumnTexts(row);
    // The review shows a value to be deleted as remaining with its box
    // ticked; a line of text says it outright.
    if (row.DeleteOnSave) columns[2] = texts::kChangeDeleted;
    std::u16string line;
    for (const std::u16string& column : columns) line += column + u'\t';
    line.back() = u'\r';
    io.Out(line + u'\n');
  }
}

}  // namespace tallowin::cli

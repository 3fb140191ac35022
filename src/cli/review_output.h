#pragma once

#include <string>
#include <vector>

#include "model/save_review.h"
#include "cli/console.h"

// What a write would change, as the review's rows: for people the review's
// five columns separated by tabs, one row a line; for --json an array of
// {scope, name, kind, current, toWrite}, each value {type, data}.
namespace tallowin::cli {

void PrintReviewRows(Console& io, const std::vector<ReviewRow>& rows, bool json);

// The rows as --json shows them: the array above.
std::u16string ReviewRowsJson(const std::vector<ReviewRow>& rows);

}  // namespace tallowin::cli

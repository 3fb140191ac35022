#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "model/save_review.h"
#include "model/variable_entry.h"
#include "regfile/deployment_file.h"
#include "commands/value_write_rules.h"

// What applying a registration file changes in the two keys as they are
// now, described as the review's rows, so that what a dry run or a diff
// shows is exactly what a real run writes.
namespace tallowin {

struct DeploymentPlan {
  // Only rows that change something: values to write, values to delete.
  std::vector<ReviewRow> Rows;
  // A row that may not be written refuses the whole file: why, which value,
  // and the file's line that asks for it.
  WriteRefusal Refusal = WriteRefusal::None;
  std::u16string RefusedName;
  std::size_t RefusedLine = 0;
};

// One key's lines as the key holds them once they are carried out in file
// order: each name the registry takes for one is one value, which keeps its
// first spelling since it was last created and the last line's value; a
// deletion line leaves the name with no value.
struct KeyChange {
  std::u16string Name;
  std::optional<RegistryValue> Value;  // nothing: deleted
  std::size_t LastLine = 0;
};
std::vector<KeyChange> NetChangesOf(const std::vector<regfile::ValueLineChange>& lines);

// The plan for a file the reader accepted. A key without a section gives no
// rows. With deleteMissing, the values a key with a section holds that the
// file does not set are deleted too, the system Path excepted; a deletion
// line of the system Path refuses the file.
DeploymentPlan PlanDeployment(const regfile::DeploymentFile& file, const std::vector<NamedValue>& systemNow,
                              const std::vector<NamedValue>& userNow, bool deleteMissing);

}  // namespace tallowin

#pragma once

#include <string>
#include <string_view>
#include <vector>

// The JSON documents of --json: objects with English keys, built as text.
namespace tallowin::cli {

// The text as a JSON string, quotes included.
std::u16string JsonQuoted(std::u16string_view text);

std::u16string JsonArray(const std::vector<std::u16string>& elements);

class JsonObject {
 public:
  JsonObject& Text(std::u16string_view key, std::u16string_view value);
  // A value that is JSON already (an object, an array, a number, null).
  JsonObject& Raw(std::u16string_view key, std::u16string_view json);
  std::u16string Close() const { return body_ + u'}'; }

 private:
  std::u16string body_ = u"{";
};

}  // namespace tallowin::cli

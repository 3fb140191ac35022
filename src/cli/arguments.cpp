#include "cli/arguments.h"

#include "cli/cli_texts.h"

namespace tallowin::cli {

std::optional<KeyScope> Arguments::Scope() const {
  if (Has(kSystem)) return KeyScope::System;
  if (Has(kUser)) return KeyScope::User;
  return std::nullopt;
}

std::vector<KeyScope> Arguments::ScopesToShow() const {
  if (const std::optional<KeyScope> scope = Scope()) return {*scope};
  return {KeyScope::System, KeyScope::User};
}

PathPlace Arguments::Place() const {
  if (Has(kFirst)) return PathPlace::First;
  if (Has(kBefore)) return PathPlace::Before;
  if (Has(kAfter)) return PathPlace::After;
  return PathPlace::Last;
}

std::optional<Arguments> ParseArguments(std::span<const std::u16string> words, unsigned allowed,
                                        std::u16string& message) {
  Arguments parsed;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::u16string& word = words[i];
    if (optionsEnded || word.size() < 2 || word.compare(0, 2, u"--") != 0) {
      parsed.Operands.push_back(word);
      continue;
    }
    if (word == u"--") {
      optionsEnded = true;
      continue;
    }
    const OptionWord* option = nullptr;
    for (const OptionWord& known : kOptionWords) {
      if (known.Word == word && (allowed & known.Bit) != 0) option = &known;
    }
    if (option == nullptr) {
      message = std::u16string(texts::kUsageUnknownOption) + word;
      return std::nullopt;
    }
    parsed.Given |= option->Bit;
    if (!option->TakesValue) continue;
    if (i + 1 >= words.size()) {
      message = std::u16string(texts::kUsageMissingValue) + word;
      return std::nullopt;
    }
    std::u16string& value = option->Bit == kType         ? parsed.TypeName
                            : option->Bit == kExpectSha256 ? parsed.Sha256
                            : option->Bit == kName         ? parsed.Name
                                                           : parsed.Anchor;
    value = words[++i];
  }
  return parsed;
}

}  // namespace tallowin::cli

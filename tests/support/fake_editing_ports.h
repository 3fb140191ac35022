#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "commands/ports.h"

// Stand-ins for the editing ports: the system clipboard, the folder browser,
// the process environment and the window's focused edit field, behaving as
// the Win32 ones do.
namespace tallowin::testing {

// The system clipboard as text. While Held, another program has it open
// and every call that needs to open it fails as the real port does after
// its wait (ERROR_ACCESS_DENIED).
class ScriptedClipboard : public ClipboardPort {
 public:
  static constexpr std::uint32_t kAccessDenied = 5;

  std::optional<std::u16string> Text;
  bool Held = false;
  std::vector<std::u16string> Writes;

  PortResult WriteText(std::u16string_view text) override {
    if (Held) return PortResult::Failure(kAccessDenied);
    Writes.emplace_back(text);
    Text = std::u16string(text);
    return PortResult::Success();
  }
  ClipboardText ReadText() override {
    if (Held) return {PortResult::Failure(kAccessDenied), std::nullopt};
    return {PortResult::Success(), Text};
  }
  bool HasText() override { return Text.has_value(); }
};

// Answers the folder browser from a script (a path, or nothing for Cancel);
// cancels once the script has run out. Records where each browse opened.
class ScriptedFolderPicker : public FolderPickerPort {
 public:
  std::deque<std::optional<std::u16string>> Answers;
  std::vector<std::u16string> StartFolders;

  std::optional<std::u16string> PickFolder(std::u16string_view startFolder) override {
    StartFolders.emplace_back(startFolder);
    if (Answers.empty()) return std::nullopt;
    std::optional<std::u16string> answer = Answers.front();
    Answers.pop_front();
    return answer;
  }
};

// A process environment: the texts it expands, each to its expansion
// (every other text stays as it is), and the directories that exist.
class FakeEnvironment : public EnvironmentPort {
 public:
  std::map<std::u16string, std::u16string> Expansions;
  std::set<std::u16string> Directories;

  std::u16string ExpandReferences(std::u16string_view text) override {
    const auto expansion = Expansions.find(std::u16string(text));
    return expansion != Expansions.end() ? expansion->second : std::u16string(text);
  }
  bool IsExistingDirectory(std::u16string_view path) override { return Directories.count(std::u16string(path)) != 0; }
};

// One single-line edit field that has the focus (or none does): its text
// and selection [SelectionStart, SelectionEnd).
class FakeFocusedEdit : public FocusedEditPort {
 public:
  bool Focused = false;
  std::u16string Text;
  std::size_t SelectionStart = 0;
  std::size_t SelectionEnd = 0;

  void Select(std::size_t start, std::size_t end) {
    SelectionStart = start;
    SelectionEnd = end;
  }

  bool IsEditFieldFocused() const override { return Focused; }
  std::u16string SelectedText() const override { return Text.substr(SelectionStart, SelectionEnd - SelectionStart); }
  bool HasSelection() const override { return SelectionEnd > SelectionStart; }
  // The caret ends after the inserted text, with nothing selected.
  void ReplaceSelection(std::u16string_view text) override {
    Text.replace(SelectionStart, SelectionEnd - SelectionStart, text);
    SelectionStart += text.size();
    SelectionEnd = SelectionStart;
  }
};

}  // namespace tallowin::testing

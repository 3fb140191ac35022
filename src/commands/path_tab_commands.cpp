#include "commands/path_tab_commands.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "commands/command_step.h"
#include "model/path_value.h"

namespace tallowin {
namespace {

using Lines = std::vector<std::u16string>;

int ItemCount(const MainModel& model) { return static_cast<int>(model.PathList.size()); }

bool IsItemIndex(const MainModel& model, int index) { return index >= 0 && index < ItemCount(model); }

// The lines are the Path list with one change made: joined and split again,
// so that a line holding several directories becomes several items and an
// empty line disappears.
void Rebuild(MainModel& model, const Lines& lines) { model.SetPathLines(lines); }

// Inserts a line at PathIndex, or at the start when there is no current
// position; the first item it makes becomes current.
void InsertLine(MainModel& model, std::u16string line) {
  const int position = std::clamp(model.PathIndex, 0, ItemCount(model));
  Lines lines = model.PathList;
  lines.insert(lines.begin() + position, std::move(line));
  model.PathIndex = position;
  Rebuild(model, lines);
}

void ReplaceCurrentLine(MainModel& model, std::u16string line) {
  Lines lines = model.PathList;
  lines[static_cast<std::size_t>(model.PathIndex)] = std::move(line);
  Rebuild(model, lines);
}

// Removes the item at the index; the item that followed it becomes current,
// or the new last item when it was the last.
void RemoveItem(MainModel& model, int index) {
  const int lastBefore = model.PathLastIndex();
  model.PathList.erase(model.PathList.begin() + index);
  if (model.PathIndex >= lastBefore) --model.PathIndex;
  model.RefreshPathView();
}

// The item at the index, if there is one there, becomes the whole Path
// clipboard; returns the text for the system clipboard, each line followed
// by CR LF.
std::u16string CopyItemToPathClip(MainModel& model, int index) {
  Lines clip;
  if (IsItemIndex(model, index)) clip.push_back(model.PathList[static_cast<std::size_t>(index)]);
  std::u16string text = JoinLines(clip);
  model.PathClip = std::move(clip);
  return text;
}

}  // namespace

void AddPathItem(MainModel& model) {
  std::u16string item = EnsureTrailingSemicolon(model.Edit2);
  if (item.empty()) return;
  RunAsOneStep(model, [&] { InsertLine(model, std::move(item)); });
}

void ReplacePathItem(MainModel& model) {
  if (!IsItemIndex(model, model.PathIndex)) return;
  std::u16string item = EnsureTrailingSemicolon(model.Edit2);
  if (item.empty()) return;
  RunAsOneStep(model, [&] { ReplaceCurrentLine(model, std::move(item)); });
}

void DeletePathItem(MainModel& model) {
  const int selected = model.PathListSelection();
  if (!IsItemIndex(model, selected)) return;
  RunAsOneStep(model, [&] { RemoveItem(model, selected); });
}

CommandOutcome CutPathItem(MainModel& model, const CommandPorts& ports) {
  return RunAsOneStepWithClipboard(model, ports, [&]() -> std::optional<std::u16string> {
    const int selected = model.PathListSelection();
    std::u16string text = CopyItemToPathClip(model, selected);
    if (IsItemIndex(model, selected)) {
      RemoveItem(model, selected);
    } else {
      model.RefreshPathView();
    }
    return text;
  });
}

CommandOutcome CopyPathItem(MainModel& model, const CommandPorts& ports) {
  return RunAsOneStepWithClipboard(model, ports, [&]() -> std::optional<std::u16string> {
    std::u16string text = CopyItemToPathClip(model, model.PathListSelection());
    model.RefreshPathView();
    return text;
  });
}

void PastePathItems(MainModel& model) {
  if (!IsItemIndex(model, model.PathIndex) || model.PathClip.empty()) return;
  RunAsOneStep(model, [&] { ReplaceCurrentLine(model, JoinLines(model.PathClip)); });
}

bool CanMovePathItem(const MainModel& model, UpDownButton button) {
  const int to = button == UpDownButton::Up ? model.PathIndex - 1 : model.PathIndex + 1;
  return model.ShownTab == Tab::Path && IsItemIndex(model, model.PathIndex) && IsItemIndex(model, to);
}

void UpDownClick(MainModel& model, UpDownButton button) {
  const int from = model.PathIndex;
  const int to = button == UpDownButton::Up ? from - 1 : from + 1;
  RunAsOneStep(model, [&] {
    // The item changes places with its neighbour, as a cut and an insert
    // one place on would leave it, but the clipboards keep what the user
    // put there.
    if (IsItemIndex(model, from) && IsItemIndex(model, to)) {
      Lines lines = model.PathList;
      std::swap(lines[static_cast<std::size_t>(from)], lines[static_cast<std::size_t>(to)]);
      model.PathIndex = to;
      Rebuild(model, lines);
    }
    model.RefreshPathView();
  });
}

void FileBrowseExecute(MainModel& model, EditorState& state, const CommandPorts& ports) {
  std::u16string folder = model.Edit2;
  if (!folder.empty() && folder.back() == u';') folder.pop_back();
  std::u16string expanded = ports.Environment->ExpandReferences(folder);
  if (!expanded.empty() && ports.Environment->IsExistingDirectory(expanded)) {
    state.BrowseStartFolder = std::move(expanded);
  }
  if (const std::optional<std::u16string> chosen = ports.Folders->PickFolder(state.BrowseStartFolder)) {
    model.Edit2 = EnsureTrailingSemicolon(*chosen);
  }
}

}  // namespace tallowin

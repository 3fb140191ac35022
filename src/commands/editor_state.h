#pragma once

#include <string>

#include "commands/edit_history.h"
#include "model/clip_item.h"

// What the editing commands keep besides MainModel: the entry buffer shared
// by both variable tabs, the texts of the variable tabs' fields, the folder
// browser's start folder, the enabled states of the Edit menu's four
// commands and the history of the lists' edits. The window owns one
// EditorState beside its MainModel.
namespace tallowin {

// The three fields under a variable tab's list.
struct VariableFields {
  std::u16string Name;
  // The type drop-down's text: one of the twelve type names, or empty while
  // none is chosen.
  std::u16string TypeName;
  std::u16string Data;
};

// Cut, Copy, Paste and Delete of the Edit menu and the context menu, which
// share these states with their shortcuts. All four start enabled.
struct EditActionStates {
  bool Cut = true;
  bool Copy = true;
  bool Paste = true;
  bool Delete = true;

  bool operator==(const EditActionStates&) const = default;
};

struct EditorState {
  // The window's entry buffer: the variable last cut or copied on either
  // variable tab; empty (IsSet false) until the first.
  CClipItem ClipItem;
  VariableFields SysFields;
  VariableFields UserFields;
  // Where the folder browser opens; kept from one browse to the next.
  std::u16string BrowseStartFolder;
  EditActionStates EditActions;
  // The lists' edits since the last Load, for undo and redo.
  EditHistory History;
};

}  // namespace tallowin

#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "commands/edit_commands.h"
#include "model/type_names.h"
#include "model/value_text.h"
#include "support/fake_editing_ports.h"
#include "support/scripted_dialogs.h"

// The editing commands' bench: the window's state as Load leaves it (System
// list OS, TEMP and the linked Path; User list TEMP and tmp; all read from
// the registry), the editor state, and scripted ports. The owner window's
// top-left corner is (100, 50).
namespace tallowin::testing {

struct EditingBench {
  EditingBench() { Load(u"C:\\A;C:\\B;C:\\C"); }

  void Load(std::u16string_view path) {
    model = MainModel();
    model.SysList.Add(VariableEntry::FromValue(u"OS", TextToValue(kRegSz, u"Windows_NT")));
    model.SysList.Add(VariableEntry::FromValue(u"TEMP", TextToValue(kRegExpandSz, u"T")));
    model.LinkPathEntry(model.SysList.Add(VariableEntry::FromValue(u"Path", TextToValue(kRegExpandSz, path))));
    model.UserList.Add(VariableEntry::FromValue(u"TEMP", TextToValue(kRegExpandSz, u"U")));
    model.UserList.Add(VariableEntry::FromValue(u"tmp", TextToValue(kRegSz, u"V")));
    model.RefreshPathView();
  }

  // The Path tab with another Path value, the item at the index current
  // (-1: none).
  void ShowPath(std::u16string_view path, int current) {
    Load(path);
    model.PathListClick(current);
  }

  EditList& ListOf(Tab tab) { return tab == Tab::System ? model.SysList : model.UserList; }

  // A variable tab with the named row selected (none for an empty name).
  void Show(Tab tab, std::u16string_view selected) {
    model.ShowTab(tab);
    ListOf(tab).Select(selected.empty() ? -1 : ListOf(tab).FindIgnoringCase(selected));
  }

  std::u16string SelectedName(Tab tab) {
    const int selected = ListOf(tab).Selected();
    return selected < 0 ? u"(none)" : ListOf(tab).At(selected).Name;
  }

  std::u16string PathEntryData() const { return std::u16string(model.SysList.At(model.PathEntryIndex()).Data()); }
  // What Save writes for the Path entry.
  RegistryValue PathWritten() const {
    return model.ValuesToWrite(model.SysList).at(static_cast<std::size_t>(model.PathEntryIndex())).Value;
  }

  FixedWindow window{ScreenRect{100, 50, 600, 550}};
  ScriptedDialogs dialogs;
  ScriptedClipboard clipboard;
  ScriptedFolderPicker folders;
  FakeEnvironment environment;
  FakeFocusedEdit focusedEdit;  // no edit field has the focus until a test says so
  CommandPorts ports{.Dialogs = &dialogs,
                     .Window = &window,
                     .Clipboard = &clipboard,
                     .Folders = &folders,
                     .Environment = &environment,
                     .FocusedEdit = &focusedEdit};
  MainModel model;
  EditorState state;
};

// A list's rows as "name=type:data" texts, in order.
inline std::vector<std::u16string> Rows(const EditList& list) {
  std::vector<std::u16string> rows;
  for (int i = 0; i < list.Count(); ++i) {
    const VariableEntry& e = list.At(i);
    rows.push_back(e.Name + u"=" + std::u16string(e.TypeName()) + u":" + std::u16string(e.Data()));
  }
  return rows;
}

}  // namespace tallowin::testing

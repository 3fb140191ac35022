#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/edit_list.h"
#include "model/environment_keys.h"

// What the main window holds and shows: the two edit lists, the Path list and
// the fields that keep it in step with the System list's Path entry, and the
// texts of the controls that show them. The window mirrors this state into
// its controls; the commands and tests work on it directly.
namespace tallowin {

// The tabs by index, as the window tells them apart.
enum class Tab { Path = 0, System = 1, User = 2 };

class MainModel {
 public:
  EditList SysList;
  EditList UserList;
  // The Path list: the directory items of the system Path value, each
  // ending with ';', never sorted.
  std::vector<std::u16string> PathList;

  bool Loading = false;
  int PathIndex = 0;
  std::vector<std::u16string> PathClip;
  // The System list's row that holds the Path value; a row that leaves the
  // list is no longer found, so the link then reads as none.
  std::optional<EntryId> PathEntry;

  // Control texts the window shows.
  std::u16string Edit1;  // the joined Path value, or what the user typed
  std::u16string Edit2;  // the current Path item

  // The positions the Path tab shows, derived from the Path list and
  // PathIndex whenever they are asked for. The up-down control counts from
  // the last item (0) up to the first (PathLastIndex()), so that its up arrow,
  // which raises the position, moves an item towards the top.
  int PathLastIndex() const { return static_cast<int>(PathList.size()) - 1; }
  int PathListSelection() const { return PathIndex >= 0 && PathIndex <= PathLastIndex() ? PathIndex : -1; }
  int UpDownMax() const { return PathLastIndex(); }
  int UpDownPosition() const { return PathLastIndex() - PathIndex; }
  std::u16string CountText;   // status bar panel 1
  Tab ShownTab = Tab::Path;

  // The names each list held when Load last read it (empty before any
  // Load, and for a scope whose section an Import replaced): a value the
  // list held then and holds no more was taken out by the user.
  std::vector<std::u16string> SysNamesAtLoad;
  std::vector<std::u16string> UserNamesAtLoad;
  // The values the user asked Save to delete from their keys after
  // writing; Load and Import clear it.
  std::vector<ScopedName> DeleteOnSave;

  // What each key held when Load last read it (nothing before a Load), and
  // since then what Save wrote to it: Save compares the keys with it to find
  // what other programs changed meanwhile. Import does not change it.
  std::optional<std::vector<NamedValue>> SysKeyAtLoad;
  std::optional<std::vector<NamedValue>> UserKeyAtLoad;
  // The rows the last Save wrote over a value another program had changed
  // since Load; the lists mark them "競合" until Load or Import.
  std::vector<ScopedName> Conflicts;
  bool IsConflict(KeyScope scope, std::u16string_view name) const;

  // A new value comes in (typed into Edit1): the Path list is replaced by
  // its items, PathIndex pulled into range, and the Path entry receives
  // Edit1's text. Edit1 and the count stay as they are.
  void SetPathValue(std::u16string_view value);
  // A command's change of the Path list: the lines (items, or texts that
  // hold several directories) are joined and split once into the new items,
  // PathIndex is pulled into range and the view refreshed.
  void SetPathLines(const std::vector<std::u16string>& lines);
  // Shows the Path list as it now is: Edit1, Edit2, selection, up-down,
  // count text of the tab shown, and the Path entry's data.
  void RefreshPathView();

  // Edit1's change handler (the window calls it only while Edit1 has the
  // focus and the Path tab is shown): Edit1 takes the text, which is split
  // into the Path list.
  void Edit1Change(std::u16string_view text);
  // The Path list's selection changed to the given index (-1 for none).
  void PathListClick(int index);
  // The tab shown changed: panel 1 shows that tab's count.
  void ShowTab(Tab tab);

  // The Path list as an item text (each item followed by CR LF).
  std::u16string PathItemText() const;

  // The System list's index of the Path entry, or -1 when there is none.
  int PathEntryIndex() const;
  // Links a System list row as the Path entry and fills the Path list from
  // its data: Edit1 shows the data unchanged, the items are those the data
  // is read as (ItemsOfReadPath), PathIndex becomes 0.
  void LinkPathEntry(int sysIndex);

  // What Save and Export write for SysList or UserList, in list order. A row
  // read from the registry or a file that still shows what it was read with
  // writes exactly the value read; for the Path entry that holds while the
  // Path list has the items it was read as (WritesStoredValue), so a Path
  // the user only looked at keeps its line breaks, a missing last ';' and
  // its blanks. Every other row writes what it shows.
  std::vector<NamedValue> ValuesToWrite(const EditList& list) const;

 private:
  void ApplyPathItems(std::vector<std::u16string> items);
  void ShowCurrentItem();
  void MirrorEdit1IntoPathEntry();
  int CountOfShownTab() const;
};

}  // namespace tallowin

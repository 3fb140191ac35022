#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/edit_list.h"

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
  int PathLastIndex = 0;
  std::vector<std::u16string> PathClip;
  // The System list's row that holds the Path value; a row that leaves the
  // list is no longer found, so the link then reads as none.
  std::optional<EntryId> PathEntry;

  // Control texts and positions the window shows.
  std::u16string Edit1;  // the joined Path value, or what the user typed
  std::u16string Edit2;  // the current Path item
  int PathListSelection = -1;
  int UpDownMax = 0;
  int UpDownPosition = 0;
  std::u16string StatusText;  // status bar panel 0
  std::u16string CountText;   // status bar panel 1
  Tab ShownTab = Tab::Path;

  // A new value comes in (typed into Edit1, or rebuilt by a command): the
  // Path list is replaced by its items, PathIndex pulled into range, and the
  // Path entry receives Edit1's text. Edit1 and the count stay as they are.
  // This is an edit of the Path value: from now on the Path entry writes its
  // text, no longer the value it was read with.
  void SetPathValue(std::u16string_view value);
  // Shows the Path list as it now is: Edit1, Edit2, selection, up-down,
  // count text of the tab shown, and the Path entry's data.
  void RefreshPathView();

  // Edit1's change handler (the window calls it only while Edit1 has focus).
  // A text equal to the one Edit1 already holds is the program's own write
  // coming back through the control, not an edit: the Path list is split
  // again all the same, but the Path entry keeps the value it was read with.
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
  // its data: Edit1 shows the data unchanged, the items are the lines of its
  // split, PathIndex becomes 0. Until the Path value is edited, the Path tab
  // only shows it, however its items join, so a row read from the registry
  // or a file goes on writing exactly the value it was read with (line
  // breaks, a missing last ';' and blanks included).
  void LinkPathEntry(int sysIndex);

 private:
  // The value the linked Path entry was read with, kept while the Path value
  // has not been edited since the link.
  struct UneditedPath {
    EntryId Entry;
    StoredValue Value;
  };

  void ApplyPathValue(std::u16string_view value);
  void ApplyPathItems(std::vector<std::u16string> items);
  void EndUneditedPath();
  void ShowPathSelection();
  void MirrorEdit1IntoPathEntry();
  int CountOfShownTab() const;

  std::optional<UneditedPath> uneditedPath_;
};

}  // namespace tallowin

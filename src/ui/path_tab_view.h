#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "commands/path_tab_commands.h"
#include "model/list_filter.h"
#include "model/main_model.h"
#include "ui/filter_field.h"
#include "ui/status_hints.h"

// The "Path" tab: Edit1 (the joined Path value, editable), the filter field,
// the Path list, Edit2 (the current item), the browse button, the up-down
// control that moves the current item, and the line that shows what the
// current item becomes. The view owns these controls, lays them out, mirrors
// the Path side of the model into them (the items the filter lets through)
// and turns their own notifications into the model's Path events.
namespace tallowin::ui {

class PathTabView {
 public:
  void Create(HWND page, StatusHints& hints);
  void Layout(UINT dpi, HFONT font);

  // Shows the model's Path side: Edit1, the items the filter lets through
  // (only those that changed), the selection, Edit2 and the up-down range
  // and position, which are the whole list's.
  void Mirror(const MainModel& model);
  void ShowExpansion(std::u16string_view line);
  // Brings the model up to date with what the user typed into Edit2.
  void ReadFields(MainModel& model) const;

  using Handled = ViewHandled;
  // A notification of one of the view's controls, applied to the model. The
  // view's own writes into its controls change nothing.
  Handled OnCommand(MainModel& model, HWND control, int code);
  // The arrow the up-down control just moved by, when it is the view's and
  // its position moved from where the model had put it.
  std::optional<UpDownButton> ArrowOf(HWND control, const MainModel& model) const;

  HWND PathList() const { return pathList_; }
  std::array<HWND, 3> EditFields() const { return {edit1_, edit2_, filter_.Handle()}; }
  FilterField& Filter() { return filter_; }

 private:
  void MirrorItems(const std::vector<std::u16string>& wanted);

  HWND page_ = nullptr;
  HWND edit1_ = nullptr;
  HWND pathList_ = nullptr;
  HWND edit2_ = nullptr;
  HWND upDown_ = nullptr;
  HWND expansion_ = nullptr;
  FilterField filter_;
  PathItemKeys keys_;
  // The Path list's items the list box shows, in order: item i of the
  // control is the list's shownRows_[i].
  std::vector<int> shownRows_;
  // Edit1's change handler is attached only while Edit1 has the focus.
  bool edit1Attached_ = false;
  // Set while the view writes the model into its controls, whose change
  // notifications then are not the user's.
  bool mirroring_ = false;
  std::vector<std::u16string> shownItems_;
};

}  // namespace tallowin::ui

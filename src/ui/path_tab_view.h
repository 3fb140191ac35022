#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "commands/path_tab_commands.h"
#include "model/main_model.h"
#include "ui/status_hints.h"

// The "Path" tab: Edit1 (the joined Path value, editable), the Path list,
// Edit2 (the current item), the browse button and the up-down control that
// moves the current item. The view owns these controls, lays them out,
// mirrors the Path side of the model into them and turns their own
// notifications into the model's Path events.
namespace tallowin::ui {

class PathTabView {
 public:
  void Create(HWND page, StatusHints& hints);
  void Layout(UINT dpi, HFONT font);

  // Shows the model's Path side: Edit1, the items (only those that changed),
  // the selection, Edit2 and the up-down range and position.
  void Mirror(const MainModel& model);
  // Brings the model up to date with what the user typed into Edit2.
  void ReadFields(MainModel& model) const;

  // What a notification of a control did.
  enum class Handled { NotMine, Mine, ModelChanged };
  // A notification of one of the view's controls, applied to the model. The
  // view's own writes into its controls change nothing.
  Handled OnCommand(MainModel& model, HWND control, int code);
  // The arrow the up-down control just moved by, when it is the view's and
  // its position moved from where the model had put it.
  std::optional<UpDownButton> ArrowOf(HWND control, const MainModel& model) const;

  HWND PathList() const { return pathList_; }
  std::array<HWND, 2> EditFields() const { return {edit1_, edit2_}; }

 private:
  void MirrorItems(const std::vector<std::u16string>& wanted);

  HWND page_ = nullptr;
  HWND edit1_ = nullptr;
  HWND pathList_ = nullptr;
  HWND edit2_ = nullptr;
  HWND upDown_ = nullptr;
  // Edit1's change handler is attached only while Edit1 has the focus.
  bool edit1Attached_ = false;
  // Set while the view writes the model into its controls, whose change
  // notifications then are not the user's.
  bool mirroring_ = false;
  std::vector<std::u16string> shownItems_;
};

}  // namespace tallowin::ui

#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "commands/path_tab_commands.h"
#include "model/expansion_line.h"
#include "model/list_filter.h"
#include "model/main_model.h"
#include "ui/filter_field.h"
#include "ui/status_hints.h"
#include "ui/tab_view.h"

// The "Path" tab: Edit1 (the joined Path value, editable), the filter field,
// the Path list, Edit2 (the current item), the browse button, the up-down
// control that moves the current item, and the line that shows what the
// current item becomes. The view owns these controls, lays them out, mirrors
// the Path side of the model into them (the items the filter lets through)
// and turns their own notifications into the model's Path events.
namespace tallowin::ui {

class PathTabView final : public TabView {
 public:
  // programVariable: what the expansion line takes for a variable that
  // neither key holds; it outlives the view.
  explicit PathTabView(const VariableLookup& programVariable) : programVariable_(programVariable) {}

  void Create(HWND page, StatusHints& hints) override;
  bool Created() const override { return page_ != nullptr; }
  void Layout(UINT dpi, HFONT font) override;

  // Shows the model's Path side: Edit1, the items the filter lets through
  // (only those that changed), the selection, Edit2 and the up-down range
  // and position, which are the whole list's.
  void Mirror(const MainModel& model) override;
  void ShowExpansion(const MainModel& model) override;
  // Brings the model up to date with what the user typed into Edit2.
  void ReadFields(MainModel& model, EditorState& editor) const override;
  // Typing into Edit1 is one step of the history from the moment the field
  // takes the focus.
  ViewHandled OnCommand(MainModel& model, EditHistory& history, HWND control, int code) override;
  void Shown(const MainModel&) override {}
  // The arrow the up-down control just moved by, when it is the view's and
  // its position moved from where the model had put it.
  std::optional<UpDownButton> ArrowOf(HWND control, const MainModel& model) const;

  HWND ListHandle() const override { return pathList_; }
  std::array<HWND, 3> EditFields() const override { return {edit1_, edit2_, filter_.Handle()}; }
  FilterField& Filter() override { return filter_; }

 private:
  ViewHandled ApplyCommand(MainModel& model, HWND control, int code);
  void MirrorItems(const std::vector<std::u16string>& wanted);

  const VariableLookup& programVariable_;
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

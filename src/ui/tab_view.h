#pragma once

#include <windows.h>

#include <array>

#include "commands/edit_history.h"
#include "commands/editor_state.h"
#include "model/main_model.h"
#include "ui/filter_field.h"
#include "ui/status_hints.h"

// What the main window asks of a tab's view, whichever tab it is, so that
// the frame routes to the views without knowing what any of them shows.
// A view owns the controls of its page: it makes and lays them out, mirrors
// its part of the model into them, reads its fields back and turns its
// controls' notifications into the model's events.
namespace tallowin::ui {

class TabView {
 public:
  // Makes the view's controls on its page. The Path tab's are made at
  // start, a variable tab's when the tab is first needed.
  virtual void Create(HWND page, StatusHints& hints) = 0;
  virtual bool Created() const = 0;
  virtual void Layout(UINT dpi, HFONT font) = 0;

  // Shows the view's part of the model, and the line under its fields.
  virtual void Mirror(const MainModel& model) = 0;
  // The line under the fields, after the user changed what they hold.
  virtual void ShowExpansion(const MainModel& model) = 0;
  // Brings the model and the editor state up to date with the fields as
  // the user left them, before a command reads them.
  virtual void ReadFields(MainModel& model, EditorState& editor) const = 0;
  // A notification of one of the view's controls, applied to the model; an
  // edit it makes is a step of the lists' history. The view's own writes
  // into its controls change nothing.
  virtual ViewHandled OnCommand(MainModel& model, EditHistory& history, HWND control, int code) = 0;
  // The tab has just come up.
  virtual void Shown(const MainModel& model) = 0;

  virtual HWND ListHandle() const = 0;
  // The edit fields a field command (Cut, Paste, the field's undo) acts on.
  virtual std::array<HWND, 3> EditFields() const = 0;
  virtual FilterField& Filter() = 0;

  // Escape in the filter field empties it and gives the focus back to the
  // list, where the user goes on with the row found. The list, or null when
  // the key was not pressed in the filter field.
  HWND EscapeFromFilter(HWND keyTarget) {
    if (!Created() || keyTarget != Filter().Handle()) return nullptr;
    Filter().Clear();
    ::SetFocus(ListHandle());
    return ListHandle();
  }

 protected:
  ~TabView() = default;
};

}  // namespace tallowin::ui

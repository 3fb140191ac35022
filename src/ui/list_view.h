#pragma once

#include <windows.h>

#include "model/edit_list.h"

// A report-style list view that shows an edit list: three columns (name,
// type, data), whole-row single selection that stays shown without the
// focus, no editing in place, rows in the list's own order.
namespace tallowin::ui {

class ListView {
 public:
  // Creates the control as a child of the parent at the design rectangle.
  void Create(HWND parent, int id);
  HWND Handle() const { return handle_; }

  // Sets the column widths for the DPI.
  void ScaleColumns(UINT dpi);
  // Shows the list's rows and selection. Rows are rewritten only where their
  // texts differ from what the control shows.
  void Show(const EditList& list);
  // The selected row, or -1.
  int Selected() const;

 private:
  void SetRowTexts(int row, const VariableEntry& entry, bool fresh);

  HWND handle_ = nullptr;
};

}  // namespace tallowin::ui

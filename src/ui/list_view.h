#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "model/edit_list.h"

// A report-style list view that shows an edit list: three columns (name,
// type, data), whole-row single selection that stays shown without the
// focus, no editing in place, rows in the list's own order.
//
// The control holds no texts of its own (LVS_OWNERDATA): it asks for a
// row's cells when it draws them, and they are read from the list then, so
// showing ten thousand rows costs what showing the visible ones does, and a
// list that sorted itself again needs nothing but a repaint.
namespace tallowin::ui {

class ListView {
 public:
  // Creates the control as a child of the parent.
  void Create(HWND parent, int id);
  HWND Handle() const { return handle_; }

  // Sets the column widths for the DPI.
  void ScaleColumns(UINT dpi);
  // Shows the rows of the list named in `rows` (indexes into the list, in
  // order): their number, the selection, and a repaint of the cells, which
  // the control then asks for. The control's row i is the list's rows[i].
  void Show(const EditList& list, const std::vector<int>& rows);
  // Answers the control's request for the cells of a row; a row named in
  // `conflicts` shows the mark "競合" after its name.
  static void FillCell(NMLVDISPINFOW& request, const EditList& list, const std::vector<int>& rows,
                       const std::vector<std::u16string>& conflicts);
  // The control's selected row, or -1.
  int Selected() const;

 private:
  HWND handle_ = nullptr;
};

}  // namespace tallowin::ui

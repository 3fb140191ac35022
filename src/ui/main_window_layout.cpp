#include "ui/main_window_layout.h"

#include <array>

#include "ui/resources/resource.h"
#include "ui/window_metrics.h"

namespace tallowin::ui {
namespace {

// The filter field takes the top of each list's place, and the line that
// shows what a value becomes lies under the fields.
constexpr std::array<ControlPlace, 22> kPlaces{{
    {IDC_EDIT1, Parent::PathPage, 8, 8, 449, 20},
    {IDC_PATH_FILTER_EDIT, Parent::PathPage, 8, 32, 449, 20},
    {IDC_PATH_LIST, Parent::PathPage, 8, 56, 449, 249},
    {IDC_EDIT2, Parent::PathPage, 8, 312, 417, 20},
    {IDM_FILE_BROWSE, Parent::PathPage, 432, 312, 25, 20},
    {IDC_UP_DOWN, Parent::PathPage, 457, 56, 16, 249},
    {IDC_PATH_EXPANSION, Parent::PathPage, 8, 338, 465, 16},
    {IDC_SYS_FILTER_EDIT, Parent::SysPage, 8, 8, 465, 20},
    {IDC_SYS_LIST_VIEW, Parent::SysPage, 8, 32, 465, 273},
    {IDC_SYS_KEY_TYPE_COMBO, Parent::SysPage, 128, 312, 89, 20},
    {IDC_SYS_KEY_DATA_EDIT, Parent::SysPage, 224, 312, 249, 20},
    {IDC_SYS_KEY_NAME_EDIT, Parent::SysPage, 8, 312, 113, 20},
    {IDC_SYS_EXPANSION, Parent::SysPage, 8, 338, 465, 16},
    {IDC_USER_FILTER_EDIT, Parent::UserPage, 8, 8, 465, 20},
    {IDC_USER_LIST_VIEW, Parent::UserPage, 8, 32, 465, 273},
    {IDC_USER_KEY_NAME_EDIT, Parent::UserPage, 8, 312, 113, 20},
    {IDC_USER_KEY_TYPE_COMBO, Parent::UserPage, 128, 312, 89, 20},
    {IDC_USER_KEY_DATA_EDIT, Parent::UserPage, 224, 312, 249, 20},
    {IDC_USER_EXPANSION, Parent::UserPage, 8, 338, 465, 16},
    {IDM_EDIT_ADD_BTN, Parent::Panel, 122, 6, 75, 25},
    {IDM_EDIT_REPLASE_BTN, Parent::Panel, 202, 6, 75, 25},
    {IDM_EDIT_DELETE_BTN, Parent::Panel, 282, 6, 75, 25},
}};

}  // namespace

std::span<const ControlPlace> ControlPlaces() { return kPlaces; }

const ControlPlace* FindControlPlace(int id) {
  for (const ControlPlace& place : kPlaces) {
    if (place.Id == id) return &place;
  }
  return nullptr;
}

void PlaceControls(HWND parent, Parent owner, UINT dpi) {
  for (const ControlPlace& place : kPlaces) {
    if (place.Owner != owner) continue;
    ::MoveWindow(::GetDlgItem(parent, place.Id), Scale(place.Left, dpi), Scale(place.Top, dpi), Scale(place.Width, dpi),
                 Scale(place.Height, dpi), FALSE);
  }
}

}  // namespace tallowin::ui

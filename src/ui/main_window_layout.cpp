#include "ui/main_window_layout.h"

#include <array>

#include "ui/resources/resource.h"
#include "ui/window_metrics.h"

namespace tallowin::ui {
namespace {

constexpr std::array<ControlPlace, 16> kPlaces{{
    {IDC_EDIT1, Parent::PathPage, 8, 8, 449, 20},
    {IDC_PATH_LIST, Parent::PathPage, 8, 32, 449, 297},
    {IDC_EDIT2, Parent::PathPage, 8, 336, 417, 20},
    {IDM_FILE_BROWSE, Parent::PathPage, 432, 336, 25, 20},
    {IDC_UP_DOWN, Parent::PathPage, 457, 32, 16, 297},
    {IDC_SYS_LIST_VIEW, Parent::SysPage, 8, 8, 465, 321},
    {IDC_SYS_KEY_TYPE_COMBO, Parent::SysPage, 128, 336, 89, 20},
    {IDC_SYS_KEY_DATA_EDIT, Parent::SysPage, 224, 336, 249, 20},
    {IDC_SYS_KEY_NAME_EDIT, Parent::SysPage, 8, 336, 113, 20},
    {IDC_USER_LIST_VIEW, Parent::UserPage, 8, 8, 465, 321},
    {IDC_USER_KEY_NAME_EDIT, Parent::UserPage, 8, 336, 113, 20},
    {IDC_USER_KEY_TYPE_COMBO, Parent::UserPage, 128, 336, 89, 20},
    {IDC_USER_KEY_DATA_EDIT, Parent::UserPage, 224, 336, 249, 20},
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

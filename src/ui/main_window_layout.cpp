#include "ui/main_window_layout.h"

#include <array>

#include "ui/resources/resource.h"
#include "ui/window_metrics.h"

namespace tallowin::ui {
namespace {

// The filter field takes the top of each list's place, and the line that
// shows what a value becomes lies under the fields.
constexpr std::array<ControlPlace, 24> kPlaces{{
    {IDC_PAGE_CONTROL, Parent::Window, 0, 0, 492, 390},
    {IDC_PANEL1, Parent::Window, 0, 390, 492, 40},
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

RECT PlaceAt(const ControlPlace& place, UINT dpi) {
  const int left = Scale(place.Left, dpi);
  const int top = Scale(place.Top, dpi);
  return RECT{left, top, left + Scale(place.Width, dpi), top + Scale(place.Height, dpi)};
}

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
    const HWND control = ::GetDlgItem(parent, place.Id);
    const RECT wanted = PlaceAt(place, dpi);
    // Moving a control costs a round of messages even when it stays put,
    // and the controls are made where they belong.
    RECT now{};
    if (::GetWindowRect(control, &now)) {
      ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&now), 2);
      if (::EqualRect(&now, &wanted)) continue;
    }
    ::MoveWindow(control, wanted.left, wanted.top, wanted.right - wanted.left, wanted.bottom - wanted.top, FALSE);
  }
}

HWND CreateChild(HWND parent, DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style, int id) {
  const ControlPlace* place = FindControlPlace(id);
  const RECT rect = place != nullptr ? PlaceAt(*place, DpiOf(parent)) : RECT{};
  return ::CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, rect.left, rect.top,
                           rect.right - rect.left, rect.bottom - rect.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
}

}  // namespace tallowin::ui

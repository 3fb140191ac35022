#include "ui/main_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "commands/edit_commands.h"
#include "commands/file_commands.h"
#include "commands/load_save_commands.h"
#include "commands/path_tab_commands.h"
#include "commands/variable_tab_commands.h"
#include "model/texts.h"
#include "model/type_names.h"
#include "ui/about_form.h"
#include "ui/main_window_layout.h"
#include "ui/resources/resource.h"
#include "ui/window_metrics.h"
#include "win32/wide_text.h"
#include "win32/window_text.h"

namespace tallowin::ui {
namespace {

constexpr wchar_t kMainClass[] = L"TMainForm";
constexpr wchar_t kPageClass[] = L"TallowinPage";
constexpr DWORD kMainStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

HWND Child(HWND parent, DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style, int id) {
  return ::CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
}

std::u16string TextOf(HWND window) { return win32::FromWide(win32::WindowText(window)); }

void SetTextIfDifferent(HWND window, std::u16string_view text) {
  if (TextOf(window) == text) return;
  const std::u16string copy(text);
  ::SetWindowTextW(window, win32::Wide(copy));
}

bool IsSameOrDescendant(HWND window, HWND ancestor) {
  return window == ancestor || ::IsChild(ancestor, window);
}

// Tab pages and the panel pass what their controls report on to the main
// window, which handles everything.
LRESULT CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_VSCROLL:
    case WM_CONTEXTMENU:
      return ::SendMessageW(::GetAncestor(page, GA_ROOT), message, wParam, lParam);
    default:
      return ::DefWindowProcW(page, message, wParam, lParam);
  }
}

}  // namespace

bool RegisterMainFormClasses(HINSTANCE instance) {
  WNDCLASSEXW main{};
  main.cbSize = sizeof main;
  main.lpfnWndProc = &WindowBase<TMainForm>::WindowProc;
  main.hInstance = instance;
  main.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(IDI_APP));
  main.hIconSm = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON,
                                                 ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  main.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  main.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  main.lpszClassName = kMainClass;
  WNDCLASSEXW page{};
  page.cbSize = sizeof page;
  page.lpfnWndProc = PageProc;
  page.hInstance = instance;
  page.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  page.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  page.lpszClassName = kPageClass;
  const auto registered = [instance](const WNDCLASSEXW& windowClass) {
    WNDCLASSEXW existing{};
    return ::GetClassInfoExW(instance, windowClass.lpszClassName, &existing) || ::RegisterClassExW(&windowClass) != 0;
  };
  return registered(main) && registered(page);
}

TMainForm::TMainForm(HINSTANCE instance, const PortOverrides& overrides) : instance_(instance), overrides_(overrides) {}

TMainForm::~TMainForm() {
  if (window_ != nullptr) ::DestroyWindow(window_);
}

std::unique_ptr<TMainForm> TMainForm::Create(HINSTANCE instance, int showCommand, const PortOverrides& overrides) {
  if (!RegisterMainFormClasses(instance)) return nullptr;
  std::unique_ptr<TMainForm> form(new TMainForm(instance, overrides));
  const std::wstring caption = win32::ToWide(texts::kAppTitle);
  HMENU menu = ::LoadMenuW(instance, MAKEINTRESOURCEW(IDR_MAINMENU));
  const HWND window = ::CreateWindowExW(0, kMainClass, caption.c_str(), kMainStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                        CW_USEDEFAULT, CW_USEDEFAULT, nullptr, menu, instance, form.get());
  if (window == nullptr) {
    if (menu != nullptr) ::DestroyMenu(menu);
    return nullptr;
  }
  form->FormCreate();
  ::ShowWindow(window, showCommand);
  ::UpdateWindow(window);
  // Edit1 is the active control when the window first shows.
  form->activeControl_ = form->edit1_;
  ::SetFocus(form->edit1_);
  return form;
}

HWND TMainForm::Control(int id) const {
  switch (id) {
    case IDC_PAGE_CONTROL:
      return pageControl_;
    case IDC_PANEL1:
      return panel_;
    case IDC_STATUS_BAR:
      return statusBar_;
    case IDC_PATH_PAGE:
      return pages_[0];
    case IDC_SYS_PAGE:
      return pages_[1];
    case IDC_USER_PAGE:
      return pages_[2];
    default:
      break;
  }
  const ControlPlace* place = FindControlPlace(id);
  if (place == nullptr) return nullptr;
  const HWND parent = place->Owner == Parent::Panel ? panel_ : pages_[static_cast<std::size_t>(place->Owner)];
  return ::GetDlgItem(parent, id);
}

ScreenRect TMainForm::WindowRect() const {
  RECT rect{};
  ::GetWindowRect(window_, &rect);
  return ScreenRect{rect.left, rect.top, rect.right, rect.bottom};
}

// --- Creation ----------------------------------------------------------------

void TMainForm::FormCreate() {
  model_.Loading = true;
  model_.PathIndex = 0;
  model_.PathLastIndex = 0;
  model_.PathEntry.reset();
  model_.PathClip.clear();

  dialogs_ = std::make_unique<ports::Win32MessageDialogs>(window_);
  pickers_ = std::make_unique<ports::Win32FilePickers>(window_);
  clipboard_ = std::make_unique<ports::Win32Clipboard>(window_);
  folders_ = std::make_unique<ports::Win32FolderPicker>(window_);
  popupMenu_.reset(::LoadMenuW(instance_, MAKEINTRESOURCEW(IDR_POPUPMENU)));
  // The shortcuts of the resource's table; a loaded table belongs to the
  // module and is freed with it.
  if (HACCEL loaded = ::LoadAcceleratorsW(instance_, MAKEINTRESOURCEW(IDR_ACCELERATORS)); loaded != nullptr) {
    shortcuts_.resize(static_cast<std::size_t>(::CopyAcceleratorTableW(loaded, nullptr, 0)));
    ::CopyAcceleratorTableW(loaded, shortcuts_.data(), static_cast<int>(shortcuts_.size()));
  }

  dpi_ = DpiOf(window_);
  CreatePages();
  CreateControls();
  ApplyLayout();

  for (HWND combo : {sysTypeCombo_, userTypeCombo_}) {
    for (std::u16string_view name : kTypeNames) {
      const std::u16string text(name);
      ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::Wide(text)));
    }
  }

  FileLoadExecute(model_, Ports());
  MirrorModel();
  model_.Loading = false;
}

void TMainForm::CreatePages() {
  // The pages come first so that they lie above the tab control.
  for (std::size_t index = 0; index < pages_.size(); ++index) {
    pages_[index] = Child(window_, WS_EX_CONTROLPARENT, kPageClass, L"", WS_CLIPSIBLINGS,
                          IDC_PATH_PAGE + static_cast<int>(index));
    if (index != 0) ::ShowWindow(pages_[index], SW_HIDE);
  }
  pageControl_ = Child(window_, 0, WC_TABCONTROLW, L"", WS_CLIPSIBLINGS | WS_TABSTOP, IDC_PAGE_CONTROL);
  const std::u16string_view tabs[] = {texts::kTabPath, texts::kTabSystem, texts::kTabUser};
  for (int index = 0; index < 3; ++index) {
    std::wstring title = win32::ToWide(tabs[index]);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = title.data();
    ::SendMessageW(pageControl_, TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  }
  panel_ = Child(window_, WS_EX_CONTROLPARENT, kPageClass, L"", 0, IDC_PANEL1);
  statusBar_ = Child(window_, 0, STATUSCLASSNAMEW, L"", 0, IDC_STATUS_BAR);
}

void TMainForm::CreateControls() {
  constexpr DWORD kEdit = WS_TABSTOP | ES_AUTOHSCROLL;
  HWND path = pages_[0];
  edit1_ = Child(path, WS_EX_CLIENTEDGE, WC_EDITW, L"", kEdit, IDC_EDIT1);
  pathList_ = Child(path, WS_EX_CLIENTEDGE, WC_LISTBOXW, L"",
                    WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, IDC_PATH_LIST);
  edit2_ = Child(path, WS_EX_CLIENTEDGE, WC_EDITW, L"", kEdit, IDC_EDIT2);
  const std::wstring browse = win32::ToWide(texts::kBrowseCaption);
  Child(path, 0, WC_BUTTONW, browse.c_str(), WS_TABSTOP | BS_PUSHBUTTON, IDM_FILE_BROWSE);
  // With its arrow keys on, the up-down control takes Up and Down from the
  // Path list while the list has the focus.
  upDown_ = Child(path, 0, UPDOWN_CLASSW, L"", UDS_ARROWKEYS, IDC_UP_DOWN);
  ::SendMessageW(upDown_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(pathList_), 0);

  HWND sys = pages_[1];
  sysListView_.Create(sys, IDC_SYS_LIST_VIEW);
  sysTypeCombo_ = Child(sys, 0, WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, IDC_SYS_KEY_TYPE_COMBO);
  Child(sys, WS_EX_CLIENTEDGE, WC_EDITW, L"", kEdit, IDC_SYS_KEY_DATA_EDIT);
  Child(sys, WS_EX_CLIENTEDGE, WC_EDITW, L"", kEdit, IDC_SYS_KEY_NAME_EDIT);

  HWND user = pages_[2];
  userListView_.Create(user, IDC_USER_LIST_VIEW);
  Child(user, WS_EX_CLIENTEDGE, WC_EDITW, L"", kEdit, IDC_USER_KEY_NAME_EDIT);
  userTypeCombo_ =
      Child(user, 0, WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, IDC_USER_KEY_TYPE_COMBO);
  Child(user, WS_EX_CLIENTEDGE, WC_EDITW, L"", kEdit, IDC_USER_KEY_DATA_EDIT);
  for (HWND combo : {sysTypeCombo_, userTypeCombo_}) ::SendMessageW(combo, CB_SETMINVISIBLE, 8, 0);
  // A Path of a few thousand items outgrows an edit field's default limit
  // of about 32,000 characters; the user must be able to type into it.
  for (int id : {IDC_EDIT1, IDC_EDIT2, IDC_SYS_KEY_NAME_EDIT, IDC_SYS_KEY_DATA_EDIT, IDC_USER_KEY_NAME_EDIT,
                 IDC_USER_KEY_DATA_EDIT}) {
    ::SendMessageW(Control(id), EM_SETLIMITTEXT, 0, 0);
  }

  const std::pair<int, std::u16string_view> buttons[] = {{IDM_EDIT_ADD_BTN, texts::kAddCaption},
                                                         {IDM_EDIT_REPLASE_BTN, texts::kReplaceCaption},
                                                         {IDM_EDIT_DELETE_BTN, texts::kDeleteCaption}};
  for (const auto& [id, caption] : buttons) {
    const std::wstring text = win32::ToWide(caption);
    Child(panel_, 0, WC_BUTTONW, text.c_str(), WS_TABSTOP | BS_PUSHBUTTON, id);
  }

  const std::pair<int, std::u16string_view> hints[] = {
      {IDC_EDIT1, texts::kHintEdit1},
      {IDC_EDIT2, texts::kHintEdit2},
      {IDC_UP_DOWN, texts::kHintUpDown},
      {IDC_SYS_KEY_TYPE_COMBO, texts::kHintSysKeyTypeCombo},
      {IDC_USER_KEY_TYPE_COMBO, texts::kHintUserKeyTypeCombo},
      {IDC_SYS_KEY_NAME_EDIT, texts::kHintKeyNameEdit},
      {IDC_USER_KEY_NAME_EDIT, texts::kHintKeyNameEdit},
      {IDC_SYS_KEY_DATA_EDIT, texts::kHintKeyDataEdit},
      {IDC_USER_KEY_DATA_EDIT, texts::kHintKeyDataEdit},
  };
  for (const auto& [id, hint] : hints) hints_.SetControlHint(Control(id), hint);
  for (int id : {IDM_EDIT_ADD_BTN, IDM_EDIT_REPLASE_BTN, IDM_EDIT_DELETE_BTN, IDM_FILE_BROWSE}) {
    hints_.SetControlHint(Control(id), actions_.Hint(id));
  }
}

void TMainForm::ApplyLayout() {
  font_ = CreateProgramFont(kFontHeight, dpi_);
  // The frame around the client area (border, caption, menu bar) is what
  // the window has now, at this DPI; only the client area has a design size.
  RECT frame{};
  RECT client{};
  if (::GetWindowRect(window_, &frame) && ::GetClientRect(window_, &client)) {
    const int width = (frame.right - frame.left) - client.right + Scale(kClientSize.cx, dpi_);
    const int height = (frame.bottom - frame.top) - client.bottom + Scale(kClientSize.cy, dpi_);
    ::SetWindowPos(window_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  const auto place = [this](HWND control, int left, int top, int width, int height) {
    ::MoveWindow(control, Scale(left, dpi_), Scale(top, dpi_), Scale(width, dpi_), Scale(height, dpi_), FALSE);
  };
  place(pageControl_, kPageControlRect.left, kPageControlRect.top, kPageControlRect.right - kPageControlRect.left,
        kPageControlRect.bottom - kPageControlRect.top);
  place(panel_, 0, kPanelTop, kClientSize.cx, kPanelHeight);
  for (const ControlPlace& control : ControlPlaces()) {
    place(Control(control.Id), control.Left, control.Top, control.Width, control.Height);
  }
  // Combo boxes take their closed height from the font; the height given
  // is the open list's.
  for (HWND combo : {sysTypeCombo_, userTypeCombo_}) {
    RECT rect{};
    ::GetWindowRect(combo, &rect);
    ::SetWindowPos(combo, nullptr, 0, 0, rect.right - rect.left, Scale(200, dpi_), SWP_NOMOVE | SWP_NOZORDER);
  }

  ::SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  SetFontOnChildren(window_, font_.get());
  ::SendMessageW(pathList_, LB_SETITEMHEIGHT, 0, PathListItemHeight());
  sysListView_.ScaleColumns(dpi_);
  userListView_.ScaleColumns(dpi_);

  // The pages fill the tab control's display area.
  RECT display{};
  ::GetWindowRect(pageControl_, &display);
  ::MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&display), 2);
  ::SendMessageW(pageControl_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  for (HWND page : pages_) {
    ::MoveWindow(page, display.left, display.top, display.right - display.left, display.bottom - display.top, FALSE);
  }

  ::SendMessageW(statusBar_, WM_SIZE, 0, 0);
  const int parts[] = {Scale(kStatusPanel0Width, dpi_), Scale(kStatusPanel0Width + kStatusPanel1Width, dpi_)};
  ::SendMessageW(statusBar_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
  ::InvalidateRect(window_, nullptr, TRUE);
}

int TMainForm::PathListItemHeight() const {
  // A line of 12 pixels fits the program's own face; a face the system
  // substitutes for it may be taller, and its lines must not be clipped.
  return std::max(Scale(kPathListItemHeight, dpi_), TextLineHeight(pathList_, font_.get()));
}

void TMainForm::FormDestroy() {
  model_.PathClip.clear();
  ::PostQuitMessage(0);
}

// --- Messages ----------------------------------------------------------------

LRESULT TMainForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_VSCROLL:
      if (reinterpret_cast<HWND>(lParam) == upDown_) OnUpDownScroll();
      return 0;
    case WM_CONTEXTMENU:
      OnContextMenu(reinterpret_cast<HWND>(wParam), POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_INITMENUPOPUP:
      OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
      return 0;
    case WM_MENUSELECT: {
      const UINT flags = HIWORD(wParam);
      const bool closed = flags == 0xFFFF && lParam == 0;
      const bool command = !closed && (flags & (MF_POPUP | MF_SEPARATOR)) == 0;
      if (auto text = hints_.Change(command ? actions_.Hint(LOWORD(wParam)) : std::u16string_view())) {
        ShowStatus(0, *text);
      }
      return 0;
    }
    case WM_NCMOUSEMOVE:
      if (auto text = hints_.Change({})) ShowStatus(0, *text);
      return 0;
    case WM_ACTIVATE:
      // The control that had the focus gets it back when the window is
      // activated again, as in a dialog.
      if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = ::GetFocus();
        if (focus != nullptr && ::IsChild(window_, focus)) activeControl_ = focus;
      } else if (activeControl_ != nullptr && ::IsWindow(activeControl_)) {
        ::SetFocus(activeControl_);
        return 0;
      }
      return ::DefWindowProcW(window_, message, wParam, lParam);
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_CLOSE:
      ::DestroyWindow(window_);
      return 0;
    case WM_DESTROY:
      FormDestroy();
      return 0;
    default:
      return ::DefWindowProcW(window_, message, wParam, lParam);
  }
}

bool TMainForm::PreTranslateMessage(MSG& message) {
  if (window_ == nullptr || !IsSameOrDescendant(message.hwnd, window_)) return false;
  if (message.message == WM_MOUSEMOVE) {
    if (auto text = hints_.Change(hints_.HintAt(message.hwnd, window_))) ShowStatus(0, *text);
  }
  if (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) {
    const BYTE modifiers = static_cast<BYTE>((::GetKeyState(VK_CONTROL) < 0 ? FCONTROL : 0) |
                                             (::GetKeyState(VK_SHIFT) < 0 ? FSHIFT : 0) |
                                             (::GetKeyState(VK_MENU) < 0 ? FALT : 0));
    for (const ACCEL& shortcut : shortcuts_) {
      if (shortcut.key != message.wParam || (shortcut.fVirt & (FCONTROL | FSHIFT | FALT)) != modifiers) continue;
      const int id = shortcut.cmd;
      if (id == IDM_EDIT_CUT || id == IDM_EDIT_COPY || id == IDM_EDIT_PASTE || id == IDM_EDIT_DELETE) {
        EditPopupExecute();
      }
      if (id == IDM_EDIT_UNDO) {
        const HWND edit = FocusedEditField();
        actions_.SetEnabled(IDM_EDIT_UNDO, edit != nullptr && ::SendMessageW(edit, EM_CANUNDO, 0, 0) != 0);
      }
      // A disabled action leaves the key to the control that has the focus.
      // The command runs here rather than through the accelerator table,
      // which would also consult the menu items' states as the menu last
      // showed them.
      if (!actions_.IsEnabled(id)) break;
      RunCommand(id);
      return true;
    }
  }
  // Ctrl+Tab and Ctrl+Shift+Tab turn the tabs over, as in the system's own
  // tabbed windows.
  if (message.message == WM_KEYDOWN && message.wParam == VK_TAB && ::GetKeyState(VK_CONTROL) < 0) {
    const int count = static_cast<int>(::SendMessageW(pageControl_, TCM_GETITEMCOUNT, 0, 0));
    const int shown = static_cast<int>(::SendMessageW(pageControl_, TCM_GETCURSEL, 0, 0));
    const int step = ::GetKeyState(VK_SHIFT) < 0 ? count - 1 : 1;
    ::SendMessageW(pageControl_, TCM_SETCURSEL, static_cast<WPARAM>((shown + step) % count), 0);
    PageControlChange();
    return true;
  }
  // The panel's buttons answer their access keys (Alt and the underlined
  // letter) without taking the focus, so that Delete with the focus in an
  // edit field acts on that field.
  const bool altKey = message.message == WM_SYSKEYDOWN && (message.lParam & (1 << 29)) != 0;
  if (altKey && ::GetKeyState(VK_CONTROL) >= 0 && RunMnemonic(message.wParam)) return true;
  return ::IsDialogMessageW(window_, &message) != 0;
}

bool TMainForm::RunMnemonic(WPARAM virtualKey) {
  int id = 0;
  switch (virtualKey) {
    case 'A': id = IDM_EDIT_ADD_BTN; break;
    case 'R': id = IDM_EDIT_REPLASE_BTN; break;
    case 'D': id = IDM_EDIT_DELETE_BTN; break;
    default: return false;
  }
  if (!::IsWindowEnabled(Control(id))) return false;
  RunCommand(id);
  return true;
}

void TMainForm::OnCommand(int id, int code, HWND control) {
  if (control == edit1_) {
    if (code == EN_SETFOCUS) edit1Attached_ = true;  // Edit1Enter
    if (code == EN_KILLFOCUS) edit1Attached_ = false;  // Edit1Exit
    if (code == EN_CHANGE && edit1Attached_ && !mirroring_ && ::IsWindowVisible(edit1_)) Edit1Change();
    return;
  }
  if (control == edit2_) {
    // The model keeps what the field shows, so that mirroring the model
    // never takes back what the user or an edit command wrote into it.
    if (code == EN_CHANGE && !mirroring_) model_.Edit2 = TextOf(edit2_);
    return;
  }
  if (control == pathList_) {
    if (code == LBN_SELCHANGE) {
      model_.PathListClick(static_cast<int>(::SendMessageW(pathList_, LB_GETCURSEL, 0, 0)));
      MirrorModel();
    }
    return;
  }
  if (control == sysTypeCombo_ || control == userTypeCombo_) {
    if (code == CBN_DROPDOWN) ComboBoxOnDropDownActionExecute(control);
    return;
  }
  // Menu items, shortcuts and the buttons, which carry their action's ID.
  const bool fromButton = control != nullptr;
  if (fromButton && code != BN_CLICKED) return;
  RunCommand(id);
}

LRESULT TMainForm::OnNotify(const NMHDR& header) {
  if (header.hwndFrom == pageControl_ && header.code == TCN_SELCHANGE) {
    PageControlChange();
  } else if (header.code == LVN_ITEMCHANGED &&
             (header.hwndFrom == sysListView_.Handle() || header.hwndFrom == userListView_.Handle())) {
    ListViewChange(reinterpret_cast<const NMLISTVIEW&>(header));
  }
  return 0;
}

void TMainForm::OnContextMenu(HWND target, POINT screen) {
  if (target != pathList_ && target != sysListView_.Handle() && target != userListView_.Handle()) return;
  if (screen.x == -1 && screen.y == -1) {  // from the keyboard: at the control
    RECT rect{};
    ::GetWindowRect(target, &rect);
    screen = POINT{rect.left + 8, rect.top + 8};
  }
  EditPopupExecute();
  HMENU menu = ::GetSubMenu(popupMenu_.get(), 0);
  actions_.ApplyToMenu(menu);
  ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, window_, nullptr);
}

void TMainForm::OnInitMenuPopup(HMENU menu) {
  if (menu == ::GetSubMenu(::GetMenu(window_), 1)) EditPopupExecute();
  actions_.ApplyToMenu(menu);
}

void TMainForm::OnDpiChanged(UINT dpi, const RECT& suggested) {
  dpi_ = dpi;
  ::SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  ApplyLayout();
}

// --- Events --------------------------------------------------------------------

void TMainForm::PageControlChange() {
  const int index = static_cast<int>(::SendMessageW(pageControl_, TCM_GETCURSEL, 0, 0));
  if (index < 0 || index > 2) return;
  for (std::size_t page = 0; page < pages_.size(); ++page) {
    ::ShowWindow(pages_[page], static_cast<int>(page) == index ? SW_SHOW : SW_HIDE);
  }
  // The focus never stays on a control of a hidden page, where keys would
  // edit what the user cannot see: it goes to the tab control, as a click
  // on a tab gives it.
  const HWND focus = ::GetFocus();
  if (focus == nullptr || !::IsWindowVisible(focus) || !::IsChild(window_, focus)) {
    ::SetFocus(pageControl_);
    activeControl_ = pageControl_;
  }
  const Tab tab = static_cast<Tab>(index);
  model_.ShowTab(tab);
  ShowStatus(1, model_.CountText);
  if (tab == Tab::Path) {
    SetButtonsEnabled(true);
    return;
  }
  const int selected = (tab == Tab::System ? sysListView_ : userListView_).Selected();
  SetButtonsEnabled(selected >= 0);
  if (selected >= 0) FillFieldsFromRow(tab, selected);
}

void TMainForm::ListViewChange(const NMLISTVIEW& change) {
  if ((change.uChanged & LVIF_STATE) == 0 || change.iItem < 0) return;
  if (((change.uOldState ^ change.uNewState) & (LVIS_SELECTED | LVIS_FOCUSED)) == 0) return;
  const bool system = change.hdr.hwndFrom == sysListView_.Handle();
  const bool selected = (change.uNewState & LVIS_SELECTED) != 0;
  if (!mirroring_) {
    EditList& list = system ? model_.SysList : model_.UserList;
    if (selected) {
      list.Select(change.iItem);
    } else if (list.Selected() == change.iItem) {
      list.Select(-1);
    }
  }
  // A change in the list view of the tab not shown leaves the fields and
  // buttons of the tab shown alone.
  const Tab tab = system ? Tab::System : Tab::User;
  if (ShownTab() != tab) return;
  SetButtonsEnabled(selected);
  // When a command has removed the selected row, the row that took its
  // place is not the user's choice: the fields keep what they showed.
  if (mirroring_ && !selected) return;
  FillFieldsFromRow(tab, change.iItem);
}

void TMainForm::FillFieldsFromRow(Tab tab, int row) {
  const EditList& list = tab == Tab::System ? model_.SysList : model_.UserList;
  if (row < 0 || row >= list.Count()) return;
  const bool system = tab == Tab::System;
  const HWND combo = system ? sysTypeCombo_ : userTypeCombo_;
  // The fields as a row fills them: a type name that is none of the twelve
  // keeps the drop-down's previous selection.
  VariableFields fields;
  fields.TypeName = TextOf(combo);
  FillFieldsFromEntry(fields, list.At(row));
  SetTextIfDifferent(Control(system ? IDC_SYS_KEY_NAME_EDIT : IDC_USER_KEY_NAME_EDIT), fields.Name);
  const auto type = std::find(kTypeNames.begin(), kTypeNames.end(), fields.TypeName);
  if (type != kTypeNames.end()) ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(type - kTypeNames.begin()), 0);
  SetTextIfDifferent(Control(system ? IDC_SYS_KEY_DATA_EDIT : IDC_USER_KEY_DATA_EDIT), fields.Data);
}

void TMainForm::ComboBoxOnDropDownActionExecute(HWND combo) {
  const win32::WindowDC dc(window_);
  if (!dc) return;
  const win32::SelectedObject font(dc.get(), font_.get());
  const int count = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
  int widest = 0;
  for (int index = 0; index < count; ++index) {
    const LRESULT length = ::SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) return;
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    SIZE size{};
    if (!::GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(length), &size)) return;
    widest = std::max(widest, static_cast<int>(size.cx));
  }
  int width = widest + Scale(6, dpi_);
  const int visibleRows = static_cast<int>(::SendMessageW(combo, CB_GETMINVISIBLE, 0, 0));
  if (count > visibleRows) width += ::GetSystemMetrics(SM_CXVSCROLL);
  ::SendMessageW(combo, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(width), 0);
}

void TMainForm::Edit1Change() {
  model_.Edit1Change(TextOf(edit1_));
  MirrorModel();
}

void TMainForm::OnUpDownScroll() {
  // The control has moved its position already; which way tells the arrow.
  const int position = static_cast<int>(::SendMessageW(upDown_, UDM_GETPOS32, 0, 0));
  if (position == model_.UpDownPosition) return;
  const UpDownButton button = position > model_.UpDownPosition ? UpDownButton::Up : UpDownButton::Down;
  // The Path list becomes the active control, so that the move's cut is
  // not taken for a cut in an edit field.
  ::SetFocus(pathList_);
  activeControl_ = pathList_;
  model_.StatusText.clear();
  ReadFieldsIntoState();
  UpDownClick(model_, state_, Ports(), button);
  MirrorModel();
}

std::u16string TMainForm::SelectedText() const {
  const HWND edit = FocusedEditField();
  if (edit == nullptr) return {};
  DWORD start = 0;
  DWORD end = 0;
  ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const std::u16string text = TextOf(edit);
  if (start >= end || start >= text.size()) return {};
  return text.substr(start, std::min<std::size_t>(end, text.size()) - start);
}

bool TMainForm::HasSelection() const {
  const HWND edit = FocusedEditField();
  if (edit == nullptr) return false;
  DWORD start = 0;
  DWORD end = 0;
  ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return start != end;
}

void TMainForm::ReplaceSelection(std::u16string_view text) {
  const HWND edit = FocusedEditField();
  if (edit == nullptr) return;
  const std::u16string copy(text);
  // Undoable, as the field's own cut and paste are.
  ::SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(win32::Wide(copy)));
}

// --- Commands --------------------------------------------------------------------

CommandPorts TMainForm::Ports() {
  CommandPorts ports;
  ports.Dialogs = overrides_.Dialogs != nullptr ? overrides_.Dialogs : dialogs_.get();
  ports.Window = this;
  ports.Registry = overrides_.Registry != nullptr ? overrides_.Registry : &registry_;
  ports.System = &system_;
  ports.Power = overrides_.Power != nullptr ? overrides_.Power : &power_;
  ports.Broadcast = overrides_.Broadcast != nullptr ? overrides_.Broadcast : &broadcast_;
  ports.Pickers = overrides_.Pickers != nullptr ? overrides_.Pickers : pickers_.get();
  ports.Files = &files_;
  ports.Clipboard = clipboard_.get();
  ports.Folders = folders_.get();
  ports.Environment = &environment_;
  ports.FocusedEdit = this;
  return ports;
}

void TMainForm::RunCommand(int id) {
  if (!actions_.IsEnabled(id)) return;
  model_.StatusText.clear();
  switch (id) {
    case IDM_FILE_LOAD:
      FileLoadExecute(model_, Ports());
      break;
    case IDM_FILE_SAVE:
      FileSaveExecute(model_, Ports());
      break;
    case IDM_FILE_IMPORT:
      FileImportExecute(model_, Ports());
      break;
    case IDM_FILE_EXPORT:
      FileExportExecute(model_, Ports());
      break;
    case IDM_FILE_BUCKUP:
      FileBuckupExecute(model_, Ports());
      break;
    case IDM_FILE_EXIT:
      ::PostMessageW(window_, WM_CLOSE, 0, 0);
      return;
    case IDM_EDIT_UNDO:
      EditUndoExecute();
      return;
    case IDM_HELP_ABOUT:
      HelpAboutExecute(window_);
      return;
    default:
      if (!RunEditingCommand(id)) return;
      break;
  }
  MirrorModel();
}

bool TMainForm::RunEditingCommand(int id) {
  using Command = void (*)(MainModel&, EditorState&, const CommandPorts&);
  Command command = nullptr;
  switch (id) {
    case IDM_EDIT_CUT: command = EditCutExecute; break;
    case IDM_EDIT_COPY: command = EditCopyExecute; break;
    case IDM_EDIT_PASTE: command = EditPasteExecute; break;
    case IDM_EDIT_DELETE: command = EditDeleteExecute; break;
    case IDM_EDIT_ADD_BTN: command = EditAddBtnExecute; break;
    case IDM_EDIT_REPLASE_BTN: command = EditReplaseBtnExecute; break;
    case IDM_EDIT_DELETE_BTN: command = EditDeleteBtnExecute; break;
    case IDM_FILE_BROWSE: command = FileBrowseExecute; break;
    default: return false;
  }
  ReadFieldsIntoState();
  command(model_, state_, Ports());
  return true;
}

void TMainForm::ReadFieldsIntoState() {
  model_.Edit2 = TextOf(edit2_);
  const auto read = [this](VariableFields& fields, int name, HWND combo, int data) {
    fields.Name = TextOf(Control(name));
    fields.TypeName = TextOf(combo);
    fields.Data = TextOf(Control(data));
  };
  read(state_.SysFields, IDC_SYS_KEY_NAME_EDIT, sysTypeCombo_, IDC_SYS_KEY_DATA_EDIT);
  read(state_.UserFields, IDC_USER_KEY_NAME_EDIT, userTypeCombo_, IDC_USER_KEY_DATA_EDIT);
}

void TMainForm::EditPopupExecute() {
  ReadFieldsIntoState();
  tallowin::EditPopupExecute(model_, state_, Ports());
  actions_.SetEnabled(IDM_EDIT_CUT, state_.EditActions.Cut);
  actions_.SetEnabled(IDM_EDIT_COPY, state_.EditActions.Copy);
  actions_.SetEnabled(IDM_EDIT_PASTE, state_.EditActions.Paste);
  actions_.SetEnabled(IDM_EDIT_DELETE, state_.EditActions.Delete);
}

void TMainForm::EditUndoExecute() {
  if (const HWND edit = FocusedEditField(); edit != nullptr) ::SendMessageW(edit, EM_UNDO, 0, 0);
}

HWND TMainForm::ActiveControl() const {
  const HWND focus = ::GetFocus();
  return focus != nullptr && ::IsChild(window_, focus) ? focus : activeControl_;
}

HWND TMainForm::FocusedEditField() const {
  const HWND focus = ActiveControl();
  // A field of a hidden page is never the one a command acts on.
  if (focus == nullptr || !::IsWindowVisible(focus)) return nullptr;
  for (int id : {IDC_EDIT1, IDC_EDIT2, IDC_SYS_KEY_NAME_EDIT, IDC_SYS_KEY_DATA_EDIT, IDC_USER_KEY_NAME_EDIT,
                 IDC_USER_KEY_DATA_EDIT}) {
    if (focus != nullptr && focus == Control(id)) return focus;
  }
  return nullptr;
}

// --- Mirroring ---------------------------------------------------------------------

void TMainForm::MirrorModel() {
  mirroring_ = true;
  MirrorPathTab();
  sysListView_.Show(model_.SysList);
  userListView_.Show(model_.UserList);
  ShowStatus(1, model_.CountText);
  if (!model_.StatusText.empty()) {
    ShowStatus(0, model_.StatusText);
    model_.StatusText.clear();
  }
  mirroring_ = false;
}

void TMainForm::MirrorPathTab() {
  SetTextIfDifferent(edit1_, model_.Edit1);
  if (shownPathList_ != model_.PathList) {
    // Only the items between the unchanged start and the unchanged end are
    // replaced: an edit of one item of a long Path touches one line.
    const std::vector<std::u16string>& shown = shownPathList_;
    const std::vector<std::u16string>& wanted = model_.PathList;
    std::size_t head = 0;
    while (head < shown.size() && head < wanted.size() && shown[head] == wanted[head]) ++head;
    std::size_t tail = 0;
    while (tail < shown.size() - head && tail < wanted.size() - head &&
           shown[shown.size() - 1 - tail] == wanted[wanted.size() - 1 - tail]) {
      ++tail;
    }
    ::SendMessageW(pathList_, WM_SETREDRAW, FALSE, 0);
    for (std::size_t i = head; i < shown.size() - tail; ++i) {
      ::SendMessageW(pathList_, LB_DELETESTRING, static_cast<WPARAM>(head), 0);
    }
    for (std::size_t i = head; i < wanted.size() - tail; ++i) {
      ::SendMessageW(pathList_, LB_INSERTSTRING, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(win32::Wide(wanted[i])));
    }
    ::SendMessageW(pathList_, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(pathList_, nullptr, TRUE);
    shownPathList_ = wanted;
  }
  if (::SendMessageW(pathList_, LB_GETCURSEL, 0, 0) != model_.PathListSelection) {
    ::SendMessageW(pathList_, LB_SETCURSEL, static_cast<WPARAM>(model_.PathListSelection), 0);
  }
  SetTextIfDifferent(edit2_, model_.Edit2);
  ::SendMessageW(upDown_, UDM_SETRANGE32, 0, std::max(model_.UpDownMax, 0));
  ::SendMessageW(upDown_, UDM_SETPOS32, 0, model_.UpDownPosition);
}

void TMainForm::SetButtonsEnabled(bool enabled) {
  for (int id : {IDM_EDIT_ADD_BTN, IDM_EDIT_REPLASE_BTN, IDM_EDIT_DELETE_BTN}) {
    actions_.SetEnabled(id, enabled);
    ::EnableWindow(Control(id), enabled ? TRUE : FALSE);
  }
}

void TMainForm::ShowStatus(int panel, std::u16string_view text) {
  const std::u16string copy(text);
  ::SendMessageW(statusBar_, SB_SETTEXTW, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(win32::Wide(copy)));
}

}  // namespace tallowin::ui

#include "ui/main_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "commands/edit_commands.h"
#include "commands/load_save_commands.h"
#include "commands/outside_change_commands.h"
#include "commands/program_variable.h"
#include "model/expansion_line.h"
#include "model/texts.h"
#include "ui/about_form.h"
#include "ui/control_text.h"
#include "ui/main_window_layout.h"
#include "ui/resources/resource.h"
#include "ui/window_metrics.h"

namespace tallowin::ui {
namespace {

constexpr wchar_t kMainClass[] = L"TMainForm";
constexpr wchar_t kPageClass[] = L"TallowinPage";
constexpr DWORD kMainStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

constexpr VariableTabIds kSysTabIds{Parent::SysPage,        IDC_SYS_LIST_VIEW,   IDC_SYS_KEY_NAME_EDIT,
                                    IDC_SYS_KEY_TYPE_COMBO, IDC_SYS_KEY_DATA_EDIT, IDC_SYS_FILTER_EDIT,
                                    IDC_SYS_EXPANSION,      texts::kHintSysKeyTypeCombo};
constexpr VariableTabIds kUserTabIds{Parent::UserPage,        IDC_USER_LIST_VIEW,   IDC_USER_KEY_NAME_EDIT,
                                     IDC_USER_KEY_TYPE_COMBO, IDC_USER_KEY_DATA_EDIT, IDC_USER_FILTER_EDIT,
                                     IDC_USER_EXPANSION,      texts::kHintUserKeyTypeCombo};

bool IsSameOrDescendant(HWND window, HWND ancestor) { return window == ancestor || ::IsChild(ancestor, window); }

BYTE ModifiersHeld() {
  return static_cast<BYTE>((::GetKeyState(VK_CONTROL) < 0 ? FCONTROL : 0) | (::GetKeyState(VK_SHIFT) < 0 ? FSHIFT : 0) |
                           (::GetKeyState(VK_MENU) < 0 ? FALT : 0));
}

// Tab pages and the panel pass what their controls report on to the main
// window, which routes it.
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

bool RegisterClassOnce(const WNDCLASSEXW& windowClass) {
  WNDCLASSEXW existing{};
  return ::GetClassInfoExW(windowClass.hInstance, windowClass.lpszClassName, &existing) ||
         ::RegisterClassExW(&windowClass) != 0;
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
  WNDCLASSEXW page = main;
  page.lpfnWndProc = PageProc;
  page.hIcon = nullptr;
  page.hIconSm = nullptr;
  page.lpszClassName = kPageClass;
  return RegisterClassOnce(main) && RegisterClassOnce(page);
}

TMainForm::TMainForm(HINSTANCE instance, const PortOverrides& overrides)
    : instance_(instance),
      focusedEdit_([this] { return FocusedEditField(); }),
      overrides_(overrides),
      sysView_(kSysTabIds),
      userView_(kUserTabIds) {}

TMainForm::~TMainForm() {
  if (window_ != nullptr) ::DestroyWindow(window_);
}

std::unique_ptr<TMainForm> TMainForm::Create(HINSTANCE instance, int showCommand, const PortOverrides& overrides) {
  if (!RegisterMainFormClasses(instance)) return nullptr;
  std::unique_ptr<TMainForm> form(new TMainForm(instance, overrides));
  const std::wstring caption = win32::ToWide(texts::kAppTitle);
  win32::UniqueMenu menu(::LoadMenuW(instance, MAKEINTRESOURCEW(IDR_MAINMENU)));
  // Made at its size on the main screen: sizing it again would lay out
  // its menu bar and frame a second time.
  const SIZE size = FrameSizeForClient(kClientSize, kMainStyle, true, DpiOf(nullptr));
  const HWND window = ::CreateWindowExW(0, kMainClass, caption.c_str(), kMainStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                        size.cx, size.cy, nullptr, menu.get(), instance, form.get());
  if (window == nullptr) return nullptr;
  menu.release();  // the window's menu is destroyed with the window
  form->FormCreate();
  // The window shows before the keys are read: reading thousands of values
  // takes a moment under Wine, and the window is there meanwhile.
  ::ShowWindow(window, showCommand);
  ::UpdateWindow(window);
  form->LoadAtStart();
  // Edit1 is the active control when the window first shows.
  form->activeControl_ = form->pathView_.EditFields()[0];
  ::SetFocus(form->activeControl_);
  return form;
}

HWND TMainForm::Control(int id) {
  // A control of a variable tab that was never shown is made now.
  if (const ControlPlace* place = FindControlPlace(id); place != nullptr) {
    if (place->Owner == Parent::SysPage) CreateView(Tab::System);
    if (place->Owner == Parent::UserPage) CreateView(Tab::User);
  }
  switch (id) {
    case IDC_PAGE_CONTROL:
      return pageControl_;
    case IDC_PANEL1:
      return panel_;
    case IDC_STATUS_BAR:
      return statusBar_;
    case IDC_PATH_PAGE:
    case IDC_SYS_PAGE:
    case IDC_USER_PAGE:
      CreatePage(static_cast<std::size_t>(id - IDC_PATH_PAGE));
      return pages_[static_cast<std::size_t>(id - IDC_PATH_PAGE)];
    default:
      break;
  }
  for (HWND parent : {pages_[0], pages_[1], pages_[2], panel_}) {
    if (parent == nullptr) continue;
    if (const HWND control = ::GetDlgItem(parent, id); control != nullptr) return control;
  }
  return nullptr;
}

ScreenRect TMainForm::WindowRect() const {
  RECT rect{};
  ::GetWindowRect(window_, &rect);
  return ScreenRect{rect.left, rect.top, rect.right, rect.bottom};
}

// --- Creation and layout -----------------------------------------------------

void TMainForm::FormCreate() {
  model_.Loading = true;
  dialogs_ = std::make_unique<ports::Win32MessageDialogs>(window_);
  pickers_ = std::make_unique<ports::Win32FilePickers>(window_);
  clipboard_ = std::make_unique<ports::Win32Clipboard>(window_);
  folders_ = std::make_unique<ports::Win32FolderPicker>(window_);
  outsideChanges_ = std::make_unique<Win32OutsideChangeDialog>(window_);
  popupMenu_.reset(::LoadMenuW(instance_, MAKEINTRESOURCEW(IDR_POPUPMENU)));

  dpi_ = DpiOf(window_);
  CreatePages();
  // The variable tabs are hidden at start: their controls are made when
  // they are first shown or needed.
  pathView_.Create(pages_[0], hints_);
  CreatePanel();
  ApplyLayout();
}

void TMainForm::LoadAtStart() {
  const CommandOutcome loaded = FileLoadExecute(model_, Ports());
  MirrorModel();
  ShowOutcome(loaded);
  model_.Loading = false;
  // Without the watch the window only misses the notice; Save still finds
  // what other programs changed.
  keyWatcher_.Start(window_, kKeysChangedMessage);
}

void TMainForm::CreatePages() {
  // The Path page comes first so that it lies above the tab control; the
  // variable tabs' pages are made with their views.
  CreatePage(0);
  pageControl_ = CreateChild(window_, 0, WC_TABCONTROLW, L"", WS_CLIPSIBLINGS | WS_TABSTOP, IDC_PAGE_CONTROL);
  const std::u16string_view tabs[] = {texts::kTabPath, texts::kTabSystem, texts::kTabUser};
  for (int index = 0; index < 3; ++index) {
    std::wstring title = win32::ToWide(tabs[index]);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = title.data();
    ::SendMessageW(pageControl_, TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  }
  statusBar_ = CreateChild(window_, 0, STATUSCLASSNAMEW, L"", 0, IDC_STATUS_BAR);
}

void TMainForm::CreatePage(std::size_t index) {
  if (pages_[index] != nullptr) return;
  const HWND page = CreateChild(window_, WS_EX_CONTROLPARENT, kPageClass, L"", WS_CLIPSIBLINGS,
                                IDC_PATH_PAGE + static_cast<int>(index));
  pages_[index] = page;
  if (index == 0) return;
  // Hidden, beneath the pages before it and above the tab control, which
  // it covers.
  std::size_t above = index - 1;
  while (pages_[above] == nullptr) --above;
  ::SetWindowPos(page, pages_[above], 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_HIDEWINDOW | SWP_NOREDRAW);
  FitPagesToTabs();
}

void TMainForm::CreatePanel() {
  panel_ = CreateChild(window_, WS_EX_CONTROLPARENT, kPageClass, L"", 0, IDC_PANEL1);
  const std::pair<int, std::u16string_view> buttons[] = {{IDM_EDIT_ADD_BTN, texts::kAddCaption},
                                                         {IDM_EDIT_REPLASE_BTN, texts::kReplaceCaption},
                                                         {IDM_EDIT_DELETE_BTN, texts::kDeleteCaption}};
  for (const auto& [id, caption] : buttons) {
    const std::wstring text = win32::ToWide(caption);
    const HWND button = CreateChild(panel_, 0, WC_BUTTONW, text.c_str(), WS_TABSTOP | BS_PUSHBUTTON, id);
    hints_.SetControlHint(button, FindCommand(id)->Hint);
  }
}

void TMainForm::ApplyLayout() {
  // The one font of the window, made again only for another DPI.
  if (!font_ || fontDpi_ != dpi_) {
    font_ = CreateProgramFont(kFontHeight, dpi_);
    fontDpi_ = dpi_;
  }
  SizeToClientArea(window_, kClientSize, dpi_);
  PlaceControls(window_, Parent::Window, dpi_);
  PlaceControls(panel_, Parent::Panel, dpi_);
  ::SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  SetFontOnChildren(window_, font_.get());
  pathView_.Layout(dpi_, font_.get());
  for (VariableTabView* view : {&sysView_, &userView_}) {
    if (view->Created()) view->Layout(dpi_);
  }
  FitPagesToTabs();

  ::SendMessageW(statusBar_, WM_SIZE, 0, 0);
  countPanelWidth_ = -1;  // measured again at this DPI
  ApplyStatusParts();
  ::InvalidateRect(window_, nullptr, TRUE);
}

void TMainForm::CreateView(Tab tab) {
  VariableTabView* view = ViewOf(tab);
  if (view == nullptr || view->Created()) return;
  CreatePage(static_cast<std::size_t>(tab));
  const HWND page = pages_[static_cast<std::size_t>(tab)];
  view->Create(page, hints_);
  view->Layout(dpi_);
  SetFontOnChildren(page, font_.get());
  const bool system = tab == Tab::System;
  view->Mirror(system ? model_.SysList : model_.UserList, ConflictsOf(system ? KeyScope::System : KeyScope::User));
  ShowExpansionLines();
}

void TMainForm::ApplyStatusParts() {
  // The count panel holds the longest count a list can have ("99999 項目")
  // at this DPI and font, taken from the hint panel where the design's width
  // is too narrow for it. While a filter hides rows, the filter's count
  // ("120件中3件を表示") follows it at the window's right edge; otherwise
  // that panel has no width.
  if (countPanelWidth_ < 0) {
    const int margins = Scale(kStatusTextMargins, dpi_);
    countPanelWidth_ = std::max(Scale(kStatusPanel1Width, dpi_),
                                TextWidth(statusBar_, font_.get(), texts::kWidestCountText) + margins);
  }
  const int filter = filterCount_.empty()
                         ? 0
                         : TextWidth(statusBar_, font_.get(), filterCount_) + Scale(kStatusTextMargins, dpi_);
  RECT client{};
  ::GetClientRect(window_, &client);
  const int right = static_cast<int>(client.right);
  const int hints = std::min(Scale(kStatusPanel0Width, dpi_), std::max(0, right - countPanelWidth_ - filter));
  const std::array<int, 3> edges{hints, std::max(hints, right - filter), -1};
  ::SendMessageW(statusBar_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  hintPanelWidth_ = hints;
}

void TMainForm::FitPagesToTabs() {
  // The pages fill the tab control's display area.
  RECT display{};
  ::GetWindowRect(pageControl_, &display);
  ::MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&display), 2);
  ::SendMessageW(pageControl_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  for (HWND page : pages_) {
    if (page == nullptr) continue;
    ::MoveWindow(page, display.left, display.top, display.right - display.left, display.bottom - display.top, FALSE);
  }
}

void TMainForm::FormDestroy() {
  keyWatcher_.Stop();
  model_.PathClip.clear();
  ::PostQuitMessage(0);
}

// --- Routing -------------------------------------------------------------------

LRESULT TMainForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_VSCROLL:
      OnUpDownScroll(reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_CONTEXTMENU:
      OnContextMenu(reinterpret_cast<HWND>(wParam), POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_INITMENUPOPUP:
      OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
      return 0;
    case WM_MENUSELECT:
      OnMenuSelect(wParam, lParam);
      return 0;
    case WM_NCMOUSEMOVE:
      if (auto text = hints_.Change({})) ShowStatus(0, *text);
      return 0;
    case WM_ACTIVATE:
      return OnActivate(wParam, lParam);
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case kKeysChangedMessage:
      OnKeysChanged();
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
  if ((message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) && RunShortcut(message)) return true;
  // Escape in a filter field empties it and gives the focus back to the
  // list, where the user goes on with the row found.
  if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
    if (FilterField* filter = ShownFilter(); filter != nullptr && message.hwnd == filter->Handle()) {
      filter->Clear();
      const HWND list = model_.ShownTab == Tab::Path ? pathView_.PathList() : ViewOf(model_.ShownTab)->ListHandle();
      ::SetFocus(list);
      activeControl_ = list;
      return true;
    }
  }
  // Ctrl+Tab and Ctrl+Shift+Tab turn the tabs over, as in the system's own
  // tabbed windows.
  if (message.message == WM_KEYDOWN && message.wParam == VK_TAB && ::GetKeyState(VK_CONTROL) < 0) {
    TurnTab(::GetKeyState(VK_SHIFT) < 0);
    return true;
  }
  return ::IsDialogMessageW(window_, &message) != 0;
}

bool TMainForm::RunShortcut(const MSG& message) {
  const BYTE modifiers = ModifiersHeld();
  const Command* command = FindShortcut(message.wParam, modifiers);
  // The panel's buttons answer their access keys (Alt and the underlined
  // letter) without taking the focus, so that Delete with the focus in an
  // edit field acts on that field.
  const bool altKey = message.message == WM_SYSKEYDOWN && (message.lParam & (1 << 29)) != 0;
  if (command == nullptr && altKey && (modifiers & FCONTROL) == 0) command = FindAccessKey(message.wParam);
  // Of the actions on one shortcut the first that is enabled runs (Ctrl+Z:
  // the field's undo, else the lists').
  for (; command != nullptr; command = FindShortcut(message.wParam, modifiers, command)) {
    if (command->Rule == Enabling::EditMenu) EditPopupExecute();
    // A disabled action leaves the key to the control that has the focus.
    // The command runs here rather than through an accelerator table, which
    // would also consult the menu items' states as the menu last showed them.
    if (!IsEnabled(*command)) continue;
    RunCommand(command->Id);
    return true;
  }
  return false;
}

void TMainForm::TurnTab(bool back) {
  const int count = static_cast<int>(::SendMessageW(pageControl_, TCM_GETITEMCOUNT, 0, 0));
  const int shown = static_cast<int>(::SendMessageW(pageControl_, TCM_GETCURSEL, 0, 0));
  ::SendMessageW(pageControl_, TCM_SETCURSEL, static_cast<WPARAM>((shown + (back ? count - 1 : 1)) % count), 0);
  PageControlChange();
}

void TMainForm::OnCommand(int id, int code, HWND control) {
  // Each time Edit1 takes the focus, what is typed there is a new step.
  if (control == pathView_.EditFields()[0] && code == EN_SETFOCUS) state_.History.EndTyping();
  ViewHandled handled = RunRecorded(model_, state_.History, EditStep::PathTyping,
                                    [&] { return pathView_.OnCommand(model_, control, code); });
  for (VariableTabView* view : {&sysView_, &userView_}) {
    if (handled == ViewHandled::NotMine) handled = view->OnCommand(control, code, font_.get(), dpi_);
  }
  if (handled == ViewHandled::ModelChanged || handled == ViewHandled::FilterChanged) {
    MirrorModel();
    return;
  }
  if (handled == ViewHandled::Mine) {
    // The fields changed: the line under them follows what they hold.
    if (code == EN_CHANGE || code == CBN_SELCHANGE) ShowExpansionLines();
    return;
  }
  // Menu items and the buttons, which carry their action's ID.
  if (control != nullptr && code != BN_CLICKED) return;
  RunCommand(id);
}

LRESULT TMainForm::OnNotify(const NMHDR& header) {
  if (header.hwndFrom == pageControl_ && header.code == TCN_SELCHANGE) {
    PageControlChange();
    return 0;
  }
  // A selection the user changed enables or disables the panel's buttons.
  if (sysView_.OnNotify(header, model_.SysList, model_.ShownTab == Tab::System) ||
      userView_.OnNotify(header, model_.UserList, model_.ShownTab == Tab::User)) {
    MirrorModel();
  }
  return 0;
}

void TMainForm::OnUpDownScroll(HWND control) {
  const std::optional<UpDownButton> button = pathView_.ArrowOf(control, model_);
  if (!button) return;
  // The Path list becomes the active control, so that the move's cut is
  // not taken for a cut in an edit field.
  ::SetFocus(pathView_.PathList());
  activeControl_ = pathView_.PathList();
  ReadFields();
  const CommandOutcome outcome = RunRecorded(model_, state_.History, EditStep::Move,
                                             [&] { return UpDownClick(model_, state_, Ports(), *button); });
  MirrorModel();
  ShowOutcome(outcome);
}

void TMainForm::OnContextMenu(HWND target, POINT screen) {
  if (target != pathView_.PathList() && target != sysView_.ListHandle() && target != userView_.ListHandle()) return;
  if (screen.x == -1 && screen.y == -1) {  // from the keyboard: at the control
    RECT rect{};
    ::GetWindowRect(target, &rect);
    screen = POINT{rect.left + 8, rect.top + 8};
  }
  EditPopupExecute();
  HMENU menu = ::GetSubMenu(popupMenu_.get(), 0);
  ApplyToMenu(menu);
  ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, window_, nullptr);
}

void TMainForm::OnInitMenuPopup(HMENU menu) {
  if (menu == ::GetSubMenu(::GetMenu(window_), 1)) EditPopupExecute();
  ApplyToMenu(menu);
}

void TMainForm::OnMenuSelect(WPARAM wParam, LPARAM lParam) {
  const UINT flags = HIWORD(wParam);
  const bool closed = flags == 0xFFFF && lParam == 0;
  const bool isCommand = !closed && (flags & (MF_POPUP | MF_SEPARATOR)) == 0;
  const Command* command = isCommand ? FindCommand(LOWORD(wParam)) : nullptr;
  if (auto text = hints_.Change(command != nullptr ? HintOf(*command) : std::u16string())) ShowStatus(0, *text);
}

LRESULT TMainForm::OnActivate(WPARAM wParam, LPARAM lParam) {
  // The control that had the focus gets it back when the window is
  // activated again, as in a dialog.
  if (LOWORD(wParam) == WA_INACTIVE) {
    const HWND focus = ::GetFocus();
    if (focus != nullptr && ::IsChild(window_, focus)) activeControl_ = focus;
  } else if (activeControl_ != nullptr && ::IsWindow(activeControl_)) {
    ::SetFocus(activeControl_);
    return 0;
  }
  return ::DefWindowProcW(window_, WM_ACTIVATE, wParam, lParam);
}

void TMainForm::OnDpiChanged(UINT dpi, const RECT& suggested) {
  dpi_ = dpi;
  ::SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  ApplyLayout();
}

void TMainForm::PageControlChange() {
  const int index = static_cast<int>(::SendMessageW(pageControl_, TCM_GETCURSEL, 0, 0));
  if (index < 0 || index > 2) return;
  CreateView(static_cast<Tab>(index));
  for (std::size_t page = 0; page < pages_.size(); ++page) {
    if (pages_[page] == nullptr) continue;
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
  // The fields of a variable tab show its selected row as it comes up.
  if (VariableTabView* view = ViewOf(tab)) {
    const EditList& list = tab == Tab::System ? model_.SysList : model_.UserList;
    view->FillFieldsFromRow(list, list.Selected());
  }
  MirrorModel();
}

// --- Actions -----------------------------------------------------------------

bool TMainForm::IsEnabled(const Command& command) const {
  switch (command.Rule) {
    case Enabling::Always:
      return true;
    case Enabling::EditMenu:
      return state_.EditActions.*command.EditState;
    case Enabling::PanelButton:
      return model_.ShownTab == Tab::Path ||
             (model_.ShownTab == Tab::System ? model_.SysList : model_.UserList).Selected() >= 0;
    case Enabling::FieldUndo: {
      const HWND edit = FocusedEditField();
      return edit != nullptr && ::SendMessageW(edit, EM_CANUNDO, 0, 0) != 0;
    }
    case Enabling::ListUndo:
      return state_.History.CanUndo();
    case Enabling::ListRedo:
      return state_.History.CanRedo();
  }
  return false;
}

void TMainForm::RunCommand(int id) {
  const Command* command = FindCommand(id);
  if (command == nullptr || !IsEnabled(*command)) return;
  ReadFields();
  const CommandPorts ports = Ports();
  CommandContext context{model_, state_, ports, *this};
  const CommandOutcome outcome = RunCommandRecorded(*command, context);
  if (window_ == nullptr) return;
  MirrorModel();
  ShowOutcome(outcome);
}

// The undo and redo items name the step they take back or do again.
std::u16string TMainForm::HintOf(const Command& command) const {
  if (command.Rule == Enabling::ListUndo) return state_.History.UndoHint();
  if (command.Rule == Enabling::ListRedo) return state_.History.RedoHint();
  return std::u16string(command.Hint);
}

void TMainForm::EditPopupExecute() {
  ReadFields();
  tallowin::EditPopupExecute(model_, state_, Ports());
}

void TMainForm::ApplyToMenu(HMENU menu) const {
  const int count = ::GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    const UINT id = ::GetMenuItemID(menu, position);
    const Command* command = FindCommand(static_cast<int>(id));
    if (command == nullptr) continue;  // a submenu or a separator
    ::EnableMenuItem(menu, id, MF_BYCOMMAND | (IsEnabled(*command) ? MF_ENABLED : MF_GRAYED));
  }
}

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
  ports.FocusedEdit = &focusedEdit_;
  ports.FolderChecks = &folderChecks_;
  ports.OutsideChanges = outsideChanges_.get();
  return ports;
}

void TMainForm::Close() { ::PostMessageW(window_, WM_CLOSE, 0, 0); }

void TMainForm::ShowAbout() { HelpAboutExecute(window_); }

void TMainForm::FocusFilter() {
  FilterField* filter = ShownFilter();
  if (filter == nullptr || filter->Handle() == nullptr) return;
  ::SetFocus(filter->Handle());
  activeControl_ = filter->Handle();
  ::SendMessageW(filter->Handle(), EM_SETSEL, 0, -1);
}

FilterField* TMainForm::ShownFilter() {
  if (model_.ShownTab == Tab::Path) return &pathView_.Filter();
  VariableTabView* view = ViewOf(model_.ShownTab);
  CreateView(model_.ShownTab);
  return &view->Filter();
}

void TMainForm::UndoInFocusedField() {
  if (const HWND edit = FocusedEditField(); edit != nullptr) ::SendMessageW(edit, EM_UNDO, 0, 0);
}

// --- Mirroring ---------------------------------------------------------------

std::vector<std::u16string> TMainForm::ConflictsOf(KeyScope scope) const {
  std::vector<std::u16string> names;
  for (const ScopedName& conflict : model_.Conflicts) {
    if (conflict.Scope == scope) names.push_back(conflict.Name);
  }
  return names;
}

void TMainForm::MirrorModel() {
  pathView_.Mirror(model_);
  sysView_.Mirror(model_.SysList, ConflictsOf(KeyScope::System));
  userView_.Mirror(model_.UserList, ConflictsOf(KeyScope::User));
  for (int id : {IDM_EDIT_ADD_BTN, IDM_EDIT_REPLASE_BTN, IDM_EDIT_DELETE_BTN}) {
    ::EnableWindow(::GetDlgItem(panel_, id), IsEnabled(*FindCommand(id)) ? TRUE : FALSE);
  }
  ShowStatus(1, model_.CountText);
  ShowFilterCount();
  ShowExpansionLines();
}

void TMainForm::ShowFilterCount() {
  const std::u16string count = ShownFilter()->CountText().value_or(std::u16string());
  if (count != filterCount_) {
    filterCount_ = count;
    ApplyStatusParts();
  }
  ShowStatus(2, filterCount_);
}

void TMainForm::ShowExpansionLines() {
  const VariableLookup programVariable = [this](std::u16string_view name) {
    return ProgramVariable(environment_, name);
  };
  pathView_.ShowExpansion(PathItemExpansionLine(model_.Edit2, model_.SysList, model_.UserList, programVariable));
  for (VariableTabView* view : {&sysView_, &userView_}) {
    if (!view->Created()) continue;
    VariableFields fields;
    view->ReadFields(fields);
    view->ShowExpansion(
        VariableExpansionLine(fields.TypeName, fields.Data, model_.SysList, model_.UserList, programVariable));
  }
}

// Every change of the keys comes here, the window's own Save's too: only
// keys that hold other values than the window read and wrote are another
// program's doing.
void TMainForm::OnKeysChanged() {
  keyWatcher_.Acknowledge();
  if (KeysChangedOutside(model_, Ports())) ShowStatus(0, texts::kOutsideChangeNotice);
}

void TMainForm::ShowOutcome(const CommandOutcome& outcome) {
  // A command's message stays in panel 0 until the next hint replaces it.
  if (!outcome.StatusText.empty()) ShowStatus(0, outcome.StatusText);
}

void TMainForm::ReadFields() {
  pathView_.ReadFields(model_);
  sysView_.ReadFields(state_.SysFields);
  userView_.ReadFields(state_.UserFields);
}

void TMainForm::ShowStatus(int panel, std::u16string_view text) {
  const std::u16string copy(text);
  ::SendMessageW(statusBar_, SB_SETTEXTW, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(win32::Wide(copy)));
  if (panel != 0) return;
  // A message wider than the hint panel (the notice of another program's
  // change) takes the whole bar until the next hint, so that it reads whole.
  const bool wide = TextWidth(statusBar_, font_.get(), text) + Scale(kStatusTextMargins, dpi_) > hintPanelWidth_;
  if (wide) {
    ::SendMessageW(statusBar_, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(win32::Wide(copy)));
  }
  ::SendMessageW(statusBar_, SB_SIMPLE, wide ? TRUE : FALSE, 0);
}

VariableTabView* TMainForm::ViewOf(Tab tab) {
  switch (tab) {
    case Tab::System:
      return &sysView_;
    case Tab::User:
      return &userView_;
    case Tab::Path:
      break;
  }
  return nullptr;
}

HWND TMainForm::ActiveControl() const {
  const HWND focus = ::GetFocus();
  return focus != nullptr && ::IsChild(window_, focus) ? focus : activeControl_;
}

HWND TMainForm::FocusedEditField() const {
  const HWND focus = ActiveControl();
  // A field of a hidden page is never the one a command acts on.
  if (focus == nullptr || !::IsWindowVisible(focus)) return nullptr;
  for (const auto& fields : {pathView_.EditFields(), sysView_.EditFields(), userView_.EditFields()}) {
    for (HWND field : fields) {
      if (focus == field) return focus;
    }
  }
  return nullptr;
}

}  // namespace tallowin::ui

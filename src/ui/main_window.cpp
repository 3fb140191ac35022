#include "ui/main_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cwctype>
#include <utility>

#include "commands/edit_commands.h"
#include "commands/list_editor_commands.h"
#include "commands/load_save_commands.h"
#include "commands/outside_change_commands.h"
#include "commands/path_tab_commands.h"
#include "commands/program_variable.h"
#include "model/texts.h"
#include "ui/about_form.h"
#include "ui/control_text.h"
#include "ui/main_window_layout.h"
#include "ui/resources/resource.h"
#include "ui/window_metrics.h"

namespace tallowin::ui {
namespace {

constexpr wchar_t kMainClass[] = L"TMainForm";
constexpr DWORD kMainStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

bool IsSameOrDescendant(HWND window, HWND ancestor) { return window == ancestor || ::IsChild(ancestor, window); }

BYTE ModifiersHeld() {
  return static_cast<BYTE>((::GetKeyState(VK_CONTROL) < 0 ? FCONTROL : 0) | (::GetKeyState(VK_SHIFT) < 0 ? FSHIFT : 0) |
                           (::GetKeyState(VK_MENU) < 0 ? FALT : 0));
}

// Messages whose handlers read or change the model, which holds what the
// keys hold only once the start's reading was taken. An edit field taking
// or losing the focus (the start gives Edit1 the focus) changes no model.
bool NeedsModel(UINT message, WPARAM wParam) {
  switch (message) {
    case WM_COMMAND:
      return HIWORD(wParam) != EN_SETFOCUS && HIWORD(wParam) != EN_KILLFOCUS;
    case WM_NOTIFY:
    case WM_VSCROLL:
    case WM_CONTEXTMENU:
    case WM_INITMENUPOPUP:
    case WM_CLOSE:
      return true;
    default:
      return false;
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
      programVariable_([this](std::u16string_view name) { return ProgramVariable(environment_, name); }),
      overrides_(overrides),
      pathView_(programVariable_),
      sysView_(kSystemTab, programVariable_),
      userView_(kUserTab, programVariable_) {}

TMainForm::~TMainForm() {
  if (window_ != nullptr) ::DestroyWindow(window_);
}

std::unique_ptr<TMainForm> TMainForm::Create(HINSTANCE instance, int showCommand, const PortOverrides& overrides,
                                             StartReading reading) {
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
  if (reading == StartReading::Finished) form->FinishLoadAtStart();
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
      return pages_.Control();
    case IDC_PANEL1:
      return panel_;
    case IDC_STATUS_BAR:
      return status_.Handle();
    case IDC_PATH_PAGE:
    case IDC_SYS_PAGE:
    case IDC_USER_PAGE:
      return pages_.Page(static_cast<Tab>(id - IDC_PATH_PAGE));
    default:
      break;
  }
  const HWND control = pages_.FindControl(id);
  return control != nullptr ? control : ::GetDlgItem(panel_, id);
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
  elevation_ = std::make_unique<ports::Win32Elevation>(window_);
  popupMenu_.reset(::LoadMenuW(instance_, MAKEINTRESOURCEW(IDR_POPUPMENU)));

  dpi_ = DpiOf(window_);
  pages_.Create(window_);
  status_.Create(window_);
  // The variable tabs are hidden at start: their controls are made when
  // they are first shown or needed.
  pathView_.Create(pages_.Page(Tab::Path), hints_);
  CreatePanel();
  ApplyLayout();
}

void TMainForm::LoadAtStart() {
  status_.ShowHint(texts::kLoading);
  startLoad_.Begin(model_, *Ports().Registry, window_, kStartReadMessage);
}

void TMainForm::FinishLoadAtStart() {
  if (!startLoad_.Pending()) return;
  if (!startLoad_.Done()) {
    // Input waits for the keys; the user sees why while it waits.
    status_.ShowHint(texts::kLoading);
    ::UpdateWindow(status_.Handle());
  }
  const CommandOutcome loaded = FinishLoad(model_, startLoad_.Take(), Ports());
  status_.ShowHint({});
  MirrorModel();
  ShowOutcome(loaded);
  model_.Loading = false;
  // Without the watch the window only misses the notice; Save still finds
  // what other programs changed.
  keyWatcher_.Start(window_, kKeysChangedMessage);
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
  for (TabView* view : Views()) {
    if (view->Created()) view->Layout(dpi_, font_.get());
  }
  pages_.Fit();

  status_.Layout(dpi_, font_.get());
  ::InvalidateRect(window_, nullptr, TRUE);
}

void TMainForm::CreateView(Tab tab) {
  TabView& view = *Views()[static_cast<std::size_t>(tab)];
  if (view.Created()) return;
  const HWND page = pages_.Page(tab);
  view.Create(page, hints_);
  view.Layout(dpi_, font_.get());
  SetFontOnChildren(page, font_.get());
  view.Mirror(model_);
}

void TMainForm::FormDestroy() {
  keyWatcher_.Stop();
  model_.PathClip.clear();
  ::PostQuitMessage(0);
}

// --- Routing -------------------------------------------------------------------

LRESULT TMainForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kStartReadMessage || (startLoad_.Pending() && NeedsModel(message, wParam))) FinishLoadAtStart();
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
      if (auto text = hints_.Change({})) status_.ShowHint(*text);
      return 0;
    case WM_ACTIVATE:
      return OnActivate(wParam, lParam);
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case kKeysChangedMessage:
      OnKeysChanged();
      return 0;
    case kStartReadMessage:
      return 0;
    case WM_CLOSE:
      // The title bar, Alt+F4 and 終了 all come here.
      if (CloseQuery(model_, Ports())) ::DestroyWindow(window_);
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
  if (startLoad_.Pending() && IsUserInput(message.message)) FinishLoadAtStart();
  if (message.message == WM_MOUSEMOVE) {
    if (auto text = hints_.Change(hints_.HintAt(message.hwnd, window_))) status_.ShowHint(*text);
  }
  if ((message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) && RunShortcut(message)) return true;
  if (message.message == WM_SYSCHAR && RunAccessKey(message)) return true;
  if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
    if (const HWND list = ShownView().EscapeFromFilter(message.hwnd); list != nullptr) {
      activeControl_ = list;
      return true;
    }
  }
  // Ctrl+Tab and Ctrl+Shift+Tab turn the tabs over, as in the system's own
  // tabbed windows.
  if (message.message == WM_KEYDOWN && message.wParam == VK_TAB && ::GetKeyState(VK_CONTROL) < 0) {
    pages_.Turn(::GetKeyState(VK_SHIFT) < 0);
    PageControlChange();
    return true;
  }
  return ::IsDialogMessageW(window_, &message) != 0;
}

// The panel's buttons answer their access keys (Alt and the underlined
// letter) without taking the focus, so that Delete with the focus in an
// edit field acts on that field. They answer the letter's character, as a
// dialog's controls do: its key-down went on to the control, which tells
// the system that Alt was not pressed alone, so that letting go of Alt
// does not leave the menu bar waiting for the next key.
bool TMainForm::RunAccessKey(const MSG& message) {
  const bool altHeld = (message.lParam & (1 << 29)) != 0;
  if (!altHeld || ::GetKeyState(VK_CONTROL) < 0 || message.wParam > 0xFFFF) return false;
  const Command* command = FindAccessKey(static_cast<WPARAM>(::towupper(static_cast<wint_t>(message.wParam))));
  if (command == nullptr || !IsEnabled(*command)) return false;
  RunCommand(command->Id);
  return true;
}

bool TMainForm::RunShortcut(const MSG& message) {
  const BYTE modifiers = ModifiersHeld();
  // Of the actions on one shortcut the first that is enabled runs (Ctrl+Z:
  // the field's undo, else the lists').
  for (const Command* command = FindShortcut(message.wParam, modifiers); command != nullptr;
       command = FindShortcut(message.wParam, modifiers, command)) {
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

void TMainForm::OnCommand(int id, int code, HWND control) {
  for (TabView* view : Views()) {
    const ViewHandled handled = view->OnCommand(model_, state_.History, control, code);
    if (handled == ViewHandled::NotMine) continue;
    if (handled == ViewHandled::FieldsChanged) {
      view->ShowExpansion(model_);
      EnablePanelButtons();  // Add follows the name field
    }
    if (handled == ViewHandled::ModelChanged || handled == ViewHandled::FilterChanged) MirrorModel();
    return;
  }
  // Menu items and the buttons, which carry their action's ID.
  if (control != nullptr && code != BN_CLICKED) return;
  RunCommand(id);
}

LRESULT TMainForm::OnNotify(const NMHDR& header) {
  if (header.hwndFrom == pages_.Control() && header.code == TCN_SELCHANGE) {
    PageControlChange();
    return 0;
  }
  // A selection the user changed enables or disables the panel's buttons.
  if (sysView_.OnNotify(header, model_) || userView_.OnNotify(header, model_)) MirrorModel();
  // A double click on a row whose value is a list opens it as one.
  if (header.code == NM_DBLCLK && header.hwndFrom == ShownView().ListHandle() && model_.ShownTab != Tab::Path) {
    const EditList& list = model_.ShownTab == Tab::System ? model_.SysList : model_.UserList;
    if (list.Selected() >= 0 && OpensAsList(list.At(list.Selected()))) RunCommand(IDM_EDIT_LIST_EDIT);
  }
  return 0;
}

void TMainForm::OnUpDownScroll(HWND control) {
  const std::optional<UpDownButton> button = pathView_.ArrowOf(control, model_);
  if (!button) return;
  // The Path list becomes the active control, where Ctrl+Up and Ctrl+Down
  // go on moving the item.
  ::SetFocus(pathView_.ListHandle());
  activeControl_ = pathView_.ListHandle();
  RunCommand(*button == UpDownButton::Up ? IDM_EDIT_MOVE_UP : IDM_EDIT_MOVE_DOWN);
  // At an end nothing moved, but the control has moved its position.
  MirrorModel();
}

void TMainForm::OnContextMenu(HWND target, POINT screen) {
  const auto views = Views();
  if (std::none_of(views.begin(), views.end(), [&](TabView* view) { return view->ListHandle() == target; })) return;
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
  if (auto text = hints_.Change(command != nullptr ? HintOf(*command) : std::u16string())) status_.ShowHint(*text);
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
  const std::optional<Tab> tab = pages_.Chosen();
  if (!tab) return;
  CreateView(*tab);
  pages_.Show(*tab);
  // The focus never stays on a control of a hidden page, where keys would
  // edit what the user cannot see: it goes to the tab control, as a click
  // on a tab gives it.
  const HWND focus = ::GetFocus();
  if (focus == nullptr || !::IsWindowVisible(focus) || !::IsChild(window_, focus)) {
    ::SetFocus(pages_.Control());
    activeControl_ = pages_.Control();
  }
  model_.ShowTab(*tab);
  ShownView().Shown(model_);
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
    case Enabling::PanelAdd:
      return model_.ShownTab == Tab::Path || (model_.ShownTab == Tab::System ? sysView_ : userView_).HoldsName();
    case Enabling::FieldUndo: {
      const HWND edit = FocusedEditField();
      return edit != nullptr && ::SendMessageW(edit, EM_CANUNDO, 0, 0) != 0;
    }
    case Enabling::ListUndo:
      return state_.History.CanUndo();
    case Enabling::ListRedo:
      return state_.History.CanRedo();
    case Enabling::PathMoveUp:
      return CanMovePathItem(model_, UpDownButton::Up);
    case Enabling::PathMoveDown:
      return CanMovePathItem(model_, UpDownButton::Down);
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
  // Undo and redo put rows back as they were: the fields show the selected
  // row again, so that the next 置換 writes what the user sees in it.
  if (command->Step == kMovesThroughHistory && model_.ShownTab != Tab::Path) ShownView().Shown(model_);
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
  ports.WriteTurn = &writeTurn_;
  ports.Elevation = overrides_.Elevation != nullptr ? overrides_.Elevation : elevation_.get();
  return ports;
}

void TMainForm::Close() { ::PostMessageW(window_, WM_CLOSE, 0, 0); }

void TMainForm::ShowAbout() { HelpAboutExecute(window_); }

void TMainForm::FocusFilter() {
  const HWND filter = ShownView().Filter().Handle();
  if (filter == nullptr) return;
  ::SetFocus(filter);
  activeControl_ = filter;
  ::SendMessageW(filter, EM_SETSEL, 0, -1);
}

void TMainForm::UndoInFocusedField() {
  if (const HWND edit = FocusedEditField(); edit != nullptr) ::SendMessageW(edit, EM_UNDO, 0, 0);
}

// --- Mirroring ---------------------------------------------------------------

void TMainForm::MirrorModel() {
  for (TabView* view : Views()) view->Mirror(model_);
  EnablePanelButtons();
  status_.ShowCount(model_.CountText);
  status_.ShowFilterCount(ShownView().Filter().CountText().value_or(std::u16string()));
}

void TMainForm::EnablePanelButtons() {
  for (int id : {IDM_EDIT_ADD_BTN, IDM_EDIT_REPLASE_BTN, IDM_EDIT_DELETE_BTN}) {
    ::EnableWindow(::GetDlgItem(panel_, id), IsEnabled(*FindCommand(id)) ? TRUE : FALSE);
  }
}

// Every change of the keys comes here, the window's own Save's too: only
// keys that hold other values than the window read and wrote are another
// program's doing.
void TMainForm::OnKeysChanged() {
  keyWatcher_.Acknowledge();
  if (KeysChangedOutside(model_, Ports())) status_.ShowHint(texts::kOutsideChangeNotice);
}

void TMainForm::ShowOutcome(const CommandOutcome& outcome) {
  // A command's message stays in panel 0 until the next hint replaces it.
  if (!outcome.StatusText.empty()) status_.ShowHint(outcome.StatusText);
}

void TMainForm::ReadFields() {
  for (TabView* view : Views()) view->ReadFields(model_, state_);
}

HWND TMainForm::ActiveControl() const {
  const HWND focus = ::GetFocus();
  return focus != nullptr && ::IsChild(window_, focus) ? focus : activeControl_;
}

HWND TMainForm::FocusedEditField() const {
  const HWND focus = ActiveControl();
  // A field of a hidden page is never the one a command acts on.
  if (focus == nullptr || !::IsWindowVisible(focus)) return nullptr;
  for (const TabView* view : Views()) {
    const std::array<HWND, 3> fields = view->EditFields();
    if (std::find(fields.begin(), fields.end(), focus) != fields.end()) return focus;
  }
  return nullptr;
}

}  // namespace tallowin::ui

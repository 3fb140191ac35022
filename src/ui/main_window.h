#pragma once

#include <windows.h>

#include <commctrl.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "commands/editor_state.h"
#include "commands/ports.h"
#include "model/main_model.h"
#include "ui/action_state.h"
#include "ui/list_view.h"
#include "ui/ports/clipboard_port.h"
#include "ui/ports/environment_port.h"
#include "ui/ports/file_pickers.h"
#include "ui/ports/file_system.h"
#include "ui/ports/folder_picker.h"
#include "ui/ports/message_dialogs.h"
#include "ui/ports/system_ports.h"
#include "ui/status_hints.h"
#include "ui/window_base.h"
#include "win32/unique_handle.h"

// The program's one window, TMainForm: three tabs ("Path", "システム",
// "ユーザー"), the panel with the Add, Replace and Delete buttons, the status
// bar, the menus and shortcuts. It owns the model, turns control events into
// calls of the command logic and mirrors the model back into the controls.
namespace tallowin::ui {

// Ports a test may put in place of the real ones; null keeps the real one.
struct PortOverrides {
  DialogPort* Dialogs = nullptr;
  RegistryPort* Registry = nullptr;
  PowerPort* Power = nullptr;
  FilePickerPort* Pickers = nullptr;
  EnvironmentBroadcastPort* Broadcast = nullptr;
};

class TMainForm final : public WindowBase<TMainForm>, private WindowPort, private FocusedEditPort {
 public:
  // Creates the window (FormCreate loads the registry) and shows it. Null
  // when the window could not be created.
  static std::unique_ptr<TMainForm> Create(HINSTANCE instance, int showCommand, const PortOverrides& overrides = {});
  ~TMainForm();

  // The message loop's first look at a message: shortcuts, status hints and
  // keyboard navigation between the controls. True when it was handled.
  bool PreTranslateMessage(MSG& message);

  MainModel& Model() { return model_; }
  EditorState& Editor() { return state_; }
  // A control by its IDC_ or button command ID.
  HWND Control(int id) const;
  bool IsActionEnabled(int commandId) const { return actions_.IsEnabled(commandId); }
  // The control that has the focus, or that gets it back when the window is
  // activated again.
  HWND ActiveControl() const;

 private:
  friend class WindowBase<TMainForm>;
  TMainForm(HINSTANCE instance, const PortOverrides& overrides);

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  ScreenRect WindowRect() const override;

  // The single-line edit field that is the window's active control.
  bool IsEditFieldFocused() const override { return FocusedEditField() != nullptr; }
  std::u16string SelectedText() const override;
  bool HasSelection() const override;
  void ReplaceSelection(std::u16string_view text) override;

  // Creation and layout.
  void FormCreate();
  void CreatePages();
  void CreateControls();
  void ApplyLayout();
  int PathListItemHeight() const;
  void FormDestroy();

  // Events.
  void OnCommand(int id, int code, HWND control);
  LRESULT OnNotify(const NMHDR& header);
  void OnUpDownScroll();
  void OnContextMenu(HWND target, POINT screen);
  void OnInitMenuPopup(HMENU menu);
  void OnDpiChanged(UINT dpi, const RECT& suggested);
  void PageControlChange();
  void ListViewChange(const NMLISTVIEW& change);
  void FillFieldsFromRow(Tab tab, int row);
  void ComboBoxOnDropDownActionExecute(HWND combo);
  void Edit1Change();

  // Commands.
  void RunCommand(int id);
  bool RunEditingCommand(int id);
  void ReadFieldsIntoState();
  bool RunMnemonic(WPARAM virtualKey);
  void EditPopupExecute();
  void EditUndoExecute();
  CommandPorts Ports();

  // Mirroring the model into the controls.
  void MirrorModel();
  void MirrorPathTab();
  void SetButtonsEnabled(bool enabled);
  void ShowStatus(int panel, std::u16string_view text);

  Tab ShownTab() const { return model_.ShownTab; }
  HWND FocusedEditField() const;

  HINSTANCE instance_;
  MainModel model_;
  EditorState state_;

  // The real ports and those a test put in their place.
  ports::Win32Registry registry_;
  ports::Win32System system_;
  ports::Win32Power power_;
  ports::Win32EnvironmentBroadcast broadcast_;
  ports::Win32FileSystem files_;
  std::unique_ptr<ports::Win32MessageDialogs> dialogs_;
  std::unique_ptr<ports::Win32FilePickers> pickers_;
  std::unique_ptr<ports::Win32Clipboard> clipboard_;
  ports::Win32Environment environment_;
  std::unique_ptr<ports::Win32FolderPicker> folders_;
  PortOverrides overrides_;

  UINT dpi_ = 96;
  win32::UniqueFont font_;
  win32::UniqueMenu popupMenu_;
  std::vector<ACCEL> shortcuts_;
  ActionState actions_;
  StatusHints hints_;

  HWND pageControl_ = nullptr;
  std::array<HWND, 3> pages_{};
  HWND panel_ = nullptr;
  HWND statusBar_ = nullptr;
  HWND edit1_ = nullptr;
  HWND pathList_ = nullptr;
  HWND edit2_ = nullptr;
  HWND upDown_ = nullptr;
  ListView sysListView_;
  ListView userListView_;
  HWND sysTypeCombo_ = nullptr;
  HWND userTypeCombo_ = nullptr;
  HWND activeControl_ = nullptr;

  // Edit1's change handler is attached only while Edit1 has the focus.
  bool edit1Attached_ = false;
  // Set while the window writes the model into its controls, whose change
  // notifications then are not the user's.
  bool mirroring_ = false;
  std::vector<std::u16string> shownPathList_;
};

// Registers the window classes of the main window; false on failure.
bool RegisterMainFormClasses(HINSTANCE instance);

}  // namespace tallowin::ui

#pragma once

#include <windows.h>

#include <array>
#include <memory>

#include "commands/editor_state.h"
#include "commands/ports.h"
#include "model/main_model.h"
#include "ui/command_table.h"
#include "ui/key_watcher.h"
#include "ui/outside_change_form.h"
#include "ui/path_tab_view.h"
#include "ui/start_load.h"
#include "ui/status_bar.h"
#include "ui/ports/clipboard_port.h"
#include "ports/elevation.h"
#include "ports/environment_port.h"
#include "ui/ports/file_pickers.h"
#include "ports/file_system.h"
#include "ui/ports/focused_edit_port.h"
#include "ports/folder_check.h"
#include "ui/ports/folder_picker.h"
#include "ui/ports/message_dialogs.h"
#include "ports/system_ports.h"
#include "ui/status_hints.h"
#include "ui/tab_pages.h"
#include "ui/variable_tab_view.h"
#include "ui/window_base.h"
#include "win32/unique_handle.h"

// The program's one window, TMainForm: the frame with its three tab pages
// ("Path", "システム", "ユーザー"), the panel with the Add, Replace and
// Delete buttons, the status bar, the menus and shortcuts. It owns the model
// and the ports, routes every input to a tab's view or to the action of the
// command table, and mirrors the model back; what a tab shows and how its
// controls answer belongs to its view.
namespace tallowin::ui {

// Ports a test may put in place of the real ones; null keeps the real one.
struct PortOverrides {
  DialogPort* Dialogs = nullptr;
  RegistryPort* Registry = nullptr;
  PowerPort* Power = nullptr;
  FilePickerPort* Pickers = nullptr;
  EnvironmentBroadcastPort* Broadcast = nullptr;
  ElevationPort* Elevation = nullptr;
};

// When Create hands the window over: with the keys read, or as soon as it
// is shown, reading the keys meanwhile (the program's start). A window still
// reading shows "読み込み中..." and takes the reading, waiting for it if
// need be, before it handles any input or command.
enum class StartReading { Finished, InBackground };

class TMainForm final : public WindowBase<TMainForm>, private WindowPort, private WindowActions {
 public:
  // Creates the window, shows it and loads the registry into it. Null when
  // the window could not be created.
  static std::unique_ptr<TMainForm> Create(HINSTANCE instance, int showCommand, const PortOverrides& overrides = {},
                                           StartReading reading = StartReading::Finished);
  // Posted by the key watcher when the environment keys changed.
  static constexpr UINT kKeysChangedMessage = WM_APP + 10;
  // Posted by the start's reading of the keys when it is done.
  static constexpr UINT kStartReadMessage = WM_APP + 11;
  ~TMainForm();

  // The message loop's first look at a message: shortcuts, status hints and
  // keyboard navigation between the controls. True when it was handled.
  bool PreTranslateMessage(MSG& message);

  MainModel& Model() { return model_; }
  EditorState& Editor() { return state_; }
  // A control by its IDC_ or button command ID; a variable tab's controls
  // are made when first asked for.
  HWND Control(int id);
  // The control that has the focus, or that gets it back when the window is
  // activated again.
  HWND ActiveControl() const;

 private:
  friend class WindowBase<TMainForm>;
  TMainForm(HINSTANCE instance, const PortOverrides& overrides);

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  ScreenRect WindowRect() const override;

  // Creation and layout.
  void FormCreate();
  void LoadAtStart();
  void FinishLoadAtStart();
  void CreatePanel();
  void ApplyLayout();
  // Makes a tab's controls, the first time the tab is needed.
  void CreateView(Tab tab);
  void FormDestroy();

  // Routing.
  void OnCommand(int id, int code, HWND control);
  LRESULT OnNotify(const NMHDR& header);
  void OnUpDownScroll(HWND control);
  void OnContextMenu(HWND target, POINT screen);
  void OnInitMenuPopup(HMENU menu);
  void OnMenuSelect(WPARAM wParam, LPARAM lParam);
  LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
  void OnDpiChanged(UINT dpi, const RECT& suggested);
  void OnKeysChanged();
  bool RunShortcut(const MSG& message);
  bool RunAccessKey(const MSG& message);
  void PageControlChange();

  // Actions.
  bool IsEnabled(const Command& command) const;
  void RunCommand(int id);
  std::u16string HintOf(const Command& command) const;
  void EditPopupExecute();
  void ApplyToMenu(HMENU menu) const;
  CommandPorts Ports();
  void Close() override;
  void ShowAbout() override;
  void UndoInFocusedField() override;
  void FocusFilter() override;
  HWND Owner() const override { return window_; }

  // Mirroring the model into the controls.
  void MirrorModel() override;
  void EnablePanelButtons();
  void ReadFields();
  void ShowOutcome(const CommandOutcome& outcome);

  // The tabs' views in the tabs' order.
  std::array<TabView*, 3> Views() { return {&pathView_, &sysView_, &userView_}; }
  std::array<const TabView*, 3> Views() const { return {&pathView_, &sysView_, &userView_}; }
  TabView& ShownView() { return *Views()[static_cast<std::size_t>(model_.ShownTab)]; }
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
  ports::Win32FocusedEdit focusedEdit_;
  ports::Win32FolderCheck folderChecks_;
  ports::Win32WriteTurn writeTurn_;
  std::unique_ptr<Win32OutsideChangeDialog> outsideChanges_;
  std::unique_ptr<ports::Win32Elevation> elevation_;
  // What the expansion lines take for a variable that neither key holds.
  VariableLookup programVariable_;
  PortOverrides overrides_;
  KeyWatcher keyWatcher_;
  // After the ports: its thread uses the registry port until it ends.
  StartLoad startLoad_;

  UINT dpi_ = 96;
  UINT fontDpi_ = 0;
  win32::UniqueFont font_;
  win32::UniqueMenu popupMenu_;
  StatusHints hints_;

  TabPages pages_;
  HWND panel_ = nullptr;
  StatusBar status_;
  HWND activeControl_ = nullptr;
  PathTabView pathView_;
  VariableTabView sysView_;
  VariableTabView userView_;
};

// Registers the window classes of the main window; false on failure.
bool RegisterMainFormClasses(HINSTANCE instance);

}  // namespace tallowin::ui

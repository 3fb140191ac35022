#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>

#include "model/type_names.h"
#include "model/value_text.h"
#include "support/fake_ports.h"
#include "support/scripted_dialogs.h"
#include "support/window_driver.h"
#include "ui/main_window.h"
#include "ui/resources/resource.h"

// The main window created for real over scripted dialogs and a registry in
// memory, with a driver that feeds it a user's input.
namespace tallowin::testing {

inline RegistryValue ExpandSz(std::u16string_view text) { return TextToValue(kRegExpandSz, text); }
inline RegistryValue Sz(std::u16string_view text) { return TextToValue(kRegSz, text); }

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() {
    registry.Key(RootKey::LocalMachine, kSystemSubkey) = {
        {u"Path", ExpandSz(u"C:\\A;C:\\B;C:\\C")},
        {u"OS", Sz(u"Windows_NT")},
        {u"TEMP", ExpandSz(u"%SystemRoot%\\TEMP")},
        {u"windir", ExpandSz(u"%SystemRoot%")},
    };
    registry.Key(RootKey::CurrentUser, kUserSubkey) = {
        {u"Tool", Sz(u"notepad")},
        {u"TEMP", ExpandSz(u"%USERPROFILE%\\Temp")},
    };
  }

  void SetUp() override { Start(); }

  // Creates the window over the registry as the test has it then.
  void Start() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES |
                                                       ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
    ::InitCommonControlsEx(&controls);
    form = ui::TMainForm::Create(::GetModuleHandleW(nullptr), SW_SHOWNORMAL,
                                 ui::PortOverrides{.Dialogs = &dialogs,
                                                   .Registry = &registry,
                                                   .Power = &power,
                                                   .Pickers = &pickers,
                                                   .Broadcast = &broadcast});
    ASSERT_NE(form, nullptr);
    driver = std::make_unique<WindowDriver>(*form);
    driver->Pump();
  }

  HWND Control(int id) const { return form->Control(id); }
  int TabShown() const { return static_cast<int>(::SendMessageW(Control(IDC_PAGE_CONTROL), TCM_GETCURSEL, 0, 0)); }
  // Replace and Delete, which follow the selection on a variable tab.
  bool ButtonsEnabled() const {
    const bool replace = ::IsWindowEnabled(Control(IDM_EDIT_REPLASE_BTN)) != FALSE;
    EXPECT_EQ(::IsWindowEnabled(Control(IDM_EDIT_DELETE_BTN)) != FALSE, replace);
    return replace;
  }
  // Add, which follows the name field on a variable tab.
  bool AddEnabled() const { return ::IsWindowEnabled(Control(IDM_EDIT_ADD_BTN)) != FALSE; }
  static std::u16string Text(HWND control) { return WindowDriver::Text(control); }

  ScriptedDialogs dialogs;
  FakeRegistry registry;
  RecordingPower power;
  RecordingBroadcast broadcast;
  ScriptedPickers pickers;  // cancels unless a test scripts an answer
  std::unique_ptr<ui::TMainForm> form;
  std::unique_ptr<WindowDriver> driver;
};

}  // namespace tallowin::testing

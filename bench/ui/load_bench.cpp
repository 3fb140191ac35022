// Load of a user key holding 10,000 variables: into the model alone
// (FileLoadExecute), against the main window's start, which loads both keys
// and fills its list views with what it read, and against the Load command
// run in a window that already shows them; and the program's own start,
// which hands the window over before the keys are read. The registry is the real one;
// the user key is a scratch key of this process, so that the prefix's own
// environment stays as it is, and nothing is ever written back.
// Run under Wine: make bench, or (with the test prefix's server running)
//   TALLOWIN_WINEPREFIX=$PWD/build/win64/wineprefix scripts/wine-run build/win64/bench/ui/tallowin_load_bench.exe
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "../bench_timing.h"
#include "commands/load_save_commands.h"
#include "model/value_text.h"
#include "registry/registry_io.h"
#include "support/fake_ports.h"
#include "support/scripted_dialogs.h"
#include "ui/main_window.h"
#include "ui/resources/resource.h"
#include "win32/unique_handle.h"
#include "win32/wide_text.h"

namespace {

using namespace tallowin;
using tallowin::bench::Clock;
using tallowin::bench::Median;
using tallowin::bench::Milliseconds;

constexpr int kValues = 10000;
constexpr int kRuns = 7;

std::u16string Ascii(const std::string& s) { return std::u16string(s.begin(), s.end()); }

// Two keys of this process under HKCU\Software\TallowinBench: one holding
// the values, one empty. Deleted again when the benchmark ends.
class ScratchKeys {
 public:
  ScratchKeys() : parent_(u"Software\\TallowinBench\\Load" + Ascii(std::to_string(::GetCurrentProcessId()))) {}
  ScratchKeys(const ScratchKeys&) = delete;
  ScratchKeys& operator=(const ScratchKeys&) = delete;
  ~ScratchKeys() { ::RegDeleteTreeW(HKEY_CURRENT_USER, win32::Wide(parent_)); }

  std::u16string Filled() const { return parent_ + u"\\Filled"; }
  std::u16string Empty() const { return parent_ + u"\\Empty"; }

  // Names in no particular order, data like a typical variable's.
  bool Create() {
    win32::UniqueKey empty;
    win32::UniqueKey filled;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, win32::Wide(Empty()), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          empty.put(), nullptr) != ERROR_SUCCESS ||
        ::RegCreateKeyExW(HKEY_CURRENT_USER, win32::Wide(Filled()), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          filled.put(), nullptr) != ERROR_SUCCESS) {
      return false;
    }
    for (int i = 0; i < kValues; ++i) {
      const std::u16string name = Ascii("VAR_" + std::to_string(i * 7919 % 100003));
      const RegistryValue value =
          TextToValue(i % 2 ? 2 : 1, Ascii("C:\\Program Files\\Tool" + std::to_string(i) + "\\bin"));
      if (::RegSetValueExW(filled.get(), win32::Wide(name), 0, value.TypeCode, value.Bytes.data(),
                           static_cast<DWORD>(value.Bytes.size())) != ERROR_SUCCESS) {
        return false;
      }
    }
    return true;
  }

 private:
  std::u16string parent_;
};

// The real registry transfers, with the user key read from a scratch key.
// Writing is refused: a Load never writes, and the benchmark must not.
class RedirectedRegistry : public RegistryPort {
 public:
  std::u16string UserKey;

  PortResult ReadKeyToList(RootKey root, std::u16string_view subkey, EditList& list) override {
    return Result(registry::ReadKeyToList(root, Redirect(root, subkey), list));
  }
  PortResult ReadKeyToItems(RootKey root, std::u16string_view subkey, std::vector<CClipItem>& items) override {
    return Result(registry::ReadKeyToItems(root, Redirect(root, subkey), items));
  }
  PortResult WriteListToKey(RootKey, std::u16string_view, const std::vector<NamedValue>&) override {
    return PortResult::Failure(ERROR_ACCESS_DENIED);
  }
  PortResult DeleteValue(RootKey, std::u16string_view, std::u16string_view) override {
    return PortResult::Failure(ERROR_ACCESS_DENIED);
  }
  PortResult ReadValue(RootKey, std::u16string_view, std::u16string_view, std::optional<RegistryValue>&) override {
    return PortResult::Failure(ERROR_ACCESS_DENIED);
  }

 private:
  std::u16string_view Redirect(RootKey root, std::u16string_view subkey) const {
    return root == RootKey::CurrentUser && subkey == kUserSubkey ? std::u16string_view(UserKey) : subkey;
  }
  static PortResult Result(LSTATUS status) {
    return status == ERROR_SUCCESS ? PortResult::Success() : PortResult::Failure(static_cast<std::uint32_t>(status));
  }
};

// Handles what the window left in the thread's queue (its end posts the
// quit message), so that each run starts from an empty queue.
void DrainMessages() {
  MSG message{};
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

struct Ports {
  testing::ScriptedDialogs Dialogs;
  testing::FixedWindow Window{ScreenRect{0, 0, 500, 500}};
  testing::FakeSystem System;
  testing::RecordingPower Power;
  testing::RecordingBroadcast Broadcast;
  RedirectedRegistry Registry;
};

// FileLoadExecute as the window's start runs it, into a fresh model.
std::vector<double> ModelLoads(Ports& ports, int expectedUserCount) {
  std::vector<double> samples;
  for (int run = 0; run < kRuns; ++run) {
    MainModel model;
    model.Loading = true;
    CommandPorts commandPorts;
    commandPorts.Dialogs = &ports.Dialogs;
    commandPorts.Window = &ports.Window;
    commandPorts.Registry = &ports.Registry;
    commandPorts.System = &ports.System;
    const auto start = Clock::now();
    FileLoadExecute(model, commandPorts);
    samples.push_back(Milliseconds(Clock::now() - start));
    if (model.UserList.Count() != expectedUserCount) return {};
  }
  return samples;
}

ui::PortOverrides Overrides(Ports& ports) {
  return {.Dialogs = &ports.Dialogs, .Registry = &ports.Registry, .Power = &ports.Power, .Broadcast = &ports.Broadcast};
}

// The window's whole start: creation, controls, Load, list views filled,
// shown and painted.
std::vector<double> WindowStarts(Ports& ports, int expectedUserCount) {
  std::vector<double> samples;
  for (int run = 0; run < kRuns; ++run) {
    const auto start = Clock::now();
    auto form = ui::TMainForm::Create(::GetModuleHandleW(nullptr), SW_SHOWNORMAL, Overrides(ports));
    samples.push_back(Milliseconds(Clock::now() - start));
    if (!form || form->Model().UserList.Count() != expectedUserCount ||
        ListView_GetItemCount(form->Control(IDC_USER_LIST_VIEW)) != expectedUserCount) {
      return {};
    }
    form.reset();
    DrainMessages();
  }
  return samples;
}

// The program's start, which reads the keys beside its window: the moment
// the window is handed over, and the moment the first input (a menu opened)
// is handled, which waits for the keys and shows them first.
struct BesideStarts {
  std::vector<double> HandedOver;
  std::vector<double> FirstInput;
};

BesideStarts WindowStartsBeside(Ports& ports) {
  BesideStarts samples;
  for (int run = 0; run < kRuns; ++run) {
    const auto start = Clock::now();
    auto form = ui::TMainForm::Create(::GetModuleHandleW(nullptr), SW_SHOWNORMAL, Overrides(ports),
                                      ui::StartReading::InBackground);
    samples.HandedOver.push_back(Milliseconds(Clock::now() - start));
    if (!form) return {};
    ::SendMessageW(form->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(::GetSubMenu(::GetMenu(form->Handle()), 0)),
                   0);
    samples.FirstInput.push_back(Milliseconds(Clock::now() - start));
    if (form->Model().UserList.Count() != kValues) return {};
    form.reset();
    DrainMessages();
  }
  return samples;
}

// The Load command (File menu) in a window already showing the variables:
// the confirmation (answered OK), Load, and the list views brought in line
// with what was read, then painted.
std::vector<double> WindowLoadCommands(Ports& ports) {
  const auto form = ui::TMainForm::Create(::GetModuleHandleW(nullptr), SW_SHOWNORMAL, Overrides(ports));
  if (!form) return {};
  DrainMessages();
  std::vector<double> samples;
  for (int run = 0; run < kRuns; ++run) {
    const std::size_t asked = ports.Dialogs.Shown.size();
    const auto start = Clock::now();
    ::SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(IDM_FILE_LOAD, 0), 0);
    ::UpdateWindow(form->Handle());
    samples.push_back(Milliseconds(Clock::now() - start));
    if (ports.Dialogs.Shown.size() != asked + 1 ||
        ListView_GetItemCount(form->Control(IDC_USER_LIST_VIEW)) != kValues) {
      return {};
    }
    DrainMessages();
  }
  return samples;
}

}  // namespace

int main() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES |
                                                     ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
  ::InitCommonControlsEx(&controls);
  ScratchKeys keys;
  if (!keys.Create()) {
    std::printf("could not prepare the scratch keys\n");
    return 1;
  }
  Ports ports;

  ports.Registry.UserKey = keys.Empty();
  // The process's first windows pay for loading the controls' code and the
  // fonts; those starts are not counted.
  WindowStarts(ports, 0);
  const std::vector<double> modelEmpty = ModelLoads(ports, 0);
  const std::vector<double> windowEmpty = WindowStarts(ports, 0);
  ports.Registry.UserKey = keys.Filled();
  const std::vector<double> model = ModelLoads(ports, kValues);
  const std::vector<double> window = WindowStarts(ports, kValues);
  const std::vector<double> command = WindowLoadCommands(ports);
  const BesideStarts beside = WindowStartsBeside(ports);
  if (modelEmpty.empty() || windowEmpty.empty() || model.empty() || window.empty() || command.empty() ||
      beside.FirstInput.empty()) {
    std::printf("a Load did not show the %d variables\n", kValues);
    return 1;
  }

  const double modelMs = Median(model);
  const double windowMs = Median(window);
  const double addedToModel = modelMs - Median(modelEmpty);
  const double addedToWindow = windowMs - Median(windowEmpty);
  std::printf("Load of a user key of %d variables, median of %d:\n", kValues, kRuns);
  std::printf("  into the model alone (FileLoadExecute): %.1f ms (user key empty: %.1f ms)\n", modelMs,
              Median(modelEmpty));
  std::printf("  the window's start (created, Load, list views filled, shown): %.1f ms = %.1f x the model's Load "
              "(user key empty: %.1f ms)\n",
              windowMs, windowMs / modelMs, Median(windowEmpty));
  std::printf("  what the %d variables add: %.1f ms to the window's start, %.1f ms to the model's Load: %.1f x\n",
              kValues, addedToWindow, addedToModel, addedToWindow / addedToModel);
  std::printf("  the Load command in a window showing them (asked, Load, list views mirrored): %.1f ms = %.1f x\n",
              Median(command), Median(command) / modelMs);
  std::printf("  the program's start, reading beside the window: handed over after %.1f ms, the first input handled "
              "(the keys read and shown first) after %.1f ms\n",
              Median(beside.HandedOver), Median(beside.FirstInput));
  return 0;
}

// One Path edit through the main window: a click on Add with 2,000 Path
// items, from the click to the list box, Edit1 and the up-down control
// showing the new item, against the same Add on the model alone.
// Run under Wine: make bench, or (with the test prefix's server running)
//   TALLOWIN_WINEPREFIX=$PWD/build/win64/wineprefix scripts/wine-run build/win64/bench/ui/tallowin_window_bench.exe
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "../bench_timing.h"
#include "commands/path_tab_commands.h"
#include "model/value_text.h"
#include "support/fake_ports.h"
#include "support/scripted_dialogs.h"
#include "ui/main_window.h"
#include "ui/resources/resource.h"

namespace {

using namespace tallowin;
using tallowin::bench::Clock;
using tallowin::bench::Median;
using tallowin::bench::Milliseconds;

constexpr int kItems = 2000;
constexpr int kRounds = 50;

std::u16string LongPath() {
  std::u16string value;
  for (int i = 0; i < kItems; ++i) {
    char item[32];
    std::snprintf(item, sizeof item, "C:\\Tools\\t%04d\\;", i);
    value.append(item, item + std::char_traits<char>::length(item));
  }
  return value;
}

// Add in the middle of the list, then Delete to come back to 2,000 items;
// only the Add is timed.
std::vector<double> WindowAdds() {
  testing::ScriptedDialogs dialogs;
  testing::FakeRegistry registry;
  testing::RecordingPower power;
  testing::RecordingBroadcast broadcast;
  registry.Key(RootKey::LocalMachine, kSystemSubkey) = {{u"Path", TextToValue(kRegExpandSz, LongPath())}};
  registry.Key(RootKey::CurrentUser, kUserSubkey) = {};
  const auto form = ui::TMainForm::Create(::GetModuleHandleW(nullptr), SW_SHOWNORMAL,
                                          {.Dialogs = &dialogs, .Registry = &registry, .Power = &power,
                                           .Broadcast = &broadcast});
  if (!form) return {};
  const HWND list = form->Control(IDC_PATH_LIST);
  ::SendMessageW(list, LB_SETCURSEL, kItems / 2, 0);
  form->Model().PathListClick(kItems / 2);
  std::vector<double> samples;
  for (int round = 0; round < kRounds; ++round) {
    ::SetWindowTextW(form->Control(IDC_EDIT2), L"D:\\Added\\Folder;");
    const auto start = Clock::now();
    ::SendMessageW(form->Control(IDM_EDIT_ADD_BTN), BM_CLICK, 0, 0);
    ::UpdateWindow(form->Handle());
    samples.push_back(Milliseconds(Clock::now() - start));
    if (::SendMessageW(list, LB_GETCOUNT, 0, 0) != kItems + 1) return {};
    ::SendMessageW(form->Control(IDM_EDIT_DELETE_BTN), BM_CLICK, 0, 0);
  }
  return samples;
}

std::vector<double> ModelAdds() {
  MainModel model;
  const int row = model.SysList.Add(VariableEntry::FromTexts(u"Path", u"REG_EXPAND_SZ", LongPath()));
  model.LinkPathEntry(row);
  model.PathListClick(kItems / 2);
  std::vector<double> samples;
  for (int round = 0; round < kRounds; ++round) {
    model.Edit2 = u"D:\\Added\\Folder;";
    const auto start = Clock::now();
    AddPathItem(model);
    samples.push_back(Milliseconds(Clock::now() - start));
    DeletePathItem(model);
  }
  return samples;
}

}  // namespace

int main() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES |
                                                     ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
  ::InitCommonControlsEx(&controls);
  const std::vector<double> window = WindowAdds();
  if (window.empty()) {
    std::printf("the window could not be driven\n");
    return 1;
  }
  const std::vector<double> model = ModelAdds();
  std::printf("Path Add with %d items, median of %d (target under 16 ms through the window):\n", kItems, kRounds);
  std::printf("  through the window (click to list box, Edit1, up-down shown): %.2f ms (worst %.2f ms)\n",
              Median(window), *std::max_element(window.begin(), window.end()));
  std::printf("  on the model alone: %.2f ms\n", Median(model));
  return 0;
}

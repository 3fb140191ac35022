#pragma once

#include <string>
#include <vector>

#include "commands/load_save_commands.h"
#include "model/type_names.h"
#include "model/value_text.h"
#include "support/fake_editing_ports.h"
#include "support/fake_ports.h"
#include "support/scripted_dialogs.h"

// Save, its automatic backup and the review, on a registry and files in
// memory. The owner window's top-left corner is (50, 40).
namespace tallowin::testing {

inline RegistryValue Sz(std::u16string_view text) { return TextToValue(kRegSz, text); }

struct SafetyBench {
  static constexpr std::u16string_view kBackupFolder = u"C:\\Local\\Tallowin\\Backups";

  SafetyBench() {
    registry.Key(RootKey::LocalMachine, kSystemSubkey) = {
        {u"Path", TextToValue(kRegExpandSz, u"C:\\A;C:\\B")}, {u"OS", Sz(u"Windows_NT")}, {u"OLD", Sz(u"old")}};
    registry.Key(RootKey::CurrentUser, kUserSubkey) = {{u"TEMP", Sz(u"C:\\Temp")}, {u"Tool", Sz(u"notepad")}};
    environment.Expansions[u"%LOCALAPPDATA%"] = u"C:\\Local";
    broadcast.DialogCount = [this] { return dialogs.Shown.size(); };
  }
  SafetyBench(const SafetyBench&) = delete;  // the ports point into it
  SafetyBench& operator=(const SafetyBench&) = delete;

  void Load() {
    model = MainModel();
    model.Loading = true;
    FileLoadExecute(model, ports);
    model.Loading = false;
  }

  // Saves: OK to the warning, then the given answers.
  void Save(std::deque<bool> answers = {false}) {
    dialogs.Answers = std::move(answers);
    dialogs.Answers.push_front(true);
    FileSaveExecute(model, ports);
  }

  std::vector<DialogKind> Kinds() const {
    std::vector<DialogKind> kinds;
    for (const ShownDialog& shown : dialogs.Shown) kinds.push_back(shown.Kind);
    return kinds;
  }

  FixedWindow window{ScreenRect{50, 40, 550, 540}};
  ScriptedDialogs dialogs;
  FakeSystem system;
  FakeRegistry registry;
  RecordingPower power;
  RecordingBroadcast broadcast;
  MemoryFiles files;
  FakeEnvironment environment;
  ScriptedPickers pickers;
  CommandPorts ports{.Dialogs = &dialogs, .Window = &window, .Registry = &registry, .System = &system,
                     .Power = &power, .Broadcast = &broadcast, .Pickers = &pickers, .Files = &files,
                     .Environment = &environment};
  MainModel model;
};

}  // namespace tallowin::testing

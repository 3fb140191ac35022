#pragma once

#include <optional>
#include <string>
#include <utility>

#include "commands/command_outcome.h"
#include "commands/ports.h"
#include "model/main_model.h"
#include "model/texts.h"

// How the editing commands keep a change whole: the model is copied before
// the change and put back when the change cannot finish, so the lists, the
// Path list, the Path clipboard and the view fields are never left half
// changed. Commands build what they can aside first (new entries, the entry
// buffer's next content) and make their last step one that cannot fail.
namespace tallowin {

// Runs a change of the model as one step: an exception part-way puts the
// model back as it was and goes on to the window's error box.
template <typename Change>
void RunAsOneStep(MainModel& model, Change change) {
  MainModel before = model;
  try {
    change();
  } catch (...) {
    model = std::move(before);
    throw;
  }
}

// The same for a change that also puts text on the system clipboard: the
// change returns that text (or nothing), and it is written last, so that a
// clipboard another program holds beyond the port's short wait takes the
// whole change back. The user reads why in status bar panel 0.
template <typename Change>
CommandOutcome RunAsOneStepWithClipboard(MainModel& model, const CommandPorts& ports, Change change) {
  MainModel before = model;
  try {
    const std::optional<std::u16string> text = change();
    if (!text || ports.Clipboard->WriteText(*text).Succeeded) return {};
    model = std::move(before);
    return CommandOutcome::Status(texts::kClipboardWriteFailed);
  } catch (...) {
    model = std::move(before);
    throw;
  }
}

}  // namespace tallowin

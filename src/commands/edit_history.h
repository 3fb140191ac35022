#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "model/main_model.h"

// Undo and redo of the lists' edits from the last Load on. The history does
// not ask the commands what they changed: each command runs through
// RunRecorded, which takes the state before it and keeps a step only when
// the command changed what Save would write. Load starts the history again;
// Save keeps it, so that an edit can be taken back after a Save and saved
// again.
namespace tallowin {

// What a command is, for the history. The first kinds are the steps a user
// can take back, each with the name the Edit menu's hint shows.
enum class EditStep : unsigned char {
  Add,
  Replace,
  Delete,
  Cut,
  Paste,
  Move,
  // Typing into Edit1 (and the field's own undo there): one step from the
  // moment the field takes the focus until another step.
  PathTyping,
  Import,
  Restore,
  PathCheck,
  DeleteMarks,
  // Reads everything afresh: the history starts again.
  Load,
  // Edits no list (Save, Copy, Export...). What it changes of what the keys
  // are known to hold (the names and values read, the deletions carried
  // out) is taken into every state of the history.
  NotAnEdit,
};

std::u16string_view StepName(EditStep step);

// A state the history gives back: everything Save writes or deletes, the
// Path list with Edit1, the current item and Edit2, the lists' selections,
// and what the keys are known to hold (the names and values read), which a
// Restore moves and its undo moves back. The clipboards and the tab shown
// are not part of it. Parts that did not change from one state to the next
// are shared, so that a hundred steps on a list of 10,000 values keep about
// one copy of the rows. The parts are listed once more, with the model's
// member each one keeps, in edit_history.cpp (ForEachPart), and nowhere
// else.
struct EditState {
  template <typename T>
  using Kept = std::shared_ptr<const T>;
  using KnownValues = std::optional<std::vector<NamedValue>>;

  Kept<EditList> SysList;
  Kept<EditList> UserList;
  std::optional<EntryId> PathEntry;
  Kept<std::vector<std::u16string>> PathList;
  Kept<std::u16string> Edit1;
  int PathIndex = 0;
  std::u16string Edit2;
  std::vector<ScopedName> DeleteOnSave;
  Kept<std::vector<std::u16string>> SysNamesAtLoad;
  Kept<std::vector<std::u16string>> UserNamesAtLoad;
  Kept<KnownValues> SysKeyAtLoad;
  Kept<KnownValues> UserKeyAtLoad;
};

// Whether two states write the same (the rows with their ids, the Path
// list, Edit1 and the deletions) against the same known keys: the current
// item, Edit2 and the selections aside, which change without making a step.
bool SameEdits(const EditState& a, const EditState& b);
// The same edits, and the same current item and selections.
bool SameState(const EditState& a, const EditState& b);

class EditHistory {
 public:
  // The oldest steps go first beyond this many.
  static constexpr std::size_t kMostSteps = 100;

  bool CanUndo() const { return done_ > 0; }
  bool CanRedo() const { return done_ < steps_.size(); }
  // How many steps can be undone, and the kind of the last of them.
  std::size_t UndoCount() const { return done_; }
  std::optional<EditStep> LastDone() const {
    return done_ > 0 ? std::optional<EditStep>(steps_[done_ - 1].Kind) : std::nullopt;
  }
  // The hints of the Edit menu's items: "元に戻す|削除を元に戻す".
  std::u16string UndoHint() const;
  std::u16string RedoHint() const;

  // The model's state, sharing what it has in common with the latest state
  // held.
  EditState Capture(const MainModel& model) const;
  // What a command of this kind did, from the state before it to the model.
  void Note(EditStep step, EditState before, const MainModel& after);
  // The next typing into Edit1 is a step of its own.
  void EndTyping() { typingOpen_ = false; }
  // Puts the model back to the state before the last step, or forward to the
  // state after the step last undone; false when there is none.
  bool Undo(MainModel& model);
  bool Redo(MainModel& model);
  void Clear();

  // While a command runs, changes it causes on the way (Edit1's change
  // handler answering the command's cut) belong to the command's step.
  bool Running() const { return running_; }
  class RunningScope {
   public:
    explicit RunningScope(EditHistory& history) : history_(history) { history_.running_ = true; }
    ~RunningScope() { history_.running_ = false; }
    RunningScope(const RunningScope&) = delete;
    RunningScope& operator=(const RunningScope&) = delete;

   private:
    EditHistory& history_;
  };

 private:
  struct Step {
    EditStep Kind;
    EditState Before;
    EditState After;
  };
  // The model's state, sharing the parts it has in common with `latest`.
  static EditState CaptureSharing(const MainModel& model, const EditState* latest);
  void Push(EditStep kind, EditState before, EditState after);
  void PutBack(MainModel& model, const EditState& state);
  // Takes what a command that is no edit changed of what the keys are known
  // to hold and of the deletions asked for into every state held, and into
  // `from`.
  void CarryBaseline(EditState& from, const EditState& to);

  std::deque<Step> steps_;
  EditState latest_;  // the state after the command last noted
  std::size_t done_ = 0;  // steps_[0, done_) can be undone, the rest redone
  bool typingOpen_ = false;
  bool running_ = false;
};

// Runs a command as the history sees it: the state before, the command, and
// the step it made, if any.
template <typename Change>
auto RunRecorded(MainModel& model, EditHistory& history, EditStep step, Change change) -> decltype(change()) {
  if (history.Running()) return change();
  EditState before = history.Capture(model);
  EditHistory::RunningScope running(history);
  if constexpr (std::is_void_v<decltype(change())>) {
    change();
    history.Note(step, std::move(before), model);
  } else {
    auto result = change();
    history.Note(step, std::move(before), model);
    return result;
  }
}

}  // namespace tallowin

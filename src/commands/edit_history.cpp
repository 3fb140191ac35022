#include "commands/edit_history.h"

#include <algorithm>
#include <utility>

#include "model/texts.h"

namespace tallowin {
namespace {

template <typename T>
using Kept = EditState::Kept<T>;

bool Same(const EditList& a, const EditList& b) { return a.SameAs(b); }

template <typename T>
bool Same(const T& a, const T& b) {
  return a == b;
}

// The part as it is now, shared with the earlier state's when they agree.
template <typename T>
Kept<T> Keep(const T& now, const Kept<T>* earlier) {
  if (earlier != nullptr && *earlier && Same(**earlier, now)) return *earlier;
  return std::make_shared<const T>(now);
}

template <typename T>
bool Equal(const Kept<T>& a, const Kept<T>& b) {
  return a == b || Same(*a, *b);
}

std::u16string Hint(std::u16string_view head, EditStep step, std::u16string_view tail) {
  return std::u16string(head) + std::u16string(StepName(step)) + std::u16string(tail);
}

}  // namespace

std::u16string_view StepName(EditStep step) {
  switch (step) {
    case EditStep::Add:
      return texts::kStepAdd;
    case EditStep::Replace:
      return texts::kStepReplace;
    case EditStep::Delete:
      return texts::kStepDelete;
    case EditStep::Cut:
      return texts::kStepCut;
    case EditStep::Paste:
      return texts::kStepPaste;
    case EditStep::Move:
      return texts::kStepMove;
    case EditStep::PathTyping:
    case EditStep::Load:
    case EditStep::NotAnEdit:
      break;
    case EditStep::Import:
      return texts::kStepImport;
    case EditStep::Restore:
      return texts::kStepRestore;
    case EditStep::PathCheck:
      return texts::kStepPathCheck;
    case EditStep::DeleteMarks:
      return texts::kStepDeleteMarks;
  }
  return texts::kStepPathTyping;
}

bool SameEdits(const EditState& a, const EditState& b) {
  return a.PathEntry == b.PathEntry && a.SysList->HoldsSameRows(*b.SysList) &&
         a.UserList->HoldsSameRows(*b.UserList) && Equal(a.PathList, b.PathList) && Equal(a.Edit1, b.Edit1) &&
         a.DeleteOnSave == b.DeleteOnSave && Equal(a.SysNamesAtLoad, b.SysNamesAtLoad) &&
         Equal(a.UserNamesAtLoad, b.UserNamesAtLoad);
}

bool SameState(const EditState& a, const EditState& b) {
  return SameEdits(a, b) && a.PathIndex == b.PathIndex && a.Edit2 == b.Edit2 &&
         a.SysList->Selected() == b.SysList->Selected() && a.UserList->Selected() == b.UserList->Selected();
}

std::u16string EditHistory::UndoHint() const {
  if (!CanUndo()) return std::u16string(texts::kHintListUndo);
  return Hint(texts::kUndoHintHead, steps_[done_ - 1].Kind, texts::kUndoHintTail);
}

std::u16string EditHistory::RedoHint() const {
  if (!CanRedo()) return std::u16string(texts::kHintListRedo);
  return Hint(texts::kRedoHintHead, steps_[done_].Kind, texts::kRedoHintTail);
}

EditState EditHistory::Capture(const MainModel& model) const {
  // Most commands and notifications change nothing: sharing the parts with
  // the state last noted costs a comparison where a copy of ten thousand
  // rows would cost far more.
  return CaptureSharing(model, latest_.SysList ? &latest_ : nullptr);
}

EditState EditHistory::CaptureSharing(const MainModel& model, const EditState* latest) {
  const auto earlier = [latest](auto member) { return latest != nullptr ? &(latest->*member) : nullptr; };
  EditState state;
  state.SysList = Keep(model.SysList, earlier(&EditState::SysList));
  state.UserList = Keep(model.UserList, earlier(&EditState::UserList));
  state.PathEntry = model.PathEntry;
  state.PathList = Keep(model.PathList, earlier(&EditState::PathList));
  state.Edit1 = Keep(model.Edit1, earlier(&EditState::Edit1));
  state.PathIndex = model.PathIndex;
  state.Edit2 = model.Edit2;
  state.DeleteOnSave = model.DeleteOnSave;
  state.SysNamesAtLoad = Keep(model.SysNamesAtLoad, earlier(&EditState::SysNamesAtLoad));
  state.UserNamesAtLoad = Keep(model.UserNamesAtLoad, earlier(&EditState::UserNamesAtLoad));
  return state;
}

void EditHistory::Note(EditStep step, EditState before, const MainModel& after) {
  EditState now = CaptureSharing(after, &before);
  latest_ = now;
  if (step == EditStep::Load) {
    if (!SameEdits(before, now)) Clear();
    return;
  }
  if (step == EditStep::NotAnEdit) {
    CarryBaseline(before, now);
    // What such a command still changed is the view's own rewrite of a
    // typed Edit1 (a refresh joins the items): part of the typing.
    step = EditStep::PathTyping;
  }
  if (!SameEdits(before, now)) Push(step, std::move(before), std::move(now));
}

void EditHistory::Push(EditStep kind, EditState before, EditState after) {
  steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(done_), steps_.end());
  const bool joinsTyping = kind == EditStep::PathTyping && typingOpen_ && !steps_.empty() && steps_.back().Kind == kind;
  typingOpen_ = kind == EditStep::PathTyping;
  if (joinsTyping) {
    Step& typing = steps_.back();
    typing.After = std::move(after);
    // Typed back to what it was: no step is left, and what follows is new.
    if (SameEdits(typing.Before, typing.After)) steps_.pop_back(), typingOpen_ = false;
  } else {
    steps_.push_back({kind, std::move(before), std::move(after)});
    if (steps_.size() > kMostSteps) steps_.pop_front();
  }
  done_ = steps_.size();
}

// Save changes what counts as read from the keys (the names) and carries
// out the deletions asked for: no state of the history may bring back
// names the keys no longer hold, nor a deletion done already.
void EditHistory::CarryBaseline(EditState& from, const EditState& to) {
  const bool sysNames = !Equal(from.SysNamesAtLoad, to.SysNamesAtLoad);
  const bool userNames = !Equal(from.UserNamesAtLoad, to.UserNamesAtLoad);
  std::vector<ScopedName> carriedOut;
  for (const ScopedName& mark : from.DeleteOnSave) {
    if (std::find(to.DeleteOnSave.begin(), to.DeleteOnSave.end(), mark) == to.DeleteOnSave.end()) {
      carriedOut.push_back(mark);
    }
  }
  if (!sysNames && !userNames && carriedOut.empty()) return;
  const auto carry = [&](EditState& state) {
    if (sysNames) state.SysNamesAtLoad = to.SysNamesAtLoad;
    if (userNames) state.UserNamesAtLoad = to.UserNamesAtLoad;
    std::erase_if(state.DeleteOnSave, [&](const ScopedName& mark) {
      return std::find(carriedOut.begin(), carriedOut.end(), mark) != carriedOut.end();
    });
  };
  for (Step& step : steps_) {
    carry(step.Before);
    carry(step.After);
  }
  carry(from);
}

bool EditHistory::Undo(MainModel& model) {
  if (!CanUndo()) return false;
  PutBack(model, steps_[--done_].Before);
  return true;
}

bool EditHistory::Redo(MainModel& model) {
  if (!CanRedo()) return false;
  PutBack(model, steps_[done_++].After);
  return true;
}

void EditHistory::PutBack(MainModel& model, const EditState& state) {
  model.SysList = *state.SysList;
  model.UserList = *state.UserList;
  model.PathEntry = state.PathEntry;
  model.PathList = *state.PathList;
  model.Edit1 = *state.Edit1;
  model.PathIndex = state.PathIndex;
  model.Edit2 = state.Edit2;
  model.DeleteOnSave = state.DeleteOnSave;
  model.SysNamesAtLoad = *state.SysNamesAtLoad;
  model.UserNamesAtLoad = *state.UserNamesAtLoad;
  model.ShowTab(model.ShownTab);  // the count of the list shown
  typingOpen_ = false;
}

void EditHistory::Clear() {
  steps_.clear();
  done_ = 0;
  typingOpen_ = false;
}

}  // namespace tallowin

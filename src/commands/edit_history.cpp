#include "commands/edit_history.h"

#include <algorithm>
#include <utility>

#include "model/texts.h"

namespace tallowin {
namespace {

template <typename T>
using Kept = EditState::Kept<T>;

// What a part is to the history.
enum class Role {
  Edit,      // what Save writes or deletes: a change of it is a step
  View,      // given back with the state, but no step of its own
  Baseline,  // what the keys are known to hold: moved by Load, Restore and Save
};

// Every part of the state, each once: the model's member, the state's and
// its role.
template <typename Visit>
void ForEachPart(Visit visit) {
  visit(&MainModel::SysList, &EditState::SysList, Role::Edit);
  visit(&MainModel::UserList, &EditState::UserList, Role::Edit);
  visit(&MainModel::PathEntry, &EditState::PathEntry, Role::Edit);
  visit(&MainModel::PathList, &EditState::PathList, Role::Edit);
  visit(&MainModel::Edit1, &EditState::Edit1, Role::Edit);
  visit(&MainModel::PathIndex, &EditState::PathIndex, Role::View);
  visit(&MainModel::Edit2, &EditState::Edit2, Role::View);
  visit(&MainModel::DeleteOnSave, &EditState::DeleteOnSave, Role::Edit);
  visit(&MainModel::SysNamesAtLoad, &EditState::SysNamesAtLoad, Role::Baseline);
  visit(&MainModel::UserNamesAtLoad, &EditState::UserNamesAtLoad, Role::Baseline);
  visit(&MainModel::SysKeyAtLoad, &EditState::SysKeyAtLoad, Role::Baseline);
  visit(&MainModel::UserKeyAtLoad, &EditState::UserKeyAtLoad, Role::Baseline);
}

template <typename T>
const T& Held(const T& part) {
  return part;
}
template <typename T>
const T& Held(const Kept<T>& part) {
  return *part;
}

// Whether either may stand for the other: a list's selection and next id too.
bool Identical(const EditList& a, const EditList& b) { return a.SameAs(b); }
template <typename T>
bool Identical(const T& a, const T& b) {
  return a == b;
}

// Whether two values of a part hold the same edits; for a list, its rows.
bool SameEdit(const EditList& a, const EditList& b) { return a.HoldsSameRows(b); }
template <typename T>
bool SameEdit(const T& a, const T& b) {
  return a == b;
}
template <typename T>
bool SameEdit(const Kept<T>& a, const Kept<T>& b) {
  return a == b || SameEdit(*a, *b);
}

// What a list shows besides its rows: the row selected.
bool SameSelection(const EditList& a, const EditList& b) { return a.Selected() == b.Selected(); }
template <typename T>
bool SameSelection(const T&, const T&) {
  return true;
}

// The part as it is now, shared with the earlier state's when they agree.
template <typename T>
void Store(T& part, const T& now, const T*) {
  part = now;
}
template <typename T>
void Store(Kept<T>& part, const T& now, const Kept<T>* earlier) {
  if (earlier != nullptr && *earlier && Identical(**earlier, now)) {
    part = *earlier;
  } else {
    part = std::make_shared<const T>(now);
  }
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
  bool same = true;
  ForEachPart([&](auto, auto part, Role role) { same = same && (role == Role::View || SameEdit(a.*part, b.*part)); });
  return same;
}

bool SameState(const EditState& a, const EditState& b) {
  bool same = SameEdits(a, b);
  ForEachPart([&](auto, auto part, Role role) {
    same = same && (role == Role::View ? SameEdit(a.*part, b.*part) : SameSelection(Held(a.*part), Held(b.*part)));
  });
  return same;
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
  EditState state;
  ForEachPart([&](auto modelPart, auto part, Role) {
    Store(state.*part, model.*modelPart, latest != nullptr ? &(latest->*part) : nullptr);
  });
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

// Save changes what the keys are known to hold and carries out the
// deletions asked for: no state of the history may bring back what the keys
// no longer hold, nor a deletion done already.
void EditHistory::CarryBaseline(EditState& from, const EditState& to) {
  std::vector<ScopedName> carriedOut;
  for (const ScopedName& mark : from.DeleteOnSave) {
    if (std::find(to.DeleteOnSave.begin(), to.DeleteOnSave.end(), mark) == to.DeleteOnSave.end()) {
      carriedOut.push_back(mark);
    }
  }
  std::vector<bool> moved;  // by part
  ForEachPart([&](auto, auto part, Role role) {
    moved.push_back(role == Role::Baseline && !SameEdit(from.*part, to.*part));
  });
  if (carriedOut.empty() && std::find(moved.begin(), moved.end(), true) == moved.end()) return;
  const auto carry = [&](EditState& state) {
    std::size_t index = 0;
    ForEachPart([&](auto, auto part, Role) {
      if (moved[index++]) state.*part = to.*part;
    });
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
  ForEachPart([&](auto modelPart, auto part, Role) { model.*modelPart = Held(state.*part); });
  model.ShowTab(model.ShownTab);  // the count of the list shown
  typingOpen_ = false;
}

void EditHistory::Clear() {
  steps_.clear();
  done_ = 0;
  typingOpen_ = false;
}

}  // namespace tallowin

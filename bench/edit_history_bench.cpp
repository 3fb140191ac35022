// The history of edits on a long list: the time a notification that edits
// nothing (a key typed into a field, a focus change), a recorded step, an
// undo and a redo take on a User list of 10,000 values, and the heap the
// history holds once it is full. Run: build/host/bench/tallowin_edit_history_bench
#include <cstdio>
#include <string>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "bench_timing.h"
#include "commands/edit_history.h"
#include "model/type_names.h"
#include "model/value_text.h"

namespace {

using tallowin::bench::Clock;
using tallowin::bench::Milliseconds;

std::u16string Ascii(const std::string& s) { return std::u16string(s.begin(), s.end()); }

// Heap in use, where the C library tells it; 0 elsewhere.
double HeapMegabytes() {
#if defined(__GLIBC__)
  return static_cast<double>(mallinfo2().uordblks) / (1024.0 * 1024.0);
#else
  return 0;
#endif
}

}  // namespace

int main() {
  using namespace tallowin;
  constexpr int kValues = 10000;
  constexpr int kSteps = 2 * static_cast<int>(EditHistory::kMostSteps);
  MainModel model;
  for (int i = 0; i < kValues; ++i) {
    const std::u16string name = Ascii("VAR_" + std::to_string(i));
    model.UserList.Add(VariableEntry::FromValue(name, TextToValue(kRegSz, Ascii("C:\\value\\" + std::to_string(i)))));
  }
  EditHistory history;
  // The window records every notification of the Path tab, from the start.
  constexpr int kNotifications = 200;
  const auto idleStart = Clock::now();
  for (int i = 0; i < kNotifications; ++i) RunRecorded(model, history, EditStep::PathTyping, [] {});
  const double idleMs = Milliseconds(Clock::now() - idleStart) / kNotifications;
  std::printf("%d values: %.3f ms a notification that edits nothing\n", kValues, idleMs);
  const double heapBefore = HeapMegabytes();
  const auto start = Clock::now();
  for (int step = 0; step < kSteps; ++step) {
    RunRecorded(model, history, EditStep::Replace, [&] {
      model.UserList.SetData(step * 37 % kValues, Ascii("D:\\edited\\" + std::to_string(step)));
    });
  }
  const double stepMs = Milliseconds(Clock::now() - start) / kSteps;
  const double heapAfter = HeapMegabytes();
  const auto undoStart = Clock::now();
  while (history.Undo(model)) {
  }
  const double undoMs = Milliseconds(Clock::now() - undoStart) / static_cast<double>(EditHistory::kMostSteps);
  const auto redoStart = Clock::now();
  while (history.Redo(model)) {
  }
  const double redoMs = Milliseconds(Clock::now() - redoStart) / static_cast<double>(EditHistory::kMostSteps);
  std::printf("%d values, %d recorded steps (%zu kept): %.3f ms a step, %.3f ms an undo, %.3f ms a redo\n", kValues,
              kSteps, EditHistory::kMostSteps, stepMs, undoMs, redoMs);
  std::printf("heap held by the history: %.1f MB (%.1f KB a step kept)\n", heapAfter - heapBefore,
              (heapAfter - heapBefore) * 1024.0 / static_cast<double>(EditHistory::kMostSteps));
  return 0;
}

#include <gtest/gtest.h>

#include <functional>

#include <new>
#include <optional>
#include <string>
#include <vector>

#include "editing_bench.h"
#include "support/failing_allocator.h"

// Every allocation an editing command makes is made to fail in turn.
namespace tallowin {
namespace {

// Everything an editing command could change, including what Save would
// write for each entry and the entry buffer, as comparable texts.
std::vector<std::u16string> Look(testing::EditingBench& e) {
  std::vector<std::u16string> seen;
  const auto number = [](long n) {
    std::u16string text;
    for (const char c : std::to_string(n)) text.push_back(static_cast<char16_t>(c));
    return text;
  };
  for (const EditList* list : {&e.model.SysList, &e.model.UserList}) {
    const std::vector<std::u16string> rows = testing::Rows(*list);
    const std::vector<NamedValue> values = e.model.ValuesToWrite(*list);
    for (int i = 0; i < list->Count(); ++i) {
      const RegistryValue& written = values[static_cast<std::size_t>(i)].Value;
      seen.push_back(rows[static_cast<std::size_t>(i)] + u" writes " + number(written.TypeCode) + u":" +
                     std::u16string(written.Bytes.begin(), written.Bytes.end()));
    }
    seen.push_back(u"selected " + number(list->Selected()));
  }
  const MainModel& m = e.model;
  for (const int n :
       {m.PathEntryIndex(), m.PathIndex, m.PathLastIndex(), m.PathListSelection(), m.UpDownMax(), m.UpDownPosition()}) {
    seen.push_back(number(n));
  }
  seen.insert(seen.end(), m.PathList.begin(), m.PathList.end());
  seen.push_back(u"clip");
  seen.insert(seen.end(), m.PathClip.begin(), m.PathClip.end());
  const CClipItem& item = e.state.ClipItem;
  seen.insert(seen.end(), {m.Edit1, m.Edit2, m.CountText, e.clipboard.Text.value_or(u"(none)"), item.Name,
                           item.TypeName, item.Data, item.IsSet ? u"set" : u"empty",
                           item.Stored ? item.Stored->Data : u"(not stored)"});
  return seen;
}

// Load's state with the second Path item current, OS and tmp selected, OS
// copied, a Path item in the Path clipboard, text on the clipboard, and
// new values in Edit2 and the System tab's fields.
struct Editor : testing::EditingBench {
  Editor() {
    model.PathListClick(1);
    model.SysList.Select(model.SysList.FindIgnoringCase(u"OS"));
    model.UserList.Select(model.UserList.FindIgnoringCase(u"tmp"));
    state.ClipItem.LoadFromItem(model.SysList.At(model.SysList.Selected()), CI_ALL_FIELDS);
    model.PathClip = {u"D:\\P;"};
    clipboard.Text = u"before";
    model.Edit2 = u"D:\\N;D:\\M";
    state.SysFields = {u"ZZ", u"REG_EXPAND_SZ", u"z"};
  }
};

TEST(EditMemoryTest, AnAllocationFailureLeavesEverythingAsItWas) {
  using Command = std::function<void(MainModel&, EditorState&, const CommandPorts&)>;
  const auto moveDown = [](MainModel& m, EditorState&, const CommandPorts&) { UpDownClick(m, UpDownButton::Down); };
  struct Scenario {
    const char* What;
    Tab On;
    Command Run;
  };
  const Scenario scenarios[] = {
      {"path add", Tab::Path, EditAddBtnExecute},
      {"path replace", Tab::Path, EditReplaseBtnExecute},
      {"path delete", Tab::Path, EditDeleteExecute},
      {"path cut", Tab::Path, EditCutExecute},
      {"path copy", Tab::Path, EditCopyExecute},
      {"path paste", Tab::Path, EditPasteExecute},
      {"path move", Tab::Path, moveDown},
      {"system add", Tab::System, EditAddBtnExecute},
      {"system replace", Tab::System, EditReplaseBtnExecute},
      {"system delete", Tab::System, EditDeleteExecute},
      {"user cut", Tab::User, EditCutExecute},
      {"user copy", Tab::User, EditCopyExecute},
      {"user paste", Tab::User, EditPasteExecute},
  };
  for (const Scenario& s : scenarios) {
    SCOPED_TRACE(s.What);
    Editor finished;
    finished.model.ShowTab(s.On);
    s.Run(finished.model, finished.state, finished.ports);
    const std::vector<std::u16string> after = Look(finished);

    bool reachedTheEnd = false;
    long takenBack = 0;
    for (long budget = 1; !reachedTheEnd && budget < 100000; ++budget) {
      Editor e;
      e.model.ShowTab(s.On);
      const std::vector<std::u16string> before = Look(e);
      ASSERT_NE(before, after);
      testing::PlanAllocationFailure(budget);
      bool threw = false;
      try {
        s.Run(e.model, e.state, e.ports);
      } catch (const std::bad_alloc&) {
        threw = true;
      }
      testing::CancelAllocationFailure();
      reachedTheEnd = !testing::AllocationFailed();
      if (threw) ++takenBack;
      // A failure the command gets past (a sort without its scratch buffer)
      // still ends with the whole change made.
      EXPECT_EQ(Look(e), threw ? before : after) << "allocation " << budget;
    }
    EXPECT_TRUE(reachedTheEnd);
    // Each command copies at least the model before it changes anything, so
    // some failure must take it back; none would mean the failing allocator
    // was not in place.
    EXPECT_GT(takenBack, 0);
  }
}

}  // namespace
}  // namespace tallowin

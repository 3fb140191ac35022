#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "commands/edit_commands.h"
#include "commands/edit_history.h"
#include "commands/file_commands.h"
#include "commands/load_save_commands.h"
#include "model/collation.h"
#include "model/type_names.h"
#include "model/value_text.h"
#include "regfile/reg_file.h"
#include "support/fake_editing_ports.h"
#include "support/fake_ports.h"
#include "support/scripted_dialogs.h"

// Random editing sequences for the promise that what the window shows is
// what Save writes. A sequence starts with a Load of odd registry contents
// and goes on with what a user does: Path list commands, typing into Edit1,
// variable tab commands on both tabs, tab switches, Load and Import, and
// other programs writing, adding or deleting values of either key. After
// every step Save and Export run on a copy of the model, and what they write
// is compared with a small model of its own that knows, for each row, what
// it was read with and what it shows. Each change of the lists must be a
// step of the history whose undo gives back the state before it (Save's
// bytes, the Path list, the current item, the selections) and redo the state
// after it; Undo and Redo are steps of the sequences too.
//
// The rule it checks: a row writes the value it was read with (by Load or
// Import, or carried over by the entry buffer's Cut or Copy and Paste) while
// it shows the type name and data text it was read with; the linked Path
// row while the Path list holds the items that value is read as, in their
// order, and Edit1 shows either the data read or those items joined. Any
// other row writes what it shows: its data text and a terminating zero
// under the code of its type name. Save, answered with its default, leaves
// a value that another program changed since Load as that program left it
// while the rows of its name would write what Load read there; every other
// row's value is written.
//
// The choices come from a seed (the test) or from a fuzzer's bytes, so the
// test and the fuzz target run one implementation.
namespace tallowin::testing {

class Choices {
 public:
  virtual ~Choices() = default;
  // A number below the bound; 0 for a bound of 0 or 1.
  virtual std::uint32_t Below(std::uint32_t bound) = 0;
  virtual bool Exhausted() const { return false; }

  // Zero, which a fuzzer's input holds often, is the common answer: no.
  bool OneIn(std::uint32_t n) { return Below(n) == n - 1; }
  template <typename T, std::size_t N>
  const T& Pick(const T (&items)[N]) {
    return items[Below(N)];
  }
};

// splitmix64: the same numbers from a seed on every platform and compiler.
class SeededChoices : public Choices {
 public:
  explicit SeededChoices(std::uint64_t seed) : state_(seed) {}
  std::uint32_t Below(std::uint32_t bound) override {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return bound <= 1 ? 0 : static_cast<std::uint32_t>(z % bound);
  }

 private:
  std::uint64_t state_;
};

// A fuzzer's bytes, as few per choice as its bound needs; zeros once used up.
class ByteChoices : public Choices {
 public:
  ByteChoices(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint32_t Below(std::uint32_t bound) override {
    if (bound <= 1) return 0;
    std::uint32_t value = 0;
    for (std::uint32_t rest = bound - 1; rest != 0; rest >>= 8) {
      value = (value << 8) | (pos_ < size_ ? data_[pos_++] : 0);
    }
    return value % bound;
  }
  bool Exhausted() const override { return pos_ >= size_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

// Passes on another source's choices and keeps them as the bytes that
// ByteChoices reads back as the same choices: seeds for the fuzz target.
class RecordingChoices : public Choices {
 public:
  explicit RecordingChoices(Choices& source) : source_(source) {}
  std::uint32_t Below(std::uint32_t bound) override {
    const std::uint32_t value = source_.Below(bound);
    int shift = 0;
    for (std::uint32_t rest = bound <= 1 ? 0 : bound - 1; rest != 0; rest >>= 8) shift += 8;
    while ((shift -= 8) >= 0) Bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    return value;
  }
  std::vector<std::uint8_t> Bytes;

 private:
  Choices& source_;
};

using NamedValues = std::vector<std::pair<std::u16string, RegistryValue>>;
using Items = std::vector<std::u16string>;

enum class Action { Load, Import, ShowTab, ClickPathItem, TypeEdit1, SelectRow, HoldClipboard,
                    Add, Replace, Delete, Cut, Copy, Paste, MoveUp, MoveDown, Outside, Undo, Redo };

// One user action, with everything it needs spelled out, so that a step list
// replays without the choices that made it.
struct Step {
  Action Kind = Action::Load;
  int Number = 0;  // the tab, the item or row clicked (-1 none), clipboard held, 1 for the start-up Load
  std::optional<std::u16string> Typed;      // into Edit1, or into Edit2 before a Path Add or Replace
  std::optional<VariableFields> Fields;     // into the variable tab's fields before Add or Replace
  std::optional<NamedValues> System, User;  // Load: the keys; Import: the file's sections
  // Outside: another program sets the value named Typed in key Number (0
  // the system key, 1 the user key), or deletes it when there is none.
  std::optional<RegistryValue> Written;
};

struct Failure {
  std::size_t Step = 0;
  std::string Check;
  std::string Detail;
};

// --- Texts for messages --------------------------------------------------

inline std::string Show(std::u16string_view text) {
  std::string out = "\"";
  char buffer[12];
  for (std::size_t i = 0; i < text.size() && i < 90; ++i) {
    const char16_t c = text[i];
    if (c == u'\r') out += "\\r";
    else if (c == u'\n') out += "\\n";
    else if (c == u'"' || c == u'\\') out += {'\\', static_cast<char>(c)};
    else if (c >= 0x20 && c < 0x7f) out += static_cast<char>(c);
    else { std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned>(c)); out += buffer; }
  }
  if (text.size() > 90) out += "...(" + std::to_string(text.size()) + " units)";
  return out + "\"";
}

inline std::string Show(const RegistryValue& value) {
  std::string out = "type " + std::to_string(value.TypeCode) + " [";
  char buffer[4];
  for (std::size_t i = 0; i < value.Bytes.size() && i < 40; ++i) {
    std::snprintf(buffer, sizeof buffer, i == 0 ? "%02x" : " %02x", value.Bytes[i]);
    out += buffer;
  }
  if (value.Bytes.size() > 40) out += " ...(" + std::to_string(value.Bytes.size()) + " bytes)";
  return out + "]";
}

// Two values, and the first byte where they differ (the bytes shown are cut short).
inline std::string Show(const RegistryValue& written, const RegistryValue& expected) {
  const std::vector<std::uint8_t>& a = written.Bytes;
  const auto part = std::mismatch(a.begin(), a.end(), expected.Bytes.begin(), expected.Bytes.end()).first;
  return Show(written) + ", expected " + Show(expected) + " (they differ from byte " +
         std::to_string(part - a.begin()) + ")";
}

inline std::string Show(const NamedValues& values) {
  std::string out = "{";
  for (const auto& [name, value] : values) out += " " + Show(name) + ": " + Show(value) + ";";
  return out + " }";
}

inline std::string Show(const Items& items) {
  std::string out = "[";
  for (const std::u16string& item : items) out += " " + Show(item);
  return out + " ]";
}

inline std::string Describe(const Step& step) {
  static const char* const kNames[] = {"Load", "Import", "ShowTab", "ClickPathItem", "TypeEdit1", "SelectRow",
                                       "HoldClipboard", "Add", "Replace", "Delete", "Cut", "Copy", "Paste",
                                       "MoveUp", "MoveDown", "Outside", "Undo", "Redo"};
  std::string out = kNames[static_cast<int>(step.Kind)];
  switch (step.Kind) {
    case Action::ShowTab: case Action::ClickPathItem: case Action::SelectRow: case Action::HoldClipboard:
    case Action::Outside:
      out += " " + std::to_string(step.Number);
      break;
    default:
      break;
  }
  if (step.Typed) out += " typed " + Show(*step.Typed);
  if (const auto& f = step.Fields) out += " fields " + Show(f->Name) + " " + Show(f->TypeName) + " " + Show(f->Data);
  if (step.System) out += " system " + Show(*step.System);
  if (step.User) out += " user " + Show(*step.User);
  if (step.Written) out += " writes " + Show(*step.Written);
  return out;
}

// --- The independent model -----------------------------------------------

// The Path items of a value as the Path tab shows them: a line break or a
// ';' ends an item; a ';' where an item would start begins the next one
// instead; the last item of a line gets its ';' unless it is that lone ';'.
inline Items PathItemsOf(std::u16string_view value) {
  Items items;
  std::u16string item;
  const auto close = [&] {
    if (!item.empty()) items.push_back(item == u";" ? item : item + u";");
    item.clear();
  };
  for (const char16_t c : value) {
    if (c == u'\r' || c == u'\n') {
      close();
    } else if (c == u';' && !item.empty()) {
      items.push_back(item + u";");
      item.clear();
    } else {
      item.push_back(c);
    }
  }
  close();
  return items;
}

inline std::u16string Joined(const Items& items) {
  std::u16string text;
  for (const std::u16string& item : items) text += item;
  return text;
}

inline std::u16string WithoutLineBreaks(std::u16string text) {
  std::erase_if(text, [](char16_t c) { return c == u'\r' || c == u'\n'; });
  return text;
}

inline bool IsPathName(std::u16string_view name) {
  if (name.size() != 4) return false;
  for (std::size_t i = 0; i < 4; ++i) {
    if ((name[i] | 0x20) != u"path"[i]) return false;
  }
  return true;
}

// The value a row was read with and the two texts it was read as.
struct ReadWith {
  RegistryValue Value;
  std::u16string TypeName;
  std::u16string Data;
  bool operator==(const ReadWith&) const = default;
};

inline ReadWith ReadOf(const RegistryValue& value) {
  return {value, std::u16string(TypeNameOf(value.TypeCode)), DataTextOf(value)};
}

inline RegistryValue ShownValue(const VariableEntry& row) {
  return TextToValue(TypeCodeForWriting(row.TypeName()), row.Data());
}

// For each row of a list, what it was read with (nothing for a row the user made).
using ReadMap = std::map<EntryId, std::optional<ReadWith>>;

class CommandSequence {
 public:
  CommandSequence() = default;
  CommandSequence(const CommandSequence&) = delete;
  // Whether undo's check compares Save's bytes besides the state (quicker).
  bool CompareWrittenBytes = true;
  // Whether the registry may hold a Path as long as a value can be, on
  // which every step handles 32,767 characters a few times over.
  bool PathsAtSizeLimit = true;

  // Makes the next step from the choices and what the window shows now.
  Step Generate(Choices& choices, bool first) const;
  void Apply(const Step& step);
  // The view and the values Save would write after every step; Save itself
  // (with its backup, on keys that other programs changed), Export and
  // Import, which take longer, when asked.
  std::optional<Failure> Check(bool roundTrip) const;

 private:
  struct Expectation {
    RegistryValue Value;
    bool KeepsRead = false;
  };

  // What the linked Path row was read with, if it is in the list and was read.
  std::optional<ReadWith> PathRead() const {
    const auto found = pathRow_ ? sysRead_.find(*pathRow_) : sysRead_.end();
    return found != sysRead_.end() ? found->second : std::nullopt;
  }
  EditList& ListOf(Tab tab) { return tab == Tab::System ? model_.SysList : model_.UserList; }
  ReadMap& ReadOfList(Tab tab) { return tab == Tab::System ? sysRead_ : userRead_; }
  void ReadLists(const std::optional<NamedValues>& system, const std::optional<NamedValues>& user);
  void ApplyStep(const Step& step);
  void ApplyPathCommand(const Step& step);
  void ApplyVariableCommand(const Step& step);
  Expectation Expected(const EditList& list, int row, bool system) const;
  std::optional<std::string> CheckSave() const;
  std::optional<std::string> CheckValuesToWrite() const;
  std::optional<std::string> CheckExportImport() const;
  std::optional<std::string> CheckView() const;

  FixedWindow window_{ScreenRect{100, 50, 600, 550}};
  ScriptedDialogs dialogs_;
  ScriptedClipboard clipboard_;
  bool moveWroteClipboard_ = false;
  ScriptedFolderPicker folders_;
  FakeEnvironment environment_;
  FakeFocusedEdit focusedEdit_;  // never focused: the commands act on the lists
  FakeRegistry registry_;
  FakeSystem system_;
  RecordingPower power_;
  RecordingBroadcast broadcast_;
  ScriptedPickers pickers_;
  MemoryFiles files_;
  CommandPorts ports_{.Dialogs = &dialogs_, .Window = &window_, .Registry = &registry_, .System = &system_,
                      .Power = &power_, .Broadcast = &broadcast_, .Pickers = &pickers_, .Files = &files_,
                      .Clipboard = &clipboard_, .Folders = &folders_, .Environment = &environment_,
                      .FocusedEdit = &focusedEdit_};
  MainModel model_;
  EditorState state_;

  // What the user has seen happen, kept apart from the program's state.
  Tab shown_ = Tab::Path;
  ReadMap sysRead_, userRead_;
  std::optional<EntryId> pathRow_;
  Items items_, pathClip_;
  std::optional<int> selection_;  // the Path item current after a removal or a move
  std::optional<std::u16string> lastTyped_;
  bool clipSet_ = false;
  std::optional<ReadWith> clip_;
  bool justRead_[2] = {};  // the System and the User list were read by the last step
  NamedValues atLoad_[2];  // what the system and the user key held at the last Load
  // The last Path data read, its items and those joined: split again only
  // when another value was read.
  mutable struct {
    std::u16string Data;
    Items List;
    std::u16string Joined;
  } pathRead_;
  // The small model's part that undo takes back, and what Save writes.
  using Seen = std::tuple<ReadMap, ReadMap, std::optional<EntryId>, Items, std::optional<std::u16string>>;
  Seen SeenNow() const { return {sysRead_, userRead_, pathRow_, items_, lastTyped_}; }
  using Written = std::optional<std::tuple<std::vector<NamedValue>, std::vector<NamedValue>, std::vector<ScopedName>>>;
  Written WrittenNow() const {
    if (!CompareWrittenBytes) return std::nullopt;
    return {{model_.ValuesToWrite(model_.SysList), model_.ValuesToWrite(model_.UserList), model_.DeleteOnSave}};
  }
  // Beside each step of the history: the small model's part before and
  // after it, and the state and bytes before it.
  std::vector<std::tuple<Seen, Seen, EditState, Written>> seenSteps_;
  std::optional<std::string> undoFailure_;
};

// --- Generation ------------------------------------------------------------

inline std::u16string PathText(Choices& c) {
  static const std::u16string_view kDirs[] = {u"C:\\A", u"C:\\B", u"D:\\Tools", u"%SystemRoot%\\system32", u" ",
                                              u"C:\\Program Files\\X", u"", u"値\\下"};
  static const std::u16string_view kSeparators[] = {u";", u";", u";", u";;", u"\r\n", u"\r", u"\n", u";\r\n", u" ;"};
  std::u16string text;
  for (std::uint32_t n = c.Below(7); n > 0; --n) {
    text += c.Pick(kDirs);
    if (n > 1) text += c.Pick(kSeparators);
  }
  static const std::u16string_view kEnds[] = {u"", u";", u";", u"\r\n", u";;"};
  return text + std::u16string(c.Pick(kEnds));
}

// A string value, sometimes stored the odd ways the registry allows.
inline RegistryValue StringValue(Choices& c, std::uint32_t type, std::u16string_view text) {
  RegistryValue value = TextToValue(type, text);
  switch (c.Below(8)) {
    case 5: value.Bytes.resize(value.Bytes.size() - 2); break;  // no terminating zero
    case 6: value.Bytes.push_back('X'); break;                  // odd length
    case 7: value = TextToValue(type, std::u16string(text) + u'\0' + u"C:\\After;"); break;  // embedded zero
    default: break;
  }
  return value;
}

inline RegistryValue OtherValue(Choices& c) {
  switch (c.Below(7)) {
    case 0: return {kRegDword, {1, 0, 0, 0}};
    case 1: return {kRegDword, {7, 0, 1}};
    case 2: return {kRegQword, {1, 2, 3, 4, 5, 6, 7, 8}};
    case 3: return {kRegBinary, {0x00, 0xff, 0x3b}};
    case 4: return {kRegMultiSz, {'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0}};
    case 5: return {kRegNone, {}};
    default: return TextToValue(c.OneIn(2) ? 0x12345u : 13u, u"C:\\X;");
  }
}

inline RegistryValue PathValue(Choices& c, bool atSizeLimit) {
  if (c.OneIn(60) && atSizeLimit) {
    std::u16string longPath;
    for (int i = 0; longPath.size() < 32767; ++i) {
      for (const char ch : "C:\\Tools\\" + std::to_string(i) + ";") longPath.push_back(static_cast<char16_t>(ch));
    }
    longPath.resize(32767);
    return TextToValue(kRegExpandSz, longPath);
  }
  const std::uint32_t r = c.Below(20);
  if (r >= 18) return OtherValue(c);
  return StringValue(c, r >= 15 ? kRegSz : kRegExpandSz, PathText(c));
}

inline std::u16string DataText(Choices& c) {
  static const std::u16string_view kData[] = {u"Windows_NT", u"%USERPROFILE%\\Temp", u"", u" ", u"C:\\A;C:\\B",
                                              u"値", u"x;y;", u"C:\\B;"};
  return std::u16string(c.Pick(kData));
}

inline std::u16string VariableName(Choices& c) {
  static const std::u16string_view kNames[] = {u"Path", u"PATH", u"path", u"OS", u"TEMP", u"tmp", u"windir", u"A=B",
                                               u"", u"PATHEXT", u"x\x01y", u"名前", u"Zeta", u"NEW"};
  return std::u16string(c.Pick(kNames));
}

// A key's or a section's values: names differ ignoring case, as the
// registry keeps them; the system one mostly holds a Path.
inline NamedValues KeyValues(Choices& c, bool system, bool pathsAtSizeLimit) {
  NamedValues values;
  const auto add = [&](std::u16string name, RegistryValue value) {
    for (const auto& [existing, unused] : values) {
      if (EqualsIgnoringCase(existing, name)) return;
    }
    values.emplace_back(std::move(name), std::move(value));
  };
  const bool withPath = system ? !c.OneIn(8) : c.OneIn(4);
  const std::uint32_t pathAt = c.Below(4);
  for (std::uint32_t i = 0, n = c.Below(6); i <= n; ++i) {
    if (withPath && i == pathAt % (n + 1)) {
      static const std::u16string_view kPathNames[] = {u"Path", u"Path", u"PATH", u"path"};
      add(std::u16string(c.Pick(kPathNames)), PathValue(c, pathsAtSizeLimit));
    }
    std::u16string name = VariableName(c);
    if (IsPathName(name)) continue;
    add(std::move(name), c.OneIn(3) ? OtherValue(c) : StringValue(c, c.OneIn(2) ? kRegSz : kRegExpandSz, DataText(c)));
  }
  return values;
}

inline Step CommandSequence::Generate(Choices& c, bool first) const {
  Step step;
  if (first || c.OneIn(40)) {
    step.Number = first ? 1 : 0;
    step.System = KeyValues(c, true, PathsAtSizeLimit);
    step.User = KeyValues(c, false, PathsAtSizeLimit);
    return step;
  }
  if (c.OneIn(30)) {
    step.Kind = Action::Import;
    if (!c.OneIn(4)) step.System = KeyValues(c, true, PathsAtSizeLimit);
    if (!c.OneIn(3)) step.User = KeyValues(c, false, PathsAtSizeLimit);
    return step;
  }
  if (c.OneIn(25)) {
    step.Kind = Action::Outside;
    step.Number = static_cast<int>(c.Below(2));
    const auto key = registry_.Keys.find({step.Number == 0 ? RootKey::LocalMachine : RootKey::CurrentUser,
                                          std::u16string(step.Number == 0 ? kSystemSubkey : kUserSubkey)});
    const bool held = key != registry_.Keys.end() && !key->second.empty() && !c.OneIn(3);
    step.Typed = held ? key->second[c.Below(static_cast<std::uint32_t>(key->second.size()))].first : VariableName(c);
    if (!held || !c.OneIn(3)) {
      step.Written = IsPathName(*step.Typed) ? PathValue(c, PathsAtSizeLimit) : StringValue(c, kRegSz, DataText(c));
    }
    return step;
  }
  if (c.OneIn(12)) {
    step.Kind = c.OneIn(3) ? Action::Redo : Action::Undo;
    return step;
  }
  if (c.OneIn(10)) {
    step.Kind = Action::ShowTab;
    step.Number = static_cast<int>(c.Below(3));
    return step;
  }
  if (shown_ == Tab::Path) {
    static const Action kPathActions[] = {Action::ClickPathItem, Action::ClickPathItem, Action::TypeEdit1,
                                          Action::Add,    Action::Add,    Action::Replace,  Action::Delete,
                                          Action::Delete, Action::Cut,    Action::Copy,     Action::Paste,
                                          Action::MoveUp, Action::MoveDown, Action::HoldClipboard};
    step.Kind = c.Pick(kPathActions);
    const std::u16string& edit1 = model_.Edit1;
    switch (step.Kind) {
      case Action::ClickPathItem:
        step.Number = static_cast<int>(c.Below(static_cast<std::uint32_t>(model_.PathList.size()) + 1)) - 1;
        break;
      case Action::TypeEdit1:
        switch (c.Below(7)) {
          case 0: step.Typed = edit1; break;  // the window's own write coming back
          case 1: step.Typed = Joined(PathItemsOf(PathRead().value_or(ReadWith{}).Data)); break;
          case 2: step.Typed = WithoutLineBreaks(PathRead().value_or(ReadWith{}).Data); break;
          case 3: step.Typed = edit1.substr(0, edit1.empty() ? 0 : edit1.size() - 1); break;
          case 4: step.Typed = edit1 + u"C:\\New"; break;
          case 5: step.Typed = u""; break;
          default: step.Typed = WithoutLineBreaks(PathText(c)); break;
        }
        break;
      case Action::Add:
      case Action::Replace:
        if (c.OneIn(2)) {
          static const std::u16string_view kItems[] = {u"C:\\New", u"C:\\B;", u" D:\\T ", u";", u"", u"  ",
                                                       u"E:\\A;E:\\B", u"C:\\A;"};
          step.Typed = std::u16string(c.Pick(kItems));
        }
        break;
      case Action::HoldClipboard:
        step.Number = c.OneIn(2) ? 1 : 0;
        break;
      default:
        break;
    }
    return step;
  }
  static const Action kVariableActions[] = {Action::SelectRow, Action::SelectRow, Action::Add,  Action::Add,
                                            Action::Replace,   Action::Replace,   Action::Delete, Action::Cut,
                                            Action::Copy,      Action::Copy,      Action::Paste,  Action::Paste};
  step.Kind = c.Pick(kVariableActions);
  const EditList& list = shown_ == Tab::System ? model_.SysList : model_.UserList;
  if (step.Kind == Action::SelectRow) {
    step.Number = static_cast<int>(c.Below(static_cast<std::uint32_t>(list.Count()) + 1)) - 1;
  } else if ((step.Kind == Action::Add || step.Kind == Action::Replace) && !c.OneIn(3)) {
    static const std::u16string_view kTypes[] = {u"REG_SZ", u"REG_SZ", u"REG_EXPAND_SZ", u"REG_EXPAND_SZ",
                                                 u"REG_DWORD", u"REG_BINARY", u""};
    step.Fields = VariableFields{VariableName(c), std::u16string(c.Pick(kTypes)), DataText(c)};
  }
  return step;
}

// --- Running ---------------------------------------------------------------

inline void CommandSequence::ReadLists(const std::optional<NamedValues>& system,
                                       const std::optional<NamedValues>& user) {
  const auto read = [&](const EditList& list, const NamedValues& values, ReadMap& map) {
    map.clear();
    for (int i = 0; i < list.Count(); ++i) {
      std::optional<ReadWith>& entry = map[list.IdAt(i)];
      for (const auto& [name, value] : values) {
        if (name == list.At(i).Name) entry = ReadOf(value);
      }
    }
  };
  justRead_[1] = user.has_value();
  justRead_[0] = system.has_value();
  if (user) read(model_.UserList, *user, userRead_);
  if (!system) return;
  read(model_.SysList, *system, sysRead_);
  pathRow_.reset();
  for (int i = 0; i < model_.SysList.Count() && !pathRow_; ++i) {
    if (IsPathName(model_.SysList.At(i).Name)) pathRow_ = model_.SysList.IdAt(i);
  }
  // Without a Path in the section, Import adds an empty one that takes the
  // items the Path list holds; Load leaves the list as it was.
  if (const std::optional<ReadWith> read = PathRead()) items_ = PathItemsOf(read->Data);
  lastTyped_.reset();
}

inline void CommandSequence::Apply(const Step& step) {
  using enum EditStep;
  static const EditStep kSteps[] = {Load, Import, NotAnEdit, PathTyping, PathTyping, NotAnEdit, NotAnEdit, Add,
                                    Replace, Delete, Cut, NotAnEdit, Paste, Move, Move, NotAnEdit};
  EditHistory& history = state_.History;
  const std::size_t doneBefore = history.UndoCount();
  justRead_[0] = justRead_[1] = false;
  selection_.reset();
  undoFailure_.reset();
  if (step.Kind == Action::Undo || step.Kind == Action::Redo) {
    const bool undo = step.Kind == Action::Undo;
    if (undo ? history.Undo(model_) : history.Redo(model_)) {
      const auto& moved = seenSteps_[undo ? doneBefore - 1 : doneBefore];
      std::tie(sysRead_, userRead_, pathRow_, items_, lastTyped_) = undo ? std::get<0>(moved) : std::get<1>(moved);
    }
    return;
  }
  if (step.Kind == Action::TypeEdit1) history.EndTyping();  // Edit1 takes the focus
  EditState before = history.Capture(model_);
  Written written = WrittenNow();
  Seen seen = SeenNow();
  RunRecorded(model_, history, kSteps[static_cast<int>(step.Kind)], [&] { ApplyStep(step); });
  // The step the history made, if any, and the small model's part beside it.
  const std::size_t done = history.UndoCount();
  const EditState after = history.Capture(model_);
  if (done == doneBefore + 1) {
    seenSteps_.resize(doneBefore);
    seenSteps_.push_back({std::move(seen), SeenNow(), std::move(before), std::move(written)});
  } else if (step.Kind == Action::Load || done + 1 == doneBefore || SameEdits(before, after)) {
    if (done != doneBefore || step.Kind == Action::Load) seenSteps_.resize(done);  // Load, or typed back
    return;
  } else if (done == doneBefore && history.LastDone() == EditStep::PathTyping) {
    std::get<1>(seenSteps_.back()) = SeenNow();  // more of the same typing
  } else {
    return void(undoFailure_ = "the lists changed, but no step takes it back");
  }
  const auto& [unused, unused2, stateBefore, writtenBefore] = seenSteps_.back();
  const Written writtenAfter = WrittenNow();
  history.Undo(model_);
  if (!SameState(history.Capture(model_), stateBefore) || WrittenNow() != writtenBefore) {
    undoFailure_ = "undo gave Path items " + Show(model_.PathList) + ", or bytes, other than before the step";
  }
  history.Redo(model_);
  if (!undoFailure_ && (!SameState(history.Capture(model_), after) || WrittenNow() != writtenAfter)) {
    undoFailure_ = "redo did not give back the state after the step";
  }
}

inline void CommandSequence::ApplyStep(const Step& step) {
  switch (step.Kind) {
    case Action::Load:
      registry_.Keys.clear();
      registry_.Key(RootKey::LocalMachine, kSystemSubkey) = step.System.value_or(NamedValues{});
      registry_.Key(RootKey::CurrentUser, kUserSubkey) = step.User.value_or(NamedValues{});
      model_.Loading = step.Number == 1;
      FileLoadExecute(model_, ports_);
      model_.Loading = false;
      atLoad_[0] = step.System.value_or(NamedValues{});
      atLoad_[1] = step.User.value_or(NamedValues{});
      ReadLists(step.System.value_or(NamedValues{}), step.User.value_or(NamedValues{}));
      break;
    case Action::Import: {
      std::vector<std::u16string> lines[2];
      const std::optional<NamedValues>* sections[2] = {&step.System, &step.User};
      for (int s = 0; s < 2; ++s) {
        for (const auto& [name, value] : sections[s]->value_or(NamedValues{})) {
          lines[s].push_back(regfile::MakeValueLine(name, value));
        }
      }
      std::vector<std::u16string> fileLines = regfile::MakeFileLines(lines[0], lines[1]);
      // MakeFileLines writes both sections; a missing one is left out again.
      for (int s = 1; s >= 0; --s) {
        if (*sections[s]) continue;
        const std::u16string key = regfile::MakeKeyLine(s == 0 ? RootKey::LocalMachine : RootKey::CurrentUser,
                                                        s == 0 ? kSystemSubkey : kUserSubkey);
        std::erase(fileLines, key);
      }
      files_.Files[u"import.reg"] = regfile::EncodeFile(fileLines);
      pickers_.Answers = {u"import.reg"};
      FileImportExecute(model_, ports_);
      ReadLists(step.System, step.User);
      break;
    }
    case Action::ShowTab:
      shown_ = static_cast<Tab>(step.Number);
      model_.ShowTab(shown_);
      break;
    case Action::ClickPathItem:
      model_.PathListClick(step.Number < static_cast<int>(model_.PathList.size()) ? step.Number : -1);
      break;
    case Action::TypeEdit1: {
      const std::u16string& text = *step.Typed;
      lastTyped_ = text;
      items_ = PathItemsOf(WithoutLineBreaks(text));
      model_.Edit1Change(text);
      break;
    }
    case Action::SelectRow:
      if (shown_ != Tab::Path) {
        EditList& list = ListOf(shown_);
        const int row = step.Number < list.Count() ? step.Number : -1;
        list.Select(row);
        if (row >= 0) FillFieldsFromEntry(shown_ == Tab::System ? state_.SysFields : state_.UserFields, list.At(row));
      }
      break;
    case Action::HoldClipboard:
      clipboard_.Held = step.Number != 0;
      break;
    case Action::Outside: {
      NamedValues& key = registry_.Key(step.Number == 0 ? RootKey::LocalMachine : RootKey::CurrentUser,
                                       step.Number == 0 ? kSystemSubkey : kUserSubkey);
      if (step.Written) {
        FakeRegistry::Set(key, *step.Typed, *step.Written);
      } else {
        std::erase_if(key, [&](const auto& value) { return EqualsIgnoringCase(value.first, *step.Typed); });
      }
      break;
    }
    default:
      if (shown_ == Tab::Path || step.Kind == Action::MoveUp || step.Kind == Action::MoveDown) {
        ApplyPathCommand(step);
      } else {
        ApplyVariableCommand(step);
      }
      break;
  }
}

inline void CommandSequence::ApplyPathCommand(const Step& step) {
  const int count = static_cast<int>(items_.size());
  const int index = model_.PathIndex;
  const int selected = model_.PathListSelection();
  const auto isItem = [&](int i) { return i >= 0 && i < count; };
  // A removed item's follower becomes current, or the new last item.
  const auto remove = [&](int at) {
    items_.erase(items_.begin() + at);
    selection_ = std::min(at, count - 2);
  };
  // An item made from Edit2: kept as typed when it ends with ';', else
  // trimmed of blanks and control characters and closed with ';'.
  const auto itemFrom = [](std::u16string text) {
    if (!text.empty() && text.back() == u';') return text;
    const auto blank = [](char16_t c) { return c <= u' '; };
    while (!text.empty() && blank(text.back())) text.pop_back();
    text.erase(text.begin(), std::find_if_not(text.begin(), text.end(), blank));
    return text.empty() ? text : text + u";";
  };
  const auto replaceAt = [&](int at, const std::u16string& line) {
    Items lines = items_;
    lines[static_cast<std::size_t>(at)] = line;
    items_ = PathItemsOf(Joined(lines));
  };
  if (step.Typed) model_.Edit2 = *step.Typed;
  const std::u16string item = itemFrom(model_.Edit2);
  switch (step.Kind) {
    case Action::Add:
      if (!item.empty()) {
        Items lines = items_;
        lines.insert(lines.begin() + std::clamp(index, 0, count), item);
        items_ = PathItemsOf(Joined(lines));
      }
      EditAddBtnExecute(model_, state_, ports_);
      break;
    case Action::Replace:
      if (isItem(index) && !item.empty()) replaceAt(index, item);
      EditReplaseBtnExecute(model_, state_, ports_);
      break;
    case Action::Delete:
      if (isItem(selected)) remove(selected);
      EditDeleteExecute(model_, state_, ports_);
      break;
    case Action::Cut:
    case Action::Copy:
      if (!clipboard_.Held) {
        pathClip_ = isItem(selected) ? Items{items_[static_cast<std::size_t>(selected)]} : Items{};
        if (step.Kind == Action::Cut && isItem(selected)) remove(selected);
      }
      (step.Kind == Action::Cut ? EditCutExecute : EditCopyExecute)(model_, state_, ports_);
      break;
    case Action::Paste:
      if (isItem(index) && !pathClip_.empty()) replaceAt(index, Joined(pathClip_));
      EditPasteExecute(model_, state_, ports_);
      break;
    default: {
      const bool up = step.Kind == Action::MoveUp;
      const int to = up ? index - 1 : index + 1;
      if (isItem(index) && isItem(to)) {
        std::swap(items_[static_cast<std::size_t>(index)], items_[static_cast<std::size_t>(to)]);
        items_ = PathItemsOf(Joined(items_));
        selection_ = std::min(to, static_cast<int>(items_.size()) - 1);
      }
      const std::size_t clipboardWrites = clipboard_.Writes.size();
      UpDownClick(model_, up ? UpDownButton::Up : UpDownButton::Down);
      // A move is no cut: the clipboards keep what they held.
      if (clipboard_.Writes.size() != clipboardWrites) moveWroteClipboard_ = true;
      break;
    }
  }
}

inline void CommandSequence::ApplyVariableCommand(const Step& step) {
  EditList& list = ListOf(shown_);
  auto& read = ReadOfList(shown_);
  const int selected = list.Selected();
  const EntryId id = selected >= 0 ? list.IdAt(selected) : 0;
  const std::optional<ReadWith> selectedRead = selected >= 0 ? read[id] : std::nullopt;
  if (step.Fields) (shown_ == Tab::System ? state_.SysFields : state_.UserFields) = *step.Fields;
  const std::size_t dialogsBefore = dialogs_.Shown.size();
  switch (step.Kind) {
    case Action::Add: EditAddBtnExecute(model_, state_, ports_); break;
    case Action::Replace: EditReplaseBtnExecute(model_, state_, ports_); break;
    case Action::Delete: EditDeleteExecute(model_, state_, ports_); break;
    case Action::Cut: EditCutExecute(model_, state_, ports_); break;
    case Action::Copy: EditCopyExecute(model_, state_, ports_); break;
    default: EditPasteExecute(model_, state_, ports_); break;
  }
  // A refusal is a message; what the user saw decides which rows changed.
  const bool refused = dialogs_.Shown.size() != dialogsBefore;
  ReadMap now;
  for (int i = 0; i < list.Count(); ++i) now[list.IdAt(i)] = read[list.IdAt(i)];
  read = std::move(now);
  if (selected < 0) return;
  const bool gone = list.IndexOf(id) < 0;
  if (step.Kind == Action::Copy || (step.Kind == Action::Cut && gone)) {
    clipSet_ = true;
    clip_ = selectedRead;
  } else if (step.Kind == Action::Paste && !refused && clipSet_ && clip_) {
    // A row keeps what it was read with until a pasted value read elsewhere
    // takes its place; a Replace from the fields keeps it.
    read[id] = clip_;
  }
}

// --- Checking ---------------------------------------------------------------

inline CommandSequence::Expectation CommandSequence::Expected(const EditList& list, int row, bool system) const {
  const VariableEntry& entry = list.At(row);
  const auto& readMap = system ? sysRead_ : userRead_;
  const auto found = readMap.find(list.IdAt(row));
  const std::optional<ReadWith>* readEntry = found != readMap.end() ? &found->second : nullptr;
  const ReadWith* read = readEntry != nullptr && *readEntry ? &**readEntry : nullptr;
  bool keeps = read && entry.TypeName() == read->TypeName;
  if (keeps && system && pathRow_ == list.IdAt(row)) {
    if (pathRead_.Data != read->Data) {
      pathRead_ = {read->Data, PathItemsOf(read->Data), {}};
      pathRead_.Joined = Joined(pathRead_.List);
    }
    keeps = items_ == pathRead_.List && (entry.Data() == read->Data || entry.Data() == pathRead_.Joined);
  } else {
    keeps = keeps && entry.Data() == read->Data;
  }
  return keeps ? Expectation{read->Value, true} : Expectation{ShownValue(entry), false};
}

inline std::optional<std::string> CommandSequence::CheckView() const {
  const MainModel& m = model_;
  const int pathIndex = pathRow_ ? m.SysList.IndexOf(*pathRow_) : -1;
  if (m.PathEntryIndex() != pathIndex) {
    return "the Path row is row " + std::to_string(m.PathEntryIndex()) + ", expected " + std::to_string(pathIndex);
  }
  if (m.PathList != items_) return "Path items " + Show(m.PathList) + ", expected " + Show(items_);
  if (m.PathClip != pathClip_) return "Path clipboard " + Show(m.PathClip) + ", expected " + Show(pathClip_);
  if (moveWroteClipboard_) return "a move wrote the system clipboard";
  if (selection_ && m.PathListSelection() != *selection_) {
    return "the current Path item is " + std::to_string(m.PathListSelection()) + ", expected " +
           std::to_string(*selection_);
  }
  if (m.Edit1 != Joined(items_) && !(lastTyped_ && m.Edit1 == *lastTyped_)) {
    return "Edit1 " + Show(m.Edit1) + " is neither the joined items nor the text typed";
  }
  if (pathIndex >= 0 && m.SysList.At(pathIndex).Data() != m.Edit1) {
    return "the Path row shows " + Show(m.SysList.At(pathIndex).Data()) + ", Edit1 " + Show(m.Edit1);
  }
  for (int s = 0; s < 2; ++s) {
    if (!justRead_[s]) continue;
    const EditList& list = s == 0 ? m.SysList : m.UserList;
    const auto& read = s == 0 ? sysRead_ : userRead_;
    for (int i = 0; i < list.Count(); ++i) {
      const auto r = read.find(list.IdAt(i));
      if ((s == 0 && i == pathIndex) || r == read.end() || !r->second) continue;
      if (list.At(i).TypeName() != r->second->TypeName || list.At(i).Data() != r->second->Data) {
        return "row " + Show(list.At(i).Name) + " does not show what it read";
      }
    }
  }
  return std::nullopt;
}

inline std::optional<std::string> CommandSequence::CheckSave() const {
  MainModel copy = model_;
  FakeRegistry registry = registry_;  // the keys as other programs left them
  registry.Key(RootKey::LocalMachine, kSystemSubkey);
  registry.Key(RootKey::CurrentUser, kUserSubkey);
  const FakeRegistry before = registry;
  ScriptedDialogs dialogs;
  dialogs.Answers = {true, false};  // OK to the warning, no restart
  FakeSystem system;
  RecordingPower power;
  RecordingBroadcast broadcast;
  MemoryFiles files;  // where the automatic backup goes
  FakeEnvironment environment;
  environment.Expansions[u"%LOCALAPPDATA%"] = u"C:\\Users\\U\\AppData\\Local";
  const CommandPorts ports{.Dialogs = &dialogs, .Window = &window_, .Registry = &registry, .System = &system,
                           .Power = &power, .Broadcast = &broadcast, .Files = &files, .Environment = &environment};
  FileSaveExecute(copy, ports);  // other programs' changes: the default answer
  const auto find = [](const FakeRegistry::Values& values, std::u16string_view name) -> const RegistryValue* {
    const auto found = std::find_if(values.begin(), values.end(),
                                    [&](const auto& v) { return EqualsIgnoringCase(v.first, name); });
    return found != values.end() ? &found->second : nullptr;
  };
  for (int s = 0; s < 2; ++s) {
    const EditList& list = s == 0 ? model_.SysList : model_.UserList;
    const RootKey root = s == 0 ? RootKey::LocalMachine : RootKey::CurrentUser;
    const std::u16string_view subkey = s == 0 ? kSystemSubkey : kUserSubkey;
    const FakeRegistry::Values& now = before.Keys.at({root, std::u16string(subkey)});
    // Value names ignore case: of rows whose names differ only in case, the
    // key holds the last one's value under the first one's name.
    FakeRegistry::Values rows;
    for (int i = 0; i < list.Count(); ++i) FakeRegistry::Set(rows, list.At(i).Name, Expected(list, i, s == 0).Value);
    // A value another program changed since Load stays as it left it while
    // the rows would write back what Load read; the user's edits are written.
    FakeRegistry::Values expected = now;
    for (const auto& [name, value] : rows) {
      const RegistryValue* read = find(atLoad_[s], name);
      const RegistryValue* current = find(now, name);
      const bool changedOutside = read == nullptr || current == nullptr ? read != current : *read != *current;
      if (!changedOutside || read == nullptr || *read != value) FakeRegistry::Set(expected, name, value);
    }
    const FakeRegistry::Values& written = registry.Key(root, subkey);
    if (written != expected) {
      return std::string(s == 0 ? "system" : "user") + " key after Save " + Show(written) + ", expected " +
             Show(expected) + ", other programs having left " + Show(now);
    }
  }
  return std::nullopt;
}

// What Save would write, row by row, without running it: quick enough for
// every step of a fuzzed sequence.
inline std::optional<std::string> CommandSequence::CheckValuesToWrite() const {
  for (const bool system : {true, false}) {
    const EditList& list = system ? model_.SysList : model_.UserList;
    const std::vector<NamedValue> values = model_.ValuesToWrite(list);
    for (int i = 0; i < list.Count(); ++i) {
      const VariableEntry& entry = list.At(i);
      const NamedValue& value = values[static_cast<std::size_t>(i)];
      const Expectation e = Expected(list, i, system);
      if (value.Name == entry.Name && value.Value == e.Value) continue;
      return std::string(system ? "system" : "user") + " row " + Show(entry.Name) +
             (system && pathRow_ == list.IdAt(i) ? " (the Path row)" : "") + " shows " + Show(entry.TypeName()) +
             " " + Show(entry.Data()) + "; Save writes " + Show(value.Name) + " " + Show(value.Value, e.Value) +
             ", which is " + (e.KeepsRead ? "the value read" : "what it shows");
    }
  }
  return std::nullopt;
}

inline std::optional<std::string> CommandSequence::CheckExportImport() const {
  MemoryFiles files;
  ScriptedPickers pickers;
  ScriptedDialogs dialogs;
  FakeSystem system;
  const CommandPorts ports{.Dialogs = &dialogs, .Window = &window_, .System = &system, .Pickers = &pickers,
                           .Files = &files};
  MainModel copy = model_;
  pickers.Answers = {u"export.reg"};
  FileExportExecute(copy, ports);
  const std::vector<std::uint8_t>& bytes = files.Files[u"export.reg"];
  const regfile::ParsedFile parsed = regfile::ParseFile(bytes.data(), bytes.size(), [](std::string_view text) {
    return std::u16string(text.begin(), text.end());
  });
  if (parsed.Sections.size() != 2) return "the exported file has " + std::to_string(parsed.Sections.size()) + " parts";

  using RowTexts = std::tuple<std::u16string, std::u16string, std::u16string>;
  std::vector<RowTexts> expectedRows, importedRows;
  bool anyPathRow = false;
  std::optional<RegistryValue> linkedPathValue;
  for (const regfile::ParsedSection& section : parsed.Sections) {
    const bool system = section.Target == regfile::Scope::System;
    const EditList& list = system ? model_.SysList : model_.UserList;
    if (static_cast<int>(section.Values.size()) != list.Count()) return "Export wrote a different number of rows";
    for (int i = 0; i < list.Count(); ++i) {
      const regfile::ParsedValue& value = section.Values[static_cast<std::size_t>(i)];
      const RegistryValue expected = Expected(list, i, system).Value;
      if (value.Name != list.At(i).Name || value.Value != expected) {
        return "Export wrote row " + Show(list.At(i).Name) + " as " + Show(value.Name) + " " +
               Show(value.Value, expected);
      }
      const ReadWith read = ReadOf(expected);
      // The Path row's data is its items joined (compared as items below).
      const bool pathRow = system && IsPathName(value.Name);
      anyPathRow = anyPathRow || pathRow;
      if (pathRow && pathRow_ == list.IdAt(i)) linkedPathValue = expected;
      expectedRows.emplace_back(value.Name, read.TypeName, pathRow ? u"" : read.Data);
    }
  }
  MainModel fresh;
  pickers.Answers = {u"export.reg"};
  FileImportExecute(fresh, ports);
  for (int s = 0; s < 2; ++s) {
    const EditList& list = s == 0 ? fresh.SysList : fresh.UserList;
    for (int i = 0; i < list.Count(); ++i) {
      const bool pathRow = s == 0 && IsPathName(list.At(i).Name);
      importedRows.emplace_back(list.At(i).Name, list.At(i).TypeName(), pathRow ? u"" : list.At(i).Data());
    }
  }
  if (!anyPathRow) expectedRows.emplace_back(u"Path", u"REG_EXPAND_SZ", u"");  // Import adds one
  std::sort(expectedRows.begin(), expectedRows.end());
  std::sort(importedRows.begin(), importedRows.end());
  if (expectedRows != importedRows) return "Export and Import into a new window gave other rows";
  // With one Path row, and that one linked, the new window links it too and
  // shows the items of what was written.
  int pathRows = 0;
  for (int i = 0; i < model_.SysList.Count(); ++i) pathRows += IsPathName(model_.SysList.At(i).Name) ? 1 : 0;
  if (linkedPathValue && pathRows == 1 && fresh.PathList != PathItemsOf(DataTextOf(*linkedPathValue))) {
    return "after Export and Import the Path items are " + Show(fresh.PathList) + ", expected " +
           Show(PathItemsOf(DataTextOf(*linkedPathValue)));
  }
  return std::nullopt;
}

inline std::optional<Failure> CommandSequence::Check(bool roundTrip) const {
  if (undoFailure_) return Failure{0, "undo", *undoFailure_};
  if (std::optional<std::string> view = CheckView()) return Failure{0, "view", *view};
  std::optional<std::string> detail = CheckValuesToWrite();
  if (!detail && roundTrip) detail = CheckSave();
  if (detail) return Failure{0, "save", *detail};
  if (!roundTrip) return std::nullopt;
  if ((detail = CheckExportImport())) return Failure{0, "export", *detail};
  return std::nullopt;
}

// --- Sequences ----------------------------------------------------------------

struct SequenceResult {
  std::vector<Step> Steps;
  std::optional<Failure> Failed;
};

struct SequenceOptions {
  // Save, Export and Import after every step, or only after the last one.
  bool RoundTripEachStep = true;
  bool PathsAtSizeLimit = true;
};

// Runs steps made from the choices, checking after each, until a check
// fails, the step count is reached or the choices run out.
inline SequenceResult RunSequence(Choices& choices, std::size_t maxSteps, SequenceOptions options = {}) {
  const bool roundTripEachStep = options.RoundTripEachStep;
  SequenceResult result;
  CommandSequence sequence;
  sequence.CompareWrittenBytes = roundTripEachStep;
  sequence.PathsAtSizeLimit = options.PathsAtSizeLimit;
  while (result.Steps.size() < maxSteps && (result.Steps.empty() || !choices.Exhausted())) {
    result.Steps.push_back(sequence.Generate(choices, result.Steps.empty()));
    sequence.Apply(result.Steps.back());
    const bool last = result.Steps.size() == maxSteps || choices.Exhausted();
    if ((result.Failed = sequence.Check(roundTripEachStep || last))) {
      result.Failed->Step = result.Steps.size() - 1;
      break;
    }
  }
  return result;
}

inline std::optional<Failure> Replay(const std::vector<Step>& steps) {
  CommandSequence sequence;
  for (std::size_t i = 0; i < steps.size(); ++i) {
    sequence.Apply(steps[i]);
    if (std::optional<Failure> failed = sequence.Check(true)) {
      failed->Step = i;
      return failed;
    }
  }
  return std::nullopt;
}

// Leaves out steps and registry values while the same check still fails,
// for a short reproduction.
inline std::vector<Step> Shrink(std::vector<Step> steps, const Failure& failure) {
  steps.resize(failure.Step + 1);
  const auto failsAlike = [&](const std::vector<Step>& candidate) {
    const std::optional<Failure> again = Replay(candidate);
    return again && again->Check == failure.Check;
  };
  for (bool progress = true; progress;) {
    progress = false;
    for (std::size_t i = steps.size(); i-- > 1;) {
      std::vector<Step> candidate = steps;
      candidate.erase(candidate.begin() + static_cast<std::ptrdiff_t>(i));
      if (failsAlike(candidate)) steps = std::move(candidate), progress = true;
    }
    for (std::size_t i = 0; i < steps.size(); ++i) {
      for (const auto section : {&Step::System, &Step::User}) {
        for (std::size_t v = (steps[i].*section) ? (steps[i].*section)->size() : 0; v-- > 0;) {
          std::vector<Step> candidate = steps;
          NamedValues& values = *(candidate[i].*section);
          values.erase(values.begin() + static_cast<std::ptrdiff_t>(v));
          if (failsAlike(candidate)) steps = std::move(candidate), progress = true;
        }
      }
    }
  }
  return steps;
}

inline std::string Describe(const std::vector<Step>& steps, const Failure& failure) {
  std::string out;
  for (std::size_t i = 0; i < steps.size(); ++i) out += "  " + std::to_string(i) + ": " + Describe(steps[i]) + "\n";
  return out + "failed after step " + std::to_string(failure.Step) + " (" + failure.Check + "): " + failure.Detail;
}

}  // namespace tallowin::testing

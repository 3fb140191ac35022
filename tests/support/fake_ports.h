#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "model/collation.h"
#include "model/type_names.h"
#include "model/value_text.h"
#include "commands/ports.h"

// In-memory stand-ins for the registry, the system's error texts, power
// control, the file dialogs and the file system, behaving as the Win32 ones
// do: whole-transfer results with the failing step's error code, values in
// enumeration order, files replaced whole or not at all.
namespace tallowin::testing {

class FakeSystem : public SystemPort {
 public:
  std::u16string DescribeError(std::uint32_t code) override {
    std::u16string text = u"error ";
    for (char c : std::to_string(code)) text.push_back(static_cast<char16_t>(c));
    return text + u".\r\n";
  }
  LocalTime Now{2026, 12, 7, 14, 30, 5};
  LocalTime LocalNow() override { return Now; }
};

class FakeRegistry : public RegistryPort {
 public:
  using Values = std::vector<std::pair<std::u16string, RegistryValue>>;
  using KeyPath = std::pair<RootKey, std::u16string>;

  // Keys that exist, with their values in enumeration order.
  std::map<KeyPath, Values> Keys;
  // Value names whose write is refused (ERROR_INVALID_PARAMETER).
  std::set<std::u16string> RefusedNames;
  // Keys whose reading fails part-way (ERROR_ACCESS_DENIED after this many values).
  std::map<KeyPath, std::size_t> ReadFailsAfter;
  // Value names whose deletion is refused (ERROR_ACCESS_DENIED).
  std::set<std::u16string> UndeletableNames;
  // Roots whose keys a standard user may read, not write (ERROR_ACCESS_DENIED
  // at any write or deletion, even of no values).
  std::set<RootKey> ReadOnlyRoots;
  int Writes = 0;
  // Every value deleted, in order: the key's root and the name asked for.
  std::vector<std::pair<RootKey, std::u16string>> Deleted;
  // When set, each whole read of a key adds 'r', each write of a list 'w',
  // each deletion 'd' (see FakeWriteTurn).
  std::string* Log = nullptr;

  static constexpr std::uint32_t kFileNotFound = 2;
  static constexpr std::uint32_t kAccessDenied = 5;
  static constexpr std::uint32_t kInvalidParameter = 87;

  Values& Key(RootKey root, std::u16string_view subkey) { return Keys[{root, std::u16string(subkey)}]; }

  PortResult ReadKeyToList(RootKey root, std::u16string_view subkey, EditList& list) override {
    const PortResult read = Read(root, subkey, [&](const std::u16string& name, const RegistryValue& value) {
      list.Add(VariableEntry::FromValue(name, value));
    });
    if (read.Succeeded && list.Count() > 0) list.Select(0);
    return read;
  }

  PortResult ReadKeyToItems(RootKey root, std::u16string_view subkey, std::vector<CClipItem>& items) override {
    return Read(root, subkey, [&](const std::u16string& name, const RegistryValue& value) {
      items.emplace_back().SetReadValue(name, value);
    });
  }

  PortResult WriteListToKey(RootKey root, std::u16string_view subkey, const std::vector<NamedValue>& values) override {
    if (Log != nullptr) *Log += 'w';
    auto key = Keys.find({root, std::u16string(subkey)});
    if (key == Keys.end()) return PortResult::Failure(kFileNotFound);
    if (ReadOnlyRoots.count(root) != 0) return PortResult::Failure(kAccessDenied);
    for (const NamedValue& value : values) {
      if (RefusedNames.count(value.Name) != 0) return PortResult::Failure(kInvalidParameter);
      ++Writes;
      Set(key->second, value.Name, value.Value);
    }
    return PortResult::Success();
  }

  PortResult DeleteValue(RootKey root, std::u16string_view subkey, std::u16string_view name) override {
    if (Log != nullptr) *Log += 'd';
    auto key = Keys.find({root, std::u16string(subkey)});
    if (key == Keys.end()) return PortResult::Failure(kFileNotFound);
    if (UndeletableNames.count(std::u16string(name)) != 0 || ReadOnlyRoots.count(root) != 0) {
      return PortResult::Failure(kAccessDenied);
    }
    Deleted.emplace_back(root, name);
    std::erase_if(key->second, [name](const auto& value) { return EqualsIgnoringCase(value.first, name); });
    return PortResult::Success();
  }

  PortResult ReadValue(RootKey root, std::u16string_view subkey, std::u16string_view name,
                       std::optional<RegistryValue>& value) override {
    value.reset();
    auto key = Keys.find({root, std::u16string(subkey)});
    if (key == Keys.end()) return PortResult::Success();
    for (const auto& [existing, stored] : key->second) {
      if (EqualsIgnoringCase(existing, name)) value = stored;
    }
    return PortResult::Success();
  }

 private:
  template <typename Sink>
  PortResult Read(RootKey root, std::u16string_view subkey, Sink sink) {
    if (Log != nullptr) *Log += 'r';
    const KeyPath path{root, std::u16string(subkey)};
    auto key = Keys.find(path);
    if (key == Keys.end()) return PortResult::Failure(kFileNotFound);
    const auto limit = ReadFailsAfter.find(path);
    for (std::size_t i = 0; i < key->second.size(); ++i) {
      if (limit != ReadFailsAfter.end() && i == limit->second) return PortResult::Failure(kAccessDenied);
      sink(key->second[i].first, key->second[i].second);
    }
    return PortResult::Success();
  }


 public:
  // A value written as the registry writes it.
  static void Set(Values& values, const std::u16string& name, RegistryValue value) {
    for (auto& [existing, stored] : values) {
      if (EqualsIgnoringCase(existing, name)) {  // value names ignore case
        stored = std::move(value);
        return;
      }
    }
    values.emplace_back(name, std::move(value));
  }
};

// Counts the announcements and, for their order among the dialogs, how many
// dialogs the watched port had shown at each.
class RecordingBroadcast : public EnvironmentBroadcastPort {
 public:
  std::function<std::size_t()> DialogCount;
  std::vector<std::size_t> AtDialog;
  void AnnounceEnvironmentChange() override { AtDialog.push_back(DialogCount ? DialogCount() : 0); }
};

class RecordingPower : public PowerPort {
 public:
  std::vector<std::uint32_t> Actions;
  void ChangePowerState(std::uint32_t action) override { Actions.push_back(action); }
};

// Answers the file dialogs from a script; cancels once the script has run out.
class ScriptedPickers : public FilePickerPort {
 public:
  std::deque<std::optional<std::u16string>> Answers;
  std::vector<std::u16string> SaveTitles;
  std::vector<std::u16string> OpenTitles;

  std::optional<std::u16string> PickFileToSave(std::u16string_view title) override {
    SaveTitles.emplace_back(title);
    return Next();
  }
  std::optional<std::u16string> PickFileToOpen(std::u16string_view title) override {
    OpenTitles.emplace_back(title);
    return Next();
  }

 private:
  std::optional<std::u16string> Next() {
    if (Answers.empty()) return std::nullopt;
    std::optional<std::u16string> answer = Answers.front();
    Answers.pop_front();
    return answer;
  }
};

// Files in memory. A replace either succeeds whole or fails and leaves the
// old content, as the real port promises.
class MemoryFiles : public FileSystemPort {
 public:
  using Bytes = std::vector<std::uint8_t>;
  static constexpr std::uint32_t kFileNotFound = 2;
  static constexpr std::uint32_t kFileExists = 80;

  std::map<std::u16string, Bytes> Files;
  std::map<std::u16string, std::uint32_t> FailingWrites;
  int Replaces = 0;

  FileContents ReadWholeFile(std::u16string_view path) override {
    const auto file = Files.find(std::u16string(path));
    if (file == Files.end()) return {PortResult::Failure(kFileNotFound), {}};
    return {PortResult::Success(), file->second};
  }
  PortResult ReplaceWholeFile(std::u16string_view path, std::span<const std::uint8_t> bytes) override {
    ++Replaces;
    const auto failing = FailingWrites.find(std::u16string(path));
    if (failing != FailingWrites.end()) return PortResult::Failure(failing->second);
    Files[std::u16string(path)] = Bytes(bytes.begin(), bytes.end());
    return PortResult::Success();
  }
  // A path taken already, ignoring case as the file system does, is
  // ERROR_FILE_EXISTS; a path in FailingWrites leaves no file.
  PortResult CreateNewFile(std::u16string_view path, std::span<const std::uint8_t> bytes) override {
    const auto failing = FailingWrites.find(std::u16string(path));
    if (failing != FailingWrites.end()) return PortResult::Failure(failing->second);
    for (const auto& [existing, content] : Files) {
      if (EqualsIgnoringCase(existing, path)) return PortResult::Failure(kFileExists);
    }
    Files[std::u16string(path)] = Bytes(bytes.begin(), bytes.end());
    return PortResult::Success();
  }
  // Folders made; a folder in FailingFolders cannot be made (that code).
  std::set<std::u16string> Folders;
  std::map<std::u16string, std::uint32_t> FailingFolders;
  // Files that cannot be removed, with the code; the removals asked for.
  std::map<std::u16string, std::uint32_t> FailingRemovals;
  std::vector<std::u16string> Removals;
  static constexpr std::uint32_t kPathNotFound = 3;

  PortResult CreateFolderWithParents(std::u16string_view path) override {
    const auto failing = FailingFolders.find(std::u16string(path));
    if (failing != FailingFolders.end()) return PortResult::Failure(failing->second);
    Folders.emplace(path);
    return PortResult::Success();
  }
  // The last writes the listing gives (by path); the zero time for others.
  std::map<std::u16string, LocalTime> WriteTimes;

  // Runs as a listing starts, as another program's change just before it.
  std::function<void()> BeforeListing;

  // The files whose path is the folder's, a backslash and a name.
  FileListing ListFiles(std::u16string_view folder) override {
    if (BeforeListing) BeforeListing();
    if (Folders.count(std::u16string(folder)) == 0) return {PortResult::Failure(kPathNotFound), {}};
    const std::u16string prefix = std::u16string(folder) + u"\\";
    FileListing listing{PortResult::Success(), {}};
    for (const auto& [path, bytes] : Files) {
      if (path.starts_with(prefix) && path.find(u'\\', prefix.size()) == std::u16string::npos) {
        const auto written = WriteTimes.find(path);
        listing.Files.push_back({path.substr(prefix.size()), written == WriteTimes.end() ? LocalTime{} : written->second,
                                 bytes.size()});
      }
    }
    return listing;
  }
  PortResult RemoveFile(std::u16string_view path) override {
    Removals.emplace_back(path);
    const auto failing = FailingRemovals.find(std::u16string(path));
    if (failing != FailingRemovals.end()) return PortResult::Failure(failing->second);
    return Files.erase(std::u16string(path)) != 0 ? PortResult::Success() : PortResult::Failure(kFileNotFound);
  }

  // The names of the files in a folder, sorted.
  std::vector<std::u16string> NamesIn(std::u16string_view folder) {
    std::vector<std::u16string> names;
    for (const FileEntry& file : ListFiles(folder).Files) names.push_back(file.Name);
    std::sort(names.begin(), names.end());
    return names;
  }

  // Latin-1 stands in for the system's ANSI code page.
  std::u16string DecodeAnsi(std::string_view text) override {
    std::u16string wide;
    for (const char c : text) wide.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
    return wide;
  }
};

// The writers' turn, logged into the registry's log (FakeRegistry::Log):
// '[' when it was taken, ']' when it was given back, '!' when it could not
// be had. Another writer's change of the keys can be set to come just
// before a given take (the first is 1), as one that got the turn first.
class FakeWriteTurn : public WriteTurnPort {
 public:
  explicit FakeWriteTurn(std::string& log) : log_(log) {}
  // The error every take fails with (WAIT_TIMEOUT is 258); 0 for none.
  std::uint32_t TakeFails = 0;
  std::map<int, std::function<void()>> OtherWriterBefore;
  bool Held = false;

  PortResult Take() override {
    if (TakeFails != 0) {
      log_ += '!';
      return PortResult::Failure(TakeFails);
    }
    if (const auto other = OtherWriterBefore.find(++takes_); other != OtherWriterBefore.end()) other->second();
    log_ += '[';
    Held = true;
    return PortResult::Success();
  }
  void Release() override {
    log_ += ']';
    Held = false;
  }

 private:
  std::string& log_;
  int takes_ = 0;
};

}  // namespace tallowin::testing

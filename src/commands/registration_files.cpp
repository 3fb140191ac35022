#include "commands/file_commands.h"

#include <string>
#include <utility>
#include <vector>

#include "model/clip_item.h"
#include "model/environment_keys.h"
#include "regfile/reg_file.h"
#include "commands/key_values.h"

// The bytes that Export and Backup write, apart from the commands that ask
// for a file and report: the command line writes them too.
namespace tallowin {
namespace {

// Export writes what Save would write.
std::vector<std::u16string> ListValueLines(const MainModel& model, const EditList& list) {
  std::vector<std::u16string> lines;
  lines.reserve(static_cast<std::size_t>(list.Count()));
  for (const NamedValue& value : model.ValuesToWrite(list)) {
    lines.push_back(regfile::MakeValueLine(value.Name, value.Value));
  }
  return lines;
}

// Items read from a key carry the value they were read with; an item's
// value goes out by the same rule as an edit list entry's.
std::vector<std::u16string> ItemValueLines(std::vector<CClipItem>& items) {
  std::vector<std::u16string> lines;
  lines.reserve(items.size());
  for (CClipItem& item : items) {
    VariableEntry entry;
    entry.Name = std::move(item.Name);
    entry.SubItems = {std::move(item.TypeName), std::move(item.Data)};
    entry.Stored = std::move(item.Stored);
    lines.push_back(regfile::MakeValueLine(entry.Name, ValueToWrite(entry)));
  }
  items.clear();
  return lines;
}

std::vector<std::uint8_t> FileBytes(const std::vector<std::u16string>& systemLines,
                                    const std::vector<std::u16string>& userLines) {
  return regfile::EncodeFile(regfile::MakeFileLines(systemLines, userLines));
}

}  // namespace

std::vector<std::uint8_t> RegistrationFileOfLists(const MainModel& model) {
  return FileBytes(ListValueLines(model, model.SysList), ListValueLines(model, model.UserList));
}

std::vector<std::uint8_t> RegistrationFileOfList(const MainModel& model, KeyScope scope) {
  const KeyPlace place = PlaceOf(scope);
  const EditList& list = scope == KeyScope::System ? model.SysList : model.UserList;
  return regfile::EncodeFile(regfile::MakeSectionFileLines(place.Root, place.Subkey, ListValueLines(model, list)));
}

FileContents RegistrationFileOfKeys(const CommandPorts& ports) {
  std::vector<CClipItem> systemItems;
  std::vector<CClipItem> userItems;
  PortResult read = ports.Registry->ReadKeyToItems(RootKey::LocalMachine, kSystemSubkey, systemItems);
  if (read.Succeeded) read = ports.Registry->ReadKeyToItems(RootKey::CurrentUser, kUserSubkey, userItems);
  if (!read.Succeeded) return {read, {}};
  return {read, FileBytes(ItemValueLines(systemItems), ItemValueLines(userItems))};
}

}  // namespace tallowin

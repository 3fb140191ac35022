#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/clip_item.h"
#include "model/edit_list.h"
#include "model/environment_keys.h"
#include "model/file_entry.h"
#include "model/local_time.h"
#include "model/outside_changes.h"
#include "model/path_check.h"
#include "model/power_action.h"

// The outside world as the command logic sees it. The window supplies the
// Win32 implementations (src/ui/ports); tests supply scripted ones.
namespace tallowin {

// The outcome of a port call that can fail, with the system's error code of
// the step that failed, taken when it failed (a later call cannot overwrite
// it).
struct PortResult {
  bool Succeeded = false;
  std::uint32_t ErrorCode = 0;

  static PortResult Success() { return {true, 0}; }
  static PortResult Failure(std::uint32_t code) { return {false, code}; }
};

// The system's error codes that the commands tell apart.
inline constexpr std::uint32_t kErrorAccessDenied = 5;
// The writers' turn did not come in time.
inline constexpr std::uint32_t kErrorWaitTimeout = 258;

// --- Message dialogs -------------------------------------------------------

struct ScreenPoint {
  int X = 0;
  int Y = 0;
  bool operator==(const ScreenPoint&) const = default;
};

struct ScreenRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
};

// The system sounds played before a question, a warning or a failure.
enum class SystemSound { Question, Exclamation, Hand };

// The modal message dialogs and the sounds that precede some of them.
class DialogPort {
 public:
  virtual ~DialogPort() = default;
  // Caption "確認", question icon, "OK" (default) and "キャンセル" (Escape).
  // True when the user answered OK.
  virtual bool Confirm(std::u16string_view text, ScreenPoint topLeft) = 0;
  // Caption "警告", exclamation icon, the same buttons and answer.
  virtual bool Warn(std::u16string_view text, ScreenPoint topLeft) = 0;
  // Caption "Tallowin", no icon, "OK" only.
  virtual void Inform(std::u16string_view text, ScreenPoint topLeft) = 0;
  virtual void Beep(SystemSound sound) = 0;
  // Warn's dialog with "キャンセル" as the default button, for a question
  // whose OK goes on at a risk: pressing Enter does not take it.
  virtual bool WarnCancelDefault(std::u16string_view text, ScreenPoint topLeft) = 0;
  // Confirm's dialog with "キャンセル" as the default button: a question
  // whose OK cannot be taken back (a restart, leaving unsaved edits).
  virtual bool ConfirmCancelDefault(std::u16string_view text, ScreenPoint topLeft) = 0;
};

// The window that dialogs are placed against: its outer bounds in screen
// coordinates.
class WindowPort {
 public:
  virtual ~WindowPort() = default;
  virtual ScreenRect WindowRect() const = 0;
};

// --- Registry, errors, power -------------------------------------------------

// Transfers between a registry key and the program's lists; each succeeds
// only when the whole transfer did.
class RegistryPort {
 public:
  virtual ~RegistryPort() = default;
  virtual PortResult ReadKeyToList(RootKey root, std::u16string_view subkey, EditList& list) = 0;
  virtual PortResult ReadKeyToItems(RootKey root, std::u16string_view subkey, std::vector<CClipItem>& items) = 0;
  virtual PortResult WriteListToKey(RootKey root, std::u16string_view subkey, const std::vector<NamedValue>& values) = 0;
  // Removes one value from the key; a value that is not there counts as
  // removed.
  virtual PortResult DeleteValue(RootKey root, std::u16string_view subkey, std::u16string_view name) = 0;
  // One value as the key holds it now: nothing, and success, when the key
  // has no value of that name.
  virtual PortResult ReadValue(RootKey root, std::u16string_view subkey, std::u16string_view name,
                               std::optional<RegistryValue>& value) = 0;
};

// The writers' turn: every program that writes the two keys (the window's
// Save, each run of the command line) holds it from before it reads what
// its writes depend on until after its last write, so that two writers
// never interleave a read and the write based on it. It is machine-wide and
// recursive for its holder; a write made without it takes it for itself.
class WriteTurnPort {
 public:
  virtual ~WriteTurnPort() = default;
  // Waits a bounded time for the turn. Once it succeeded, the turn is held
  // until Release. WAIT_TIMEOUT (258) when another writer kept it too long.
  virtual PortResult Take() = 0;
  virtual void Release() = 0;
};

// The system's description of an error code, and its clock.
class SystemPort {
 public:
  virtual ~SystemPort() = default;
  // Empty when the system has no description.
  virtual std::u16string DescribeError(std::uint32_t code) = 0;
  // The local time now, as the system's clock and time zone give it.
  virtual LocalTime LocalNow() = 0;
};

// Running programs learn that the environment variables in the registry
// changed, so that the programs they start see the new values without a
// restart.
class EnvironmentBroadcastPort {
 public:
  virtual ~EnvironmentBroadcastPort() = default;
  virtual void AnnounceEnvironmentChange() = 0;
};

class PowerPort {
 public:
  virtual ~PowerPort() = default;
  virtual void ChangePowerState(std::uint32_t action) = 0;
};

// --- Files -----------------------------------------------------------------

// The user picks a registration file: the path chosen, or nothing when the
// dialog was cancelled.
class FilePickerPort {
 public:
  virtual ~FilePickerPort() = default;
  // The save-file dialog (asks before an existing file is replaced).
  virtual std::optional<std::u16string> PickFileToSave(std::u16string_view title) = 0;
  // The open-file dialog (only existing files).
  virtual std::optional<std::u16string> PickFileToOpen(std::u16string_view title) = 0;
};

struct FileContents {
  PortResult Result;
  std::vector<std::uint8_t> Bytes;
};

struct FileListing {
  PortResult Result;
  std::vector<FileEntry> Files;
};

class FileSystemPort {
 public:
  virtual ~FileSystemPort() = default;
  // The whole file as it is now.
  virtual FileContents ReadWholeFile(std::u16string_view path) = 0;
  // Makes the file hold exactly these bytes. Either the whole new content is
  // in place, or a file that existed keeps its old content untouched.
  virtual PortResult ReplaceWholeFile(std::u16string_view path, std::span<const std::uint8_t> bytes) = 0;
  // Makes a file of that name, which must not exist yet, holding exactly
  // these bytes: ERROR_FILE_EXISTS (80) when the name is taken, by a file
  // or a folder. Once it returns, either the whole file is in place or
  // there is none; while it writes, no one else can open the file.
  virtual PortResult CreateNewFile(std::u16string_view path, std::span<const std::uint8_t> bytes) = 0;
  // Text in the system's ANSI code page (REGEDIT4 files) as UTF-16.
  virtual std::u16string DecodeAnsi(std::string_view text) = 0;
  // Makes the folder and every missing folder above it; a folder that
  // exists already is success, a file in its place is not.
  virtual PortResult CreateFolderWithParents(std::u16string_view path) = 0;
  // The files directly in the folder (no folders), in no particular order.
  virtual FileListing ListFiles(std::u16string_view folder) = 0;
  virtual PortResult RemoveFile(std::u16string_view path) = 0;
};

// --- Editing: system clipboard, folder picker, environment, edit fields ------

// The system clipboard's text, as Unicode text (the system offers it to
// readers of ANSI text too).
struct ClipboardText {
  PortResult Result;
  // Nothing when the clipboard holds no text in either form.
  std::optional<std::u16string> Text;
};

class ClipboardPort {
 public:
  virtual ~ClipboardPort() = default;
  // Replaces the clipboard's content with the text. Fails when the clipboard
  // stays held by another program for longer than a short wait.
  virtual PortResult WriteText(std::u16string_view text) = 0;
  virtual ClipboardText ReadText() = 0;
  // Whether the clipboard holds text as Unicode or as ANSI text.
  virtual bool HasText() = 0;
};

// The folder browser: the folder the user chose, or nothing when the dialog
// was cancelled. It opens at the start folder when one is given, otherwise
// at its own default selection.
class FolderPickerPort {
 public:
  virtual ~FolderPickerPort() = default;
  virtual std::optional<std::u16string> PickFolder(std::u16string_view startFolder) = 0;
};

// The program's own process environment and file system as a typed path
// meets them.
class EnvironmentPort {
 public:
  virtual ~EnvironmentPort() = default;
  // The text with every %NAME% reference to a variable of the process
  // environment replaced by its value; references to unknown variables stay
  // as they are. The text itself when the expansion fails.
  virtual std::u16string ExpandReferences(std::u16string_view text) = 0;
  virtual bool IsExistingDirectory(std::u16string_view path) = 0;
};

// The window's active control, when it is one of the six single-line edit
// fields (Edit1, Edit2 and the name and data fields of both variable tabs);
// every other control (lists, drop-downs, buttons) does not count.
class FocusedEditPort {
 public:
  virtual ~FocusedEditPort() = default;
  virtual bool IsEditFieldFocused() const = 0;
  // The focused field's selected text; empty when nothing is selected.
  virtual std::u16string SelectedText() const = 0;
  virtual bool HasSelection() const = 0;
  // Replaces the focused field's selection (at no selection: inserts at the
  // caret) as the user's own typing would, so that undo takes it back.
  virtual void ReplaceSelection(std::u16string_view text) = 0;
};

// Whether folders exist, asked off the window's thread with a bound on each
// answer, so that a folder on a server that does not answer cannot stall
// the window.
class FolderCheckPort {
 public:
  // Receives one folder's answer: its index in the list started.
  using AnswerSink = std::function<void(std::size_t index, FolderAnswer answer)>;

  virtual ~FolderCheckPort() = default;
  // Stops any check still running, then checks the folders off the
  // caller's thread, a few at a time, a folder that is not on a local drive
  // for about a second at most (FolderAnswer::NoAnswer after that), and
  // hands the answers to the sink on one thread of its own in folder order,
  // exactly once per index. An empty path is Missing.
  virtual void StartChecks(std::vector<std::u16string> folders, AnswerSink sink) = 0;
  // Once this returns the sink is not called again. The sink must therefore
  // never wait for the thread that stops the check (post, do not send, to
  // a window).
  virtual void StopChecks() = 0;
};

// --- Values other programs changed since Load -----------------------------

enum class OutsideChangeAnswer {
  KeepOthers,  // "他の変更を残す": values the user did not edit are not written
  Overwrite,   // "上書きする": every row is written
  Cancel,      // "キャンセル": nothing is written
};

// Save's question when other programs changed values it would write: a
// dialog captioned "警告" that lists the changes, with "他の変更を残す" as
// its default button.
class OutsideChangePort {
 public:
  virtual ~OutsideChangePort() = default;
  virtual OutsideChangeAnswer AskAboutOutsideChanges(const std::vector<OutsideChange>& changes,
                                                     ScreenPoint topLeft) = 0;
};

// --- The command line run as administrator --------------------------------

// How a run of the command line as administrator ended.
struct ElevatedRun {
  enum class End {
    Ran,       // it ran to its end: ExitCode
    NotFound,  // tallowin-cli.exe is not beside the program
    Declined,  // the user refused the consent dialog
    Failed,    // it could not be started or waited for: ErrorCode
  };
  End How = End::Failed;
  std::uint32_t ExitCode = 0;
  std::uint32_t ErrorCode = 0;
};

// Save's hand-off when the machine key may not be written: the command line
// beside the program, started as administrator (the system asks for the
// user's consent), with the arguments given. The call returns once that
// program ended; meanwhile the window stays painted and takes no input.
class ElevationPort {
 public:
  virtual ~ElevationPort() = default;
  virtual ElevatedRun RunCommandLineElevated(std::u16string_view arguments) = 0;
};

// Everything a command may need besides the model. A command uses only the
// ports it names; the others may be null for it.
struct CommandPorts {
  DialogPort* Dialogs = nullptr;
  const WindowPort* Window = nullptr;
  RegistryPort* Registry = nullptr;
  SystemPort* System = nullptr;
  PowerPort* Power = nullptr;
  EnvironmentBroadcastPort* Broadcast = nullptr;
  FilePickerPort* Pickers = nullptr;
  FileSystemPort* Files = nullptr;
  ClipboardPort* Clipboard = nullptr;
  FolderPickerPort* Folders = nullptr;
  EnvironmentPort* Environment = nullptr;
  FocusedEditPort* FocusedEdit = nullptr;
  FolderCheckPort* FolderChecks = nullptr;
  // Without it, Save takes the question's default answer.
  OutsideChangePort* OutsideChanges = nullptr;
  WriteTurnPort* WriteTurn = nullptr;
  // Without it, a Save the machine key refuses fails as it is.
  ElevationPort* Elevation = nullptr;
};

}  // namespace tallowin

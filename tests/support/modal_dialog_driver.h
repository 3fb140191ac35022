#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cwchar>
#include <exception>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "win32/wide_text.h"

// Drives the modal dialogs that the code under test opens on the test's own
// thread: message boxes, the common file dialogs, the folder browser and
// dialogs made from templates. A test lists what it does with each dialog in
// turn; the driver hands every dialog that comes into charge to the next
// step, after reading what it shows.
//
//   ModalDialogDriver driver({Click(IDCANCEL)});
//   const bool chosen = dialogs.Confirm(u"...", at);
//   EXPECT_EQ(driver.Seen().at(0).Caption, u"確認");
//
// A thread timer runs inside whatever modal loop the dialog has, and each
// tick looks for the dialog in charge: the visible, enabled dialog-class
// window of this thread (a dialog that opens another is disabled meanwhile).
// Looking needs no focus, so it works while another test program holds it.
// A timer message is only made when no posted message is waiting, so by the
// tick after a step, the answers it posted have been handled.
namespace tallowin::testing {

// One child window of a dialog.
struct DialogControl {
  HWND Handle = nullptr;
  int Id = 0;
  std::wstring Class;
  std::u16string Text;
  LONG Style = 0;
  bool Visible = false;  // its own WS_VISIBLE, whatever its parent's state
  bool Enabled = false;

  bool IsClass(std::wstring_view name) const { return ::_wcsicmp(Class.c_str(), std::wstring(name).c_str()) == 0; }
  bool IsPushButton() const {
    const LONG type = Style & BS_TYPEMASK;
    return IsClass(L"Button") && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
  }
  // A static control that shows text, not an icon, a picture or a frame.
  bool IsTextLabel() const {
    switch (Style & SS_TYPEMASK) {
      case SS_LEFT:
      case SS_CENTER:
      case SS_RIGHT:
      case SS_SIMPLE:
      case SS_LEFTNOWORDWRAP:
      case SS_OWNERDRAW:
        return IsClass(L"Static");
      default:
        return false;
    }
  }
};

// What a dialog showed when the driver handed it to a step.
struct DialogSnapshot {
  HWND Handle = nullptr;
  std::u16string Caption;
  RECT Frame{};  // screen coordinates
  HWND Owner = nullptr;
  bool OwnerEnabled = false;
  // The icon of the first visible icon control; null when there is none.
  HICON Icon = nullptr;
  // The visible push button drawn as the default one; 0 when none is.
  int DefaultButton = 0;
  // The dialog's direct children in tab order.
  std::vector<DialogControl> Controls;

  POINT TopLeft() const { return POINT{Frame.left, Frame.top}; }

  // The labels of the visible push buttons, in tab order.
  std::vector<std::u16string> Buttons() const {
    std::vector<std::u16string> labels;
    for (const DialogControl& control : Controls) {
      if (control.Visible && control.IsPushButton()) labels.push_back(control.Text);
    }
    return labels;
  }

  // The labels of the visible buttons and check boxes that no access key
  // reaches; OK and キャンセル have Enter and Escape.
  std::vector<std::u16string> WithoutAccessKey() const {
    std::vector<std::u16string> labels;
    for (const DialogControl& control : Controls) {
      if (!control.Visible || !control.IsClass(L"Button") || control.Text == u"OK" || control.Text == u"キャンセル") continue;
      if (control.Text.find(u'&') == std::u16string::npos) labels.push_back(control.Text);
    }
    return labels;
  }

  // The texts of the visible text labels, in tab order.
  std::vector<std::u16string> Texts() const {
    std::vector<std::u16string> texts;
    for (const DialogControl& control : Controls) {
      if (control.Visible && control.IsTextLabel()) texts.push_back(control.Text);
    }
    return texts;
  }

  // The child with this identifier; null when there is none.
  const DialogControl* Control(int id) const {
    for (const DialogControl& control : Controls) {
      if (control.Id == id) return &control;
    }
    return nullptr;
  }
};

inline std::u16string WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  const int length = ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
  return win32::FromWide(text);
}

inline std::wstring WindowClass(HWND window) {
  wchar_t name[256] = {};
  const int length = ::GetClassNameW(window, name, 256);
  return std::wstring(name, static_cast<std::size_t>(length > 0 ? length : 0));
}

inline bool IsDialogWindow(HWND window) { return WindowClass(window) == L"#32770"; }

inline DialogSnapshot ReadDialog(HWND dialog) {
  DialogSnapshot seen;
  seen.Handle = dialog;
  seen.Caption = WindowText(dialog);
  ::GetWindowRect(dialog, &seen.Frame);
  seen.Owner = ::GetWindow(dialog, GW_OWNER);
  seen.OwnerEnabled = seen.Owner != nullptr && ::IsWindowEnabled(seen.Owner);
  for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
    DialogControl control;
    control.Handle = child;
    control.Id = ::GetDlgCtrlID(child);
    control.Class = WindowClass(child);
    control.Text = WindowText(child);
    control.Style = ::GetWindowLongW(child, GWL_STYLE);
    control.Visible = (control.Style & WS_VISIBLE) != 0;
    control.Enabled = ::IsWindowEnabled(child) != FALSE;
    if (control.Visible && seen.Icon == nullptr && control.IsClass(L"Static") &&
        (control.Style & SS_TYPEMASK) == SS_ICON) {
      seen.Icon = reinterpret_cast<HICON>(::SendMessageW(child, STM_GETICON, 0, 0));
    }
    if (control.Visible && seen.DefaultButton == 0 && control.IsPushButton() &&
        (control.Style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
      seen.DefaultButton = control.Id;
    }
    seen.Controls.push_back(std::move(control));
  }
  return seen;
}

// The first control of a class among all of a dialog's descendants (e.g. the
// folder browser's "SysTreeView32"); null when there is none.
inline HWND FindControl(HWND dialog, std::wstring_view className) {
  struct Search {
    std::wstring Class;
    HWND Found = nullptr;
  } search{std::wstring(className)};
  ::EnumChildWindows(
      dialog,
      [](HWND child, LPARAM state) -> BOOL {
        Search& search = *reinterpret_cast<Search*>(state);
        if (::_wcsicmp(WindowClass(child).c_str(), search.Class.c_str()) != 0) return TRUE;
        search.Found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

// A label as the user reads it: "&" marks the access key and "&&" stands for
// a single "&".
inline std::u16string WithoutAccessKeys(std::u16string_view label) {
  std::u16string shown;
  for (std::size_t i = 0; i < label.size(); ++i) {
    if (label[i] == u'&' && i + 1 < label.size()) ++i;
    shown.push_back(label[i]);
  }
  return shown;
}

// The visible push button with this label, access-key marks ignored; 0 when
// there is none.
inline int FindButton(HWND dialog, std::u16string_view label) {
  for (const DialogControl& control : ReadDialog(dialog).Controls) {
    if (control.Visible && control.IsPushButton() && WithoutAccessKeys(control.Text) == WithoutAccessKeys(label)) {
      return control.Id;
    }
  }
  return 0;
}

// Answers. Each posts what the user's action makes the dialog receive, so
// the dialog acts on it in its own modal loop after the step has returned.

// A click on an enabled, visible button; anything else is a test failure,
// as the user could not click it either.
inline void ClickButton(HWND dialog, int id) {
  const HWND button = ::GetDlgItem(dialog, id);
  if (button == nullptr) {
    ADD_FAILURE() << "the dialog has no button " << id;
    return;
  }
  if ((::GetWindowLongW(button, GWL_STYLE) & WS_VISIBLE) == 0 || !::IsWindowEnabled(button)) {
    ADD_FAILURE() << "button " << id << " is hidden or disabled";
    return;
  }
  ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

inline void ClickButton(HWND dialog, std::u16string_view label) {
  const int id = FindButton(dialog, label);
  if (id == 0) {
    ADD_FAILURE() << "the dialog has no visible button with that label";
    return;
  }
  ClickButton(dialog, id);
}

// A key pressed while the dialog is in front (VK_RETURN, VK_ESCAPE, VK_TAB…),
// to the control that has the focus. While another program holds the focus
// (test programs run side by side) the dialog has none of its own: the
// default button stands in, as the control a dialog starts with. Enter is
// then what Enter on that button does, a click: without a focused button,
// Wine's dialog manager answers Enter with the dialog's default identifier,
// which is IDOK unless the dialog set another, even in a message box whose
// default is its second button.
inline void PressKey(HWND dialog, WPARAM key) {
  const HWND focus = ::GetFocus();
  if (focus != nullptr && (focus == dialog || ::IsChild(dialog, focus))) {
    ::PostMessageW(focus, WM_KEYDOWN, key, 1);
    return;
  }
  const int defaultButton = ReadDialog(dialog).DefaultButton;
  if (key == VK_RETURN && defaultButton != 0) {
    ClickButton(dialog, defaultButton);
    return;
  }
  ::PostMessageW(defaultButton != 0 ? ::GetDlgItem(dialog, defaultButton) : dialog, WM_KEYDOWN, key, 1);
}

// Replaces the text of an edit field or combo box, as typing it over would.
inline void SetControlText(HWND dialog, int id, std::u16string_view text) {
  const HWND control = ::GetDlgItem(dialog, id);
  if (control == nullptr) {
    ADD_FAILURE() << "the dialog has no control " << id;
    return;
  }
  ::SetWindowTextW(control, win32::ToWide(text).c_str());
}

// The file-name field of the common file dialogs: a combo box in the
// Explorer style (cmb13), an edit field in the old style (edt1).
inline constexpr int kFileNameCombo = 0x47c;
inline constexpr int kFileNameEdit = 0x480;

inline int FileNameField(HWND dialog) {
  return ::GetDlgItem(dialog, kFileNameCombo) != nullptr ? kFileNameCombo : kFileNameEdit;
}

// What a step does with the dialog handed to it.
struct DialogStep {
  template <typename Action,
            typename = std::enable_if_t<std::is_invocable_v<Action&, HWND> &&
                                        !std::is_same_v<std::decay_t<Action>, DialogStep>>>
  DialogStep(Action action) : Act(std::move(action)) {}  // NOLINT: a step is written as its action

  std::function<void(HWND)> Act;
  // Set for a step meant for the dialog that the step before it answered
  // and left open on purpose; otherwise a dialog still in charge after its
  // step ignored the answer.
  bool SameDialog = false;
};

// A step for the dialog the previous step left open, e.g. after typing into
// it, to read what the dialog made of the text before answering.
inline DialogStep OnSameDialog(DialogStep step) {
  step.SameDialog = true;
  return step;
}

inline DialogStep Click(int id) {
  return DialogStep([id](HWND dialog) { ClickButton(dialog, id); });
}
inline DialogStep Click(std::u16string label) {
  return DialogStep([label = std::move(label)](HWND dialog) { ClickButton(dialog, label); });
}
inline DialogStep Press(WPARAM key) {
  return DialogStep([key](HWND dialog) { PressKey(dialog, key); });
}
// Types a name into a file dialog's file-name field and clicks its OK.
inline DialogStep ChooseFile(std::u16string name) {
  return DialogStep([name = std::move(name)](HWND dialog) {
    SetControlText(dialog, FileNameField(dialog), name);
    ClickButton(dialog, IDOK);
  });
}

// Scoped: from construction to destruction, the dialogs this thread shows
// are read and handed to the steps in order. A dialog beyond the last step,
// a dialog that ignored its answer, and steps no dialog came for are test
// failures; the first two are closed so that the test ends instead of
// hanging, by EndDialog with 0: no choice made, for a message box, a file
// dialog, the folder browser and a template dialog alike.
class ModalDialogDriver {
 public:
  explicit ModalDialogDriver(std::vector<DialogStep> steps) : steps_(std::move(steps)), previous_(current_) {
    current_ = this;
    timer_ = ::SetTimer(nullptr, 0, USER_TIMER_MINIMUM, OnTick);
    EXPECT_NE(timer_, 0u) << "no timer to drive the dialogs with";
  }
  ModalDialogDriver(std::initializer_list<DialogStep> steps) : ModalDialogDriver(std::vector<DialogStep>(steps)) {}
  ModalDialogDriver(const ModalDialogDriver&) = delete;
  ModalDialogDriver& operator=(const ModalDialogDriver&) = delete;

  ~ModalDialogDriver() {
    if (timer_ != 0) ::KillTimer(nullptr, timer_);
    current_ = previous_;
    if (next_ < steps_.size()) {
      ADD_FAILURE() << steps_.size() << " dialog(s) expected, " << next_ << " shown";
    }
  }

  // Every dialog handed to a step, read just before; then any unexpected one.
  const std::vector<DialogSnapshot>& Seen() const { return seen_; }

  // The dialog handed to step `index`; a test failure when none was.
  DialogSnapshot Dialog(std::size_t index) const {
    if (index < seen_.size()) return seen_[index];
    ADD_FAILURE() << "no dialog was shown for step " << index;
    return DialogSnapshot{};
  }

  bool AnswerIgnored() const { return ignored_; }
  bool UnexpectedDialog() const { return unexpected_; }

 private:
  static HWND DialogInCharge() {
    HWND found = nullptr;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM result) -> BOOL {
          if (!::IsWindowVisible(window) || !::IsWindowEnabled(window) || !IsDialogWindow(window)) return TRUE;
          *reinterpret_cast<HWND*>(result) = window;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
  }

  static void CALLBACK OnTick(HWND, UINT, UINT_PTR timer, DWORD) {
    ModalDialogDriver* driver = current_;
    if (driver != nullptr && timer == driver->timer_) driver->Tick();
  }

  void Tick() {
    const HWND dialog = DialogInCharge();
    if (dialog == nullptr) return;
    const bool again = dialog == lastHanded_;
    if (again && (next_ >= steps_.size() || !steps_[next_].SameDialog)) {
      ignored_ = true;
      ADD_FAILURE() << "the dialog \"" << Printable(WindowText(dialog)) << "\" ignored the answer of step "
                    << next_ - 1;
      ::EndDialog(dialog, 0);
      return;
    }
    DialogSnapshot snapshot = ReadDialog(dialog);
    if (next_ >= steps_.size()) {
      unexpected_ = true;
      ADD_FAILURE() << "a dialog the test did not expect: \"" << Printable(snapshot.Caption) << "\"";
      seen_.push_back(std::move(snapshot));
      ::EndDialog(dialog, 0);
      return;
    }
    if (!again && steps_[next_].SameDialog) {
      ADD_FAILURE() << "step " << next_ << " was meant for the dialog of the step before it";
    }
    // The state moves on before the step runs: a step that opens a further
    // dialog synchronously sees ticks from inside that dialog's loop.
    seen_.push_back(std::move(snapshot));
    lastHanded_ = dialog;
    const std::size_t step = next_++;
    // Nothing may be thrown through the dialog's message loop.
    try {
      steps_[step].Act(dialog);
    } catch (const std::exception& error) {
      ADD_FAILURE() << "step " << step << " threw: " << error.what();
      ::EndDialog(dialog, 0);
    } catch (...) {
      ADD_FAILURE() << "step " << step << " threw";
      ::EndDialog(dialog, 0);
    }
  }

  // ASCII as it is, anything else as '?': enough to tell dialogs apart in a
  // failure message.
  static std::string Printable(const std::u16string& text) {
    std::string printable;
    for (const char16_t c : text) printable.push_back(c >= 0x20 && c < 0x7f ? static_cast<char>(c) : '?');
    return printable;
  }

  std::vector<DialogStep> steps_;
  std::size_t next_ = 0;
  std::vector<DialogSnapshot> seen_;
  HWND lastHanded_ = nullptr;
  bool ignored_ = false;
  bool unexpected_ = false;
  UINT_PTR timer_ = 0;
  ModalDialogDriver* previous_;
  static inline thread_local ModalDialogDriver* current_ = nullptr;
};

}  // namespace tallowin::testing

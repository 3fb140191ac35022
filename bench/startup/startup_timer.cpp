// Start-up benchmark driver (Linux, X11). Has Windows programs started under
// Wine, taking turns, and times each from the moment it is asked for to the
// moment the X server maps its top-level window on the display, the moment
// the window becomes visible there, and to the moment the program is ready
// for input: it has painted its window and waits for messages for the first
// time (WaitForInputIdle, reported by the launcher). Prints each program's
// medians and their ratios to the first program's.
//
// The end is taken from the X server's own MapNotify event rather than by
// polling (xdotool, xwininfo, or EnumWindows from inside Wine): an event has
// no polling interval to round up to, and waiting for it takes no processor
// time from the program being timed. The window is matched by the class
// Wine gives every window of a program (the program's file name) and by its
// caption.
//
// The programs are started by the launcher (startup_launcher.cpp), which
// runs inside Wine for the whole benchmark and inherits its environment to
// them, as the desktop does on Windows.
//
//   tallowin_startup_timer [--runs N] [--title TEXT] LOADER LAUNCHER
//                          LABEL CAPTION PROGRAM [LABEL CAPTION PROGRAM]...
//
// LOADER is Wine's loader (/usr/lib/wine/wine64), LAUNCHER the launcher's
// file, each PROGRAM a Windows path. An empty CAPTION accepts any caption.
// DISPLAY names the X display and WINEPREFIX the prefix; the driver refuses
// to run without a prefix named, so that it never starts programs in the
// user's own one. scripts/bench-startup.sh sets all of this up.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <strings.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "../bench_timing.h"

namespace {

using tallowin::bench::Clock;
using tallowin::bench::Median;
using tallowin::bench::Milliseconds;

constexpr auto kShowTimeout = std::chrono::seconds(60);
// The launcher's own start builds its environment from the registry, which
// takes Wine seconds when the user key holds thousands of variables.
constexpr auto kLauncherTimeout = std::chrono::seconds(300);
// After a program has ended, Wine's desktop process and server still tidy
// up after its window for a moment; the next start waits for that.
constexpr auto kSettle = std::chrono::milliseconds(150);

struct Program {
  std::string Label;
  std::string Caption;
  std::string Path;
  std::vector<double> Shown;
  std::vector<double> Ready;
};

struct Start {
  double Shown = 0;
  double Ready = 0;
};

// The file name Wine uses as the class of the program's windows.
std::string FileName(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool HasClass(Display* display, Window window, const std::string& name) {
  XClassHint hint{};
  if (XGetClassHint(display, window, &hint) == 0) return false;
  const bool same = hint.res_name != nullptr && strcasecmp(hint.res_name, name.c_str()) == 0;
  if (hint.res_name != nullptr) XFree(hint.res_name);
  if (hint.res_class != nullptr) XFree(hint.res_class);
  return same;
}

std::string Caption(Display* display, Window window) {
  const Atom name = XInternAtom(display, "_NET_WM_NAME", False);
  const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  std::string caption;
  if (XGetWindowProperty(display, window, name, 0, 1024, False, utf8, &type, &format, &count, &after, &data) ==
          Success &&
      data != nullptr && format == 8) {
    caption.assign(reinterpret_cast<const char*>(data), count);
  }
  if (data != nullptr) XFree(data);
  return caption;
}

// The launcher, inside Wine, talked to through its standard input and output.
class Launcher {
 public:
  bool Start(const std::string& loader, const std::string& launcher, const std::vector<Program>& programs) {
    int toLauncher[2];
    int fromLauncher[2];
    if (pipe(toLauncher) != 0 || pipe(fromLauncher) != 0) return false;
    pid_ = fork();
    if (pid_ < 0) return false;
    if (pid_ == 0) {
      dup2(toLauncher[0], STDIN_FILENO);
      dup2(fromLauncher[1], STDOUT_FILENO);
      const int null = open("/dev/null", O_WRONLY);
      if (null >= 0) dup2(null, STDERR_FILENO);
      for (int fd : {toLauncher[0], toLauncher[1], fromLauncher[0], fromLauncher[1]}) close(fd);
      std::vector<char*> args{const_cast<char*>(loader.c_str()), const_cast<char*>(launcher.c_str())};
      for (const Program& program : programs) args.push_back(const_cast<char*>(program.Path.c_str()));
      args.push_back(nullptr);
      execv(loader.c_str(), args.data());
      _exit(127);
    }
    close(toLauncher[0]);
    close(fromLauncher[1]);
    in_ = toLauncher[1];
    out_ = fromLauncher[0];
    return Expect("ready", kLauncherTimeout);
  }

  ~Launcher() {
    if (in_ >= 0) close(in_);  // the end of its input ends the launcher
    if (pid_ > 0) {
      const auto deadline = Clock::now() + std::chrono::seconds(10);
      int status = 0;
      while (waitpid(pid_, &status, WNOHANG) == 0) {
        if (Clock::now() > deadline) {
          kill(pid_, SIGKILL);
          waitpid(pid_, &status, 0);
          break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
    }
    if (out_ >= 0) close(out_);
  }

  int Output() const { return out_; }

  bool Send(const std::string& line) {
    const std::string text = line + "\n";
    return write(in_, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  }

  // A whole line the launcher has written, once there is one.
  std::optional<std::string> TakeLine() {
    const std::size_t end = buffer_.find('\n');
    if (end == std::string::npos) return std::nullopt;
    std::string line = buffer_.substr(0, end);
    buffer_.erase(0, end + 1);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    return line;
  }

  // Reads what the launcher has written; false at the end of its output.
  bool ReadAvailable() {
    char chunk[256];
    const ssize_t got = read(out_, chunk, sizeof chunk);
    if (got <= 0) return false;
    readAt_ = Clock::now();
    buffer_.append(chunk, static_cast<std::size_t>(got));
    return true;
  }

  // When the last of the lines taken arrived.
  Clock::time_point ReadAt() const { return readAt_; }

  bool Expect(const std::string& wanted, Clock::duration timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
      if (const auto line = TakeLine()) return *line == wanted;
      pollfd wait{out_, POLLIN, 0};
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
      if (left <= 0 || poll(&wait, 1, static_cast<int>(left)) <= 0 || !ReadAvailable()) return false;
    }
  }

 private:
  pid_t pid_ = -1;
  int in_ = -1;
  int out_ = -1;
  std::string buffer_;
  Clock::time_point readAt_;
};

// One start: the times from asking the launcher for the program to the map
// of its window and to its first wait for input, or nothing when it did not
// start or showed no window in time. The program is ended again.
std::optional<Start> TimeOneStart(Display* display, Launcher& launcher, const Program& program, int index) {
  const std::string windowClass = FileName(program.Path);
  XSync(display, True);  // forget the events of earlier starts
  const auto start = Clock::now();
  if (!launcher.Send(std::to_string(index))) return std::nullopt;
  bool started = false;
  std::optional<double> shown;
  std::optional<double> ready;
  while (!started || !shown || !ready) {
    while (!shown && XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type != MapNotify) continue;
      const auto mapped = Clock::now();
      const Window window = event.xmap.window;
      if (!HasClass(display, window, windowClass)) continue;
      if (!program.Caption.empty() && Caption(display, window) != program.Caption) continue;
      shown = Milliseconds(mapped - start);
    }
    while (const auto line = launcher.TakeLine()) {
      if (*line == "started") {
        started = true;
      } else if (*line == "idle" && started) {
        ready = Milliseconds(launcher.ReadAt() - start);
      } else {
        std::fprintf(stderr, "%s: %s\n", program.Label.c_str(), line->c_str());
        launcher.Send("end");
        return std::nullopt;
      }
    }
    if (started && shown && ready) break;
    if (Clock::now() - start > kShowTimeout) {
      std::fprintf(stderr, "%s was not shown and ready within %lld s\n", program.Label.c_str(),
                   static_cast<long long>(kShowTimeout.count()));
      launcher.Send("end");
      return std::nullopt;
    }
    pollfd waits[2] = {{ConnectionNumber(display), POLLIN, 0}, {launcher.Output(), POLLIN, 0}};
    if (poll(waits, 2, 50) > 0 && (waits[1].revents & (POLLIN | POLLHUP)) != 0 && !launcher.ReadAvailable()) {
      std::fprintf(stderr, "the launcher ended\n");
      return std::nullopt;
    }
  }
  // Ended at once rather than closed: a window closed the regular way stays
  // on the display for two seconds while Wine waits for a window manager,
  // which there is none of, to withdraw it; and nothing a program does at
  // its end (regedit saves its settings) reaches the prefix.
  if (!launcher.Send("end") || !launcher.Expect("ended", std::chrono::seconds(30))) {
    std::fprintf(stderr, "%s could not be ended\n", program.Label.c_str());
    return std::nullopt;
  }
  std::this_thread::sleep_for(kSettle);
  return Start{*shown, *ready};
}

int Usage() {
  std::fprintf(stderr,
               "usage: tallowin_startup_timer [--runs N] [--title TEXT] LOADER LAUNCHER LABEL CAPTION PROGRAM "
               "[LABEL CAPTION PROGRAM]...\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 11;
  std::string title = "start-up";
  int arg = 1;
  for (; arg < argc && std::strncmp(argv[arg], "--", 2) == 0; arg += 2) {
    if (arg + 1 >= argc) return Usage();
    if (std::strcmp(argv[arg], "--runs") == 0) {
      runs = std::atoi(argv[arg + 1]);
    } else if (std::strcmp(argv[arg], "--title") == 0) {
      title = argv[arg + 1];
    } else {
      return Usage();
    }
  }
  if (runs < 1 || argc - arg < 5 || (argc - arg - 2) % 3 != 0) return Usage();
  const std::string loader = argv[arg++];
  const std::string launcherPath = argv[arg++];
  std::vector<Program> programs;
  for (; arg + 2 < argc; arg += 3) programs.push_back({argv[arg], argv[arg + 1], argv[arg + 2], {}, {}});

  const char* prefix = std::getenv("WINEPREFIX");
  if (prefix == nullptr || *prefix == '\0') {
    std::fprintf(stderr, "WINEPREFIX must name the benchmark's own prefix\n");
    return 2;
  }
  signal(SIGPIPE, SIG_IGN);
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "cannot open the X display\n");
    return 1;
  }
  // Top-level windows are the root window's children (there is no window
  // manager to reparent them): their maps are reported to the root.
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);

  {
    Launcher launcher;
    if (!launcher.Start(loader, launcherPath, programs)) {
      std::fprintf(stderr, "the launcher did not start\n");
      return 1;
    }
    // One start of each, not counted: the first start of a program after
    // the server came up also fills caches that every later start finds
    // filled.
    for (std::size_t index = 0; index < programs.size(); ++index) {
      if (!TimeOneStart(display, launcher, programs[index], static_cast<int>(index))) return 1;
    }
    // The programs take turns, each round starting with the next one, so
    // that a slow spell of the machine falls on all of them alike.
    for (int round = 0; round < runs; ++round) {
      for (std::size_t turn = 0; turn < programs.size(); ++turn) {
        const std::size_t index = (static_cast<std::size_t>(round) + turn) % programs.size();
        const std::optional<Start> times = TimeOneStart(display, launcher, programs[index], static_cast<int>(index));
        if (!times) return 1;
        programs[index].Shown.push_back(times->Shown);
        programs[index].Ready.push_back(times->Ready);
      }
    }
  }
  XCloseDisplay(display);

  std::printf("Start-up, %s: median of %d (fastest-slowest), ratio to the %s\n", title.c_str(), runs,
              programs.front().Label.c_str());
  std::printf("  %-14s  %-31s  %s\n", "", "window shown on the display", "ready for input");
  const double shownBase = Median(programs.front().Shown);
  const double readyBase = Median(programs.front().Ready);
  for (const Program& program : programs) {
    std::printf("  %-14s", program.Label.c_str());
    for (const auto& [samples, base] : {std::pair{&program.Shown, shownBase}, std::pair{&program.Ready, readyBase}}) {
      const double median = Median(*samples);
      const auto [fastest, slowest] = std::minmax_element(samples->begin(), samples->end());
      std::printf("  %7.1f ms (%4.0f-%4.0f) %5.2f x", median, *fastest, *slowest, median / base);
    }
    std::printf("\n");
  }
  return 0;
}

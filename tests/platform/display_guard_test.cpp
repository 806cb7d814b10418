// The desktop-mode watcher on an X server with real modes (run it under
// tools/with-xorg-dummy.sh): a guarded program switches the screen to
// 640x480 the way SDL does (the CRTC's mode, then the screen's size with its
// millimetres scaled), then ends badly; the desktop's mode and size in
// millimetres must be back within a second. A program that restored the
// mode itself leaves the watcher nothing to do.
//
// The same executable plays the guarded program when started with
// "--guarded-program <how>"; it prints "ready" once the mode is switched.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <dirent.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "platform/sdl/x11_display_guard.h"

namespace {

// The desktop must be back within a second of the program's end; a
// sanitizer build runs the watcher several times slower.
#if defined(__SANITIZE_ADDRESS__)
const std::chrono::milliseconds kWithin(3000);
#else
const std::chrono::milliseconds kWithin(1000);
#endif

struct Screen {
  int width = 0, height = 0, mmWidth = 0, mmHeight = 0;
  bool operator==(const Screen& o) const {
    return width == o.width && height == o.height && mmWidth == o.mmWidth && mmHeight == o.mmHeight;
  }
};

std::ostream& operator<<(std::ostream& out, const Screen& s) {
  return out << s.width << "x" << s.height << " (" << s.mmWidth << "x" << s.mmHeight << " mm)";
}

// The screen as a new connection sees it.
Screen ReadScreen() {
  Screen s;
  Display* display = XOpenDisplay(nullptr);
  if (!display) return s;
  int n = DefaultScreen(display);
  s = {DisplayWidth(display, n), DisplayHeight(display, n), DisplayWidthMM(display, n), DisplayHeightMM(display, n)};
  XCloseDisplay(display);
  return s;
}

// Switches the first connected output to the mode named WxH as SDL does:
// the CRTC first, then the screen's size, its millimetres scaled with it.
bool SwitchMode(Display* display, int width, int height) {
  Window root = DefaultRootWindow(display);
  // This connection's idea of the screen size is its set-up's; ask anew.
  Screen old = ReadScreen();
  XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, root);
  if (!resources) return false;
  std::string name = std::to_string(width) + "x" + std::to_string(height);
  RRMode mode = 0;
  for (int i = 0; i < resources->nmode && !mode; ++i)
    if (name == resources->modes[i].name) mode = resources->modes[i].id;
  bool done = false;
  for (int i = 0; i < resources->noutput && !done && mode; ++i) {
    XRROutputInfo* output = XRRGetOutputInfo(display, resources, resources->outputs[i]);
    if (output && output->connection == RR_Connected && output->crtc) {
      int oldWidth = old.width, oldHeight = old.height;
      int mmWidth = old.mmWidth * width / oldWidth;
      int mmHeight = old.mmHeight * height / oldHeight;
      if (width > oldWidth || height > oldHeight) XRRSetScreenSize(display, root, width, height, mmWidth, mmHeight);
      done = XRRSetCrtcConfig(display, resources, output->crtc, CurrentTime, 0, 0, mode, RR_Rotate_0,
                              &resources->outputs[i], 1) == RRSetConfigSuccess;
      if (width <= oldWidth && height <= oldHeight) XRRSetScreenSize(display, root, width, height, mmWidth, mmHeight);
      XSync(display, False);
    }
    if (output) XRRFreeOutputInfo(output);
  }
  XRRFreeScreenResources(resources);
  return done;
}

// Like SwitchMode, with the millimetres given outright (to put the desktop
// back exactly between tests).
void SetDesktop(const Screen& s) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return;
  SwitchMode(display, s.width, s.height);
  XRRSetScreenSize(display, DefaultRootWindow(display), s.width, s.height, s.mmWidth, s.mmHeight);
  XSync(display, False);
  XCloseDisplay(display);
}

// Processes started as watchers that are still running.
int WatchersRunning() {
  int count = 0;
  DIR* proc = opendir("/proc");
  while (dirent* entry = proc ? readdir(proc) : nullptr) {
    if (entry->d_name[0] < '0' || entry->d_name[0] > '9') continue;
    std::ifstream environ(std::string("/proc/") + entry->d_name + "/environ", std::ios::binary);
    std::stringstream text;
    text << environ.rdbuf();
    if (text.str().find("X11_DISPLAY_GUARD_WATCH=") != std::string::npos) ++count;
  }
  if (proc) closedir(proc);
  return count;
}

// True once no watcher runs, waiting up to a second: a watcher that has
// just restored the screen still closes its connection before it ends.
bool WatchersGone() {
  for (int i = 0; i < 100; ++i) {
    if (WatchersRunning() == 0) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

// The guarded program: guard, switch to 640x480, and with "restore-first"
// switch back exactly and tell the watcher; then "ready", and wait for the
// end. A line "x-error" on standard input makes it cause an X error, which
// Xlib's default handler turns into exit(1).
int GuardedProgram(const std::string& how) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 2;
  Screen desktop = ReadScreen();
  auto start = std::chrono::steady_clock::now();
  if (!X11GuardDesktopMode(display)) return 3;
  std::fprintf(stderr, "watcher ready after %.1f ms\n",
               std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  if (!SwitchMode(display, 640, 480)) return 4;
  if (how == "restore-first") {
    SwitchMode(display, desktop.width, desktop.height);
    XRRSetScreenSize(display, DefaultRootWindow(display), desktop.width, desktop.height, desktop.mmWidth,
                     desktop.mmHeight);
    XSync(display, False);
    X11DesktopModeRestored();
  }
  std::printf("ready\n");
  std::fflush(stdout);
  char line[64];
  while (std::fgets(line, sizeof line, stdin)) {
    if (std::strncmp(line, "x-error", 7) == 0) {
      XDestroyWindow(display, XAllocID(display));  // no such window: BadWindow
      XSync(display, False);
    }
  }
  pause();
  return 0;
}

class DisplayGuardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    desktop = ReadScreen();
    ASSERT_GT(desktop.width, 640) << "run on a server whose desktop is larger than 640x480";
    ASSERT_TRUE(WatchersGone()) << "a watcher of an earlier test still runs";
  }
  void TearDown() override {
    if (program > 0) {
      kill(program, SIGKILL);
      waitpid(program, nullptr, 0);
    }
    if (toProgram) fclose(toProgram);
    if (fromProgram) fclose(fromProgram);
    if (!(ReadScreen() == desktop)) SetDesktop(desktop);
  }

  // Starts the guarded program and waits for its "ready".
  void Start(const char* how) {
    int in[2], out[2];
    ASSERT_EQ(pipe(in), 0);
    ASSERT_EQ(pipe(out), 0);
    program = fork();
    ASSERT_GE(program, 0);
    if (program == 0) {
      dup2(in[0], 0);
      dup2(out[1], 1);
      execl("/proc/self/exe", "display_guard_test", "--guarded-program", how, static_cast<char*>(nullptr));
      _exit(127);
    }
    close(in[0]);
    close(out[1]);
    toProgram = fdopen(in[1], "w");
    fromProgram = fdopen(out[0], "r");
    char line[64] = "";
    ASSERT_TRUE(std::fgets(line, sizeof line, fromProgram)) << "the guarded program did not get ready";
    ASSERT_STREQ(line, "ready\n");
  }

  // Waits for the program's end and returns its wait status.
  int Ended() {
    int status = 0;
    waitpid(program, &status, 0);
    program = 0;
    return status;
  }

  // Milliseconds until the screen is the desktop again, or -1 after `limit`.
  double DesktopBackWithin(std::chrono::milliseconds limit) {
    auto start = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() - start < limit) {
      if (ReadScreen() == desktop)
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return -1;
  }

  Screen desktop;
  pid_t program = 0;
  FILE* toProgram = nullptr;
  FILE* fromProgram = nullptr;
};

TEST_F(DisplayGuardTest, AProgramEndedBySignalLeavesTheDesktopBackWithinASecond) {
  for (int signal : {SIGKILL, SIGSEGV, SIGABRT}) {
    Start("switch");
    if (HasFatalFailure()) return;
    Screen switched = ReadScreen();
    EXPECT_EQ(switched.width, 640);
    EXPECT_EQ(switched.height, 480);
    EXPECT_NE(switched.mmWidth, desktop.mmWidth) << "the switch should scale the millimetres, as SDL does";
    kill(program, signal);
    int status = Ended();
    // A sanitizer catches SIGSEGV itself, reports and exits with a status.
    EXPECT_TRUE(WIFSIGNALED(status) || WEXITSTATUS(status) != 0) << "status " << status;
    double ms = DesktopBackWithin(kWithin);
    std::printf("%s: desktop %s after %.1f ms\n", strsignal(signal), ms >= 0 ? "back" : "NOT back", ms);
    EXPECT_GE(ms, 0) << "after " << strsignal(signal) << " the screen is " << ReadScreen() << ", not " << desktop;
    EXPECT_TRUE(WatchersGone()) << "the watcher outlived its work";
    if (!(ReadScreen() == desktop)) SetDesktop(desktop);
  }
}

TEST_F(DisplayGuardTest, AProgramEndedByAnXErrorLeavesTheDesktopBack) {
  Start("switch");
  if (HasFatalFailure()) return;
  std::fputs("x-error\n", toProgram);
  std::fflush(toProgram);
  int status = Ended();
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << "status " << status;
  double ms = DesktopBackWithin(kWithin);
  std::printf("X error: desktop back after %.1f ms\n", ms);
  EXPECT_GE(ms, 0) << "the screen is " << ReadScreen() << ", not " << desktop;
}

// After the program restored the mode itself and said so, the watcher is
// gone: a mode the user sets later is not undone when the program dies.
TEST_F(DisplayGuardTest, AProgramThatRestoredFirstLeavesTheWatcherNothingToDo) {
  Start("restore-first");
  if (HasFatalFailure()) return;
  EXPECT_EQ(ReadScreen(), desktop);
  EXPECT_TRUE(WatchersGone()) << "the watcher did not end when told the mode was restored";
  Display* display = XOpenDisplay(nullptr);
  ASSERT_TRUE(display);
  ASSERT_TRUE(SwitchMode(display, 800, 600));
  XCloseDisplay(display);
  Screen users = ReadScreen();
  kill(program, SIGKILL);
  Ended();
  std::this_thread::sleep_for(std::chrono::milliseconds(1000));
  EXPECT_EQ(ReadScreen(), users);
}

TEST_F(DisplayGuardTest, NoWatcherForADisplayThatIsNotThere) {
  const char* saved = getenv("DISPLAY");
  std::string display = saved ? saved : "";
  setenv("DISPLAY", ":4999", 1);
  auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(X11GuardDesktopMode(nullptr));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_FALSE(X11DesktopModeGuarded());
  X11DesktopModeRestored();  // nothing to tell: no effect
  setenv("DISPLAY", display.c_str(), 1);
  EXPECT_TRUE(WatchersGone());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--guarded-program") == 0) return GuardedProgram(argv[2]);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

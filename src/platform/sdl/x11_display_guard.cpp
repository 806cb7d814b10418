// The desktop-mode watcher for X servers: started by the program before its
// first mode change, it gives the desktop its mode and screen size back if
// the program ends without doing so. See x11_display_guard.h.
//
// How it runs. The program and the watcher share a stream socket. The
// program keeps its end (close-on-exec, so no other program inherits it);
// the watcher gets the other as descriptor 3. The watcher is the program's
// own executable started afresh with posix_spawn and a marker in its
// environment; a constructor of this file sees the marker before main and
// becomes the watcher instead. It forks once more and the first child ends
// at once, so the program reaps it straight away and the watcher itself
// never becomes the program's zombie; it leaves the program's session, so a
// Ctrl+C or a hang-up meant for the program does not reach it.
//
// The watcher records the screen over a connection of its own, writes 'K'
// (or 'F' when it cannot) and closes that connection, then sleeps in a read
// of the socket. 'R' means the program restored the mode: it ends. Anything
// else, above all the end of the stream when the program's process is gone
// however it ended, makes it connect again, compare the screen with what it
// recorded and, if anything differs, set the recorded CRTC configurations
// and screen size (pixels and millimetres) again under a server grab.
#include "platform/sdl/x11_display_guard.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern char** environ;

namespace {

// The environment marker of a watcher start; its value is the display name.
const char kWatchMark[] = "X11_DISPLAY_GUARD_WATCH";
// The watcher's end of the socket.
const int kWatcherSocket = 3;
// How long the program waits for the watcher to record the desktop.
const int kReadyTimeoutMs = 5000;

// The program's end of the socket while a watcher runs, else -1.
int guardSocket = -1;

// ---------------------------------------------------------------- the watcher

struct CrtcState {
  RRCrtc crtc = 0;
  RRMode mode = 0;
  int x = 0, y = 0;
  Rotation rotation = RR_Rotate_0;
  std::vector<RROutput> outputs;

  bool operator==(const CrtcState& o) const {
    return crtc == o.crtc && mode == o.mode && x == o.x && y == o.y && rotation == o.rotation && outputs == o.outputs;
  }
};

struct ScreenState {
  int width = 0, height = 0, mmWidth = 0, mmHeight = 0;
  std::vector<CrtcState> crtcs;

  bool operator==(const ScreenState& o) const {
    return width == o.width && height == o.height && mmWidth == o.mmWidth && mmHeight == o.mmHeight && crtcs == o.crtcs;
  }
};

int IgnoreXError(Display*, XErrorEvent*) { return 0; }
int LeaveOnLostServer(Display*) { _exit(0); }

// A fresh connection's screen 0: its size as the connection set-up reports
// it (current at connection time, in pixels and millimetres) and every CRTC.
bool ReadScreen(Display* display, ScreenState* state) {
  int screen = DefaultScreen(display);
  state->width = DisplayWidth(display, screen);
  state->height = DisplayHeight(display, screen);
  state->mmWidth = DisplayWidthMM(display, screen);
  state->mmHeight = DisplayHeightMM(display, screen);
  state->crtcs.clear();
  XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, RootWindow(display, screen));
  if (!resources) return false;
  for (int i = 0; i < resources->ncrtc; ++i) {
    XRRCrtcInfo* info = XRRGetCrtcInfo(display, resources, resources->crtcs[i]);
    if (!info) continue;
    CrtcState crtc;
    crtc.crtc = resources->crtcs[i];
    crtc.mode = info->mode;
    crtc.x = info->x;
    crtc.y = info->y;
    crtc.rotation = info->rotation;
    crtc.outputs.assign(info->outputs, info->outputs + info->noutput);
    state->crtcs.push_back(crtc);
    XRRFreeCrtcInfo(info);
  }
  XRRFreeScreenResources(resources);
  return true;
}

Display* Connect(const char* name) {
  Display* display = XOpenDisplay(name);
  if (!display) return nullptr;
  int event, error, major = 0, minor = 0;
  if (!XRRQueryExtension(display, &event, &error) || !XRRQueryVersion(display, &major, &minor) || major < 1 ||
      (major == 1 && minor < 2)) {
    XCloseDisplay(display);
    return nullptr;
  }
  return display;
}

// Sets `wanted` again where the screen differs from it: the CRTCs that
// differ are switched off first, so that the screen may take its size
// whatever they showed, then the size in pixels and millimetres, then those
// CRTCs as they were.
void RestoreScreen(const char* name, const ScreenState& wanted) {
  Display* display = Connect(name);
  if (!display) return;
  ScreenState now;
  if (!ReadScreen(display, &now) || now == wanted) {
    XCloseDisplay(display);
    return;
  }
  Window root = DefaultRootWindow(display);
  XGrabServer(display);
  XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, root);
  if (resources) {
    std::vector<const CrtcState*> changed;
    for (const CrtcState& crtc : wanted.crtcs) {
      bool same = false;
      for (const CrtcState& current : now.crtcs) same = same || current == crtc;
      if (!same) changed.push_back(&crtc);
    }
    for (const CrtcState* crtc : changed)
      XRRSetCrtcConfig(display, resources, crtc->crtc, CurrentTime, 0, 0, None, RR_Rotate_0, nullptr, 0);
    XRRSetScreenSize(display, root, wanted.width, wanted.height, wanted.mmWidth, wanted.mmHeight);
    for (const CrtcState* crtc : changed)
      XRRSetCrtcConfig(display, resources, crtc->crtc, CurrentTime, crtc->x, crtc->y, crtc->mode, crtc->rotation,
                       const_cast<RROutput*>(crtc->outputs.data()), static_cast<int>(crtc->outputs.size()));
    XRRFreeScreenResources(resources);
  }
  XUngrabServer(display);
  XSync(display, False);
  XCloseDisplay(display);
}

void CloseOtherDescriptors() {
  DIR* fds = opendir("/proc/self/fd");
  if (!fds) return;
  std::vector<int> open;
  while (dirent* entry = readdir(fds)) {
    int fd = std::atoi(entry->d_name);
    if (entry->d_name[0] != '.' && fd > kWatcherSocket && fd != dirfd(fds)) open.push_back(fd);
  }
  closedir(fds);
  for (int fd : open) close(fd);
}

[[noreturn]] void Watch(const char* name) {
  // Out of the program's way: reaped by it at once, in a session of its own.
  pid_t child = fork();
  if (child != 0) _exit(child < 0 ? 1 : 0);
  setsid();
  signal(SIGINT, SIG_IGN);
  signal(SIGHUP, SIG_IGN);
  signal(SIGQUIT, SIG_IGN);
  signal(SIGPIPE, SIG_IGN);
  signal(SIGTSTP, SIG_IGN);
  int null = open("/dev/null", O_RDWR);
  if (null >= 0) {
    dup2(null, 0);
    dup2(null, 1);
    if (null > 2) close(null);
  }
  CloseOtherDescriptors();
  XSetErrorHandler(IgnoreXError);
  XSetIOErrorHandler(LeaveOnLostServer);

  std::string display(name);
  ScreenState desktop;
  Display* connection = Connect(display.c_str());
  bool recorded = connection && ReadScreen(connection, &desktop);
  if (connection) XCloseDisplay(connection);
  char reply = recorded ? 'K' : 'F';
  if (send(kWatcherSocket, &reply, 1, MSG_NOSIGNAL) != 1 || !recorded) _exit(0);

  char message = 0;
  ssize_t got;
  do got = read(kWatcherSocket, &message, 1);
  while (got < 0 && errno == EINTR);
  if (got == 1 && message == 'R') _exit(0);
  RestoreScreen(display.c_str(), desktop);
  _exit(0);
}

// Before main: a process started as a watcher (the marker set and the
// socket in place) becomes one and never reaches main.
__attribute__((constructor)) void BecomeWatcherIfStartedAsOne() {
  const char* name = getenv(kWatchMark);
  if (!name) return;
  struct stat socketInfo;
  if (fstat(kWatcherSocket, &socketInfo) != 0 || !S_ISSOCK(socketInfo.st_mode)) return;
  Watch(name);
}

// ---------------------------------------------------------------- the program's side

void Give(const char* why) { std::fprintf(stderr, "display guard: %s; the display mode is not guarded\n", why); }

}  // namespace

bool X11GuardDesktopMode(void* xDisplayOrNull) {
  if (guardSocket >= 0) return true;
  const char* name = xDisplayOrNull ? DisplayString(static_cast<Display*>(xDisplayOrNull)) : getenv("DISPLAY");
  if (!name || !*name) {
    Give("no X display");
    return false;
  }

  int ends[2];
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
    Give("no socket for the watcher");
    return false;
  }
  // The watcher's end moves above the standard descriptors first, so that
  // putting it at kWatcherSocket in the child cannot overwrite the source.
  int watcherEnd = fcntl(ends[1], F_DUPFD_CLOEXEC, 10);
  close(ends[1]);
  if (watcherEnd < 0) {
    close(ends[0]);
    Give("no socket for the watcher");
    return false;
  }

  std::string mark = std::string(kWatchMark) + "=" + name;
  std::vector<char*> environment;
  for (char** variable = environ; variable && *variable; ++variable)
    if (std::strncmp(*variable, kWatchMark, sizeof kWatchMark - 1) != 0) environment.push_back(*variable);
  environment.push_back(&mark[0]);
  environment.push_back(nullptr);
  char argument0[] = "x11-display-guard";
  char* arguments[] = {argument0, nullptr};

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, watcherEnd, kWatcherSocket);
  pid_t starter = 0;
  int spawned = posix_spawn(&starter, "/proc/self/exe", &actions, nullptr, arguments, environment.data());
  posix_spawn_file_actions_destroy(&actions);
  close(watcherEnd);
  if (spawned != 0) {
    close(ends[0]);
    Give("the watcher could not start");
    return false;
  }
  int status;
  while (waitpid(starter, &status, 0) < 0 && errno == EINTR) {
  }

  pollfd ready = {ends[0], POLLIN, 0};
  char reply = 0;
  int polled;
  do polled = poll(&ready, 1, kReadyTimeoutMs);
  while (polled < 0 && errno == EINTR);
  if (polled != 1 || read(ends[0], &reply, 1) != 1 || reply != 'K') {
    close(ends[0]);
    Give(polled == 0 ? "the watcher did not answer" : "the watcher could not read the screen");
    return false;
  }
  guardSocket = ends[0];
  return true;
}

void X11DesktopModeRestored() {
  if (guardSocket < 0) return;
  char message = 'R';
  send(guardSocket, &message, 1, MSG_NOSIGNAL);
  close(guardSocket);
  guardSocket = -1;
}

bool X11DesktopModeGuarded() { return guardSocket >= 0; }

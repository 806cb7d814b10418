// The SDL backend's requests to end: SIGINT (Ctrl+C), SIGTERM (kill, and a
// desktop session ending), SIGHUP (the terminal closed) and SIGQUIT ask the
// program to end, as its close box would, instead of ending the process
// without its teardown (which would leave a changed display mode behind).
//
// SDL shows a message box from a child process it forks and waits for; a
// request to end while a box is up ends that child, so the box closes as
// its close box would. The child tells its process id through a page shared
// with it, written by a fork handler, so the signal handler needs nothing
// that is not safe in a signal handler.
#include <pthread.h>
#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <initializer_list>
#include <new>

#include "platform/sdl/sdl_backend.h"

namespace {

struct BoxWatch {
  std::atomic<int> child{0};   // the box's process, once it runs
  std::atomic<int> ending{0};  // a request to end has come
};

BoxWatch* watch = nullptr;           // shared with the box's process
volatile sig_atomic_t requests = 0;  // requests to end not yet taken
volatile sig_atomic_t boxShowing = 0;
bool ownEnding = false;  // for when the shared page could not be had

void OnEndSignal(int) {
  requests = 1;
  if (!watch) return;
  watch->ending.store(1);
  int child = watch->child.load();
  if (boxShowing && child > 0) kill(child, SIGKILL);
}

// Runs in every child right after a fork; the box's is the only fork made
// while a box is showing.
void InForkedChild() {
  if (!watch || !boxShowing) return;
  watch->child.store(int(getpid()));
  if (watch->ending.load()) _exit(1);
}

}  // namespace

void SdlCatchEndSignals() {
  static bool caught = false;
  if (caught) return;
  caught = true;
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  void* page = mmap(nullptr, sizeof(BoxWatch), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
  if (page != MAP_FAILED) watch = new (page) BoxWatch();
  pthread_atfork(nullptr, nullptr, InForkedChild);
  struct sigaction action = {};
  action.sa_handler = OnEndSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
    // A signal the program was started ignoring stays ignored, as a shell
    // has SIGINT and SIGQUIT ignored in the jobs it starts in the background.
    struct sigaction inherited = {};
    if (sigaction(signal, nullptr, &inherited) == 0 && inherited.sa_handler == SIG_IGN) continue;
    sigaction(signal, &action, nullptr);
  }
}

bool SdlTakeEndRequest() {
  if (!requests) return false;
  requests = 0;
  ownEnding = true;
  return true;
}

bool SdlEnding() { return ownEnding || requests || (watch && watch->ending.load()); }

void SdlBoxShowing(bool showing) {
  if (watch) watch->child.store(0);
  boxShowing = showing ? 1 : 0;
}

// A probe preloaded into the real game by ./bench.sh (LD_PRELOAD): it
// answers the start-up question with No the moment it is asked, and notes
// the wall-clock time after each buffer swap returns, that is each frame the
// game shows. The game itself is not changed; the probe stands in front of
// three SDL functions and passes every call on.
//
// Pass lengths are taken at the start of each pass, not at the swaps (whose
// own duration varies): every PeekMessageA pumps SDL's events once, so the
// last pump before a swap is the start of that idle pass, a few microseconds
// before the pass reads its frame start from the clock.
//
// Set by the caller:
//   QUELLOR_PROBE_START  wall-clock time of the launch, seconds with a
//                        fraction (bash's $EPOCHREALTIME just before exec)
//   QUELLOR_PROBE_SWAPS  how many swaps to note before ending the process
//   QUELLOR_PROBE_OUT    file the figures are written to
// Written, one per line: "first_frame_ms <ms from launch to the first swap>",
// then "pass_ms <ms>" for every interval between the starts of two
// consecutive idle passes, then
// "peak_rss_kb <VmHWM>", "rss_kb <VmRSS>", and, from the first swap to the
// last, "main_thread_busy <share>" (the main thread's processor time over
// the wall-clock time) and "process_busy <share>" (all its threads', in
// processors). The process then ends at once with status 0.
#include <SDL.h>
#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "proc_status.h"
#include <ctime>
#include <vector>

namespace {

double ClockSeconds(clockid_t clock) {
  timespec now;
  clock_gettime(clock, &now);
  return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

double NowSeconds() { return ClockSeconds(CLOCK_REALTIME); }

// The main thread's and the process's processor time at the first swap.
double firstThreadCpu = 0, firstProcessCpu = 0;

std::vector<double>& SwapTimes() {
  static std::vector<double> times;
  return times;
}

std::vector<double>& PassStarts() {
  static std::vector<double> starts;
  return starts;
}

double lastPump = 0;

void Finish() {
  const std::vector<double>& times = SwapTimes();
  const char* path = std::getenv("QUELLOR_PROBE_OUT");
  FILE* out = path ? std::fopen(path, "w") : stderr;
  if (!out) _exit(3);
  const char* start = std::getenv("QUELLOR_PROBE_START");
  if (start && !times.empty()) std::fprintf(out, "first_frame_ms %.3f\n", (times[0] - std::atof(start)) * 1000.0);
  const std::vector<double>& starts = PassStarts();
  for (size_t i = 1; i < starts.size(); ++i) std::fprintf(out, "pass_ms %.4f\n", (starts[i] - starts[i - 1]) * 1000.0);
  std::fprintf(out, "peak_rss_kb %ld\n", StatusField("VmHWM"));
  std::fprintf(out, "rss_kb %ld\n", StatusField("VmRSS"));
  if (times.size() > 1) {
    double wall = times.back() - times.front();
    std::fprintf(out, "main_thread_busy %.4f\n", (ClockSeconds(CLOCK_THREAD_CPUTIME_ID) - firstThreadCpu) / wall);
    std::fprintf(out, "process_busy %.4f\n", (ClockSeconds(CLOCK_PROCESS_CPUTIME_ID) - firstProcessCpu) / wall);
  }
  std::fclose(out);
  _exit(0);
}

}  // namespace

extern "C" int SDL_ShowMessageBox(const SDL_MessageBoxData* data, int* buttonid) {
  for (int i = 0; i < data->numbuttons; ++i) {
    if (std::strcmp(data->buttons[i].text, "No") == 0) {
      *buttonid = data->buttons[i].buttonid;
      return 0;
    }
  }
  using Real = int (*)(const SDL_MessageBoxData*, int*);
  static Real real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "SDL_ShowMessageBox"));
  return real(data, buttonid);
}

extern "C" void SDL_PumpEvents(void) {
  using Real = void (*)(void);
  static Real real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "SDL_PumpEvents"));
  lastPump = NowSeconds();
  real();
}

extern "C" void SDL_GL_SwapWindow(SDL_Window* window) {
  using Real = void (*)(SDL_Window*);
  static Real real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "SDL_GL_SwapWindow"));
  static const long wanted = std::getenv("QUELLOR_PROBE_SWAPS") ? std::atol(std::getenv("QUELLOR_PROBE_SWAPS")) : 1;
  real(window);
  std::vector<double>& times = SwapTimes();
  if (times.empty()) {
    times.reserve(size_t(wanted > 0 ? wanted : 1));
    PassStarts().reserve(size_t(wanted > 0 ? wanted : 1));
    firstThreadCpu = ClockSeconds(CLOCK_THREAD_CPUTIME_ID);
    firstProcessCpu = ClockSeconds(CLOCK_PROCESS_CPUTIME_ID);
  }
  times.push_back(NowSeconds());
  PassStarts().push_back(lastPump);
  if (long(times.size()) >= wanted) Finish();
}

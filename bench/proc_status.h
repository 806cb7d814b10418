// A field of this process's /proc/self/status in kB (VmRSS, VmHWM, ...), or
// -1 when it cannot be read. Shared by the shell benchmark and the probe
// preloaded into the real game.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <cstring>

inline long StatusField(const char* name) {
  FILE* status = std::fopen("/proc/self/status", "r");
  if (!status) return -1;
  char line[256];
  long value = -1;
  const size_t length = std::strlen(name);
  while (std::fgets(line, sizeof line, status)) {
    if (std::strncmp(line, name, length) == 0 && line[length] == ':') {
      value = std::atol(line + length + 1);
      break;
    }
  }
  std::fclose(status);
  return value;
}

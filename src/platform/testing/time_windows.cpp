// Virtual time on Windows, where there is no layer to steer: the test
// program's own import address table entries for QueryPerformanceFrequency,
// QueryPerformanceCounter (KERNEL32) and timeGetTime (WINMM) are pointed at
// the virtual clock below while virtual time is on, and back at the system's
// operations afterwards. Code under test calls the clock exactly as the game
// does, through its imports, and reads the same values as under the Linux
// layer's virtual time.
//
// The compiler takes an import's address as fixed for the run and may load it
// once per function, so a function sees the redirection from its next call
// on: turn virtual time on or off before entering the code that reads it.
#include "platform/testing/driver.h"
#include "platform/core/hooks.h"

#include <cstdio>
#include <cstring>

namespace {

// The same record as the layer's virtual time (its `virtualTime` flag is
// whether the imports are redirected).
LayerClock virtualClock;

BOOL WINAPI VirtualQueryPerformanceFrequency(LARGE_INTEGER* frequency) {
  frequency->QuadPart = virtualClock.hasCounter ? virtualClock.frequency : 0;
  return virtualClock.hasCounter ? TRUE : FALSE;
}

BOOL WINAPI VirtualQueryPerformanceCounter(LARGE_INTEGER* count) {
  virtualClock.counter += virtualClock.counterStepPerRead;
  count->QuadPart = virtualClock.counter;
  return virtualClock.hasCounter ? TRUE : FALSE;
}

DWORD WINAPI VirtualTimeGetTime(void) {
  virtualClock.milliseconds += virtualClock.millisecondStepPerRead;
  return virtualClock.milliseconds;
}

// One redirected import: where it lives in the table and what it held.
struct ImportRedirect {
  const char* library;
  const char* operation;
  void* replacement;
  void** slot;
  void* original;
};
ImportRedirect redirects[] = {
    {"kernel32.dll", "QueryPerformanceFrequency", reinterpret_cast<void*>(&VirtualQueryPerformanceFrequency), nullptr,
     nullptr},
    {"kernel32.dll", "QueryPerformanceCounter", reinterpret_cast<void*>(&VirtualQueryPerformanceCounter), nullptr,
     nullptr},
    {"winmm.dll", "timeGetTime", reinterpret_cast<void*>(&VirtualTimeGetTime), nullptr, nullptr},
};
bool redirected = false;

// The address table entry through which `module` calls `operation` of
// `library`, found by name in the module's import directory; null when the
// module does not import it.
void** FindImportSlot(HMODULE module, const char* library, const char* operation) {
  BYTE* base = reinterpret_cast<BYTE*>(module);
  const IMAGE_DOS_HEADER* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  if (dos->e_magic != IMAGE_DOS_SIGNATURE) return nullptr;
  const IMAGE_NT_HEADERS* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  if (nt->Signature != IMAGE_NT_SIGNATURE) return nullptr;
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0) return nullptr;

  for (const IMAGE_IMPORT_DESCRIPTOR* entry =
           reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
       entry->Name != 0; ++entry) {
    if (lstrcmpiA(reinterpret_cast<const char*>(base + entry->Name), library) != 0) continue;
    // The lookup table keeps the names; the address table is overwritten
    // with addresses when the program is loaded.
    DWORD lookup = entry->OriginalFirstThunk != 0 ? entry->OriginalFirstThunk : entry->FirstThunk;
    const IMAGE_THUNK_DATA* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + lookup);
    IMAGE_THUNK_DATA* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const IMAGE_IMPORT_BY_NAME* byName =
          reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char*>(byName->Name), operation) == 0) {
        return reinterpret_cast<void**>(&slots->u1.Function);
      }
    }
  }
  return nullptr;
}

bool WriteSlot(void** slot, void* value) {
  DWORD previous = 0;
  if (!VirtualProtect(slot, sizeof(void*), PAGE_READWRITE, &previous)) return false;
  *slot = value;
  DWORD ignored = 0;
  VirtualProtect(slot, sizeof(void*), previous, &ignored);
  return true;
}

void RedirectImports() {
  if (redirected) return;
  HMODULE program = GetModuleHandleA(nullptr);
  for (ImportRedirect& redirect : redirects) {
    redirect.slot = FindImportSlot(program, redirect.library, redirect.operation);
    if (redirect.slot == nullptr) {
      // Nothing in this program calls it, so nothing can read real time
      // through it either.
      continue;
    }
    redirect.original = *redirect.slot;
    if (!WriteSlot(redirect.slot, redirect.replacement)) {
      std::fprintf(stderr, "virtual time: cannot redirect %s!%s (error %lu)\n", redirect.library, redirect.operation,
                   static_cast<unsigned long>(GetLastError()));
      redirect.slot = nullptr;
    }
  }
  redirected = true;
}

void RestoreImports() {
  if (!redirected) return;
  for (ImportRedirect& redirect : redirects) {
    if (redirect.slot != nullptr) WriteSlot(redirect.slot, redirect.original);
    redirect.slot = nullptr;
    redirect.original = nullptr;
  }
  redirected = false;
}

}  // namespace

void DriveVirtualTime(bool hasCounter, int64_t frequency) {
  virtualClock = LayerClock();
  virtualClock.hasCounter = hasCounter;
  virtualClock.frequency = frequency;
  RedirectImports();
}

void DriveSetCounter(int64_t counter) { virtualClock.counter = counter; }

void DriveSetMilliseconds(uint32_t milliseconds) { virtualClock.milliseconds = milliseconds; }

void DriveAutoAdvance(int64_t countsPerRead, uint32_t millisecondsPerRead) {
  virtualClock.counterStepPerRead = countsPerRead;
  virtualClock.millisecondStepPerRead = millisecondsPerRead;
}

void DriveRealTime() {
  RestoreImports();
  virtualClock = LayerClock();
}

// On Windows the driver steers nothing but time.
void DriveReset() { DriveRealTime(); }

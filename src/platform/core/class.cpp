// USER32, window classes and stock resources: RegisterClassA,
// UnregisterClassA, LoadIconA, LoadCursorA.
//
// Callers may rely on: classes are known by name (any case) and instance
// (null means the program's module). RegisterClassA returns a class atom,
// and 0 for a name already registered; UnregisterClassA fails for an
// unknown class and while windows of it live. LoadIconA/LoadCursorA with a
// null module give a fixed handle for each stock resource (IDI_*, IDC_*),
// null for anything else.
#include <strings.h>

#include <map>
#include <type_traits>

#include "platform/core/core.h"

namespace {

struct ClassEntry {
  std::string name;
  HINSTANCE instance;
  WNDPROC procedure;
  ATOM atom;
};

std::vector<ClassEntry> classes;
ATOM nextAtom = 0xC000;

HINSTANCE ModuleOf(HINSTANCE instance) { return instance ? instance : GetModuleHandleA(nullptr); }

// Win32 passes atoms where names go: a "pointer" below 0x10000.
bool IsAtom(LPCSTR name) { return uintptr_t(name) < 0x10000; }

ClassEntry* FindClass(LPCSTR name, HINSTANCE instance) {
  if (!name) return nullptr;
  for (ClassEntry& entry : classes) {
    if (ModuleOf(instance) != entry.instance) continue;
    if (IsAtom(name) ? entry.atom == ATOM(uintptr_t(name)) : strcasecmp(entry.name.c_str(), name) == 0) return &entry;
  }
  return nullptr;
}

// Stock resources: a cell per id, so each has its own lasting handle.
template <typename Handle>
Handle StockResource(HINSTANCE instance, LPCSTR name) {
  static std::map<int, typename std::remove_pointer<Handle>::type> cells;
  if (instance || !IsAtom(name)) return nullptr;
  int id = int(uintptr_t(name));
  if (id < 32512 || id > 32651) return nullptr;
  return &cells[id];
}

}  // namespace

bool LayerFindClass(LPCSTR name, HINSTANCE instance, std::string* registeredName, WNDPROC* procedure) {
  ClassEntry* entry = FindClass(name, instance);
  if (!entry) return false;
  *registeredName = entry->name;
  *procedure = entry->procedure;
  return true;
}

int LayerRegisteredClassCount() { return int(classes.size()); }

ATOM WINAPI RegisterClassA(const WNDCLASSA* wndClass) {
  if (LayerShouldFail("RegisterClassA")) return 0;
  if (!wndClass || !wndClass->lpszClassName || IsAtom(wndClass->lpszClassName) || !wndClass->lpfnWndProc) return 0;
  if (FindClass(wndClass->lpszClassName, wndClass->hInstance)) return 0;
  ClassEntry entry{wndClass->lpszClassName, ModuleOf(wndClass->hInstance), wndClass->lpfnWndProc, nextAtom++};
  if (nextAtom == 0) nextAtom = 0xC000;
  classes.push_back(entry);
  return entry.atom;
}

BOOL WINAPI UnregisterClassA(LPCSTR className, HINSTANCE instance) {
  if (LayerShouldFail("UnregisterClassA")) return FALSE;
  ClassEntry* entry = FindClass(className, instance);
  if (!entry) return FALSE;
  for (LayerWindow* window : LayerWindows())
    if (strcasecmp(window->className.c_str(), entry->name.c_str()) == 0) return FALSE;
  classes.erase(classes.begin() + (entry - classes.data()));
  return TRUE;
}

HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name) {
  if (LayerShouldFail("LoadIconA")) return nullptr;
  return StockResource<HICON>(instance, name);
}

HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name) {
  if (LayerShouldFail("LoadCursorA")) return nullptr;
  return StockResource<HCURSOR>(instance, name);
}

// The test driver's hooks and the fault table it arms. Everything here is
// off in the game.
#include <map>
#include <string>

#include "platform/core/hooks.h"

LayerHooks layerHooks;

namespace {
// operation -> calls left until it fails (1: the next call); 0: every call.
std::map<std::string, int>& Faults() {
  static std::map<std::string, int> faults;
  return faults;
}
}  // namespace

bool LayerShouldFail(const char* operation) {
  std::map<std::string, int>& faults = Faults();
  if (faults.empty()) return false;
  auto found = faults.find(operation);
  if (found == faults.end()) return false;
  if (found->second == 0) return true;
  if (--found->second > 0) return false;
  faults.erase(found);
  return true;
}

void LayerArmFault(const char* operation, int nth) { Faults()[operation] = nth < 0 ? 0 : nth; }

void LayerClearFaults() { Faults().clear(); }

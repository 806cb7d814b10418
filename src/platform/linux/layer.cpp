// State the layer's files share: the fault table the test driver arms.
#include "platform/linux/layer.h"

#include <map>
#include <string>

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

// Any bytes given to the class catalogue's MOF reader give classes or an error, never a fault;
// a text that was refused adds nothing.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/WmiCatalog.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quillet::platform;
  CWmiCatalog catalogue;
  const bool ok = catalogue.AddMof(std::string_view(reinterpret_cast<const char*>(data), size));
  if (ok != catalogue.Error().empty()) std::abort();
  if (!ok && !catalogue.Classes().empty()) std::abort();
  return 0;
}

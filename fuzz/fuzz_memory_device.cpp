// Any bytes given as a memory device entry of the machine description tables give a module or
// nothing, never a read outside the bytes; what is read stays within what an entry can hold.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "engine/objects/wmi/MemoryDeviceEntry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view raw(reinterpret_cast<const char*>(data), size);
  const auto device = quillet::engine::machine::ParseMemoryDevice(raw);
  if (!device) return 0;
  // Strings come from the entry's own bytes; the size fits the widest field (2^31 megabytes).
  const size_t strings = device->deviceLocator.size() + device->bankLocator.size() + device->manufacturer.size() +
                         device->serialNumber.size() + device->partNumber.size();
  if (device->deviceLocator.size() > size || device->partNumber.size() > size || strings > 5 * size) std::abort();
  if (device->capacity > (uint64_t{0x7FFFFFFF} << 20)) std::abort();
  return 0;
}

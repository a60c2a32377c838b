// Any bytes given to the PE resource walk give no resource or a slice of the input, never a fault.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "typeinfo/PeResource.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quillet::typeinfo;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (const std::uint16_t id : {std::uint16_t{1}, std::uint16_t{0}}) {
    const auto found = CPeResource::FindTypeLib(bytes, id);
    if (found && (found->data() < bytes.data() || found->data() + found->size() > bytes.data() + bytes.size()))
      std::abort();
  }
  return 0;
}

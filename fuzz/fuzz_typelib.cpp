// Any bytes given to the type library reader give no library or a library, never a fault; what
// it reads, the writer writes and the reader reads back the same.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "typeinfo/MsftReader.h"
#include "typeinfo/MsftWriter.h"
#include "typeinfo/TypeLibrary.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quillet::typeinfo;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto read = CMsftReader::Read(bytes);
  if (!read) return 0;
  const auto again = CMsftReader::Read(CMsftWriter::Write(*read));
  if (!again) std::abort();
  const auto library = CTypeLibrary::LoadBytes(bytes, nullptr);
  if (!library) std::abort();
  for (int i = 0; i < library->TypeInfoCount(); ++i) {
    (void)library->TypeKind(i);
    for (const auto& impl : library->TypeInfo(i)->implTypes) (void)library->ResolveRef(impl.ref);
  }
  return 0;
}

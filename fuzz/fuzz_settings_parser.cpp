// Any bytes given to the registry-file reader give a result or an error, never a fault; what it
// reads, the writer writes and the reader reads back the same.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/RegFileParser.h"
#include "platform/RegFileWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quillet::platform;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const CRegFileParseResult result = CRegFileParser::Parse(bytes);
  if (result.ok != (result.root != nullptr)) std::abort();
  if (!result.ok) {
    if (result.error.empty()) std::abort();
    return 0;
  }
  const std::string written = CRegFileWriter::Write(*result.root);
  const CRegFileParseResult again = CRegFileParser::Parse(written);
  if (!again.ok || CRegFileWriter::Write(*again.root) != written) std::abort();
  return 0;
}

// Any bytes load as a script without a fault, and save back as the same bytes.

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "document/QuilletDoc.h"
#include "platform/AnsiCodePage.h"

namespace {

std::string ScratchFolder() {
  static const std::string folder = [] {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/quillet-fuzz-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    return pattern;
  }();
  return folder;
}

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const auto codePage = quillet::platform::CAnsiCodePage::ForCodePage(1252);
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string in = ScratchFolder() + "/in.vbs";
  const std::string out = ScratchFolder() + "/out.vbs";
  std::ofstream(in, std::ios::binary | std::ios::trunc).write(bytes.data(),
                                                               static_cast<std::streamsize>(size));
  quillet::document::CQuilletDoc doc;
  doc.SetCodePage(codePage.get());
  if (!doc.LoadFromFile(in, quillet::document::EolDetect)) std::abort();
  // A UTF-16 file with an odd length loses only its last byte.
  const bool oddUnicode = doc.IsUnicode() && size % 2 != 0;
  if (!doc.SaveToFile(out, -1, true)) std::abort();
  const std::string saved = Read(out);
  if (saved != (oddUnicode ? bytes.substr(0, size - 1) : bytes)) std::abort();
  ::unlink(in.c_str());
  ::unlink(out.c_str());
  return 0;
}

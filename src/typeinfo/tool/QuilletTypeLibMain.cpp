// quillet-typelib: prints a type library as IDL-like text. The argument is a library file
// (.tlb, or a .dll/.ocx/.exe/.olb holding one) or a ProgID registered in Quillet's hive or the
// Wine prefix, whose class leads to its registered library.

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "platform/ClassRegistry.h"
#include "platform/TextConvert.h"
#include "typeinfo/TypeLibPrinter.h"
#include "typeinfo/TypeLibrary.h"

namespace {

using quillet::platform::CClassRegistry;
using quillet::platform::Utf16ToUtf8;
using quillet::platform::Utf8ToUtf16;

// ProgID -> CLSID -> its TypeLib GUID -> the first registered version's 32-bit file; else the
// class's server file, which may carry the library as a resource.
std::optional<std::string> PathOfProgId(const CClassRegistry& registry, const std::u16string& progId) {
  const auto clsid = registry.ReadDefaultString(progId + u"\\CLSID");
  if (!clsid || clsid->empty()) return std::nullopt;
  const std::u16string classKey = u"CLSID\\" + *clsid;
  if (const auto libraryGuid = registry.ReadDefaultString(classKey + u"\\TypeLib")) {
    const std::u16string libraryKey = u"TypeLib\\" + *libraryGuid;
    for (const std::u16string& version : registry.SubkeyNames(libraryKey)) {
      const auto path = registry.ReadDefaultString(libraryKey + u"\\" + version + u"\\0\\win32");
      if (path && !path->empty()) return registry.MapToLinuxPath(*path);
    }
  }
  for (const char16_t* server : {u"\\InprocServer32", u"\\LocalServer32"}) {
    const auto path = registry.ReadDefaultString(classKey + server);
    if (path && !path->empty()) return registry.MapToLinuxPath(*path);
  }
  return std::nullopt;
}

int Usage() {
  std::fputs("usage: quillet-typelib FILE|PROGID\n"
             "Prints a type library (a .tlb file, or a .dll/.ocx/.exe/.olb that holds one, or the\n"
             "library of a ProgID registered in Quillet's hive or the Wine prefix) as IDL-like text.\n",
             stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 || std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h") return Usage();
  auto registry = std::make_shared<const CClassRegistry>(CClassRegistry::LoadDefault());
  std::string path = argv[1];
  std::error_code ignored;
  if (!std::filesystem::exists(path, ignored)) {
    const auto found = PathOfProgId(*registry, Utf8ToUtf16(path));
    if (!found) {
      std::fprintf(stderr, "quillet-typelib: %s is neither a file nor a registered ProgID\n", argv[1]);
      return 1;
    }
    path = *found;
  }
  quillet::typeinfo::ELoadError error = quillet::typeinfo::ELoadError::None;
  const auto library = quillet::typeinfo::CTypeLibrary::LoadFile(path, registry, &error);
  if (!library) {
    const char* why = error == quillet::typeinfo::ELoadError::CannotRead          ? "cannot be read"
                      : error == quillet::typeinfo::ELoadError::NoTypeLibResource ? "holds no type library"
                                                                                  : "is not a type library";
    std::fprintf(stderr, "quillet-typelib: %s %s\n", path.c_str(), why);
    return 1;
  }
  const std::string text = Utf16ToUtf8(quillet::typeinfo::CTypeLibPrinter(*library).Print());
  std::fwrite(text.data(), 1, text.size(), stdout);
  return 0;
}

#include "intellisense/ScriptHostLibrary.h"

#include "platform/ClassRegistry.h"
#include "platform/TextConvert.h"
#include "typeinfo/ProgIdResolver.h"

namespace quillet::intellisense {
namespace {

// A server command line may quote its program and carry switches after it.
std::u16string ProgramOfCommandLine(std::u16string_view commandLine) {
  if (commandLine.starts_with(u'"')) {
    const size_t close = commandLine.find(u'"', 1);
    return std::u16string(commandLine.substr(1, close == std::u16string_view::npos ? std::u16string_view::npos : close - 1));
  }
  const size_t blank = commandLine.find(u' ');
  return std::u16string(commandLine.substr(0, blank));
}

}  // namespace

std::u16string FindScriptHostLibrary(const platform::CClassRegistry& registry) {
  const std::u16string classKey = u"CLSID\\" + std::u16string(kScriptHostClsid);
  if (const auto libraryId = registry.ReadDefaultString(classKey + u"\\TypeLib")) {
    if (auto path = typeinfo::FindRegisteredTypeLibPath(registry, *libraryId, kScriptHostClsid)) return *path;
  }
  const auto server = registry.ReadDefaultString(classKey + u"\\LocalServer32");
  if (!server) return {};
  const std::u16string program =
      platform::FileNameToText(registry.MapToLinuxPath(ProgramOfCommandLine(*server)));
  if (!program.empty() && typeinfo::LibraryHasCoClass(kScriptHostClsid, program)) return program;
  return {};
}

}  // namespace quillet::intellisense

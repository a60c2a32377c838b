// Any text given to RegRead, RegWrite and RegDelete as a registry path gives a value or a
// VBScript error, never a fault, and a write never leaves a hive that reads back as damaged.

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "engine/objects/wsh/ScriptRegistry.h"
#include "engine/runtime/ScriptError.h"
#include "platform/FileBytes.h"
#include "platform/RegFileParser.h"

namespace {

// The hives of one run, removed when the run ends.
struct SHiveFolder {
  std::string path = (std::filesystem::temp_directory_path() / "quillet-fuzz-registry-XXXXXX").string();
  SHiveFolder() {
    if (::mkdtemp(path.data()) == nullptr) std::abort();
  }
  ~SHiveFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
};

const std::string& HiveFolder() {
  static const SHiveFolder folder;
  return folder.path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quillet;
  // Two bytes of UTF-16 per character, so that every code unit can occur.
  std::u16string name;
  for (size_t i = 0; i + 1 < size; i += 2) name += static_cast<char16_t>(data[i] | data[i + 1] << 8);
  const engine::wsh::CScriptRegistry registry(HiveFolder());
  const auto attempt = [](const auto& call) {
    try {
      call();
    } catch (const engine::CScriptError& error) {
      if (error.Description().empty()) std::abort();
    }
  };
  attempt([&] { registry.Write(name, engine::CVariant::String(u"v"), u"REG_SZ"); });
  attempt([&] { (void)registry.Read(name); });
  attempt([&] { registry.Delete(name); });
  for (const char* file : {"/HKCU.reg", "/HKLM.reg"}) {
    std::string bytes;
    if (platform::ReadFileBytes(HiveFolder() + file, bytes) && !platform::CRegFileParser::Parse(bytes).ok) std::abort();
  }
  // Every input starts from fresh hives: keys left by earlier inputs would make each write slower
  // than the last, and fuzzing would crawl.
  std::error_code ignored;
  for (const auto& entry : std::filesystem::directory_iterator(HiveFolder(), ignored)) {
    std::filesystem::remove_all(entry.path(), ignored);
  }
  return 0;
}

#pragma once
// What the resolution and reference tests share: references kept in memory, and a Wine prefix
// whose class registrations are written in a compact form.

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "TempFolder.h"
#include "TypeLibFixtures.h"
#include "platform/ClassRegistry.h"
#include "typeinfo/MsftWriter.h"
#include "typeinfo/ReferenceStore.h"

namespace quillet::test {

// The Canvas coclass of RichLibrary(), and the library's own GUID.
inline constexpr char16_t kCanvasClsid[] = u"{A1000005-1234-5678-9ABC-DEF001020304}";
inline constexpr char kCanvasReg[] = "{A1000005-1234-5678-9ABC-DEF001020304}";
inline constexpr char kShapeLibReg[] = "{A1000000-1234-5678-9ABC-DEF001020304}";

class CMemoryReferences final : public typeinfo::IReferenceStore {
 public:
  [[nodiscard]] std::u16string Read(std::u16string_view progId) const override {
    const auto found = entries.find(std::u16string(progId));
    return found == entries.end() ? std::u16string() : found->second;
  }
  bool Write(std::u16string_view progId, std::u16string_view path) override {
    entries[std::u16string(progId)] = path;
    ++writes;
    return true;
  }
  [[nodiscard]] std::map<std::u16string, std::u16string> ReadAll() const override { return entries; }
  bool ReplaceAll(const std::map<std::u16string, std::u16string>& references) override {
    entries = references;
    ++writes;
    return true;
  }
  std::map<std::u16string, std::u16string> entries;
  int writes = 0;
};

// A prefix in folder/wine whose machine hive holds the keys, written as "[key]\n@=value\n" with
// single backslashes and key paths below the classes root. C:\libs\shapes.tlb is RichLibrary(),
// C:\libs\other.tlb a library without classes.
inline std::shared_ptr<platform::CClassRegistry> WritePrefix(const CTempFolder& folder, const std::string& keys) {
  const std::string prefix = folder.File("wine");
  std::filesystem::create_directories(prefix + "/drive_c/libs");
  WriteFile(prefix + "/drive_c/libs/shapes.tlb", typeinfo::CMsftWriter::Write(RichLibrary()));
  WriteFile(prefix + "/drive_c/libs/other.tlb", typeinfo::CMsftWriter::Write(AutomationLibrary()));
  std::string hive = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n";
  for (const char c : keys) {
    if (c == '\\') hive += "\\\\";
    else if (c == '[') hive += "[Software\\\\Classes\\\\";
    else hive += c;
  }
  WriteFile(prefix + "/system.reg", hive);
  WriteFile(prefix + "/user.reg", "WINE REGISTRY Version 2\n");
  auto registry = std::make_shared<platform::CClassRegistry>();
  registry->AddWinePrefix(prefix);
  return registry;
}

[[nodiscard]] inline std::u16string PrefixFile(const CTempFolder& folder, const char* relative) {
  const std::string path = folder.File("wine/drive_c/") + relative;
  return std::u16string(path.begin(), path.end());
}

[[nodiscard]] inline std::string ProgIdKey(const char* name, const char* clsid) {
  return std::string("[") + name + "\\CLSID]\n@=\"" + clsid + "\"\n";
}

[[nodiscard]] inline std::string VersionKey(const char* guid, const char* version, const char* value) {
  return std::string("[TypeLib\\") + guid + "\\" + version + "\\0\\win32]\n@=" + value + "\n";
}

}  // namespace quillet::test

#pragma once
// The classes root (ProgIDs, CLSIDs, registered type libraries) as a read-only view merged from
// hive files: first the hive Quillet installs for its own engine's objects, then, when the user
// has a Wine prefix, its per-user and machine-wide class registrations. The first hive that has
// a key or value answers; enumerations list each name once, in hive order.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/RegKey.h"

namespace quillet::platform {

// In a value of Quillet's hive, %QuilletHiveFolder% is the folder the hive was read from: the
// generated hive names its type libraries this way, so that it works wherever it is installed.
inline constexpr std::u16string_view kHiveFolderVariable = u"QuilletHiveFolder";

class CClassRegistry {
 public:
  CClassRegistry();
  ~CClassRegistry();
  CClassRegistry(CClassRegistry&&) noexcept;
  CClassRegistry& operator=(CClassRegistry&&) noexcept;

  // Quillet's hive, installed (share/quillet/classes.reg beside the program's bin folder) or else
  // generated in the build folder, and the Wine prefix of $WINEPREFIX, else ~/.wine. Missing or
  // unreadable files are skipped.
  [[nodiscard]] static CClassRegistry LoadDefault();

  // A regedit-format hive whose keys sit under HKEY_CLASSES_ROOT.
  bool AddQuilletHive(const std::string& path);
  // Software\Classes of a Wine prefix's user.reg and system.reg, in that order, so per-user
  // registrations win as they do on Windows.
  bool AddWinePrefix(const std::string& prefixFolder);

  // Paths are relative to the classes root: "Word.Application\CLSID".
  [[nodiscard]] bool KeyExists(std::u16string_view path) const;
  // The default value of a key, when it is a string or an expandable string (expanded; Windows
  // paths inside a Wine hive stay Windows paths, see MapToLinuxPath).
  [[nodiscard]] std::optional<std::u16string> ReadDefaultString(std::u16string_view path) const;
  [[nodiscard]] std::optional<std::u16string> ReadString(std::u16string_view path,
                                                         std::u16string_view valueName) const;
  [[nodiscard]] std::vector<std::u16string> SubkeyNames(std::u16string_view path) const;
  [[nodiscard]] std::vector<std::u16string> ValueNames(std::u16string_view path) const;

  // The Linux file a Windows path of the hive that registered it names: drive letters through
  // the prefix's dosdevices (C: to drive_c, Z: to /), components matched without regard to case
  // as Windows matches them. A Linux path is returned as it is.
  [[nodiscard]] std::string MapToLinuxPath(std::u16string_view windowsPath) const;

 private:
  struct SHive;

  [[nodiscard]] const CRegValue* FindValue(std::u16string_view path, std::u16string_view name,
                                           const SHive** owner) const;
  [[nodiscard]] std::u16string Expand(std::u16string_view text, const SHive& hive) const;

  std::vector<std::unique_ptr<SHive>> m_hives;
  std::string m_winePrefix;
};

// %NAME% replaced by lookup(NAME); an unknown name or an unpaired % stays as written.
[[nodiscard]] std::u16string ExpandEnvironmentText(
    std::u16string_view text, const std::function<std::optional<std::u16string>(std::u16string_view)>& lookup);

// The path with each component matched without regard to ASCII case where the exact spelling
// does not exist; components that match nothing keep their spelling.
[[nodiscard]] std::string ResolvePathIgnoringCase(const std::string& path);

}  // namespace quillet::platform

#pragma once
// The registry that RegRead, RegWrite and RegDelete see: HKCU and HKLM are hive files of the
// user's own (HKLM seeded on first use with a few values read from this system, listed in the
// README), HKCR is the read-only classes view. Names are written as scripts write them
// ("HKCU\Software\Firm\Value", a trailing \ for a key and its default value); errors carry
// Windows' numbers and texts.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/runtime/Variant.h"

namespace quillet::platform {
class CScriptHive;
}

namespace quillet::engine::wsh {

class CScriptRegistry {
 public:
  // Keys deeper than this are refused: below the limit the hive reader enforces, so that a
  // write can never make a file that reads back as damaged.
  static constexpr size_t kMaxKeyDepth = 500;
  static constexpr size_t kMaxKeyNameLength = 255;

  // The hive files live in this folder (the user's registry folder by default).
  explicit CScriptRegistry(std::string folder);
  [[nodiscard]] static std::string DefaultFolder();

  [[nodiscard]] CVariant Read(std::u16string_view name) const;
  // type is "REG_SZ" (the default), "REG_EXPAND_SZ", "REG_DWORD", "REG_BINARY" or "REG_MULTI_SZ".
  void Write(std::u16string_view name, const CVariant& value, std::u16string_view type) const;
  void Delete(std::u16string_view name) const;
  // The named string values of a key ("HKCU\Environment"), none when it is missing.
  [[nodiscard]] std::vector<std::pair<std::u16string, std::u16string>> TextValues(std::u16string_view keyName) const;
  // The file behind a writable root ("HKEY_CURRENT_USER" or "HKEY_LOCAL_MACHINE", HKLM seeded
  // as for RegRead), for the other ways scripts reach the same registry; null for any other root.
  [[nodiscard]] platform::CScriptHive* WritableHive(std::u16string_view rootName) const;

 private:
  std::string m_folder;
};

}  // namespace quillet::engine::wsh

#pragma once
// Writes a key tree as a file that regedit imports: "Windows Registry Editor Version 5.00",
// UTF-16LE with its byte-order mark and CR LF line ends.

#include <string>

#include "platform/RegKey.h"

namespace quillet::platform {

class CRegFileWriter {
 public:
  // root is unnamed; each subkey path is written in full ("[HKEY_CURRENT_USER\...]").
  [[nodiscard]] static std::string Write(const CRegKey& root);
};

}  // namespace quillet::platform

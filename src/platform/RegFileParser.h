#pragma once
// Reads registry files: what regedit exports ("Windows Registry Editor Version 5.00" in UTF-16LE
// or UTF-8, and "REGEDIT4" in the ANSI code page) and Wine's hive files ("WINE REGISTRY
// Version 2", with relative key paths, escapes, time stamps and str(n): values).

#include <memory>
#include <string>
#include <string_view>

#include "platform/RegKey.h"

namespace quillet::platform {

enum class ERegFileFlavour { Regedit5, Regedit4, Wine };

struct CRegFileParseResult {
  bool ok = false;
  ERegFileFlavour flavour = ERegFileFlavour::Regedit5;
  std::unique_ptr<CRegKey> root;  // unnamed; its subkeys are the paths' first components
  int errorLine = 0;              // 1-based logical line of the first error
  std::string error;
};

class CRegFileParser {
 public:
  // Keys deeper than this are refused: the registry's own limit, and a guard for the stack.
  static constexpr size_t kMaxKeyDepth = 512;

  [[nodiscard]] static CRegFileParseResult Parse(std::string_view bytes);
};

}  // namespace quillet::platform

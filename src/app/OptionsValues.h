#pragma once
// What the Options dialog edits, read from and written to the settings together.

#include <array>
#include <cstdint>
#include <string>

namespace quillet::app {

class CSettings;

struct SOptionsValues {
  // In the order of the Colors page.
  enum EColor { Comments, Keywords, Strings, Numbers, LineNumbers, Fields, kColorCount };

  std::u16string helpFile;
  std::u16string helpWeb;
  std::array<int32_t, kColorCount> colors{};
  bool insertSpaces = false;
  int32_t tabSize = 4;
  bool automaticallySave = true;
  bool displayLogo = true;
  bool firstStep = false;
  bool printLineNumbers = true;

  [[nodiscard]] static SOptionsValues Read(const CSettings& settings);
  void Write(CSettings& settings) const;
  // The colours the Defaults button restores; line numbers take the system's grey text.
  [[nodiscard]] static std::array<int32_t, kColorCount> DefaultColors(int32_t grayText);

  friend bool operator==(const SOptionsValues&, const SOptionsValues&) = default;
};

}  // namespace quillet::app

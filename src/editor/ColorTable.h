#pragma once
// The view's colours by index, as 0x00BBGGRR values. The syntax colours come from the settings;
// the rest follow the desktop's palette, which the window passes in.

#include <array>
#include <cstdint>

namespace quillet::app {
class CSettings;
}

namespace quillet::editor {

struct SSystemColors {
  uint32_t window = 0xFFFFFF;
  uint32_t windowText = 0x000000;
  uint32_t buttonFace = 0xF0F0F0;
  uint32_t highlight = 0xD77800;
  uint32_t highlightText = 0xFFFFFF;
  uint32_t grayText = 0x808080;
};

class CColorTable {
 public:
  CColorTable();

  void SetSystemColors(const SSystemColors& colors);
  // Reads the "Colors" settings; without settings the defaults apply.
  void Load(const app::CSettings* settings);

  [[nodiscard]] uint32_t GetColor(int32_t index) const;
  [[nodiscard]] uint32_t LineNumberColor() const { return m_lineNumbers; }
  [[nodiscard]] const SSystemColors& System() const { return m_system; }

 private:
  SSystemColors m_system;
  uint32_t m_keywords, m_comments, m_numbers, m_fields, m_strings, m_lineNumbers;
};

}  // namespace quillet::editor

#pragma once
// The settings a print job reads, the page-setup margins, and the header and footer codes.

#include <cstdint>
#include <string>
#include <string_view>

namespace quillet::app {
class CSettings;
}

namespace quillet::editor {

struct SPrintSettings {
  bool lineNumbers = true;
  bool wordBreak = true;
  bool colors = true;
  int32_t tabSize = 4;
  // Millimetres.
  int32_t marginLeft = 10;
  int32_t marginRight = 10;
  int32_t marginTop = 10;
  int32_t marginBottom = 10;
  std::u16string header = u"&f";
  std::u16string footer = u"Page &p/&n";
};

// Without settings the defaults apply.
[[nodiscard]] SPrintSettings ReadPrintSettings(const app::CSettings* settings);

// Page Setup's margins in hundredths of a millimetre: left, top, right, bottom.
struct SPageMargins {
  int32_t left = 1000;
  int32_t top = 1000;
  int32_t right = 1000;
  int32_t bottom = 1000;
};

// What Page Setup shows: the margins it stored last, else the ones printing uses.
[[nodiscard]] SPageMargins ReadPageSetupMargins(const app::CSettings& settings);
// Stores Page Setup's choice, and the same margins in whole millimetres for printing.
void WritePageSetupMargins(app::CSettings& settings, const SPageMargins& margins);

// Replaces the codes "&d", "&t", "&f", "&p" and "&n"; the rest stays as written.
[[nodiscard]] std::u16string FormatPageTemplate(std::u16string_view pattern, std::u16string_view date,
                                                std::u16string_view time, std::u16string_view title,
                                                int32_t page, int32_t pageCount);

}  // namespace quillet::editor

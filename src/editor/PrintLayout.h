#pragma once
// Where a print job puts things: the number column, the text rectangle inside the margins and
// the header and footer bands, the rows a long line wraps into, and the page table. Lines are
// measured one at a time through the printer font's widths, so a long script never needs more
// than the page table in memory.

#include <cstdint>
#include <vector>

#include "editor/PrintSettings.h"

namespace quillet::document {
class CQuilletDoc;
}

namespace quillet::editor {

class IPrinterMetrics;

struct SPrintRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  [[nodiscard]] int32_t Width() const { return right - left; }
};

// Lines first..last (0-based, inclusive) of one page.
struct SPageLines {
  int32_t first = 0;
  int32_t last = 0;
};

class CPrintLayout {
 public:
  CPrintLayout(const document::CQuilletDoc& document, const IPrinterMetrics& metrics,
               const SPrintSettings& settings);

  // paper: the page in device units; dots per millimetre turn the margins into device units.
  // hasHeader and hasFooter reserve 1.5 rows each. Lines first..last are laid out onto pages.
  void Layout(const SPrintRect& paper, double dotsPerMmX, double dotsPerMmY, bool hasHeader,
              bool hasFooter, int32_t firstLine, int32_t lastLine);

  [[nodiscard]] int32_t Digits() const { return m_digits; }
  [[nodiscard]] int32_t CharWidth() const { return m_charWidth; }
  [[nodiscard]] int32_t LineHeight() const { return m_lineHeight; }
  [[nodiscard]] int32_t NumberColumnWidth() const { return m_numberColumn; }
  // From the text rectangle's left edge to where a line's text starts.
  [[nodiscard]] int32_t TextOffset() const { return m_settings.lineNumbers ? m_textOffset : 0; }
  [[nodiscard]] const SPrintRect& TextRect() const { return m_rect; }
  [[nodiscard]] SPrintRect HeaderBand() const;
  [[nodiscard]] SPrintRect FooterBand() const;
  [[nodiscard]] const std::vector<SPageLines>& Pages() const { return m_pages; }
  [[nodiscard]] const SPrintSettings& Settings() const { return m_settings; }

  [[nodiscard]] int32_t PrintedLineHeight(int32_t line) const;
  // The index of the first character of every row of the line; the first is always 0.
  [[nodiscard]] std::vector<int32_t> RowStarts(int32_t line) const;
  // How far the character moves x, the distance from its row's start; tabs go to the next stop.
  [[nodiscard]] int32_t Advance(char16_t c, int32_t x) const;

 private:
  [[nodiscard]] int32_t Width(char16_t c) const;
  void FillPages(int32_t firstLine, int32_t lastLine);

  const document::CQuilletDoc& m_document;
  const IPrinterMetrics& m_metrics;
  SPrintSettings m_settings;
  int32_t m_digits = 1;
  int32_t m_charWidth = 1;
  int32_t m_lineHeight = 1;
  int32_t m_numberColumn = 0;
  int32_t m_textOffset = 0;
  int32_t m_bandHeight = 0;
  bool m_hasHeader = false;
  bool m_hasFooter = false;
  SPrintRect m_rect;
  std::vector<SPageLines> m_pages;
  // One entry per 16-bit code, measured on first use (0: not yet).
  mutable std::vector<int32_t> m_widths;
};

}  // namespace quillet::editor

#include "editor/PrintLayout.h"

#include <algorithm>
#include <cmath>

#include "document/QuilletDoc.h"
#include "editor/PrinterMetrics.h"

namespace quillet::editor {

CPrintLayout::CPrintLayout(const document::CQuilletDoc& document, const IPrinterMetrics& metrics,
                           const SPrintSettings& settings)
    : m_document(document), m_metrics(metrics), m_settings(settings), m_widths(0x10000, 0) {
  m_settings.tabSize = std::max(1, m_settings.tabSize);
  m_lineHeight = std::max(1, metrics.LineHeight());
  m_charWidth = std::max(1, metrics.CharWidth(u'X'));
  for (int32_t count = m_document.GetLineCount() + 1; count >= 10; count /= 10) ++m_digits;
  m_numberColumn = m_digits * m_charWidth;
  m_textOffset = m_numberColumn + 2 * m_charWidth;
}

void CPrintLayout::Layout(const SPrintRect& paper, double dotsPerMmX, double dotsPerMmY,
                          bool hasHeader, bool hasFooter, int32_t firstLine, int32_t lastLine) {
  const auto dots = [](int32_t millimetres, double perMm) {
    return static_cast<int32_t>(std::lround(millimetres * perMm));
  };
  m_rect = paper;
  m_rect.left += dots(m_settings.marginLeft, dotsPerMmX);
  m_rect.right -= dots(m_settings.marginRight, dotsPerMmX);
  m_rect.top += dots(m_settings.marginTop, dotsPerMmY);
  m_rect.bottom -= dots(m_settings.marginBottom, dotsPerMmY);
  m_hasHeader = hasHeader;
  m_hasFooter = hasFooter;
  m_bandHeight = m_lineHeight + m_lineHeight / 2;
  if (hasHeader) m_rect.top += m_bandHeight;
  if (hasFooter) m_rect.bottom -= m_bandHeight;
  // Margins larger than the paper still leave one row and one character, so that every line
  // lands on some page instead of the job looping or printing nothing.
  m_rect.right = std::max(m_rect.right, m_rect.left + TextOffset() + 2 * m_charWidth);
  m_rect.bottom = std::max(m_rect.bottom, m_rect.top + m_lineHeight);
  FillPages(std::max(0, firstLine), std::min(lastLine, m_document.GetLineCount() - 1));
}

SPrintRect CPrintLayout::HeaderBand() const {
  return {m_rect.left, m_rect.top - m_bandHeight, m_rect.right, m_rect.top};
}

SPrintRect CPrintLayout::FooterBand() const {
  return {m_rect.left, m_rect.bottom, m_rect.right, m_rect.bottom + m_bandHeight};
}

void CPrintLayout::FillPages(int32_t firstLine, int32_t lastLine) {
  m_pages.clear();
  if (firstLine > lastLine) return;
  m_pages.reserve(32);
  SPageLines page{firstLine, firstLine};
  int32_t y = m_rect.top;
  for (int32_t line = firstLine; line <= lastLine; ++line) {
    const int32_t height = PrintedLineHeight(line);
    if (line > page.first && y + height > m_rect.bottom) {
      page.last = line - 1;
      m_pages.push_back(page);
      page.first = line;
      y = m_rect.top;
    }
    y += height;
  }
  page.last = lastLine;
  m_pages.push_back(page);
}

int32_t CPrintLayout::Width(char16_t c) const {
  int32_t& width = m_widths[c];
  if (width == 0) width = std::max(1, m_metrics.CharWidth(c));
  return width;
}

int32_t CPrintLayout::Advance(char16_t c, int32_t x) const {
  if (c != u'\t') return Width(c);
  const int32_t stop = m_settings.tabSize * m_charWidth;
  return stop - x % stop;
}

std::vector<int32_t> CPrintLayout::RowStarts(int32_t line) const {
  std::vector<int32_t> starts{0};
  if (!m_settings.wordBreak) return starts;
  const std::u16string_view text = m_document.GetLine(line);
  const int32_t available = m_rect.Width() - 1 - TextOffset();
  int32_t x = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    int32_t advance = Advance(text[i], x);
    // A character that would reach the edge starts the next row; a row holds at least one.
    if (x > 0 && x + advance >= available) {
      starts.push_back(static_cast<int32_t>(i));
      x = 0;
      advance = Advance(text[i], 0);
    }
    x += advance;
  }
  return starts;
}

int32_t CPrintLayout::PrintedLineHeight(int32_t line) const {
  if (!m_settings.wordBreak || m_document.GetLineLength(line) == 0) return m_lineHeight;
  return static_cast<int32_t>(RowStarts(line).size()) * m_lineHeight;
}

}  // namespace quillet::editor

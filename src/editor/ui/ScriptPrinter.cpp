#include "editor/ui/ScriptPrinter.h"

#include <QDate>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLocale>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <QTime>

#include <algorithm>
#include <vector>

#include "document/QuilletDoc.h"
#include "editor/EditorCore.h"
#include "editor/PrinterMetrics.h"

namespace quillet::editor {
namespace {

QString ToQ(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::u16string FromQ(const QString& text) {
  return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size())};
}

constexpr QRgb kLineNumberColor = 0x404040;

}  // namespace

class CScriptPrinter::CMetrics final : public IPrinterMetrics {
 public:
  CMetrics(const QFont& font, QPaintDevice* device) : m_metrics(font, device) {}
  [[nodiscard]] int32_t LineHeight() const override { return m_metrics.height(); }
  [[nodiscard]] int32_t CharWidth(char16_t c) const override {
    return m_metrics.horizontalAdvance(QChar(c));
  }
  [[nodiscard]] int Ascent() const { return m_metrics.ascent(); }

 private:
  QFontMetrics m_metrics;
};

CScriptPrinter::CScriptPrinter(CEditorCore& core, const QFont& editorFont,
                               const app::CSettings* settings)
    : m_core(core), m_editorFont(editorFont), m_settings(ReadPrintSettings(settings)) {
  m_settings.tabSize = core.Settings().tabSize;
}

CScriptPrinter::~CScriptPrinter() = default;

QFont CScriptPrinter::PrinterFont(const QPrinter& printer) const {
  QFont font = m_editorFont;
  // The editor's font is sized in screen pixels; the printer's pixels are far smaller.
  const QScreen* screen = QGuiApplication::primaryScreen();
  const double screenDpi = screen != nullptr ? screen->logicalDotsPerInchY() : 96.0;
  if (font.pixelSize() > 0) {
    font.setPixelSize(std::max(1, static_cast<int>(font.pixelSize() * printer.logicalDpiY() / screenDpi + 0.5)));
  }
  return font;
}

QString CScriptPrinter::PageText(const std::u16string& pattern, int page, int pageCount) const {
  const std::u16string title = FromQ(QString::fromStdString(m_core.Document().GetTitle()));
  return ToQ(FormatPageTemplate(pattern, FromQ(m_date), FromQ(m_time), title, page, pageCount));
}

bool CScriptPrinter::Print(QPrinter& printer, bool selectionOnly) {
  printer.setFullPage(true);  // our own margins, measured from the paper's edge
  const QLocale locale;
  m_date = locale.toString(QDate::currentDate(), QLocale::ShortFormat);
  m_time = locale.toString(QTime::currentTime(), QLocale::ShortFormat);
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const QFont font = PrinterFont(printer);
  painter.setFont(font);
  const CMetrics metrics(font, &printer);
  m_ascent = metrics.Ascent();
  CPrintLayout layout(m_core.Document(), metrics, m_settings);
  const QRect paper = printer.paperRect(QPrinter::DevicePixel).toRect();
  int first = 0;
  int last = m_core.Document().GetLineCount() - 1;
  if (selectionOnly && m_core.HasSelection()) {
    first = m_core.SelectionStart().y;
    last = m_core.SelectionEnd().y;
  }
  layout.Layout({0, 0, paper.width(), paper.height()}, printer.logicalDpiX() / 25.4,
                printer.logicalDpiY() / 25.4, !PageText(m_settings.header, 0, 0).isEmpty(),
                !PageText(m_settings.footer, 0, 0).isEmpty(), first, last);
  m_pageCount = static_cast<int>(layout.Pages().size());
  for (int page = 0; page < m_pageCount; ++page) {
    if (page > 0 && !printer.newPage()) return false;
    PaintPage(painter, layout, page);
  }
  return painter.end();
}

void CScriptPrinter::PaintPage(QPainter& painter, const CPrintLayout& layout, int pageIndex) {
  painter.setClipping(false);
  painter.setPen(Qt::black);
  const auto band = [](const SPrintRect& r) { return QRect(r.left, r.top, r.Width(), r.bottom - r.top); };
  const QString header = PageText(m_settings.header, pageIndex + 1, m_pageCount);
  if (!header.isEmpty()) {
    painter.drawText(band(layout.HeaderBand()), Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, header);
  }
  const QString footer = PageText(m_settings.footer, pageIndex + 1, m_pageCount);
  if (!footer.isEmpty()) {
    painter.drawText(band(layout.FooterBand()), Qt::AlignHCenter | Qt::AlignBottom | Qt::TextSingleLine, footer);
  }
  const SPrintRect& rect = layout.TextRect();
  painter.setClipRect(band(rect));
  const SPageLines lines = layout.Pages()[static_cast<size_t>(pageIndex)];
  int top = rect.top;
  for (int line = lines.first; line <= lines.last; ++line) {
    PaintLine(painter, layout, line, top);
    top += layout.PrintedLineHeight(line);
  }
}

QColor CScriptPrinter::ColorOf(int index) const {
  if (!m_settings.colors) return Qt::black;
  const uint32_t bgr = m_core.Colors().GetColor(index);
  return {static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF), static_cast<int>((bgr >> 16) & 0xFF)};
}

void CScriptPrinter::PaintLine(QPainter& painter, const CPrintLayout& layout, int line, int top) {
  const SPrintRect& rect = layout.TextRect();
  if (m_settings.lineNumbers) {
    const QString number = QString::number(line + 1);
    painter.setPen(QColor(kLineNumberColor));
    const int x = rect.left + layout.NumberColumnWidth() - static_cast<int>(number.size()) * layout.CharWidth();
    painter.drawText(x, top + m_ascent, number);
  }
  std::vector<SColorBlock> blocks;
  CSyntaxColorizer& colorizer = m_core.Colorizer();
  colorizer.ParseLine(colorizer.GetParseCookie(line - 1), line, &blocks);
  const std::u16string_view text = m_core.Document().GetLine(line);
  const std::vector<int32_t> rows = layout.RowStarts(line);
  const int left = rect.left + layout.TextOffset();
  size_t block = 0;
  int color = ColorNormalText;
  for (size_t row = 0; row < rows.size(); ++row) {
    const size_t end = row + 1 < rows.size() ? static_cast<size_t>(rows[row + 1]) : text.size();
    const int baseline = top + static_cast<int>(row) * layout.LineHeight() + m_ascent;
    int x = 0;
    size_t runStart = static_cast<size_t>(rows[row]);
    int runX = 0;
    const auto flush = [&](size_t upTo) {
      if (upTo > runStart) {
        painter.setPen(ColorOf(color));
        painter.drawText(left + runX, baseline, ToQ(text.substr(runStart, upTo - runStart)));
      }
    };
    for (size_t i = runStart; i < end; ++i) {
      const bool newColor = block < blocks.size() && static_cast<size_t>(blocks[block].start) <= i;
      if (newColor || text[i] == u'\t') {
        flush(i);
        while (block < blocks.size() && static_cast<size_t>(blocks[block].start) <= i) color = blocks[block++].color;
        runStart = text[i] == u'\t' ? i + 1 : i;
        runX = x + (text[i] == u'\t' ? layout.Advance(u'\t', x) : 0);
      }
      x += layout.Advance(text[i], x);
    }
    flush(end);
  }
}

}  // namespace quillet::editor

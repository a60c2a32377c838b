#pragma once
// Prints the view's script on a QPrinter (a printer, a PDF file or the preview): header and
// footer, line numbers, syntax colours and wrapped rows. Pages are laid out first as a table of
// line ranges, then painted one at a time, so memory does not grow with the script's length.

#include <QFont>
#include <QString>

#include <memory>

#include "editor/PrintLayout.h"
#include "editor/PrintSettings.h"

class QPainter;
class QPrinter;

namespace quillet::app {
class CSettings;
}

namespace quillet::editor {

class CEditorCore;

class CScriptPrinter {
 public:
  // editorFont: the view's font in screen pixels; settings may be null (defaults apply).
  CScriptPrinter(CEditorCore& core, const QFont& editorFont, const app::CSettings* settings);
  ~CScriptPrinter();
  CScriptPrinter(const CScriptPrinter&) = delete;
  CScriptPrinter& operator=(const CScriptPrinter&) = delete;

  // selectionOnly prints the lines from the selection's first to its last. False when the
  // printer could not start.
  bool Print(QPrinter& printer, bool selectionOnly);
  [[nodiscard]] int PageCount() const { return m_pageCount; }

 private:
  class CMetrics;

  [[nodiscard]] QFont PrinterFont(const QPrinter& printer) const;
  [[nodiscard]] QString PageText(const std::u16string& pattern, int page, int pageCount) const;
  void PaintPage(QPainter& painter, const CPrintLayout& layout, int pageIndex);
  void PaintLine(QPainter& painter, const CPrintLayout& layout, int line, int top);
  [[nodiscard]] QColor ColorOf(int index) const;

  CEditorCore& m_core;
  QFont m_editorFont;
  SPrintSettings m_settings;
  QString m_date;
  QString m_time;
  int m_ascent = 0;
  int m_pageCount = 0;
};

}  // namespace quillet::editor

#include "editor/ui/QuilletView.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

#include "document/QuilletDoc.h"
#include "document/UpdateContext.h"

namespace quillet::editor {
namespace {

constexpr int kLeftMargin = 4;

}  // namespace

using document::CQuilletDoc;
using document::CTextPosition;

CQuilletView::CQuilletView(CQuilletDoc& document, QWidget* parent)
    : QAbstractScrollArea(parent), m_document(document) {
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::Monospace);
  font.setFixedPitch(true);
  font.setPointSize(10);
  setFont(font);
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setCursor(Qt::IBeamCursor);
  setAttribute(Qt::WA_InputMethodEnabled, true);
  m_document.AddView(this);
  UpdateScrollBars();
}

CQuilletView::~CQuilletView() { m_document.RemoveView(this); }

int CQuilletView::LineHeight() const { return fontMetrics().height(); }

int CQuilletView::CharWidth() const { return std::max(1, fontMetrics().horizontalAdvance(QLatin1Char('x'))); }

void CQuilletView::SetTabSize(int columns) {
  m_tabSize = std::clamp(columns, 1, 20);
  viewport()->update();
}

int CQuilletView::ColumnOf(int32_t line, int32_t ch) const {
  const std::u16string_view text = m_document.GetLine(line);
  int column = 0;
  for (int32_t i = 0; i < ch && i < static_cast<int32_t>(text.size()); ++i) {
    column = text[i] == u'\t' ? (column / m_tabSize + 1) * m_tabSize : column + 1;
  }
  return column;
}

int32_t CQuilletView::CharAtColumn(int32_t line, int column) const {
  const std::u16string_view text = m_document.GetLine(line);
  int current = 0;
  for (int32_t i = 0; i < static_cast<int32_t>(text.size()); ++i) {
    const int next = text[i] == u'\t' ? (current / m_tabSize + 1) * m_tabSize : current + 1;
    if (column < (current + next + 1) / 2) return i;
    current = next;
  }
  return static_cast<int32_t>(text.size());
}

void CQuilletView::SetCaretPosition(CTextPosition position) {
  position.y = std::clamp(position.y, 0, m_document.GetLineCount() - 1);
  position.x = std::clamp(position.x, 0, m_document.GetLineLength(position.y));
  m_caret = position;
  EnsureCaretVisible();
  viewport()->update();
  emit CaretMoved(m_caret.y + 1, ColumnOf(m_caret.y, m_caret.x) + 1);
}

void CQuilletView::OnDocumentUpdate(document::IDocumentView*, const document::CUpdateContext* context,
                                    uint32_t flags, int32_t) {
  if (flags & document::UpdateAll) {
    m_caret = {};
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
  } else if (context != nullptr) {
    m_caret = context->RecalcPoint(m_caret);
  }
  UpdateScrollBars();
  viewport()->update();
}

void CQuilletView::UpdateScrollBars() {
  const int visibleLines = std::max(1, viewport()->height() / LineHeight());
  verticalScrollBar()->setPageStep(visibleLines);
  verticalScrollBar()->setRange(0, std::max(0, m_document.GetLineCount() - visibleLines));
  const int visibleColumns = std::max(1, (viewport()->width() - kLeftMargin) / CharWidth());
  horizontalScrollBar()->setPageStep(visibleColumns);
  // The widest line is not tracked yet; leave room for long lines without scanning the file.
  horizontalScrollBar()->setRange(0, 1024);
}

void CQuilletView::EnsureCaretVisible() {
  const int visibleLines = std::max(1, viewport()->height() / LineHeight());
  QScrollBar* vertical = verticalScrollBar();
  if (m_caret.y < vertical->value()) vertical->setValue(m_caret.y);
  if (m_caret.y >= vertical->value() + visibleLines) vertical->setValue(m_caret.y - visibleLines + 1);
  const int column = ColumnOf(m_caret.y, m_caret.x);
  const int visibleColumns = std::max(1, (viewport()->width() - kLeftMargin) / CharWidth());
  QScrollBar* horizontal = horizontalScrollBar();
  if (column < horizontal->value()) horizontal->setValue(column);
  if (column >= horizontal->value() + visibleColumns) horizontal->setValue(column - visibleColumns + 1);
}

void CQuilletView::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  painter.fillRect(viewport()->rect(), palette().base());
  painter.setPen(palette().text().color());
  const int lineHeight = LineHeight();
  const int charWidth = CharWidth();
  const int first = verticalScrollBar()->value();
  const int firstColumn = horizontalScrollBar()->value();
  const int last = std::min(m_document.GetLineCount(), first + viewport()->height() / lineHeight + 2);
  for (int line = first; line < last; ++line) {
    // Tabs become spaces up to the next tab stop.
    QString shown;
    const std::u16string_view text = m_document.GetLine(line);
    for (const char16_t unit : text) {
      if (unit == u'\t') {
        shown.append(QString(m_tabSize - shown.size() % m_tabSize, QLatin1Char(' ')));
      } else {
        shown.append(QChar(unit));
      }
    }
    const int y = (line - first) * lineHeight;
    painter.drawText(kLeftMargin - firstColumn * charWidth, y + fontMetrics().ascent(), shown);
  }
  if (m_focused && m_caret.y >= first && m_caret.y < last) {
    const int x = kLeftMargin + (ColumnOf(m_caret.y, m_caret.x) - firstColumn) * charWidth;
    painter.fillRect(x, (m_caret.y - first) * lineHeight, 2, lineHeight, palette().text());
  }
}

void CQuilletView::TypeText(const QString& text) {
  int32_t endLine = 0;
  int32_t endChar = 0;
  const std::u16string_view units(reinterpret_cast<const char16_t*>(text.utf16()),
                                  static_cast<size_t>(text.size()));
  if (m_document.InsertText(this, m_caret.y, m_caret.x, units, endLine, endChar,
                            document::ActionTyping)) {
    SetCaretPosition({endChar, endLine});
  }
}

void CQuilletView::DeleteBackward() {
  if (m_caret.x > 0) {
    m_document.DeleteText(this, m_caret.y, m_caret.x - 1, m_caret.y, m_caret.x,
                          document::ActionBackspace);
  } else if (m_caret.y > 0) {
    const int32_t previousLength = m_document.GetLineLength(m_caret.y - 1);
    m_document.DeleteText(this, m_caret.y - 1, previousLength, m_caret.y, 0,
                          document::ActionBackspace);
  }
  // The caret has already followed the deletion through OnDocumentUpdate.
  SetCaretPosition(m_caret);
}

void CQuilletView::DeleteForward() {
  if (m_caret.x < m_document.GetLineLength(m_caret.y)) {
    m_document.DeleteText(this, m_caret.y, m_caret.x, m_caret.y, m_caret.x + 1,
                          document::ActionDelete);
  } else if (m_caret.y + 1 < m_document.GetLineCount()) {
    m_document.DeleteText(this, m_caret.y, m_caret.x, m_caret.y + 1, 0, document::ActionDelete);
  }
  SetCaretPosition(m_caret);
}

void CQuilletView::Undo() {
  CTextPosition caret;
  if (m_document.Undo(caret)) SetCaretPosition(caret);
}

void CQuilletView::Redo() {
  CTextPosition caret;
  if (m_document.Redo(caret)) SetCaretPosition(caret);
}

bool CQuilletView::MoveCaret(QKeyEvent* event) {
  const bool control = event->modifiers() & Qt::ControlModifier;
  const int page = std::max(1, viewport()->height() / LineHeight());
  CTextPosition target = m_caret;
  bool vertical = false;
  switch (event->key()) {
    case Qt::Key_Left:
      if (target.x > 0) --target.x;
      else if (target.y > 0) target = {m_document.GetLineLength(target.y - 1), target.y - 1};
      break;
    case Qt::Key_Right:
      if (target.x < m_document.GetLineLength(target.y)) ++target.x;
      else if (target.y + 1 < m_document.GetLineCount()) target = {0, target.y + 1};
      break;
    case Qt::Key_Up: target.y -= 1; vertical = true; break;
    case Qt::Key_Down: target.y += 1; vertical = true; break;
    case Qt::Key_PageUp: target.y -= page; vertical = true; break;
    case Qt::Key_PageDown: target.y += page; vertical = true; break;
    case Qt::Key_Home: target = control ? CTextPosition{} : CTextPosition{0, target.y}; break;
    case Qt::Key_End:
      target.y = control ? m_document.GetLineCount() - 1 : target.y;
      target.x = m_document.GetLineLength(target.y);
      break;
    default: return false;
  }
  if (vertical) {
    if (m_preferredColumn < 0) m_preferredColumn = ColumnOf(m_caret.y, m_caret.x);
    target.y = std::clamp(target.y, 0, m_document.GetLineCount() - 1);
    target.x = CharAtColumn(target.y, m_preferredColumn);
  } else {
    m_preferredColumn = -1;
  }
  SetCaretPosition(target);
  return true;
}

void CQuilletView::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Undo)) return Undo();
  if (event->matches(QKeySequence::Redo)) return Redo();
  if (MoveCaret(event)) return;
  m_preferredColumn = -1;
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return TypeText(QStringLiteral("\r\n"));
    case Qt::Key_Backspace: return DeleteBackward();
    case Qt::Key_Delete: return DeleteForward();
    case Qt::Key_Tab: return TypeText(QStringLiteral("\t"));
    default: break;
  }
  const QString text = event->text();
  if (!text.isEmpty() && !(event->modifiers() & Qt::ControlModifier) && text.at(0).isPrint()) {
    return TypeText(text);
  }
  QAbstractScrollArea::keyPressEvent(event);
}

void CQuilletView::mousePressEvent(QMouseEvent* event) {
  const int line = verticalScrollBar()->value() + static_cast<int>(event->position().y()) / LineHeight();
  const int clampedLine = std::clamp(line, 0, m_document.GetLineCount() - 1);
  const int column = horizontalScrollBar()->value() +
                     (static_cast<int>(event->position().x()) - kLeftMargin + CharWidth() / 2) /
                         CharWidth();
  m_preferredColumn = -1;
  SetCaretPosition({CharAtColumn(clampedLine, std::max(0, column)), clampedLine});
}

void CQuilletView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
}

void CQuilletView::focusInEvent(QFocusEvent* event) {
  m_focused = true;
  viewport()->update();
  QAbstractScrollArea::focusInEvent(event);
}

void CQuilletView::focusOutEvent(QFocusEvent* event) {
  m_focused = false;
  viewport()->update();
  QAbstractScrollArea::focusOutEvent(event);
}

// Tab is text in a script, not a way to leave the editor.
bool CQuilletView::focusNextPrevChild(bool) { return false; }

}  // namespace quillet::editor

#include "debug/ui/ShellEditCtrl.h"

#include <QKeyEvent>
#include <QTextBlock>
#include <QTextCursor>

#include "debug/ErrorLocation.h"
#include "debug/OutputLimit.h"

namespace quillet::debug {
namespace {

// The text document keeps one paragraph per line. A CR LF, a lone CR and a lone LF each end
// a line, spelled here as one LF so that the document never pairs what is left by itself.
QString WithLineFeedBreaks(std::u16string_view text) {
  QString result(static_cast<qsizetype>(text.size()), Qt::Uninitialized);
  char16_t* out = reinterpret_cast<char16_t*>(result.data());
  size_t length = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'\r') {
      out[length++] = text[i];
    } else if (i + 1 == text.size() || text[i + 1] != u'\n') {
      out[length++] = u'\n';
    }
  }
  result.truncate(static_cast<qsizetype>(length));
  return result;
}

}  // namespace

CShellEditCtrl::CShellEditCtrl(QWidget* parent) : QPlainTextEdit(parent) {
  setObjectName(QStringLiteral("shellEdit"));
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setUndoRedoEnabled(false);
  setFrameShadow(QFrame::Sunken);
}

std::u16string CShellEditCtrl::Text() const {
  std::u16string text;
  for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
    if (block != document()->begin()) text += u"\r\n";
    text += block.text().toStdU16String();
  }
  return text;
}

size_t CShellEditCtrl::TextLength() const {
  return static_cast<size_t>(document()->characterCount() - 1 + document()->blockCount() - 1);
}

size_t CShellEditCtrl::InputStart() const { return FromDocumentPosition(m_inputStart); }

int CShellEditCtrl::ToDocumentPosition(size_t position) const {
  const QTextBlock block = document()->begin();
  size_t crlfStart = 0;
  for (QTextBlock b = block; b.isValid(); b = b.next()) {
    const size_t length = static_cast<size_t>(b.length() - 1);
    if (position <= crlfStart + length || !b.next().isValid()) {
      return b.position() + static_cast<int>(std::min(position - crlfStart, length));
    }
    crlfStart += length + 2;
  }
  return 0;
}

size_t CShellEditCtrl::FromDocumentPosition(int position) const {
  const QTextBlock block = document()->findBlock(position);
  return static_cast<size_t>(position) + static_cast<size_t>(block.blockNumber());
}

void CShellEditCtrl::RemoveLeadingCharacters(size_t count) {
  QTextCursor cursor(document());
  cursor.setPosition(0);
  cursor.setPosition(std::min(ToDocumentPosition(count), document()->characterCount() - 1),
                     QTextCursor::KeepAnchor);
  cursor.removeSelectedText();
}

void CShellEditCtrl::AppendOutput(std::u16string_view text) {
  // Output comes in pieces cut anywhere, also inside a CR LF: the CR that ended the last piece
  // has already ended its line, so this LF only completes that break, unless something was
  // typed after it.
  if (!text.empty()) {
    const bool completesBreak = m_endsWithCr && text.front() == u'\n' &&
                                m_inputStart == document()->characterCount() - 1;
    m_endsWithCr = text.back() == u'\r';
    if (completesBreak) text.remove_prefix(1);
  }
  // The whole text is only put together when the limit is near.
  QTextBlock line = document()->begin();
  const size_t cut = OutputTrimLengthByLines(TextLength(), text.size(), [&]() -> std::optional<size_t> {
    if (!line.isValid() || !line.next().isValid()) return std::nullopt;
    const auto length = static_cast<size_t>(line.length() - 1) + 2;  // shown with CR LF
    line = line.next();
    return length;
  });
  if (cut > 0) RemoveLeadingCharacters(cut);
  QTextCursor cursor(document());
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(WithLineFeedBreaks(text));
  setTextCursor(cursor);
  m_inputStart = cursor.position();
}

void CShellEditCtrl::ClearOutput() {
  clear();
  m_inputStart = 0;
  m_endsWithCr = false;
}

void CShellEditCtrl::SelectRange(size_t start, size_t end) {
  QTextCursor cursor(document());
  cursor.setPosition(ToDocumentPosition(start));
  cursor.setPosition(ToDocumentPosition(end), QTextCursor::KeepAnchor);
  setTextCursor(cursor);
}

// The typed line, without the break Enter just made; the next line starts after it, so a line
// is never sent twice.
void CShellEditCtrl::SendTypedLine() {
  const int caret = textCursor().position();
  const QTextBlock typedEnd = document()->findBlock(caret).previous();
  const int end = typedEnd.isValid() ? typedEnd.position() + typedEnd.length() - 1 : caret;
  QTextCursor range(document());
  range.setPosition(std::min(m_inputStart, end));
  range.setPosition(end, QTextCursor::KeepAnchor);
  QString line = range.selectedText();
  line.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
  m_inputStart = caret;
  emit InputEntered(line + QStringLiteral("\r\n"));
}

void CShellEditCtrl::keyPressEvent(QKeyEvent* event) {
  const int caret = textCursor().position();
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (event->key() == Qt::Key_Delete && caret < m_inputStart && !textCursor().hasSelection()) return;
  if (event->key() == Qt::Key_Backspace && caret <= m_inputStart) return;
  const bool typing = enter || (!event->text().isEmpty() && event->text().at(0).isPrint() &&
                                !(event->modifiers() & Qt::ControlModifier));
  if (typing && caret < m_inputStart) moveCursor(QTextCursor::End);
  QPlainTextEdit::keyPressEvent(event);
  if (enter) SendTypedLine();
}

void CShellEditCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
  QPlainTextEdit::mouseDoubleClickEvent(event);
  const QString line = cursorForPosition(event->position().toPoint()).block().text();
  if (LooksLikeLocation(line.toStdU16String())) emit LocationRequested(line);
}

}  // namespace quillet::debug

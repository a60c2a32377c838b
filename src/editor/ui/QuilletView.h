#pragma once
// The editing window over the document: draws the visible lines in a fixed-pitch font and turns
// keys into document edits. Every change, whoever made it, comes back through OnDocumentUpdate,
// which keeps the caret on its text and repaints.

#include <QAbstractScrollArea>

#include "document/DocumentView.h"
#include "document/TextPosition.h"

namespace quillet::document {
class CQuilletDoc;
}

namespace quillet::editor {

class CQuilletView : public QAbstractScrollArea, public document::IDocumentView {
  Q_OBJECT

 public:
  explicit CQuilletView(document::CQuilletDoc& document, QWidget* parent = nullptr);
  ~CQuilletView() override;

  [[nodiscard]] document::CTextPosition CaretPosition() const { return m_caret; }
  void SetCaretPosition(document::CTextPosition position);
  void SetTabSize(int columns);

  void OnDocumentUpdate(document::IDocumentView* source, const document::CUpdateContext* context,
                        uint32_t flags, int32_t line) override;

  void Undo();
  void Redo();

 signals:
  void CaretMoved(int line, int column);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  bool focusNextPrevChild(bool next) override;

 private:
  [[nodiscard]] int LineHeight() const;
  [[nodiscard]] int CharWidth() const;
  [[nodiscard]] int ColumnOf(int32_t line, int32_t ch) const;
  [[nodiscard]] int32_t CharAtColumn(int32_t line, int column) const;
  void TypeText(const QString& text);
  void DeleteBackward();
  void DeleteForward();
  bool MoveCaret(QKeyEvent* event);
  void EnsureCaretVisible();
  void UpdateScrollBars();

  document::CQuilletDoc& m_document;
  document::CTextPosition m_caret;
  int m_preferredColumn = -1;
  int m_tabSize = 4;
  bool m_focused = false;
};

}  // namespace quillet::editor

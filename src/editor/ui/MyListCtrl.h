#pragma once
// The member list's list: one column of names with their images. It keeps the word typed since
// the list opened and turns keys into the popup's actions; the popup decides what they do.

#include <QListWidget>
#include <QString>

namespace quillet::editor {

class CMyListCtrl : public QListWidget {
  Q_OBJECT

 public:
  explicit CMyListCtrl(QWidget* parent = nullptr);

  [[nodiscard]] const QString& TypedWord() const { return m_typed; }
  void SetTypedWord(const QString& word) { m_typed = word; }

 signals:
  // A letter, digit or underscore: typed into the editor and appended to the word.
  void WordCharacter(QKeyEvent* event);
  void BackspacePressed();
  // Enter, or a double click: commit the selected name.
  void CommitRequested();
  // Any other character: commit, then type it into the editor.
  void CommitAndPass(QKeyEvent* event);
  void CancelRequested();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  // Tab is typed like any other character, not a move to another control.
  bool focusNextPrevChild(bool) override { return false; }

 private:
  QString m_typed;
};

}  // namespace quillet::editor

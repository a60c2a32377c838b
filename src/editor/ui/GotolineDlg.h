#pragma once
// Ctrl+G: asks for a line number from 1 to the document's line count and refuses any other.

#include <QDialog>

#include <functional>

class QLineEdit;

namespace quillet::editor {

class CGotolineDlg : public QDialog {
  Q_OBJECT

 public:
  using MessageSink = std::function<void(const QString&)>;

  CGotolineDlg(int lineCount, MessageSink showMessage, QWidget* parent = nullptr);

  [[nodiscard]] QLineEdit* LineBox() const { return m_line; }
  // The accepted line, 1-based.
  [[nodiscard]] int Line() const;

  void accept() override;

 private:
  int m_lineCount;
  MessageSink m_showMessage;
  QLineEdit* m_line = nullptr;
};

}  // namespace quillet::editor

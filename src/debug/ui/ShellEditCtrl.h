#pragma once
// The output window's text: what the script printed, followed by what the user types for the
// script's standard input. Line breaks count as "\r\n" in every position and length this class
// gives or takes, as the host wrote them.

#include <QPlainTextEdit>

#include <string>
#include <string_view>

namespace quillet::debug {

class CShellEditCtrl : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit CShellEditCtrl(QWidget* parent = nullptr);

  // Drops the oldest whole lines when the limit would be passed, then adds text at the end.
  void AppendOutput(std::u16string_view text);
  void ClearOutput();

  [[nodiscard]] std::u16string Text() const;
  [[nodiscard]] size_t TextLength() const;
  [[nodiscard]] size_t InputStart() const;
  void SelectRange(size_t start, size_t end);

 signals:
  // One line typed after the last output, with "\r\n" after it.
  void InputEntered(const QString& line);
  // A double-clicked line that may name a location.
  void LocationRequested(const QString& line);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  [[nodiscard]] int ToDocumentPosition(size_t position) const;
  [[nodiscard]] size_t FromDocumentPosition(int position) const;
  void RemoveLeadingCharacters(size_t count);
  void SendTypedLine();

  int m_inputStart = 0;  // a position of the text document, where typing begins
  bool m_endsWithCr = false;  // the last output ended with a CR, which its LF may still follow
};

}  // namespace quillet::debug

#pragma once
// The parameter tip under the caret: the callee's syntax and, when known, what it does. It has
// the keyboard while it is up and types what it gets into the editor, and it goes away after
// five seconds, on Enter or Escape, when it loses the focus, or once the caret leaves the call
// (another line, or left of where the tip opened).

#include <QFrame>
#include <QPoint>
#include <QTimer>

#include <functional>

#include "document/TextPosition.h"
#include "intellisense/ParameterTip.h"

namespace quillet::editor {

class CParamCtrl;

class CParamDlg : public QFrame {
  Q_OBJECT

 public:
  static constexpr int kTimeoutMs = 5000;  // timer 1003

  // caret() reads the editor's live caret; the tip compares it with where it opened. editor
  // owns the tip, which goes with it.
  CParamDlg(const intellisense::SParameterTip& tip, QPoint caretTop, int lineHeight, int charWidth,
            QWidget* editor, std::function<document::CTextPosition()> caret);
  ~CParamDlg() override;

  void Open();

  [[nodiscard]] CParamCtrl* Control() const { return m_control; }
  [[nodiscard]] QTimer& Timer() { return m_timer; }

 signals:
  // Always with no name: the editor's status bar returns to its idle text.
  void Completed(const QString& name, int count);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void PassKey(QKeyEvent* event);
  // The main window's shortcuts come first, as its accelerators did; true when one ran.
  bool RunWindowShortcut(QKeyEvent* event);
  [[nodiscard]] bool CaretLeftTheCall() const;
  void Finish();

  QPoint m_caretTop;
  int m_lineHeight;
  int m_charWidth;
  QWidget* m_editor;
  std::function<document::CTextPosition()> m_caret;
  document::CTextPosition m_opened;
  CParamCtrl* m_control;
  QTimer m_timer;
  bool m_finished = false;
};

}  // namespace quillet::editor

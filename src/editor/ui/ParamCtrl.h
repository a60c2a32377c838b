#pragma once
// The parameter tip's face: its lines drawn in the desktop's tooltip colours, each as high as
// the first line's text plus two pixels, the whole as wide as the widest line plus four.

#include <QStringList>
#include <QWidget>

namespace quillet::editor {

class CParamCtrl : public QWidget {
  Q_OBJECT

 public:
  explicit CParamCtrl(QWidget* parent = nullptr);

  void SetLines(const QStringList& lines);
  [[nodiscard]] const QStringList& Lines() const { return m_lines; }
  [[nodiscard]] QSize sizeHint() const override;
  [[nodiscard]] QColor Background() const;
  [[nodiscard]] QColor Foreground() const;

 signals:
  void FocusLost();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  // Tab goes to the editor with every other key.
  bool focusNextPrevChild(bool) override { return false; }

 private:
  [[nodiscard]] int ItemHeight() const;

  QStringList m_lines;
};

}  // namespace quillet::editor

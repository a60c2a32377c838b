#include "editor/ui/ParamCtrl.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

namespace quillet::editor {

CParamCtrl::CParamCtrl(QWidget* parent) : QWidget(parent) {
  setFont(QApplication::font());
  setFocusPolicy(Qt::StrongFocus);
}

void CParamCtrl::SetLines(const QStringList& lines) {
  m_lines = lines;
  setFixedSize(sizeHint());
  update();
}

QColor CParamCtrl::Background() const { return QToolTip::palette().color(QPalette::ToolTipBase); }
QColor CParamCtrl::Foreground() const { return QToolTip::palette().color(QPalette::ToolTipText); }

int CParamCtrl::ItemHeight() const {
  const QFontMetrics metrics(font());
  return (m_lines.isEmpty() ? metrics.height() : metrics.boundingRect(m_lines.front()).height()) + 2;
}

QSize CParamCtrl::sizeHint() const {
  const QFontMetrics metrics(font());
  int widest = 0;
  for (const QString& line : m_lines) widest = std::max(widest, metrics.horizontalAdvance(line));
  return {widest + 4, ItemHeight() * static_cast<int>(m_lines.size())};
}

void CParamCtrl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const int itemHeight = ItemHeight();
  painter.setFont(font());
  for (int i = 0; i < m_lines.size(); ++i) {
    const QRect item(0, i * itemHeight, width(), itemHeight);
    painter.fillRect(item, Background());
    painter.setPen(Foreground());
    painter.drawText(item.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_lines[i]);
  }
}

void CParamCtrl::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  if (event->reason() != Qt::PopupFocusReason) emit FocusLost();
}

}  // namespace quillet::editor

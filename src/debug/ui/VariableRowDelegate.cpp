#include "debug/ui/VariableRowDelegate.h"

#include <QPainter>
#include <QStyle>
#include <QWidget>
#include <qdrawutil.h>

namespace quillet::debug {

void CVariableRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
  const QString text = index.data(Qt::DisplayRole).toString();
  if (!index.parent().isValid()) return PaintFrame(painter, option, text);
  const int clipRight = index.column() == 0 ? option.rect.right() - kNameGap : option.rect.right();
  PaintCell(painter, option, text, clipRight);
}

void CVariableRowDelegate::PaintFrame(QPainter* painter, const QStyleOptionViewItem& option, const QString& text) {
  painter->save();
  qDrawShadePanel(painter, option.rect, option.palette, false, 1, &option.palette.brush(QPalette::Button));
  painter->setPen(option.palette.color(QPalette::ButtonText));
  painter->drawText(option.rect.adjusted(kTextOffset, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                    text);
  painter->restore();
}

void CVariableRowDelegate::PaintCell(QPainter* painter, const QStyleOptionViewItem& option, const QString& text,
                                     int clipRight) {
  painter->save();
  const bool selected = (option.state & QStyle::State_Selected) != 0;
  if (selected) painter->fillRect(option.rect, option.palette.brush(QPalette::Highlight));
  painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
  QRect textRect = option.rect.adjusted(kTextOffset, 0, 0, 0);
  textRect.setRight(clipRight);
  painter->setClipRect(textRect);
  painter->drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, text);
  painter->setClipping(false);
  // The lines that make the rows a table: at the column's end and under the row.
  painter->setPen(option.palette.color(QPalette::Mid));
  painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
  painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
  if (selected && (option.state & QStyle::State_HasFocus) != 0 && option.widget != nullptr) {
    QStyleOptionFocusRect focus;
    focus.initFrom(option.widget);
    focus.rect = option.rect;
    focus.backgroundColor = option.palette.color(QPalette::Highlight);
    option.widget->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, option.widget);
  }
  painter->restore();
}

}  // namespace quillet::debug

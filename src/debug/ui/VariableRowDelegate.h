#pragma once
// How the variables window draws its rows: a frame as a raised bar across the whole row, a
// variable as name and value cells with lines between the columns and under the row, so that
// long values stay readable as a table.

#include <QStyledItemDelegate>

namespace quillet::debug {

class CVariableRowDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  // The name is cut this much before its column ends, so it never touches the line.
  static constexpr int kNameGap = 4;
  // Where a cell's text starts, from the cell's left edge.
  static constexpr int kTextOffset = 7;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  static void PaintFrame(QPainter* painter, const QStyleOptionViewItem& option, const QString& text);
  static void PaintCell(QPainter* painter, const QStyleOptionViewItem& option, const QString& text, int clipRight);
};

}  // namespace quillet::debug

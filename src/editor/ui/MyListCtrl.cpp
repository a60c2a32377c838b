#include "editor/ui/MyListCtrl.h"

#include <QKeyEvent>

namespace quillet::editor {
namespace {

bool IsWordCharacter(QChar c) {
  const char16_t u = c.unicode();
  return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') || u == u'_';
}

}  // namespace

CMyListCtrl::CMyListCtrl(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setUniformItemSizes(true);
  setIconSize(QSize(16, 16));
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  connect(this, &QListWidget::itemDoubleClicked, this, [this] { emit CommitRequested(); });
}

void CMyListCtrl::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: emit CommitRequested(); return;
    case Qt::Key_Escape: emit CancelRequested(); return;
    case Qt::Key_Backspace: emit BackspacePressed(); return;
    case Qt::Key_Tab: emit CommitAndPass(event); return;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End: QListWidget::keyPressEvent(event); return;
    default: break;
  }
  const QString text = event->text();
  const bool command = (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) != 0;
  // Keys that type nothing (left and right, function keys, shortcuts) leave the list as it is.
  if (text.isEmpty() || command || text.at(0).unicode() < 32 || text.at(0).unicode() == 127) return;
  if (text.size() == 1 && IsWordCharacter(text.at(0))) {
    emit WordCharacter(event);
  } else {
    emit CommitAndPass(event);
  }
}

void CMyListCtrl::focusOutEvent(QFocusEvent* event) {
  QListWidget::focusOutEvent(event);
  // A popup's own list keeps the focus while the popup is up; losing it means the user went
  // elsewhere.
  if (event->reason() != Qt::PopupFocusReason) emit CancelRequested();
}

}  // namespace quillet::editor

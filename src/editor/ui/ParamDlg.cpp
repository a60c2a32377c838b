#include "editor/ui/ParamDlg.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "editor/ui/ParamCtrl.h"

namespace quillet::editor {
namespace {

QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

CParamDlg::CParamDlg(const intellisense::SParameterTip& tip, QPoint caretTop, int lineHeight, int charWidth,
                     QWidget* editor, std::function<document::CTextPosition()> caret)
    : QFrame(editor, Qt::Popup),
      m_caretTop(caretTop),
      m_lineHeight(lineHeight),
      m_charWidth(charWidth),
      m_editor(editor),
      m_caret(std::move(caret)),
      m_opened(m_caret()),
      m_control(new CParamCtrl(this)) {
  setAttribute(Qt::WA_DeleteOnClose);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_control);
  QStringList lines{ToQString(tip.syntax)};
  if (!tip.description.empty()) lines.push_back(ToQString(tip.description));
  m_control->SetLines(lines);
  m_control->installEventFilter(this);
  connect(m_control, &CParamCtrl::FocusLost, this, &CParamDlg::Finish);
  m_timer.setSingleShot(true);
  m_timer.setInterval(kTimeoutMs);
  connect(&m_timer, &QTimer::timeout, this, &CParamDlg::Finish);
}

CParamDlg::~CParamDlg() = default;

void CParamDlg::Open() {
  adjustSize();
  move(m_caretTop.x() - 3 * m_charWidth, m_caretTop.y() + m_lineHeight + 2);
  show();
  m_control->setFocus(Qt::PopupFocusReason);
  m_timer.start();
}

// Keys typed into the tip are the editor's: they go through its own key handling, and the tip
// then looks whether the caret is still inside the call.
bool CParamDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched != m_control || event->type() != QEvent::KeyPress) return QFrame::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() == Qt::Key_Escape) {
    Finish();
  } else if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
    PassKey(key);
    Finish();
  } else {
    if (!RunWindowShortcut(key)) PassKey(key);
    if (CaretLeftTheCall()) Finish();
  }
  return true;
}

bool CParamDlg::RunWindowShortcut(QKeyEvent* event) {
  if (event->modifiers() == Qt::NoModifier && !event->text().isEmpty()) return false;
  const QKeySequence pressed(event->keyCombination());
  for (QAction* action : m_editor->window()->findChildren<QAction*>()) {
    if (!action->isEnabled() || !action->shortcuts().contains(pressed)) continue;
    action->trigger();
    return true;
  }
  return false;
}

void CParamDlg::PassKey(QKeyEvent* event) {
  QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text(), event->isAutoRepeat());
  QCoreApplication::sendEvent(m_editor, &copy);
}

bool CParamDlg::CaretLeftTheCall() const {
  const document::CTextPosition caret = m_caret();
  return caret.y != m_opened.y || caret.x < m_opened.x;
}

void CParamDlg::Finish() {
  if (m_finished) return;
  m_finished = true;
  m_timer.stop();
  emit Completed({}, 0);
  close();
}

void CParamDlg::hideEvent(QHideEvent* event) {
  QFrame::hideEvent(event);
  Finish();
}

}  // namespace quillet::editor

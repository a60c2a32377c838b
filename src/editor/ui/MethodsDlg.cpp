#include "editor/ui/MethodsDlg.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

#include "editor/ui/CompletionArtwork.h"
#include "editor/ui/MyListCtrl.h"
#include "intellisense/MemberListSelection.h"

namespace quillet::editor {
namespace {

QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::u16string ToU16(const QString& text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size()));
}

}  // namespace

CMethodsDlg::CMethodsDlg(const intellisense::CCompletionSet& set, const QString& prefix, QPoint caretTop,
                         int lineHeight, int charWidth, QWidget* editor)
    : QFrame(editor, Qt::Popup),
      m_set(set),
      m_prefix(prefix),
      m_caretTop(caretTop),
      m_lineHeight(lineHeight),
      m_charWidth(charWidth),
      m_editor(editor),
      m_list(new CMyListCtrl(this)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setFrameShape(QFrame::Box);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  m_list->setFrameShape(QFrame::NoFrame);
  layout->addWidget(m_list);
  m_list->SetTypedWord(prefix);
  connect(m_list, &CMyListCtrl::WordCharacter, this, &CMethodsDlg::OnWordCharacter);
  connect(m_list, &CMyListCtrl::BackspacePressed, this, &CMethodsDlg::OnBackspace);
  connect(m_list, &CMyListCtrl::CommitRequested, this, &CMethodsDlg::Commit);
  connect(m_list, &CMyListCtrl::CommitAndPass, this, &CMethodsDlg::CommitAndPass);
  connect(m_list, &CMyListCtrl::CancelRequested, this, [this] { Finish({}, 0); });
  connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0 && row < static_cast<int>(m_sorted.size())) emit StatusText(ToQString(m_sorted[row]->statusText));
  });
}

CMethodsDlg::~CMethodsDlg() = default;

void CMethodsDlg::Open() {
  if (m_set.Empty()) {
    Finish({}, 0);
    return;
  }
  Fill();
  FitSize();
  Place();
  show();
  m_list->setFocus(Qt::PopupFocusReason);
  Select(intellisense::InitialSelection(m_sorted, ToU16(m_prefix)));
}

void CMethodsDlg::Fill() {
  const std::array<QIcon, 2> images = MakeCompletionImages();
  m_sorted = intellisense::SortedForList(m_set);
  for (const intellisense::SCompletionEntry* entry : m_sorted) {
    const bool property = entry->image == intellisense::ECompletionImage::Property;
    m_list->addItem(new QListWidgetItem(images[property ? 1 : 0], ToQString(entry->name)));
  }
}

void CMethodsDlg::FitSize() {
  const QFontMetrics metrics(m_list->font());
  int widest = 0;
  for (const intellisense::SCompletionEntry* entry : m_sorted) {
    widest = std::max(widest, metrics.horizontalAdvance(ToQString(entry->name)));
  }
  const int width = std::min(widest + kExtraWidth, kMaxListWidth);
  const int rowHeight = std::max(m_list->sizeHintForRow(0), 16);
  const int height = std::min(rowHeight * m_list->count() + 6, kMaxListHeight);
  // The popup's own border is the list's: the list itself has none.
  const QMargins margins = layout()->contentsMargins();
  const int frame = 2 * frameWidth();
  setFixedSize(width + margins.left() + margins.right() + frame, height + margins.top() + margins.bottom() + frame);
}

void CMethodsDlg::Place() {
  QScreen* screen = QGuiApplication::screenAt(m_caretTop);
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  const QRect work = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1 << 16, 1 << 16);
  const intellisense::SScreenPoint at = intellisense::PlaceMemberList(
      {m_caretTop.x(), m_caretTop.y()}, m_lineHeight, m_charWidth, width(), height(),
      {work.left(), work.top(), work.left() + work.width(), work.top() + work.height()});
  move(at.x, at.y);
}

QString CMethodsDlg::SelectedName() const {
  const QList<QListWidgetItem*> selected = m_list->selectedItems();
  return selected.size() == 1 ? selected.front()->text() : QString();
}

void CMethodsDlg::Select(int row) {
  if (row < 0 || row >= m_list->count()) return;
  m_list->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
  m_list->scrollToItem(m_list->item(row));
}

void CMethodsDlg::SelectForTypedWord() {
  if (const auto row = intellisense::SelectionForTypedWord(m_sorted, ToU16(m_list->TypedWord()))) Select(*row);
}

void CMethodsDlg::OnWordCharacter(QKeyEvent* event) {
  QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text(), event->isAutoRepeat());
  QCoreApplication::sendEvent(m_editor, &copy);
  m_list->SetTypedWord(m_list->TypedWord() + event->text());
  SelectForTypedWord();
}

void CMethodsDlg::OnBackspace() {
  QString typed = m_list->TypedWord();
  if (typed.isEmpty()) return Select(0);
  typed.chop(1);
  m_list->SetTypedWord(typed);
  emit BackspaceRequested();
  SelectForTypedWord();
}

void CMethodsDlg::Commit() {
  const QString name = SelectedName();
  Finish(name, name.isEmpty() ? 0 : static_cast<int>(m_list->TypedWord().size()));
}

// The character goes through the editor's own key handling after the name is in, so a dot
// typed here opens the next list and a parenthesis the tip.
void CMethodsDlg::CommitAndPass(QKeyEvent* event) {
  QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text(), event->isAutoRepeat());
  QWidget* editor = m_editor;
  Commit();
  QCoreApplication::sendEvent(editor, &copy);
}

void CMethodsDlg::Finish(const QString& name, int count) {
  if (m_finished) return;
  m_finished = true;
  emit Completed(name, count);
  close();
}

void CMethodsDlg::hideEvent(QHideEvent* event) {
  QFrame::hideEvent(event);
  // Closed from outside (a click elsewhere closes a popup): nothing was chosen.
  Finish({}, 0);
}

}  // namespace quillet::editor

#include "editor/ui/QuilletView.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QFontDialog>
#include <QFontMetrics>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QRadialGradient>
#include <QScrollBar>
#include <QToolTip>

#include <algorithm>

#include "base/CommandIds.h"
#include "base/SettingsInventory.h"
#include "document/QuilletDoc.h"
#include "editor/LineText.h"
#include "editor/EditorIntelliSense.h"
#include "editor/TypeInformation.h"
#include "editor/ui/MarkerArtwork.h"

namespace quillet::editor {
namespace {

using document::CTextPosition;

[[nodiscard]] QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

[[nodiscard]] QColor FromColorRef(uint32_t value) {
  return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                static_cast<int>((value >> 16) & 0xFF));
}

[[nodiscard]] uint32_t ToColorRef(const QColor& color) {
  return static_cast<uint32_t>(color.red()) | (static_cast<uint32_t>(color.green()) << 8) |
         (static_cast<uint32_t>(color.blue()) << 16);
}

struct SKeyBinding {
  int key;
  Qt::KeyboardModifiers modifiers;
  int command;
};

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
const Qt::KeyboardModifiers kCtrlShift = Qt::ControlModifier | Qt::ShiftModifier;

// The accelerator table of the editor.
const SKeyBinding kKeyBindings[] = {
    {Qt::Key_Delete, kNone, app::ID_EDIT_DELETE},
    {Qt::Key_Backspace, kNone, app::ID_EDIT_DELETE_BACK},
    {Qt::Key_Backspace, kShift, app::ID_EDIT_DELETE_BACK},
    {Qt::Key_Backspace, kCtrl, app::ID_EDIT_DELETE_WORD_BACK},
    {Qt::Key_Delete, kCtrl, app::ID_EDIT_DELETE_WORD_FORWARD},
    {Qt::Key_Tab, kNone, app::ID_EDIT_TAB},
    {Qt::Key_Backtab, kShift, app::ID_EDIT_UNTAB},
    {Qt::Key_Backtab, kNone, app::ID_EDIT_UNTAB},
    {Qt::Key_Insert, kNone, app::ID_EDIT_SWITCH_OVRMODE},
    {Qt::Key_Left, kCtrl, app::ID_EDIT_WORDLEFT},
    {Qt::Key_Left, kCtrlShift, app::ID_EDIT_WORDLEFT + 1},
    {Qt::Key_Right, kCtrl, app::ID_EDIT_WORDRIGHT},
    {Qt::Key_Right, kCtrlShift, app::ID_EDIT_WORDRIGHT + 1},
    {Qt::Key_Up, kCtrl, app::ID_EDIT_SCROLLUP},
    {Qt::Key_Down, kCtrl, app::ID_EDIT_SCROLLDOWN},
    {Qt::Key_Home, kCtrl, app::ID_EDIT_TEXTBEGIN},
    {Qt::Key_Home, kCtrlShift, app::ID_EDIT_TEXTBEGIN + 1},
    {Qt::Key_End, kCtrl, app::ID_EDIT_TEXTEND},
    {Qt::Key_End, kCtrlShift, app::ID_EDIT_TEXTEND + 1},
    {Qt::Key_Z, kCtrl, app::ID_EDIT_UNDO},
    {Qt::Key_Backspace, Qt::AltModifier, app::ID_EDIT_UNDO},
    {Qt::Key_Y, kCtrl, app::ID_EDIT_REDO},
    {Qt::Key_X, kCtrl, app::ID_EDIT_CUT},
    {Qt::Key_Delete, kShift, app::ID_EDIT_CUT},
    {Qt::Key_C, kCtrl, app::ID_EDIT_COPY},
    {Qt::Key_Insert, kCtrl, app::ID_EDIT_COPY},
    {Qt::Key_V, kCtrl, app::ID_EDIT_PASTE},
    {Qt::Key_Insert, kShift, app::ID_EDIT_PASTE},
    {Qt::Key_A, kCtrl, app::ID_EDIT_SELECT_ALL},
    {Qt::Key_M, kCtrl, app::ID_EDIT_COMMENT},
    {Qt::Key_F2, kCtrl, app::ID_EDIT_TOGGLE_BOOKMARK},
    {Qt::Key_F2, kNone, app::ID_EDIT_NEXT_BOOKMARK},
    {Qt::Key_F2, kShift, app::ID_EDIT_PREVIOUS_BOOKMARK},
    {Qt::Key_F2, kCtrlShift, app::ID_EDIT_CLEAR_ALL_BOOKMARKS},
    {Qt::Key_Right, Qt::AltModifier, app::ID_EDIT_COMPLETE_WORD},
};

// Plain and Shift variants of the caret keys: the command id, and id + 1 to extend.
const std::pair<int, int> kCaretKeys[] = {
    {Qt::Key_Left, app::ID_EDIT_CHARLEFT},   {Qt::Key_Right, app::ID_EDIT_CHARRIGHT},
    {Qt::Key_Up, app::ID_EDIT_LINEUP},       {Qt::Key_Down, app::ID_EDIT_LINEDOWN},
    {Qt::Key_PageUp, app::ID_EDIT_PAGEUP},   {Qt::Key_PageDown, app::ID_EDIT_PAGEDOWN},
    {Qt::Key_End, app::ID_EDIT_LINEEND},     {Qt::Key_Home, app::ID_EDIT_HOME},
};

[[nodiscard]] int CommandForKey(int key, Qt::KeyboardModifiers modifiers) {
  modifiers &= Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
  for (const SKeyBinding& binding : kKeyBindings) {
    if (binding.key == key && binding.modifiers == modifiers) return binding.command;
  }
  for (const auto& [caretKey, command] : kCaretKeys) {
    if (caretKey != key) continue;
    if (modifiers == kNone) return command;
    if (modifiers == kShift) return command + 1;
  }
  return 0;
}

}  // namespace

CQuilletView::CQuilletView(document::CQuilletDoc& document, QWidget* parent)
    : QAbstractScrollArea(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled, true);
  setAcceptDrops(true);
  viewport()->setCursor(Qt::IBeamCursor);
  viewport()->setMouseTracking(true);
  m_markers = MakeMarkerImages();
  m_core = std::make_unique<CEditorCore>(document, *this);
  m_core->SetHost(this);
  m_core->SetClipboard(&m_clipboard);
  InitIntelliSense();
  ReloadSettings();
}

CQuilletView::~CQuilletView() {
  ClosePopups();
  m_core->SetIntelliSense(nullptr);
}

void CQuilletView::SetSettings(app::CSettings* settings) {
  m_settings = settings;
  ReloadSettings();
}

void CQuilletView::ReloadSettings() {
  const QPalette& colors = palette();
  m_core->Colors().SetSystemColors({ToColorRef(colors.color(QPalette::Base)),
                                    ToColorRef(colors.color(QPalette::Text)),
                                    ToColorRef(colors.color(QPalette::Button)),
                                    ToColorRef(colors.color(QPalette::Highlight)),
                                    ToColorRef(colors.color(QPalette::HighlightedText)),
                                    ToColorRef(colors.color(QPalette::Disabled, QPalette::Text))});
  m_core->SetSettings(m_settings, app::settings::DefaultFontHeight(logicalDpiY()));
  ApplyFont();
}

void CQuilletView::ApplyFont() {
  const SEditorSettings& settings = m_core->Settings();
  m_font = QFont(ToQString(settings.fontFace));
  m_font.setStyleHint(QFont::Monospace);
  m_font.setFixedPitch(true);
  m_font.setPixelSize(std::max(1, std::abs(settings.fontHeight)));
  m_font.setWeight(static_cast<QFont::Weight>(std::clamp(settings.fontWeight, 1, 1000)));
  // Columns are whole pixels; full hinting rounds each glyph's advance to whole pixels too, so a
  // run drawn in one call stays aligned with runs placed by column.
  m_font.setHintingPreference(QFont::PreferFullHinting);
  m_marginFont = QApplication::font();
  const QFontMetrics metrics(m_font);
  const QFontMetrics marginMetrics(m_marginFont);
  m_charWidth = std::max(1, metrics.horizontalAdvance(QLatin1Char('X')));
  m_ascent = metrics.ascent();
  m_lineHeight = std::max({metrics.height(), marginMetrics.height(), 16});
  m_marginDigitWidth = marginMetrics.horizontalAdvance(QLatin1Char('X'));
  m_widths.clear();
  // Margin width and scroll ranges depend on the new measures.
  m_core->ApplySettings(m_core->Settings());
}

int32_t CQuilletView::CharWidth(char16_t c) const {
  const auto found = m_widths.find(c);
  if (found != m_widths.end()) return found->second;
  const int32_t width = QFontMetrics(m_font).horizontalAdvance(QChar(c));
  m_widths.emplace(c, width);
  return width;
}

int32_t CQuilletView::ClientWidth() const { return viewport()->width(); }
int32_t CQuilletView::ClientHeight() const { return viewport()->height(); }

void CQuilletView::SetCaretPosition(CTextPosition position) { m_core->SetCaret(position); }

void CQuilletView::SetExecutionLine(int line) {
  m_executionLine = line;
  viewport()->update();
}

QString CQuilletView::PositionText() const { return ToQString(m_core->PositionText()); }
QString CQuilletView::UndoMenuText() const { return ToQString(m_core->UndoMenuText()); }
QString CQuilletView::RedoMenuText() const { return ToQString(m_core->RedoMenuText()); }

void CQuilletView::Undo() { m_core->ExecuteCommand(app::ID_EDIT_UNDO); }
void CQuilletView::Redo() { m_core->ExecuteCommand(app::ID_EDIT_REDO); }

bool CQuilletView::ExecuteCommand(int commandId) {
  if (commandId == app::ID_VIEW_CHANGE_FONT) {
    ChangeFont();
    return true;
  }
  return m_core->ExecuteCommand(commandId);
}

void CQuilletView::ChangeFont() {
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, m_font, this, QString(), QFontDialog::MonospacedFonts);
  if (!ok) return;
  const int pixels = chosen.pixelSize() > 0 ? chosen.pixelSize()
                                            : qRound(chosen.pointSizeF() * logicalDpiY() / 72.0);
  if (m_settings != nullptr) {
    const QString family = chosen.family().left(32);
    m_settings->Write(app::settings::FontFace,
                      std::u16string_view(reinterpret_cast<const char16_t*>(family.utf16()),
                                          static_cast<size_t>(family.size())));
    m_settings->Write(app::settings::FontHeight, -pixels);
    m_settings->Write(app::settings::FontWeight, chosen.weight());
    ReloadSettings();
  } else {
    SEditorSettings settings = m_core->Settings();
    const QString family = chosen.family().left(32);
    settings.fontFace.assign(reinterpret_cast<const char16_t*>(family.utf16()),
                             static_cast<size_t>(family.size()));
    settings.fontHeight = -pixels;
    settings.fontWeight = chosen.weight();
    m_core->ApplySettings(settings);
    ApplyFont();
  }
  emit EditorFontChanged(m_font);
}

// --- IViewHost ---

void CQuilletView::InvalidateLines(int32_t first, int32_t last) {
  const int32_t top = (first - m_core->FirstVisibleLine()) * m_lineHeight;
  const int32_t bottom = last < 0 ? viewport()->height() : (last - m_core->FirstVisibleLine() + 1) * m_lineHeight;
  if (bottom <= 0 || top >= viewport()->height()) return;
  viewport()->update(QRect(0, std::max(0, top), viewport()->width(), bottom - std::max(0, top)));
}

void CQuilletView::InvalidateAll() { viewport()->update(); }

void CQuilletView::ScrollRangesChanged() {
  m_syncingScrollBars = true;
  const int visible = m_core->VisibleLines();
  verticalScrollBar()->setRange(0, std::max(0, m_core->Document().GetLineCount() - 1));
  verticalScrollBar()->setPageStep(visible);
  horizontalScrollBar()->setRange(0, m_core->LongestLineColumns());
  horizontalScrollBar()->setPageStep(m_core->VisibleColumns());
  m_syncingScrollBars = false;
  Scrolled();
}

void CQuilletView::Scrolled() {
  m_syncingScrollBars = true;
  verticalScrollBar()->setValue(m_core->FirstVisibleLine());
  horizontalScrollBar()->setValue(m_core->FirstVisibleColumn());
  m_syncingScrollBars = false;
}

void CQuilletView::CaretChanged() {
  const CTextPosition caret = m_core->Caret();
  emit CaretMoved(caret.y + 1, caret.x + 1);
  emit OverwriteChanged(m_core->IsOverwrite());
}

void CQuilletView::scrollContentsBy(int, int) {
  if (m_syncingScrollBars) return;
  m_core->ScrollTo(verticalScrollBar()->value(), horizontalScrollBar()->value());
  viewport()->update();
}

// --- Painting ---

QColor CQuilletView::Color(int index) const { return FromColorRef(m_core->Colors().GetColor(index)); }

bool CQuilletView::ShowsSelection() const {
  return hasFocus() || m_core->IsDragSource() || m_core->ShowsSelectionAlways();
}

void CQuilletView::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const QRect dirty = event->rect();
  const int cell = m_core->MarginCellWidth();
  const int width = viewport()->width();
  const int first = m_core->FirstVisibleLine();
  const int count = m_core->Document().GetLineCount();
  for (int row = dirty.top() / m_lineHeight; row * m_lineHeight <= dirty.bottom(); ++row) {
    const int y = row * m_lineHeight;
    const int line = first + row < count ? first + row : -1;
    DrawMargin(painter, QRect(0, y, cell, m_lineHeight), line);
    DrawSingleLine(painter, QRect(cell, y, width - cell, m_lineHeight), line);
  }
  DrawCaret(painter);
}

void CQuilletView::DrawMargin(QPainter& painter, const QRect& rect, int line) {
  painter.fillRect(rect.adjusted(0, 0, -9, 0), Color(ColorMargin));
  painter.fillRect(QRect(rect.right() - 8, rect.top(), 9, rect.height()), Color(ColorBackground));
  if (line < 0) return;
  const document::CQuilletDoc& doc = m_core->Document();
  const QPoint marker(rect.right() + 1 - 27, rect.top() + (rect.height() - 16) / 2);
  bool drawn = false;
  if ((doc.GetLineFlags(line) & document::LineBookmark) != 0) {
    painter.drawPixmap(marker, m_markers[0]);
    drawn = true;
  }
  const auto breakpoint = doc.Breakpoints().find(line);
  if (breakpoint != doc.Breakpoints().end() && breakpoint->second == 1) {
    painter.drawPixmap(marker, m_markers[2]);
    drawn = true;
  }
  if (line == m_executionLine) {
    painter.drawPixmap(marker, m_markers[1]);
    drawn = true;
  }
  if (drawn || !m_core->Settings().lineNumbers) return;
  painter.setFont(m_marginFont);
  painter.setPen(FromColorRef(m_core->Colors().LineNumberColor()));
  painter.drawText(QRect(rect.left(), rect.top(), rect.width() - 10, rect.height()),
                   Qt::AlignRight | Qt::AlignVCenter, QString::number(line + 1) + QLatin1Char(' '));
}

void CQuilletView::DrawSingleLine(QPainter& painter, const QRect& rect, int line) {
  painter.fillRect(rect, Color(ColorWhitespace));
  if (line < 0) return;
  const std::u16string_view text = m_core->Document().GetLine(line);
  const CTextPosition selStart = m_core->SelectionStart();
  const CTextPosition selEnd = m_core->SelectionEnd();
  const bool showSelection = ShowsSelection() && m_core->HasSelection();
  if (text.empty()) {
    const CTextPosition start{0, line};
    if (showSelection && m_core->FirstVisibleColumn() == 0 && !(start < selStart) && start < selEnd) {
      painter.fillRect(QRect(rect.left(), rect.top(), m_charWidth, rect.height()), Color(ColorSelectionBack));
    }
    return;
  }
  CSyntaxColorizer& colorizer = m_core->Colorizer();
  std::vector<SColorBlock> blocks;
  (void)colorizer.ParseLine(colorizer.GetParseCookie(line - 1), line, &blocks);
  const bool whitespace = m_core->Settings().showWhitespace;
  painter.setFont(m_font);
  painter.setClipRect(rect);
  const int origin = rect.left() - m_core->FirstVisibleColumn() * m_charWidth;
  const int baseline = rect.top() + m_ascent;
  size_t block = 0;
  QString run;
  int runX = 0;
  int runWidth = 0;
  int runColor = -1;
  bool runSelected = false;
  auto flush = [&] {
    if (run.isEmpty()) return;
    painter.fillRect(QRect(origin + runX, rect.top(), runWidth, rect.height()),
                     Color(runSelected ? ColorSelectionBack : ColorBackground));
    painter.setPen(Color(runSelected ? ColorSelectionText : runColor));
    painter.drawText(origin + runX, baseline, run);
    run.clear();
  };
  bool blockHasDot = false;
  int sum = 0;
  const int right = rect.right() - origin;
  const int left = rect.left() - origin;
  for (int i = 0; i < static_cast<int>(text.size()) && sum <= right; ++i) {
    const char16_t c = text[i];
    const int width = m_core->Advance(c, sum);
    const size_t before = block;
    while (block + 1 < blocks.size() && blocks[block + 1].start <= i) ++block;
    if (block != before || i == 0) {
      const auto end = block + 1 < blocks.size() ? static_cast<size_t>(blocks[block + 1].start) : text.size();
      const auto start = blocks.empty() ? 0u : static_cast<size_t>(blocks[block].start);
      blockHasDot = whitespace && text.substr(start, end - start).find(u'\u00B7') != std::u16string_view::npos;
    }
    const int color = blocks.empty() || blocks[block].start > i ? ColorNormalText : blocks[block].color;
    const CTextPosition at{i, line};
    const bool selected = showSelection && !(at < selStart) && at < selEnd;
    if (sum + width < left) {
      sum += width;
      continue;
    }
    if (c == u'\t' || color != runColor || selected != runSelected) {
      flush();
      runX = sum;
      runWidth = 0;
      runColor = color;
      runSelected = selected;
    }
    if (c == u'\t') {
      painter.fillRect(QRect(origin + sum, rect.top(), width, rect.height()),
                       Color(selected ? ColorSelectionBack : ColorBackground));
      if (whitespace && width >= m_charWidth) {
        painter.setPen(Color(selected ? ColorSelectionText : color));
        painter.drawText(QRect(origin + sum, rect.top(), width, rect.height()), Qt::AlignCenter,
                         QString(QChar(0x00BB)));
      }
      runX = sum + width;
    } else {
      run += c == u' ' && whitespace && !blockHasDot ? QChar(0x00B7) : QChar(c);
      runWidth += width;
    }
    sum += width;
  }
  flush();
  painter.setClipping(false);
}

void CQuilletView::DrawCaret(QPainter& painter) {
  const bool dropping = m_dropCaretShown;
  if (!hasFocus() && !dropping && !m_popupActive) return;
  const CTextPosition caret = dropping ? m_dropCaret : m_core->Caret();
  const int row = caret.y - m_core->FirstVisibleLine();
  if (row < 0 || row * m_lineHeight > viewport()->height()) return;
  const std::u16string_view text = m_core->Document().GetLine(caret.y);
  int sum = 0;
  for (int i = 0; i < caret.x && i < static_cast<int>(text.size()); ++i) sum += m_core->Advance(text[i], sum);
  const int x = m_core->MarginCellWidth() - m_core->FirstVisibleColumn() * m_charWidth + sum;
  if (x < m_core->MarginCellWidth()) return;
  const int width = m_core->IsOverwrite() && !dropping ? m_charWidth : 2;
  const QRect shape(x, row * m_lineHeight, width, m_lineHeight);
  if (dropping) {
    painter.fillRect(shape, QBrush(Color(ColorNormalText), Qt::Dense4Pattern));
  } else {
    painter.fillRect(shape, m_core->IsOverwrite() ? QBrush(Color(ColorNormalText), Qt::Dense4Pattern)
                                                  : QBrush(Color(ColorNormalText)));
  }
}

// --- Events ---

void CQuilletView::keyPressEvent(QKeyEvent* event) {
  if (const int command = CommandForKey(event->key(), event->modifiers()); command != 0) {
    m_core->ExecuteCommand(command);
    return;
  }
  if (event->key() == Qt::Key_F4 && event->modifiers() == Qt::NoModifier) {
    m_core->ExpandSnippetOrSelectField();
    return;
  }
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    m_core->OnChar(u'\r');
    return;
  }
  const QString text = event->text();
  const bool command = (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) != 0;
  if (!text.isEmpty() && !command && text.at(0).unicode() >= 32 && text.at(0).unicode() != 127) {
    for (const QChar c : text) m_core->OnChar(c.unicode());
    return;
  }
  QAbstractScrollArea::keyPressEvent(event);
}

QString CQuilletView::ValueTipAt(QPoint point) const {
  const document::CQuilletDoc& document = m_core->Document();
  if (!document.IsDebugging()) return {};
  const std::optional<std::u16string> tip = document.WatchList().ValueTip(m_core->WordAtPoint(point.x(), point.y()));
  return tip ? QString::fromStdU16String(*tip) : QString();
}

// Tooltip requests reach the viewport, whose positions are the text area's.
bool CQuilletView::viewportEvent(QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QAbstractScrollArea::viewportEvent(event);
  auto* help = static_cast<QHelpEvent*>(event);
  const QString tip = ValueTipAt(help->pos());
  if (tip.isEmpty()) {
    QToolTip::hideText();
    event->ignore();
  } else {
    QToolTip::showText(help->globalPos(), tip, viewport());
  }
  return true;
}

void CQuilletView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint point = event->position().toPoint();
  m_lastMouse = point;
  const bool shift = (event->modifiers() & Qt::ShiftModifier) != 0;
  const bool control = (event->modifiers() & Qt::ControlModifier) != 0;
  m_core->OnLButtonDown(point.x(), point.y(), shift, control);
  if (m_core->IsCapturing()) m_selectionTimer.start(kSelectionTimerMs, this);
}

void CQuilletView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint point = event->position().toPoint();
  m_core->OnLButtonDblClk(point.x(), point.y());
  if (m_core->IsCapturing()) m_selectionTimer.start(kSelectionTimerMs, this);
}

void CQuilletView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint point = event->position().toPoint();
  viewport()->setCursor(point.x() < m_core->MarginCellWidth() ? Qt::ArrowCursor : Qt::IBeamCursor);
  if ((event->buttons() & Qt::LeftButton) == 0) return;
  if ((point - m_lastMouse).manhattanLength() < QApplication::startDragDistance() &&
      !m_core->IsCapturing()) {
    return;
  }
  if (m_core->OnMouseMove(point.x(), point.y())) StartDrag();
  m_lastMouse = point;
}

void CQuilletView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint point = event->position().toPoint();
  m_core->OnLButtonUp(point.x(), point.y());
  m_selectionTimer.stop();
}

void CQuilletView::wheelEvent(QWheelEvent* event) {
  m_core->OnWheel(event->angleDelta().y());
  event->accept();
}

void CQuilletView::timerEvent(QTimerEvent* event) {
  if (event->timerId() != m_selectionTimer.timerId()) return QAbstractScrollArea::timerEvent(event);
  if (!m_core->IsCapturing()) return m_selectionTimer.stop();
  const QPoint point = viewport()->mapFromGlobal(QCursor::pos());
  m_core->OnSelectionTimer(point.x(), point.y());
}

void CQuilletView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  ScrollRangesChanged();
}

void CQuilletView::focusInEvent(QFocusEvent* event) {
  viewport()->update();
  QAbstractScrollArea::focusInEvent(event);
}

void CQuilletView::focusOutEvent(QFocusEvent* event) {
  m_core->CancelMouse();
  m_selectionTimer.stop();
  viewport()->update();
  QAbstractScrollArea::focusOutEvent(event);
}

void CQuilletView::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  const auto add = [&](const QString& text, int command) {
    QAction* action = menu.addAction(text);
    action->setData(command);
    action->setEnabled(m_core->IsCommandEnabled(command));
    connect(action, &QAction::triggered, this, [this, command] { ExecuteCommand(command); });
  };
  add(QStringLiteral("Cu&t"), app::ID_EDIT_CUT);
  add(QStringLiteral("&Copy"), app::ID_EDIT_COPY);
  add(QStringLiteral("&Paste"), app::ID_EDIT_PASTE);
  menu.addSeparator();
  add(QStringLiteral("Comment"), app::ID_EDIT_COMMENT);
  add(QStringLiteral("Uncomment"), app::ID_EDIT_UNCOMMENT);
  menu.exec(event->globalPos());
}

// --- Drag and drop ---

void CQuilletView::StartDrag() {
  const QString text = ToQString(m_core->SelectedText());
  m_selectionTimer.stop();
  m_core->BeginDragSource();
  auto* drag = new QDrag(this);
  auto* data = new QMimeData;
  data->setText(text);
  drag->setMimeData(data);
  const Qt::DropAction result = drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
  m_core->EndDragSource(result == Qt::MoveAction);
}

void CQuilletView::dragEnterEvent(QDragEnterEvent* event) {
  if (!event->mimeData()->hasText()) return event->ignore();
  event->setDropAction((event->modifiers() & Qt::ControlModifier) != 0 ? Qt::CopyAction : Qt::MoveAction);
  event->accept();
}

void CQuilletView::dragMoveEvent(QDragMoveEvent* event) {
  if (!event->mimeData()->hasText()) return event->ignore();
  const QPoint point = event->position().toPoint();
  // Near the edges the view scrolls, so that a drop can reach text outside the window.
  int lines = 0;
  if (point.y() < m_lineHeight / 2) lines = -1;
  if (point.y() > viewport()->height() - m_lineHeight / 2) lines = 1;
  if (lines != 0) m_core->ScrollTo(m_core->FirstVisibleLine() + lines, m_core->FirstVisibleColumn());
  m_dropCaret = m_core->PointToTextPosition(point.x(), point.y());
  m_dropCaretShown = true;
  viewport()->update();
  event->setDropAction((event->modifiers() & Qt::ControlModifier) != 0 ? Qt::CopyAction : Qt::MoveAction);
  event->accept();
}

void CQuilletView::dragLeaveEvent(QDragLeaveEvent*) {
  m_dropCaretShown = false;
  viewport()->update();
}

void CQuilletView::dropEvent(QDropEvent* event) {
  m_dropCaretShown = false;
  const QString text = event->mimeData()->text();
  const QPoint point = event->position().toPoint();
  const CTextPosition at = m_core->PointToTextPosition(point.x(), point.y());
  const std::u16string_view units(reinterpret_cast<const char16_t*>(text.utf16()),
                                  static_cast<size_t>(text.size()));
  const bool inserted = m_core->DropText(at, units);
  event->setDropAction(inserted && (event->modifiers() & Qt::ControlModifier) == 0 ? Qt::MoveAction
                                                                                   : Qt::CopyAction);
  event->accept();
  setFocus();
  viewport()->update();
}

// Tab is text in a script, not a way to leave the editor.
bool CQuilletView::focusNextPrevChild(bool) { return false; }

}  // namespace quillet::editor

#pragma once
// The editing window over the document. The editing logic lives in CEditorCore; this widget
// measures the font, maps keys, mouse, wheel and drag and drop to the core's commands, and
// paints the visible lines with their colours and the left margin.

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QFont>
#include <QPixmap>
#include <QTimer>

#include <array>
#include <memory>
#include <unordered_map>

#include "document/TextPosition.h"
#include "editor/EditorCore.h"
#include "editor/IntelliSensePopups.h"
#include "editor/TextMetrics.h"
#include "editor/ViewHost.h"
#include "editor/ui/QtClipboard.h"
#include "intellisense/ScriptOutline.h"

namespace quillet::app {
class CSettings;
}
namespace quillet::document {
class CQuilletDoc;
}
namespace quillet::intellisense {
class IScriptOutlineBrowser;
}

namespace quillet::editor {

class CEditorIntelliSense;
class CTypeInformation;

class CQuilletView : public QAbstractScrollArea, public ITextMetrics, public IViewHost, public IIntelliSensePopups {
  Q_OBJECT

 public:
  static constexpr int kSelectionTimerMs = 100;  // timer 1001

  explicit CQuilletView(document::CQuilletDoc& document, QWidget* parent = nullptr);
  ~CQuilletView() override;

  // Settings are read now and again at every ReloadSettings; without them defaults apply.
  void SetSettings(app::CSettings* settings);
  [[nodiscard]] CEditorCore& Core() { return *m_core; }
  [[nodiscard]] document::CTextPosition CaretPosition() const { return m_core->Caret(); }
  void SetCaretPosition(document::CTextPosition position);
  // The object browser that the script outline keeps current, and where ProgIDs' libraries are
  // found; the outline runs only while SetOutlineActive says the browser is visible.
  void SetOutlineBrowser(intellisense::IScriptOutlineBrowser* browser,
                         intellisense::CScriptOutline::FResolveLibraryPath resolveLibraryPath);
  void SetOutlineActive(bool active);
  [[nodiscard]] bool IsOutlineActive() const { return m_outlineTimer.isActive(); }
  void RefreshScriptOutline();
  // The line the debugger stopped on, or -1.
  void SetExecutionLine(int line);
  [[nodiscard]] QString PositionText() const;
  [[nodiscard]] QString UndoMenuText() const;
  [[nodiscard]] QString RedoMenuText() const;
  [[nodiscard]] bool IsCommandEnabled(int commandId) const { return m_core->IsCommandEnabled(commandId); }
  [[nodiscard]] const QFont& EditorFont() const { return m_font; }
  // While the script is being debugged, the value of the variable named by the word under a
  // point of the text area (the watch list's answer); empty otherwise.
  [[nodiscard]] QString ValueTipAt(QPoint point) const;

  // IntelliSense (QuilletViewCompletion.cpp). The view reads the installed class registrations
  // on its first request unless it is given other type information (which must outlive it).
  void SetTypeInformation(CTypeInformation* types);
  // Set while a member list or parameter tip is up: the caret stays drawn without the focus.
  [[nodiscard]] bool IsPopupActive() const { return m_popupActive; }
  [[nodiscard]] bool IsParameterTipActive() const { return m_parameterTipActive; }
  // The top left of the caret's line on the screen.
  [[nodiscard]] QPoint CaretScreenTop() const;
  // IIntelliSensePopups
  void ShowMemberList(const intellisense::CCompletionSet& set, std::u16string_view prefix) override;
  void ShowParameterTip(const intellisense::SParameterTip& tip) override;

  // ITextMetrics
  [[nodiscard]] int32_t CharWidth() const override { return m_charWidth; }
  [[nodiscard]] int32_t CharWidth(char16_t c) const override;
  [[nodiscard]] int32_t LineHeight() const override { return m_lineHeight; }
  [[nodiscard]] int32_t MarginDigitWidth() const override { return m_marginDigitWidth; }
  [[nodiscard]] int32_t ClientWidth() const override;
  [[nodiscard]] int32_t ClientHeight() const override;

 public slots:
  void Undo();
  void Redo();
  // Runs an editor command by id (menus, toolbars); false when the id is not the editor's.
  bool ExecuteCommand(int commandId);
  // Re-reads tab size, insert spaces, view options, font and colours, then repaints.
  void ReloadSettings();
  // Shows the fixed-pitch font dialog and stores the choice.
  void ChangeFont();
  // A go-to-line request (0-based line, as the object browser sends it).
  void GoToLineIndex(int line);
  // The popups' completion message: name in place of the count characters before the caret;
  // an empty name when a popup closed without inserting.
  void OnCompletion(const QString& name, int count);

 signals:
  // 1-based line and character index, as the status pane shows them.
  void CaretMoved(int line, int column);
  void OverwriteChanged(bool on);
  void EditorFontChanged(const QFont& font);
  void BreakpointToggled();
  // The status bar's text for the selected name of a member list; empty for the idle text.
  void StatusTextChanged(const QString& text);

 protected:
  bool viewportEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void timerEvent(QTimerEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dragLeaveEvent(QDragLeaveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  bool focusNextPrevChild(bool next) override;

  // IViewHost
  void InvalidateLines(int32_t first, int32_t last) override;
  void InvalidateAll() override;
  void ScrollRangesChanged() override;
  void Scrolled() override;
  void CaretChanged() override;
  void BreakpointsChanged() override { emit BreakpointToggled(); }

 private:
  void ApplyFont();
  void DrawSingleLine(QPainter& painter, const QRect& rect, int line);
  void DrawMargin(QPainter& painter, const QRect& rect, int line);
  void DrawCaret(QPainter& painter);
  void StartDrag();
  [[nodiscard]] QColor Color(int index) const;
  [[nodiscard]] bool ShowsSelection() const;

  void InitIntelliSense();
  // Popups still up when the view goes: gone first, without a word to the half-destroyed view.
  void ClosePopups();

  std::unique_ptr<CEditorCore> m_core;
  std::unique_ptr<CTypeInformation> m_ownTypes;
  std::unique_ptr<CEditorIntelliSense> m_intelliSense;
  bool m_popupActive = false;
  bool m_parameterTipActive = false;
  CQtClipboard m_clipboard;
  app::CSettings* m_settings = nullptr;
  QFont m_font;
  QFont m_marginFont;
  int32_t m_charWidth = 8;
  int32_t m_lineHeight = 16;
  int32_t m_ascent = 12;
  int32_t m_marginDigitWidth = 8;
  mutable std::unordered_map<char16_t, int32_t> m_widths;
  std::array<QPixmap, 3> m_markers;
  QBasicTimer m_selectionTimer;
  QPoint m_lastMouse;
  int m_executionLine = -1;
  bool m_syncingScrollBars = false;
  bool m_dropCaretShown = false;
  document::CTextPosition m_dropCaret;
  QTimer m_outlineTimer;  // timer 1004
  std::unique_ptr<intellisense::CScriptOutline> m_outline;
  intellisense::IScriptOutlineBrowser* m_outlineBrowser = nullptr;
};

}  // namespace quillet::editor

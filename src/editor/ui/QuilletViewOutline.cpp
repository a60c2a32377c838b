// The view's side of the object browser: the periodic outline scan of the script and the
// browser's go-to-line requests.

#include "document/QuilletDoc.h"
#include "editor/DocumentAnalysisSource.h"
#include "editor/ui/QuilletView.h"
#include "platform/TextConvert.h"

namespace quillet::editor {

namespace {
constexpr int kOutlinePeriodMs = 2000;
// A line reached from the browser comes to rest a few lines below the top.
constexpr int kLinesAboveTarget = 5;
}  // namespace

void CQuilletView::SetOutlineBrowser(intellisense::IScriptOutlineBrowser* browser,
                                     intellisense::CScriptOutline::FResolveLibraryPath resolveLibraryPath) {
  m_outlineBrowser = browser;
  m_outline = browser != nullptr ? std::make_unique<intellisense::CScriptOutline>(std::move(resolveLibraryPath))
                                 : nullptr;
  if (m_outlineTimer.interval() != kOutlinePeriodMs) {
    m_outlineTimer.setInterval(kOutlinePeriodMs);
    connect(&m_outlineTimer, &QTimer::timeout, this, &CQuilletView::RefreshScriptOutline);
  }
  if (browser == nullptr) m_outlineTimer.stop();
}

// Shown again, the browser is brought up to date at once rather than at the next tick.
void CQuilletView::SetOutlineActive(bool active) {
  if (!active || m_outline == nullptr) {
    m_outlineTimer.stop();
    return;
  }
  if (m_outlineTimer.isActive()) return;
  m_outlineTimer.start();
  RefreshScriptOutline();
}

void CQuilletView::RefreshScriptOutline() {
  if (m_outline == nullptr || m_outlineBrowser == nullptr) return;
  document::CQuilletDoc& document = m_core->Document();
  CDocumentAnalysisSource source(document, m_core->Colorizer());
  m_outline->Refresh(source, platform::Utf8ToUtf16(document.GetTitle()), platform::Utf8ToUtf16(document.GetPathName()),
                     *m_outlineBrowser);
}

void CQuilletView::GoToLineIndex(int line) {
  if (line < 0 || line >= m_core->Document().GetLineCount()) return;
  setFocus();
  SetCaretPosition({0, line});
  m_core->ScrollTo(std::max(0, line - kLinesAboveTarget), m_core->FirstVisibleColumn());
  viewport()->update();
}

}  // namespace quillet::editor

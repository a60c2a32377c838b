#include "app/ui/FrameRunHost.h"

#include <QFile>

#include "app/ui/MainFrame.h"
#include "app/ui/QtText.h"
#include "app/ui/SizingControlBar.h"
#include "document/QuilletDoc.h"
#include "editor/ui/QuilletView.h"

namespace quillet::app {

bool CFrameRunHost::SaveDocument() { return m_frame.OnFileSave(); }

debug::ESaveAnswer CFrameRunHost::AskSaveChanges() {
  switch (m_frame.Prompts().AskSaveChanges(QFile::decodeName(m_frame.Document().GetTitle().c_str()))) {
    case ESaveChangesAnswer::Save: return debug::ESaveAnswer::Yes;
    case ESaveChangesAnswer::Discard: return debug::ESaveAnswer::No;
    default: return debug::ESaveAnswer::Cancel;
  }
}

void CFrameRunHost::ShowError(const std::u16string& message) { m_frame.Prompts().ShowError(ToQString(message)); }

bool CFrameRunHost::IsValidLocation(int32_t line, int32_t column) const {
  const document::CQuilletDoc& document = m_frame.Document();
  return line >= 1 && line <= document.GetLineCount() && column >= 1 &&
         column - 1 <= document.GetLineLength(line - 1);
}

// The error line comes to rest a few lines below the top, with what led to it above.
bool CFrameRunHost::GoToLocation(int32_t line, int32_t column) {
  if (!IsValidLocation(line, column)) return false;
  editor::CQuilletView* view = m_frame.View();
  view->setFocus();
  view->SetCaretPosition({column - 1, line - 1});
  view->Core().ScrollTo(std::max(0, line - 6), view->Core().FirstVisibleColumn());
  view->viewport()->update();
  return true;
}

void CFrameRunHost::ShowOutputBar(bool show) { m_frame.OutputBar()->setVisible(show); }

}  // namespace quillet::app

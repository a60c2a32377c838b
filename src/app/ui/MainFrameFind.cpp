// Find, Replace, the repeat-search keys and Go to line, carried out on the view.

#include <QAction>
#include <QLineEdit>

#include "base/CommandIds.h"
#include "app/ui/MainFrame.h"
#include "app/ui/QtText.h"
#include "document/QuilletDoc.h"
#include "editor/TextSearch.h"
#include "editor/ui/EditReplaceDlg.h"
#include "editor/ui/GotolineDlg.h"
#include "editor/ui/QuilletView.h"

namespace quillet::app {

void CMainFrame::ConnectFindCommands() {
  // F3 and Shift+F3 have no menu item; the window holds their actions so that the keys work.
  for (const int id : {ID_EDIT_REPEAT, ID_EDIT_FIND_PREVIOUS}) {
    QAction* action = MakeAction(id, {});
    m_actions[id] = action;
    addAction(action);
  }
  ConnectCommand(ID_EDIT_FIND, [this] { OpenFindDialog(false); });
  ConnectCommand(ID_EDIT_REPLACE, [this] { OpenFindDialog(true); });
  ConnectCommand(ID_EDIT_REPEAT, [this] { OnRepeatSearch(false); });
  ConnectCommand(ID_EDIT_FIND_PREVIOUS, [this] { OnRepeatSearch(true); });
  ConnectCommand(ID_EDIT_GOTO_LINE, [this] { OnGoToLine(); });
}

editor::CEditReplaceDlg* CMainFrame::FindDialog() const { return m_findDialog; }

// The dialog searches through the view's editor core, so it has to go before the view does.
void CMainFrame::CloseFindDialog() {
  if (m_findDialog == nullptr) return;
  m_findDialog->reject();
  delete m_findDialog;
}

void CMainFrame::OpenFindDialog(bool replace) {
  // One dialog at a time; while it is open the two commands do nothing.
  if (m_findDialog != nullptr) return;
  using EKind = editor::CEditReplaceDlg::EKind;
  m_findDialog = new editor::CEditReplaceDlg(
      replace ? EKind::Replace : EKind::Find, m_view->Core(), &m_settings,
      [this](const QString& text) { m_prompts->ShowMessage(text); }, this);
  m_findDialog->show();
}

void CMainFrame::OnRepeatSearch(bool reverse) {
  editor::CEditorCore& core = m_view->Core();
  if (!core.HasLastSearch() || core.LastSearchText().empty()) {
    OpenFindDialog(false);
    return;
  }
  if (!core.RepeatSearch(reverse)) {
    m_prompts->ShowMessage(ToQString(editor::NotFoundMessage(core.LastSearchText())));
  }
}

void CMainFrame::OnGoToLine() {
  auto* dialog = new editor::CGotolineDlg(
      m_document.GetLineCount(), [this](const QString& text) { m_prompts->ShowMessage(text); }, this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QDialog::accepted, this, [this, dialog] {
    m_view->Core().GoToLine(dialog->Line());
    m_view->setFocus();
  });
  // Window-modal and asynchronous, so that the frame's event loop keeps running.
  dialog->open();
}

}  // namespace quillet::app

// The editing commands of the menus, toolbars and context menu, carried out by the view.

#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include "base/CommandIds.h"
#include "app/ui/MainFrame.h"
#include "app/AppStrings.h"
#include "app/SettingsReferenceStore.h"
#include "editor/EditorSettings.h"
#include "editor/TypeInformation.h"
#include "typeinfo/ui/DialogTypeLibLocator.h"
#include "editor/ui/QuilletView.h"

namespace quillet::app {
namespace {

constexpr int kViewCommands[] = {
    ID_EDIT_CUT,           ID_EDIT_COPY,           ID_EDIT_PASTE,
    ID_EDIT_SELECT_ALL,    ID_EDIT_COMMENT,        ID_EDIT_UNCOMMENT,
    ID_EDIT_TOGGLE_BOOKMARK, ID_EDIT_NEXT_BOOKMARK, ID_EDIT_PREVIOUS_BOOKMARK,
    ID_EDIT_CLEAR_ALL_BOOKMARKS, ID_EDIT_INCREASE_INDENT, ID_EDIT_DECREASE_INDENT,
    ID_VIEW_LINE_NUMBERS,  ID_VIEW_WHITESPACE,     ID_VIEW_CHANGE_FONT,
    ID_EDIT_LIST_MEMBERS,  ID_EDIT_PARAMETERS_INFO, ID_EDIT_COMPLETE_WORD,
};

}  // namespace

void CMainFrame::ConnectEditorCommands() {
  for (const int id : kViewCommands) ConnectCommand(id, [this, id] { m_view->ExecuteCommand(id); });
  // Enabled states, check marks and the Undo and Redo texts follow the view each time a menu
  // opens, as menus are the only place they are seen.
  for (QMenu* menu : menuBar()->findChildren<QMenu*>()) {
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateEditorCommands);
  }
  connect(m_view, &QWidget::customContextMenuRequested, this, &CMainFrame::UpdateEditorCommands);
  ConnectIntelliSense();
}

// IntelliSense resolves ProgIDs through the user's references, and asks with the locate dialog
// when nothing else knows a class; the member list's selection shows in the status bar.
void CMainFrame::ConnectIntelliSense() {
  m_referenceStore = std::make_unique<CSettingsReferenceStore>(m_settings);
  m_typeInformation = std::make_unique<editor::CTypeInformation>(
      *m_referenceStore, [this](const typeinfo::CTypeLibrary::RegistryPtr& registry) {
        return std::make_unique<typeinfo::CDialogTypeLibLocator>(registry, this);
      });
  m_view->SetTypeInformation(m_typeInformation.get());
  connect(m_view, &editor::CQuilletView::StatusTextChanged, this, [this](const QString& text) {
    statusBar()->showMessage(text.isEmpty() ? QString::fromUtf16(kReadyMessage.data(), kReadyMessage.size()) : text);
  });
}

void CMainFrame::UpdateEditorCommands() {
  for (const int id : kViewCommands) Action(id)->setEnabled(m_view->IsCommandEnabled(id));
  Action(ID_EDIT_UNDO)->setText(m_view->UndoMenuText());
  Action(ID_EDIT_UNDO)->setEnabled(m_view->IsCommandEnabled(ID_EDIT_UNDO));
  Action(ID_EDIT_REDO)->setText(m_view->RedoMenuText());
  Action(ID_EDIT_REDO)->setEnabled(m_view->IsCommandEnabled(ID_EDIT_REDO));
  const editor::SEditorSettings& settings = m_view->Core().Settings();
  Action(ID_VIEW_LINE_NUMBERS)->setChecked(settings.lineNumbers);
  Action(ID_VIEW_WHITESPACE)->setChecked(settings.showWhitespace);
}

}  // namespace quillet::app

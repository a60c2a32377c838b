// The snippet menus, insertion, F4's library, and the Samples menu.

#include <QAction>
#include <QApplication>
#include <QMenu>

#include "app/ui/MainFrame.h"
#include "base/CommandIds.h"
#include "document/QuilletDoc.h"
#include "editor/EditorCore.h"
#include "editor/ui/QuilletView.h"
#include "snippets/SnippetLibrary.h"
#include "snippets/SnippetText.h"
#include "snippets/ui/AddSnippetDlg.h"
#include "snippets/ui/LibrarySnippetSource.h"
#include "snippets/ui/OrganizeSnippetsDlg.h"
#include "snippets/ui/SamplesCatalog.h"
#include "snippets/ui/ShippedSnippetFolder.h"
#include "snippets/ui/SnippetMenu.h"
#include "typeinfo/ui/WMIDialog.h"

namespace quillet::app {
namespace {

// Items above the tree: Add, Organize, a separator, WMI, a separator; the context menu's pop-up
// keeps WMI and a separator.
constexpr int kSnippetsMenuFixedItems = 5;
constexpr int kContextPopupFixedItems = 2;

QString SamplesFilePath() {
  return QString::fromStdString(snippets::ShippedSnippetFolder()) + QStringLiteral("/samples.xml");
}

}  // namespace

void CMainFrame::ConnectSnippetCommands() {
  m_snippetSource = std::make_unique<snippets::CLibrarySnippetSource>(snippets::ShippedSnippetFolder());
  m_view->Core().SetSnippetSource(m_snippetSource.get());
  // Every opening reads the file again, so a library changed by another instance shows at once.
  for (QMenu* menu : {m_snippetsMenu, m_insertSnippetMenu, m_contextSnippetMenu}) {
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::RebuildSnippetMenus);
  }
  connect(m_samplesMenu, &QMenu::aboutToShow, this, &CMainFrame::RebuildSamplesMenu);
  ConnectCommand(ID_SNIPPETS_ADD, [this] { OnAddSnippet(); });
  ConnectCommand(ID_SNIPPETS_ORGANIZE, [this] { OnOrganizeSnippets(); });
  ConnectCommand(ID_SNIPPETS_WMI, [this] {
    typeinfo::RunWmiScriptCommand(this, [this](std::u16string_view script) {
      m_view->Core().InsertAsPaste(script);
      UpdateEditorCommands();
    });
  });
  RebuildSnippetMenus();
}

std::optional<std::string> CMainFrame::SnippetsFilePath() {
  const snippets::SSnippetsPathResult path = snippets::GetSnippetsFilePath(snippets::ShippedSnippetFolder());
  if (!path.ok) {
    m_prompts->ShowError(QStringLiteral("Could not create the following directory :\n") +
                         QString::fromStdString(path.failedFolder));
    return std::nullopt;
  }
  return path.path;
}

void CMainFrame::RebuildSnippetMenus() {
  const std::optional<std::string> path = SnippetsFilePath();
  const std::function<void(size_t)> insert = [this](size_t number) { InsertSnippet(number); };
  const std::string file = path.value_or(std::string());
  snippets::BuildSnippetMenu(m_snippetsMenu, kSnippetsMenuFixedItems, file, insert);
  snippets::BuildSnippetMenu(m_insertSnippetMenu, kSnippetsMenuFixedItems, file, insert);
  snippets::BuildSnippetMenu(m_contextSnippetMenu, kContextPopupFixedItems, file, insert);
}

void CMainFrame::InsertSnippet(size_t number) {
  const std::optional<std::string> path = SnippetsFilePath();
  if (!path) return;
  const std::optional<snippets::SSnippet> snippet = snippets::FindSnippetByNumber(*path, number);
  if (!snippet) return;
  m_view->Core().InsertSnippet(snippet->code);
  UpdateEditorCommands();
}

void CMainFrame::OnAddSnippet() {
  const std::optional<std::string> path = SnippetsFilePath();
  if (!path) return;
  snippets::CSnippetFolder root;
  (void)snippets::LoadSnippets(root, *path);  // what could be read; a damaged file is kept aside on save
  snippets::CAddSnippetDlg dialog(root, QString::fromStdU16String(m_view->Core().SelectedText()),
                                  snippets::SSnippetDialogPrompts::Modal(), this);
  if (dialog.exec() == QDialog::Accepted) SaveSnippetLibrary(root, *path);
}

void CMainFrame::OnOrganizeSnippets() {
  const std::optional<std::string> path = SnippetsFilePath();
  if (!path) return;
  snippets::CSnippetFolder root;
  (void)snippets::LoadSnippets(root, *path);
  snippets::COrganizeSnippetsDlg dialog(root, snippets::SSnippetDialogPrompts::Modal(), this);
  if (dialog.exec() == QDialog::Accepted) SaveSnippetLibrary(root, *path);
}

void CMainFrame::SaveSnippetLibrary(const snippets::CSnippetFolder& root, const std::string& path) {
  if (!snippets::SaveSnippets(root, path)) {
    m_prompts->ShowError(QStringLiteral("Failed to save the snippet library:\n") + QString::fromStdString(path));
  }
  RebuildSnippetMenus();
}

void CMainFrame::RebuildSamplesMenu() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  for (QAction* action : m_samplesMenu->actions()) {
    m_samplesMenu->removeAction(action);
    if (QMenu* popup = action->menu()) popup->deleteLater();
    if (action->parent() == m_samplesMenu) action->deleteLater();
  }
  if (const auto catalog = snippets::CSamplesCatalog::Load(SamplesFilePath())) {
    catalog->FillMenu(m_samplesMenu, [this](int number) { OpenSample(number); });
  }
  if (m_samplesMenu->actions().isEmpty()) m_samplesMenu->addAction(Action(ID_SAMPLES_EMPTY));
  QApplication::restoreOverrideCursor();
}

void CMainFrame::OpenSample(int number) {
  const auto catalog = snippets::CSamplesCatalog::Load(SamplesFilePath());
  if (!catalog) return;
  const std::optional<QString> script = catalog->ScriptText(number);
  if (!script || !SaveModified()) return;
  ClearArgumentsAndOutput();
  if (!m_document.OnNewDocument()) return;
  m_view->Core().InsertAsPaste(snippets::SampleScriptText(script->toStdU16String()));
  // A sample opens as a script just opened: nothing to undo, nothing to save.
  m_document.ResetUndo();
  m_document.SetModifiedFlag(false);
  UpdateTitle();
  UpdateEditorCommands();
}

}  // namespace quillet::app

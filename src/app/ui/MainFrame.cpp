#include "app/ui/MainFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>

#include "app/AppStrings.h"
#include "base/CommandIds.h"
#include "app/RecentFileList.h"
#include "app/SettingsReferenceStore.h"
#include "base/SettingsInventory.h"
#include "app/ui/FrameDebugWindows.h"
#include "app/ui/FrameObjectBrowser.h"
#include "app/ui/FrameRunHost.h"
#include "document/DocumentSaveFlow.h"
#include "document/QuilletDoc.h"
#include "debug/DebugController.h"
#include "debug/ui/ScriptRunner.h"
#include "editor/TypeInformation.h"
#include "editor/ui/QuilletView.h"
#include "snippets/ui/LibrarySnippetSource.h"

namespace quillet::app {
namespace {

QString FromUtf16(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

CMainFrame::CMainFrame(document::CQuilletDoc& document, CRecentFileList& recentFiles,
                       CSettings& settings, const SOsVersion& osVersion)
    : m_document(document),
      m_recentFiles(recentFiles),
      m_settings(settings),
      m_osVersion(osVersion),
      m_dialogPrompts(std::make_unique<CDialogPrompts>(this)),
      m_prompts(m_dialogPrompts.get()) {
  m_view = new editor::CQuilletView(document, this);
  m_view->SetSettings(&m_settings);
  setCentralWidget(m_view);
  setAcceptDrops(true);
  CreateCommands();
  CreateMenus();
  CreateContextMenu();
  CreateToolbars();
  CreateStatusBar();
  CreateDockingBars();
  ConnectFrameCommands();
  ConnectEditorCommands();
  ConnectFindCommands();
  ConnectPrintCommands();
  ConnectRunCommands();
  ConnectDebugCommands();
  ConnectSnippetCommands();
  RebuildRecentFiles();
  resize(800, 600);
  RestorePlacement();
  UpdateTitle();
}

CMainFrame::~CMainFrame() {
  CloseFindDialog();
  m_view->SetTypeInformation(nullptr);
}

QAction* CMainFrame::Action(int commandId) const {
  const auto found = m_actions.find(commandId);
  return found == m_actions.end() ? nullptr : found->second;
}

void CMainFrame::ConnectCommand(int commandId, std::function<void()> handler) {
  for (QAction* action : findChildren<QAction*>()) {
    if (action->data().toInt() != commandId) continue;
    action->setEnabled(true);
    connect(action, &QAction::triggered, this, [handler] { handler(); });
  }
}

void CMainFrame::RebuildRecentFiles() {
  for (QAction* action : m_recentActions) delete action;
  m_recentActions.clear();
  QAction* placeholder = Action(ID_FILE_MRU_FILE1);
  const auto& entries = m_recentFiles.Entries();
  // The greyed "Recent File" item stands in for an empty list.
  placeholder->setVisible(entries.empty());
  for (size_t i = 0; i < entries.size(); ++i) {
    const QString path = QFile::decodeName(entries[i].c_str());
    QAction* action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(path), m_fileMenu);
    action->setData(ID_FILE_MRU_FILE1 + static_cast<int>(i));
    m_fileMenu->insertAction(placeholder, action);
    connect(action, &QAction::triggered, this, [this, i] {
      if (i >= m_recentFiles.Entries().size()) return;
      const std::string path = m_recentFiles.Entries()[i];
      if (SaveModified() && !OpenDocumentFile(path)) {
        m_recentFiles.Remove(i);
        RebuildRecentFiles();
      }
    });
    m_recentActions.push_back(action);
  }
}

void CMainFrame::UpdateTitle() {
  setWindowTitle(QFile::decodeName(m_document.GetTitle().c_str()) + QStringLiteral(" - ") +
                 FromUtf16(kAppTitle));
}

bool CMainFrame::SaveModified() {
  if (!StopDebuggingToLeave()) return false;
  if (!m_document.IsModified()) return true;
  switch (m_prompts->AskSaveChanges(QFile::decodeName(m_document.GetTitle().c_str()))) {
    case ESaveChangesAnswer::Save: return OnFileSave();
    case ESaveChangesAnswer::Discard: return true;
    default: return false;
  }
}

bool CMainFrame::OpenDocumentFile(const std::string& path) {
  // The arguments and the output belong to the script on screen, which a file that cannot be
  // read leaves in place.
  if (!m_document.OnOpenDocument(path, [this] { ClearArgumentsAndOutput(); })) {
    m_prompts->ShowError(FromUtf16(kFailedToOpenDocument));
    UpdateTitle();
    return false;
  }
  m_recentFiles.Add(m_document.GetPathName());
  RebuildRecentFiles();
  UpdateTitle();
  return true;
}

void CMainFrame::OnFileNew() {
  if (!SaveModified()) return;
  ClearArgumentsAndOutput();
  m_document.OnNewDocument();
  UpdateTitle();
}

void CMainFrame::OnFileOpen() {
  if (!SaveModified()) return;
  const std::string folder =
      m_document.GetPathName().empty()
          ? QDir::currentPath().toStdString()
          : QFileInfo(QFile::decodeName(m_document.GetPathName().c_str())).absolutePath().toStdString();
  if (const auto path = m_prompts->AskOpenPath(folder)) OpenDocumentFile(*path);
}

void CMainFrame::AfterSave(bool saved) {
  if (!saved) return;
  m_recentFiles.Add(m_document.GetPathName());
  RebuildRecentFiles();
  UpdateTitle();
}

bool CMainFrame::OnFileSave() {
  document::CDocumentSaveFlow flow(m_document, *m_prompts);
  const bool saved = flow.Save();
  AfterSave(saved);
  return saved;
}

bool CMainFrame::OnFileSaveAs() {
  document::CDocumentSaveFlow flow(m_document, *m_prompts);
  const bool saved = flow.SaveAs();
  AfterSave(saved);
  return saved;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (!SaveModified()) {
    event->ignore();
    return;
  }
  CloseFindDialog();
  SavePlacementAndBars();
  event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty() || !urls.front().isLocalFile()) return;
  event->acceptProposedAction();
  activateWindow();
  if (SaveModified()) OpenDocumentFile(QFile::encodeName(urls.front().toLocalFile()).toStdString());
}

}  // namespace quillet::app

#include "app/ui/MainFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>

#include "app/AppStrings.h"
#include "app/CommandIds.h"
#include "app/RecentFileList.h"
#include "document/DocumentSaveFlow.h"
#include "document/QuilletDoc.h"
#include "editor/ui/QuilletView.h"

namespace quillet::app {
namespace {

QString FromUtf16(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

CMainFrame::CMainFrame(document::CQuilletDoc& document, CRecentFileList& recentFiles)
    : m_document(document),
      m_recentFiles(recentFiles),
      m_dialogPrompts(std::make_unique<CDialogPrompts>(this)),
      m_prompts(m_dialogPrompts.get()) {
  m_view = new editor::CQuilletView(document, this);
  setCentralWidget(m_view);
  setAcceptDrops(true);
  CreateMenus();
  statusBar()->showMessage(QStringLiteral("Ready"));
  connect(m_view, &editor::CQuilletView::CaretMoved, this, [this](int line, int column) {
    statusBar()->showMessage(QStringLiteral("Ln %1, Col %2").arg(line).arg(column));
  });
  resize(800, 600);
  UpdateTitle();
}

CMainFrame::~CMainFrame() = default;

QAction* CMainFrame::AddCommand(QMenu* menu, int commandId, const QString& text,
                                const QKeySequence& keys) {
  QAction* action = menu->addAction(text);
  action->setData(commandId);
  action->setShortcut(keys);
  return action;
}

QAction* CMainFrame::Action(int commandId) const {
  for (QAction* action : findChildren<QAction*>()) {
    if (action->data().toInt() == commandId) return action;
  }
  return nullptr;
}

void CMainFrame::CreateMenus() {
  m_fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
  connect(AddCommand(m_fileMenu, ID_FILE_NEW, QStringLiteral("&New"), QKeySequence::New),
          &QAction::triggered, this, &CMainFrame::OnFileNew);
  connect(AddCommand(m_fileMenu, ID_FILE_OPEN, QStringLiteral("&Open..."), QKeySequence::Open),
          &QAction::triggered, this, &CMainFrame::OnFileOpen);
  connect(AddCommand(m_fileMenu, ID_FILE_SAVE, QStringLiteral("&Save"), QKeySequence::Save),
          &QAction::triggered, this, &CMainFrame::OnFileSave);
  connect(AddCommand(m_fileMenu, ID_FILE_SAVE_AS, QStringLiteral("Save &As..."), QKeySequence()),
          &QAction::triggered, this, &CMainFrame::OnFileSaveAs);
  m_recentSeparator = m_fileMenu->addSeparator();
  m_fileMenu->addSeparator();
  m_exitAction = AddCommand(m_fileMenu, ID_APP_EXIT, QStringLiteral("E&xit"), QKeySequence());
  connect(m_exitAction, &QAction::triggered, this, &QWidget::close);

  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  connect(AddCommand(edit, ID_EDIT_UNDO, QStringLiteral("&Undo"), QKeySequence::Undo),
          &QAction::triggered, m_view, &editor::CQuilletView::Undo);
  connect(AddCommand(edit, ID_EDIT_REDO, QStringLiteral("&Redo"), QKeySequence::Redo),
          &QAction::triggered, m_view, &editor::CQuilletView::Redo);
  // The view handles these keys itself while it has the focus.
  for (QAction* action : edit->actions()) action->setShortcutContext(Qt::WidgetShortcut);
  RebuildRecentFiles();
}

void CMainFrame::RebuildRecentFiles() {
  for (QAction* action : m_recentActions) delete action;
  m_recentActions.clear();
  const auto& entries = m_recentFiles.Entries();
  for (size_t i = 0; i < entries.size(); ++i) {
    const QString path = QFile::decodeName(entries[i].c_str());
    QAction* action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(path), m_fileMenu);
    action->setData(ID_FILE_MRU_FILE1 + static_cast<int>(i));
    m_fileMenu->insertAction(m_recentSeparator, action);
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
  if (!m_document.IsModified()) return true;
  switch (m_prompts->AskSaveChanges(QFile::decodeName(m_document.GetTitle().c_str()))) {
    case ESaveChangesAnswer::Save: return OnFileSave();
    case ESaveChangesAnswer::Discard: return true;
    default: return false;
  }
}

bool CMainFrame::OpenDocumentFile(const std::string& path) {
  if (!m_document.OnOpenDocument(path)) {
    m_prompts->ShowError(FromUtf16(kFailedToOpenDocument));
    // What was read stays on screen but belongs to no file, so a save cannot overwrite it.
    m_document.ClearPathName();
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
  if (SaveModified()) {
    event->accept();
  } else {
    event->ignore();
  }
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

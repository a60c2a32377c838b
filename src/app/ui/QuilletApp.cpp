#include "app/ui/QuilletApp.h"

#include <QFile>
#include <QGuiApplication>
#include <QScreen>

#include "app/AppStrings.h"
#include "app/CommandLine.h"
#include "app/RecentFileList.h"
#include "base/SettingsInventory.h"
#include "app/TempFolderCleaner.h"
#include "app/ui/MainFrame.h"
#include "editor/ui/QuilletView.h"
#include "document/QuilletDoc.h"
#include "platform/AppPaths.h"
#include "platform/SettingsStore.h"

namespace quillet::app {

CQuilletApp::CQuilletApp() = default;

CQuilletApp::~CQuilletApp() {
  // The frame's view is attached to the document; it goes first.
  m_mainFrame.reset();
}

bool CQuilletApp::InitInstance(const QStringList& arguments, IFramePrompts* prompts) {
  m_store = std::make_unique<platform::CSettingsStore>(
      platform::SettingsFilePath(), platform::CSettingsStore::RootKeyFor(kCompanyName, kAppTitle));
  m_settings = std::make_unique<CSettings>(*m_store);
  m_recentFiles = std::make_unique<CRecentFileList>(*m_settings);
  m_recentFiles->Load();
  m_previewPages = m_settings->Read(settings::PreviewPages);

  const QScreen* screen = QGuiApplication::primaryScreen();
  m_colorDepth = screen != nullptr ? screen->depth() : 0;
  m_osVersion = ReadOsVersion();

  m_document = std::make_unique<document::CQuilletDoc>();
  m_mainFrame = std::make_unique<CMainFrame>(*m_document, *m_recentFiles, *m_settings, m_osVersion);
  if (prompts != nullptr) m_mainFrame->SetPrompts(prompts);

  std::vector<std::string> words;
  for (const QString& argument : arguments) words.push_back(QFile::encodeName(argument).toStdString());
  const SCommandLine commandLine = ParseCommandLine(words);
  if (commandLine.fileToOpen) {
    if (!m_mainFrame->OpenDocumentFile(*commandLine.fileToOpen)) return false;
  } else {
    m_document->OnNewDocument();
    m_mainFrame->UpdateTitle();
  }

  m_mainFrame->show();
  m_mainFrame->View()->setFocus();

  m_tempFolder = PrepareTemporaryFolder();
  if (!m_tempFolder.empty()) StartTemporaryFolderCleanup(m_tempFolder);
  return true;
}

}  // namespace quillet::app

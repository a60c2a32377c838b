#pragma once
// The application object: settings store, recent files, the single document with its main
// window and view, the command line, and the temporary folder with its clean-up.

#include <QObject>
#include <QStringList>

#include <memory>
#include <string>

#include "app/OsVersion.h"

namespace quillet::document {
class CQuilletDoc;
}
namespace quillet::platform {
class CSettingsStore;
}

namespace quillet::app {

class CMainFrame;
class CRecentFileList;
class CSettings;
class IFramePrompts;

class CQuilletApp : public QObject {
  Q_OBJECT

 public:
  CQuilletApp();
  ~CQuilletApp() override;

  // Start-up in order; false ends the application (for instance a script that cannot be
  // opened). prompts, when given, answers the main window's questions instead of dialogs.
  bool InitInstance(const QStringList& arguments, IFramePrompts* prompts = nullptr);

  [[nodiscard]] CSettings& Settings() const { return *m_settings; }
  [[nodiscard]] CRecentFileList& RecentFiles() const { return *m_recentFiles; }
  [[nodiscard]] document::CQuilletDoc& Document() const { return *m_document; }
  [[nodiscard]] CMainFrame* MainFrame() const { return m_mainFrame.get(); }
  [[nodiscard]] int ColorDepth() const { return m_colorDepth; }
  [[nodiscard]] const SOsVersion& OsVersion() const { return m_osVersion; }
  [[nodiscard]] int PreviewPages() const { return m_previewPages; }
  // Empty when the per-user temporary folder could not be made.
  [[nodiscard]] const std::string& TempFolder() const { return m_tempFolder; }

 private:
  std::unique_ptr<platform::CSettingsStore> m_store;
  std::unique_ptr<CSettings> m_settings;
  std::unique_ptr<CRecentFileList> m_recentFiles;
  std::unique_ptr<document::CQuilletDoc> m_document;
  std::unique_ptr<CMainFrame> m_mainFrame;
  int m_colorDepth = 0;
  SOsVersion m_osVersion;
  int m_previewPages = 0;
  std::string m_tempFolder;
};

}  // namespace quillet::app

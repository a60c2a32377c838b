// The help and web commands of the main window.

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "app/AppStrings.h"
#include "base/CommandIds.h"
#include "app/HelpAddresses.h"
#include "app/LanguageReference.h"
#include "base/SettingsInventory.h"
#include "app/ui/MainFrame.h"
#include "app/ui/QtText.h"
#include "document/QuilletDoc.h"
#include "editor/ui/QuilletView.h"

namespace quillet::app {
namespace {

QUrl HelpPage(const QString& relative) {
  const qsizetype hash = relative.indexOf(QLatin1Char('#'));
  QUrl url = QUrl::fromLocalFile(QDir(CMainFrame::HelpFolder()).filePath(relative.left(hash)));
  if (hash >= 0) url.setFragment(relative.mid(hash + 1));
  return url;
}

}  // namespace

QString CMainFrame::HelpFolder() {
  const QString installed = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(QUILLET_INSTALLED_HELP_DIR));
  if (QFileInfo::exists(QDir(installed).filePath(ToQString(kHelpIndexPage)))) return QDir::cleanPath(installed);
  return QStringLiteral(QUILLET_BUILD_HELP_DIR);
}

void CMainFrame::ConnectHelpCommands() {
  connect(Action(ID_HELP_CONTENTS), &QAction::triggered, this, &CMainFrame::OnHelpContents);
  connect(Action(ID_HELP_SEARCH), &QAction::triggered, this, &CMainFrame::OnHelpSearch);
  connect(Action(ID_HELP_SEARCH_WEB), &QAction::triggered, this, &CMainFrame::OnHelpSearchWeb);
  connect(Action(ID_HELP_WEBSITE), &QAction::triggered, this, &CMainFrame::OnHelpWebsite);
  connect(Action(ID_APP_ABOUT), &QAction::triggered, this, &CMainFrame::OnAbout);
  // Where the maker has no page for this system the command stays greyed.
  if (DownloadPageAddress(ID_HELP_DOWNLOAD_DEBUGGER, m_osVersion)) {
    ConnectCommand(ID_HELP_DOWNLOAD_DEBUGGER, [this] { OnDownloadPage(ID_HELP_DOWNLOAD_DEBUGGER); });
  }
}

std::u16string CMainFrame::WordAtCaret() const {
  const document::CTextPosition caret = m_view->CaretPosition();
  if (caret.y < 0 || caret.y >= m_document.GetLineCount()) return {};
  return WordAt(m_document.GetLine(caret.y), caret.x);
}

void CMainFrame::OnHelpContents() {
  if (m_debugging) {
    m_prompts->ShowMessage(ToQString(kHelpWhileDebugging));
    return;
  }
  m_prompts->OpenAddress(HelpPage(ToQString(kHelpIndexPage)));
}

void CMainFrame::OnContextHelp(int commandId) {
  if (m_debugging) {
    m_prompts->ShowMessage(ToQString(kHelpWhileDebugging));
    return;
  }
  m_prompts->OpenAddress(HelpPage(ToQString(ContextHelpPage(commandId))));
}

void CMainFrame::OnHelpSearch() {
  if (m_debugging) {
    m_prompts->ShowMessage(ToQString(kHelpWhileDebugging));
    return;
  }
  const std::u16string userFile = m_settings.Read(settings::HelpFile);
  if (!userFile.empty()) {
    m_prompts->OpenAddress(QUrl::fromLocalFile(ToQString(userFile)));
    return;
  }
  std::u16string page = ReferencePageForWord(WordAtCaret());
  if (page.empty()) page = kReferenceIndexPage;
  m_prompts->OpenAddress(HelpPage(QStringLiteral("reference/") + ToQString(page)));
}

void CMainFrame::OnHelpSearchWeb() {
  const std::u16string address = WebSearchAddress(m_settings.Read(settings::HelpWeb), WordAtCaret());
  m_prompts->OpenAddress(QUrl(ToQString(address)));
}

void CMainFrame::OnHelpWebsite() { m_prompts->OpenAddress(QUrl(ToQString(kMakerHomePage))); }

void CMainFrame::OnDownloadPage(int commandId) {
  const auto address = DownloadPageAddress(commandId, m_osVersion);
  if (!address) return;
  m_prompts->OpenAddress(QUrl(ToQString(*address)));
  if (commandId == ID_HELP_DOWNLOAD_DEBUGGER) m_settings.Write(settings::DebuggerDisplayMessage, 1);
}

void CMainFrame::OnAbout() {
  m_prompts->ShowAbout(ToQString(kAboutText).arg(QStringLiteral(QUILLET_VERSION)));
}

}  // namespace quillet::app

#include "debug/ScriptPreparer.h"

#include <chrono>
#include <filesystem>
#include <random>

#include "base/SettingsInventory.h"
#include "document/DocumentTypes.h"
#include "document/QuilletDoc.h"
#include "platform/TextConvert.h"

namespace quillet::debug {

std::string CScriptPreparer::TemporaryName(const std::string& folder, const std::string& extension,
                                           uint32_t seed) {
  std::minstd_rand generator(seed);
  std::string name = folder + "/";
  for (int i = 0; i < 8; ++i) name += static_cast<char>('A' + generator() % 26);
  return name + extension;
}

// A file standing where the folder should be counts as failure here: the copy could not be
// written there, and running a stale file of that name would be worse than saying so.
bool CScriptPreparer::EnsureTemporaryFolder() {
  std::error_code error;
  std::filesystem::create_directories(m_temporaryFolder, error);
  if (std::filesystem::is_directory(m_temporaryFolder, error)) return true;
  m_prompts.ShowError(u"Could not create the following temporary directory :\n" +
                      platform::Utf8ToUtf16(m_temporaryFolder));
  return false;
}

bool CScriptPreparer::PrepareUntitled() {
  if (m_temporaryFolder.empty() || !EnsureTemporaryFolder()) {
    if (m_temporaryFolder.empty()) m_prompts.ShowError(u"Could not create the following temporary directory :\n");
    return false;
  }
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  std::string path = TemporaryName(m_temporaryFolder, ".vbs", static_cast<uint32_t>(now.count()));
  m_document.SetUnicode(m_document.HasNonAnsiChars());
  const bool wasModified = m_document.IsModified();
  if (!m_document.SaveToFile(path, document::EolCrLf, false)) {
    m_prompts.ShowError(u"Cannot run " + platform::Utf8ToUtf16(path));
    return false;
  }
  m_document.SetModifiedFlag(wasModified);
  m_runPath = std::move(path);
  return true;
}

bool CScriptPreparer::SaveModified() {
  if (m_settings.Read(app::settings::AutomaticallySave) != 0) return m_prompts.SaveDocument();
  switch (m_prompts.AskSaveChanges()) {
    case ESaveAnswer::Yes: return m_prompts.SaveDocument();
    case ESaveAnswer::No: return true;
    case ESaveAnswer::Cancel: return false;
  }
  return false;
}

bool CScriptPreparer::PrepareScriptFile() {
  if (m_document.GetPathName().empty()) return PrepareUntitled();
  if (m_document.IsModified() && !SaveModified()) return false;
  m_runPath = m_document.GetPathName();
  return true;
}

}  // namespace quillet::debug

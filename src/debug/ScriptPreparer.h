#pragma once
// Decides which file the host executes: the document's own file, saved first when it has
// changes, or a copy of an untitled text in the temporary folder. The debugger's start uses the
// same preparation.

#include <cstdint>
#include <string>

namespace quillet::app {
class CSettings;
}
namespace quillet::document {
class CQuilletDoc;
}

namespace quillet::debug {

enum class ESaveAnswer { Yes, No, Cancel };

// What the preparation asks of the window around it.
class IRunPrompts {
 public:
  virtual ~IRunPrompts() = default;
  // The Save command, with its own dialogs; false when it did not save.
  virtual bool SaveDocument() = 0;
  // "Save changes to %1?" with Yes, No and Cancel.
  virtual ESaveAnswer AskSaveChanges() = 0;
  virtual void ShowError(const std::u16string& message) = 0;
};

class CScriptPreparer {
 public:
  CScriptPreparer(document::CQuilletDoc& document, const app::CSettings& settings, IRunPrompts& prompts,
                  std::string temporaryFolder)
      : m_document(document), m_settings(settings), m_prompts(prompts), m_temporaryFolder(std::move(temporaryFolder)) {}

  // Sets RunPath; false when the run is abandoned.
  [[nodiscard]] bool PrepareScriptFile();
  [[nodiscard]] const std::string& RunPath() const { return m_runPath; }

  // The folder, a slash and eight capital letters, then extension. The letters come from a
  // generator seeded with the time; seed makes them repeatable.
  [[nodiscard]] static std::string TemporaryName(const std::string& folder, const std::string& extension,
                                                 uint32_t seed);

 private:
  [[nodiscard]] bool PrepareUntitled();
  [[nodiscard]] bool SaveModified();
  [[nodiscard]] bool EnsureTemporaryFolder();

  document::CQuilletDoc& m_document;
  const app::CSettings& m_settings;
  IRunPrompts& m_prompts;
  std::string m_temporaryFolder;
  std::string m_runPath;
};

}  // namespace quillet::debug

#pragma once
// Save and Save As: choosing the path and the encoding, warning before characters would be
// lost, and writing the file. The questions to the user go through IDocumentPrompts, so the
// flow runs the same under the real dialogs and under tests.

#include <optional>
#include <string>
#include <string_view>

namespace quillet::document {

class CQuilletDoc;

struct SSaveFilter {
  std::u16string_view name;
  std::u16string_view pattern;
};

// In the Save As dialog's order; the numbers the dialog uses start at 1.
inline constexpr SSaveFilter kSaveFilters[] = {
    {u"VBScript (*.vbs)", u"*.vbs"},
    {u"VBScript Unicode (*.vbs)", u"*.vbs"},
    {u"All Files (*.*)", u"*.*"},
};
inline constexpr int kAnsiFilter = 1;
inline constexpr int kUnicodeFilter = 2;

struct SSaveAsRequest {
  std::string proposedPath;
  std::u16string title;    // "Save As", or "Save Copy As" when the document keeps its path
  int filterIndex = kAnsiFilter;
};

struct SSaveAsAnswer {
  std::string path;
  int filterIndex = kAnsiFilter;
};

class IDocumentPrompts {
 public:
  virtual ~IDocumentPrompts() = default;
  // Nothing when the user cancels.
  virtual std::optional<SSaveAsAnswer> AskSavePath(const SSaveAsRequest& request) = 0;
  // OK/Cancel; true for OK.
  virtual bool ConfirmUnicodeLoss(const std::u16string& message) = 0;
  // error is the system's error number.
  virtual void ReportSaveFailure(const std::string& path, int error) = 0;
};

class CDocumentSaveFlow {
 public:
  CDocumentSaveFlow(CQuilletDoc& document, IDocumentPrompts& prompts)
      : m_document(document), m_prompts(prompts) {}

  // path null: ask for one. replace: the saved file becomes the document's file.
  bool DoSave(const std::string* path, bool replace);
  bool Save();
  bool SaveAs() { return DoSave(nullptr, true); }

  [[nodiscard]] static std::u16string UnicodeLossMessage(const std::string& path);

 private:
  std::optional<std::string> AskForPath(bool replace, bool nonAnsi);

  CQuilletDoc& m_document;
  IDocumentPrompts& m_prompts;
};

}  // namespace quillet::document

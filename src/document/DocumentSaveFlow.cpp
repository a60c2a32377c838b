#include "document/DocumentSaveFlow.h"

#include "document/QuilletDoc.h"
#include "platform/TextConvert.h"

namespace quillet::document {

std::u16string CDocumentSaveFlow::UnicodeLossMessage(const std::string& path) {
  return platform::Utf8ToUtf16(path) +
         u"\nThis file contains characters in Unicode format which will be lost if you save "
         u"this file as an ANSI script. To keep the Unicode information, select the Unicode "
         u"encoding in the Save As dialog box. Continue ?";
}

bool CDocumentSaveFlow::Save() {
  const std::string path = m_document.GetPathName();
  return DoSave(path.empty() ? nullptr : &path, true);
}

std::optional<std::string> CDocumentSaveFlow::AskForPath(bool replace, bool nonAnsi) {
  SSaveAsRequest request;
  request.proposedPath = m_document.GetPathName();
  if (request.proposedPath.empty() && replace) {
    const std::string title = m_document.GetTitle();
    request.proposedPath = title.substr(0, title.find_first_of(":/\\")) + ".vbs";
  }
  request.title = replace ? u"Save As" : u"Save Copy As";
  request.filterIndex = (m_document.IsUnicode() || nonAnsi) ? kUnicodeFilter : kAnsiFilter;
  const std::optional<SSaveAsAnswer> answer = m_prompts.AskSavePath(request);
  if (!answer) return std::nullopt;
  // "All Files" saves as ANSI.
  m_document.SetUnicode(answer->filterIndex == kUnicodeFilter);
  return answer->path;
}

bool CDocumentSaveFlow::DoSave(const std::string* path, bool replace) {
  const bool nonAnsi = m_document.HasNonAnsiChars();
  std::string target;
  if (path == nullptr || path->empty()) {
    const std::optional<std::string> chosen = AskForPath(replace, nonAnsi);
    if (!chosen) return false;
    target = *chosen;
  } else {
    target = *path;
  }
  if (nonAnsi && !m_document.IsUnicode() &&
      !m_prompts.ConfirmUnicodeLoss(UnicodeLossMessage(target))) {
    return false;
  }
  // Every save writes ANSI files with CR LF, whatever the file was loaded with.
  if (!m_document.SaveToFile(target, EolCrLf, true)) {
    m_prompts.ReportSaveFailure(target, m_document.LastFileError());
    return false;
  }
  if (replace) m_document.SetPathName(target);
  return true;
}

}  // namespace quillet::document

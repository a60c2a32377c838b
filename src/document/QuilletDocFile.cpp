// Loading and saving the document's lines, and the file-related framework steps.

#include <bit>
#include <cerrno>
#include <string>

#include "document/DocumentLoader.h"
#include "document/DocumentView.h"
#include "document/QuilletDoc.h"
#include "platform/AnsiCodePage.h"
#include "platform/AtomicFileWriter.h"
#include "platform/PathSpelling.h"

namespace quillet::document {

const platform::CAnsiCodePage& CQuilletDoc::CodePage() const {
  return m_codePage != nullptr ? *m_codePage : platform::CAnsiCodePage::System();
}

bool CQuilletDoc::LoadFromFile(const std::string& path, int32_t style) {
  CDocumentLoader loader(*this);
  if (!loader.Open(path)) {
    m_lastFileError = loader.Error();
    return false;
  }
  return LoadOpened(loader, style);
}

bool CQuilletDoc::LoadOpened(CDocumentLoader& loader, int32_t style) {
  if (GetLineCount() > 0) FreeAll();
  const bool loaded = loader.Load(style);
  m_lastFileError = loader.Error();
  if (GetLineCount() == 0) AppendLine({});  // a document always has a line to show
  m_initialised = true;
  m_modified = false;
  ResetUndo();
  UpdateViews(nullptr, nullptr, UpdateAll, -1);
  return loaded;
}

bool CQuilletDoc::SaveToFile(const std::string& path, int32_t style, bool clearModified) {
  platform::CAtomicFileWriter writer(path, "CRE");
  bool ok = writer.Open();
  if (ok && m_unicode) {
    ok = writer.Write("\xFF\xFE", 2);
    static constexpr char16_t kBreak[] = u"\r\n";
    for (int32_t line = 0; ok && line < GetLineCount(); ++line) {
      if (line > 0) ok = writer.Write(kBreak, 4);
      const std::u16string_view text = GetLine(line);
      // Files are little-endian; so is every machine this program is built for.
      static_assert(std::endian::native == std::endian::little);
      if (ok && !text.empty()) ok = writer.Write(text.data(), text.size() * 2);
    }
  } else if (ok) {
    const std::string_view separator =
        LineEndBytes(style < 0 ? m_lineEndStyle : static_cast<ELineEndStyle>(style));
    const platform::CAnsiCodePage& codePage = CodePage();
    std::string bytes;
    for (int32_t line = 0; ok && line < GetLineCount(); ++line) {
      if (line > 0) ok = writer.Write(separator);
      bytes.clear();
      codePage.Encode(GetLine(line), bytes);
      if (ok && !bytes.empty()) ok = writer.Write(bytes);
    }
  }
  ok = ok && writer.Commit();
  m_lastFileError = ok ? 0 : writer.Error();
  if (ok && clearModified) {
    m_modified = false;
    m_savedPosition = m_undoPosition;
  }
  return ok;
}

bool CQuilletDoc::HasNonAnsiChars() const {
  const platform::CAnsiCodePage& codePage = CodePage();
  for (int32_t line = 0; line < GetLineCount(); ++line) {
    if (GetLineLength(line) > 0 && !codePage.CanEncode(GetLine(line))) return true;
  }
  return false;
}

void CQuilletDoc::SetPathName(const std::string& path) {
  m_pathName = platform::OnDiskSpelling(path);
}

std::string CQuilletDoc::GetTitle() const {
  if (m_pathName.empty()) return "Untitled";
  const size_t slash = m_pathName.rfind('/');
  return slash == std::string::npos ? m_pathName : m_pathName.substr(slash + 1);
}

// The script is given up only once the file has been opened and its first block read, so a
// missing or unreadable file leaves it as it was.
bool CQuilletDoc::OnOpenDocument(const std::string& path, const std::function<void()>& beforeReplacing) {
  CDocumentLoader loader(*this);
  if (!loader.Open(path)) {
    m_lastFileError = loader.Error();
    return false;
  }
  if (beforeReplacing) beforeReplacing();
  DeleteContents();
  // Until the whole file is in, the text belongs to no file, so a save cannot overwrite it.
  m_pathName.clear();
  const bool loaded = LoadOpened(loader, EolDetect);
  if (loaded) SetPathName(path);
  return loaded;
}

}  // namespace quillet::document

#pragma once
// Colours the lines of one document for one view. Keeps the cookie at the end of every line so
// that colouring a line costs one scan of that line, never a rescan of the file.

#include <cstdint>
#include <string_view>
#include <vector>

#include "editor/SyntaxScanner.h"

namespace quillet::document {
class CQuilletDoc;
}

namespace quillet::editor {

class CSyntaxColorizer {
 public:
  explicit CSyntaxColorizer(document::CQuilletDoc& document) : m_document(document) {}

  // The cookie at the end of line; 0 for a negative line.
  [[nodiscard]] uint32_t GetParseCookie(int32_t line);
  // Scans line from cookie and caches the result as the line's end state. With blocks, a Rem
  // spelled otherwise is rewritten to "Rem" in the document: a case correction that records no
  // undo and leaves the modified flag alone.
  uint32_t ParseLine(uint32_t cookie, int32_t line, std::vector<SColorBlock>* blocks);
  // For source analysis: scans text (the line's characters, possibly cut short) from the cached
  // state of the line before it and caches the result, without touching the document.
  uint32_t ScanText(int32_t line, std::u16string_view text, std::vector<SColorBlock>* blocks);

  // Follows a document change. Returns the last line whose colours may have changed: line
  // itself after a one-line edit that left its end state as it was, else -1 for "to the end".
  int32_t Invalidate(uint32_t flags, int32_t line);

  [[nodiscard]] bool HasCache() const { return !m_cookies.empty(); }
  [[nodiscard]] size_t KnownCount() const;

 private:
  void EnsureCache();
  void ForgetFrom(int32_t line);

  document::CQuilletDoc& m_document;
  std::vector<uint32_t> m_cookies;
};

}  // namespace quillet::editor

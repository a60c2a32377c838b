#pragma once
// Reads a script file into a document's lines in one pass over 32 KiB blocks: UTF-16LE when the
// file starts with FF FE, else bytes in the ANSI code page with the line-end style detected
// from the first block or given by the caller.

#include <cstdint>
#include <string>

#include "document/DocumentTypes.h"
#include "document/QuilletDoc.h"

namespace quillet::document {

// What the document can hold; a file beyond it fails to load with EFBIG. An ANSI line is
// measured in bytes, which are never fewer than the characters they decode to.
struct SLoadLimits {
  size_t lineLength = static_cast<size_t>(CQuilletDoc::kMaxLineLength);
  size_t lineCount = static_cast<size_t>(CQuilletDoc::kMaxLineCount);
};

class CDocumentLoader {
 public:
  static constexpr size_t kBlockSize = 0x8000;

  explicit CDocumentLoader(CQuilletDoc& document, SLoadLimits limits = {})
      : m_document(document), m_limits(limits) {}
  ~CDocumentLoader();
  CDocumentLoader(const CDocumentLoader&) = delete;
  CDocumentLoader& operator=(const CDocumentLoader&) = delete;

  // Opens the file and reads its first block without touching the document, so that a file
  // that cannot be read costs the caller nothing; false then.
  bool Open(const std::string& path);
  // Reads the opened file into the document; false when a later read failed or the text does
  // not fit the limits, and the lines read so far stay.
  bool Load(int32_t style);
  bool Load(const std::string& path, int32_t style) { return Open(path) && Load(style); }
  [[nodiscard]] int Error() const { return m_error; }

 private:
  bool ReadBlock();
  bool LoadUnicode(size_t start);
  bool LoadAnsi(ELineEndStyle style);
  bool AppendUnicodeLine(const char* bytes, size_t size);
  bool AppendAnsiLine(const char* bytes, size_t size);
  // False, with EFBIG, when a line of length units (or a line more) would not fit.
  bool Fits(size_t length);
  [[nodiscard]] ELineEndStyle DetectStyle() const;

  CQuilletDoc& m_document;
  SLoadLimits m_limits;
  int m_fd = -1;
  int m_error = 0;
  char m_block[kBlockSize];
  size_t m_blockSize = 0;
  bool m_endOfFile = false;
};

}  // namespace quillet::document

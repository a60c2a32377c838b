#pragma once
// Reads a script file into a document's lines in one pass over 32 KiB blocks: UTF-16LE when the
// file starts with FF FE, else bytes in the ANSI code page with the line-end style detected
// from the first block or given by the caller.

#include <string>

#include "document/DocumentTypes.h"

namespace quillet::document {

class CQuilletDoc;

class CDocumentLoader {
 public:
  static constexpr size_t kBlockSize = 0x8000;

  explicit CDocumentLoader(CQuilletDoc& document) : m_document(document) {}

  // false when the file could not be opened or a read failed; the lines read so far stay.
  bool Load(const std::string& path, int32_t style);
  [[nodiscard]] int Error() const { return m_error; }

 private:
  bool ReadBlock();
  bool LoadUnicode(size_t start);
  bool LoadAnsi(ELineEndStyle style);
  void AppendUnicodeLine(const char* bytes, size_t size);
  void AppendAnsiLine(const char* bytes, size_t size);
  [[nodiscard]] ELineEndStyle DetectStyle() const;

  CQuilletDoc& m_document;
  int m_fd = -1;
  int m_error = 0;
  char m_block[kBlockSize];
  size_t m_blockSize = 0;
  bool m_endOfFile = false;
};

}  // namespace quillet::document

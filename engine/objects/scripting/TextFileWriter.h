#pragma once
// The writing side of a text stream: text encoded into a buffer and written in large blocks,
// either straight to a file (a new one, or one being appended to) or to a temporary file that
// replaces the old one when the stream is closed, so that a failure part way leaves the old
// file whole.

#include <memory>
#include <string>
#include <string_view>

#include "engine/objects/scripting/TextEncoding.h"
#include "platform/AnsiCodePage.h"
#include "platform/AtomicFileWriter.h"

namespace quillet::engine {

class CTextFileWriter {
 public:
  // Writes to fd, which the writer closes when ownsFd.
  CTextFileWriter(int fd, bool ownsFd, ETextEncoding encoding, const platform::CAnsiCodePage& codePage);
  // Writes to a replacement of the file, opened already.
  CTextFileWriter(std::unique_ptr<platform::CAtomicFileWriter> replacement, ETextEncoding encoding,
                  const platform::CAnsiCodePage& codePage);
  ~CTextFileWriter();
  CTextFileWriter(const CTextFileWriter&) = delete;
  CTextFileWriter& operator=(const CTextFileWriter&) = delete;

  void WriteByteOrderMark();
  // Every Write reaches the file at once (a console shared with the host's own output).
  void SetFlushEachWrite(bool flush) { m_flushEachWrite = flush; }
  // Error 5 for a character the ANSI code page lacks (nothing of that text is written).
  void Write(std::u16string_view text);
  // Writes what is buffered; a replacement is put in place. Errors: 61 for a full disk, 70, 57.
  void Close();

 private:
  void Flush();
  void Release();
  [[noreturn]] void Fail(int error);

  int m_fd = -1;
  bool m_ownsFd = false;
  std::unique_ptr<platform::CAtomicFileWriter> m_replacement;
  ETextEncoding m_encoding;
  const platform::CAnsiCodePage& m_codePage;
  std::string m_buffer;
  bool m_closed = false;
  bool m_flushEachWrite = false;
};

}  // namespace quillet::engine

#pragma once
// The reading side of a text stream: bytes from a file descriptor, read in large blocks and
// decoded into UTF-16 ahead of the caller, so that a line costs a scan and a copy. A character
// is never split between blocks (a double-byte character of an ANSI code page, a UTF-16 unit),
// and a UTF-16 file's byte order mark is passed over.

#include <string>
#include <string_view>

#include "engine/objects/scripting/TextEncoding.h"
#include "platform/AnsiCodePage.h"

namespace quillet::engine {

class CTextFileReader {
 public:
  // fd is read from its current position; the reader does not close it.
  CTextFileReader(int fd, ETextEncoding encoding, const platform::CAnsiCodePage& codePage);

  // The decoded characters not yet taken; empty means Fill must be asked.
  [[nodiscard]] std::u16string_view Available() const { return std::u16string_view(m_text).substr(m_taken); }
  void Take(size_t count) { m_taken += count; }
  // Decodes the next block after what is available; false at the end of the file. Throws 57
  // when the file cannot be read.
  bool Fill();
  // True when every character has been taken.
  [[nodiscard]] bool AtEnd();

 private:
  [[nodiscard]] size_t DecodableLength(bool atEndOfFile) const;
  void Decode(size_t length);

  int m_fd;
  ETextEncoding m_encoding;
  const platform::CAnsiCodePage& m_codePage;
  std::string m_bytes;  // read but not yet decoded: at most a split character, unless a block had no place to split
  std::u16string m_text;
  size_t m_taken = 0;
  bool m_endOfFile = false;
  bool m_started = false;
};

}  // namespace quillet::engine

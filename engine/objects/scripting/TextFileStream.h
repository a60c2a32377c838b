#pragma once
// The behaviour of a TextStream over a file: reading by characters, lines or all at once with
// CR LF, LF and CR each ending a line; writing with CR LF; Line and Column counted over what
// was read or written; Windows' errors: 62 reading past the end, 54 reading a stream opened
// for writing or the reverse, 5 for bad arguments and for a closed stream.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "engine/objects/scripting/TextFileReader.h"
#include "engine/objects/scripting/TextFileWriter.h"

namespace quillet::engine {

class CTextFileStream {
 public:
  // A stream reading fd, closed with the stream when ownsFd.
  CTextFileStream(int fd, bool ownsFd, ETextEncoding encoding);
  // A stream writing through writer.
  explicit CTextFileStream(std::unique_ptr<CTextFileWriter> writer);
  ~CTextFileStream();
  CTextFileStream(const CTextFileStream&) = delete;
  CTextFileStream& operator=(const CTextFileStream&) = delete;

  // The longest text one call returns; past it a read fails with 7 instead of exhausting
  // memory (a file of one 1 GB line). Skipping is never limited.
  void SetLengthLimit(size_t units) { m_lengthLimit = units; }

  [[nodiscard]] int32_t Line() const { return m_line; }
  [[nodiscard]] int32_t Column() const { return m_column; }
  [[nodiscard]] bool AtEndOfStream();
  [[nodiscard]] bool AtEndOfLine();

  [[nodiscard]] std::u16string Read(int32_t count);
  [[nodiscard]] std::u16string ReadLine();
  [[nodiscard]] std::u16string ReadAll();
  void Skip(int32_t count);
  void SkipLine();

  void Write(std::u16string_view text);
  void WriteLine(std::u16string_view text);
  void WriteBlankLines(int32_t count);

  // Writes what is buffered and puts a replaced file in place; reports a write error.
  void Close();

 private:
  CTextFileReader& Reader();
  CTextFileWriter& Writer();
  // Takes up to count characters, appending them to text unless text is null.
  void TakeCharacters(size_t count, std::u16string* text);
  // Takes one line and its end, appending the line to text unless text is null.
  void TakeLine(std::u16string* text);
  void CountText(std::u16string_view text);
  void CountLineEnd();
  void CheckLength(size_t length) const;

  int m_fd = -1;
  bool m_ownsFd = false;
  std::optional<CTextFileReader> m_reader;
  std::unique_ptr<CTextFileWriter> m_writer;
  bool m_closed = false;
  int32_t m_line = 1;
  int32_t m_column = 1;
  bool m_afterCarriageReturn = false;
  size_t m_lengthLimit = size_t{1} << 28;
};

}  // namespace quillet::engine

#pragma once
// What a child wrote on one stream and nobody has read yet, kept as the text the script will
// get. Programs mostly write ASCII, and ReadAll may take hundreds of megabytes at once: while
// every byte so far is ASCII the bytes are widened as they arrive (on the drain's thread, beside
// the running child), line breaks counted on the way, so that taking everything hands over a
// finished string without another pass. The first other byte turns the rest into raw bytes,
// decoded as UTF-8 when taken; the text a script reads is the same either way.

#include <cstddef>
#include <string>

namespace quillet::engine::wsh {

class CDrainedText {
 public:
  struct STaken {
    std::u16string text;
    size_t lineBreaks = 0;                    // '\n' characters in text
    size_t lastBreak = std::u16string::npos;  // index of the last one
  };

  void Append(const char* bytes, size_t size);
  // Bytes not taken yet (while all ASCII, also characters).
  [[nodiscard]] size_t Size() const { return (m_ascii ? m_wide.size() : m_bytes.size()) - m_start; }
  // The byte at an offset from the first one not taken.
  [[nodiscard]] unsigned char At(size_t offset) const;
  // Offset of the first line feed at or after `from`, or npos.
  [[nodiscard]] size_t FindLineFeed(size_t from) const;
  // The next `count` bytes, decoded.
  [[nodiscard]] STaken Take(size_t count);

 private:
  // Widens what it can; returns how many bytes were ASCII.
  size_t AppendAscii(const char* bytes, size_t size);
  void ReserveWide(size_t more);
  void TurnToBytes();
  STaken TakeWide(size_t count);
  STaken TakeBytes(size_t count);

  bool m_ascii = true;
  std::u16string m_wide;  // while m_ascii
  std::string m_bytes;    // after the first byte that was not ASCII
  size_t m_start = 0;     // what was taken stays until compacting, so that taking is cheap
  size_t m_wideBreaks = 0;                         // line feeds in m_wide after m_start
  size_t m_wideLastBreak = std::u16string::npos;  // index in m_wide of the last one
};

}  // namespace quillet::engine::wsh

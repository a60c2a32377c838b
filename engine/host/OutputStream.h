#pragma once
// One of the host's standard streams, written in the ANSI code page or, with //U, UTF-16LE.
// A stream that is a terminal working in UTF-8 gets UTF-8 instead of the ANSI code page, so
// that text beyond ASCII reads right where a person watches it; pipes and files keep the
// bytes a Windows host would write.

#include <cstdio>
#include <mutex>
#include <string_view>

namespace quillet::engine::host {

class COutputStream {
 public:
  COutputStream(std::FILE* file, bool unicode);
  void Write(std::u16string_view text);
  void Flush();

 private:
  std::FILE* m_file;
  bool m_unicode;
  bool m_utf8Terminal = false;
  std::mutex m_lock;
};

}  // namespace quillet::engine::host

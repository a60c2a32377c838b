#pragma once
// One of the host's standard streams, written in the ANSI code page or, with //U, UTF-16LE.

#include <cstdio>
#include <mutex>
#include <string_view>

namespace quillet::engine::host {

class COutputStream {
 public:
  COutputStream(std::FILE* file, bool unicode) : m_file(file), m_unicode(unicode) {}
  void Write(std::u16string_view text);
  void Flush();

 private:
  std::FILE* m_file;
  bool m_unicode;
  std::mutex m_lock;
};

}  // namespace quillet::engine::host

#pragma once
// Reads a redirected host's output on a thread of its own and hands each piece of UTF-16LE
// text to a callback (on that thread; the window posts it on to its own). The reader ends when
// every process holding the pipe's write end has gone, or when it is stopped.

#include <functional>
#include <string>
#include <thread>

namespace quillet::debug {

class COutputReader {
 public:
  using TextHandler = std::function<void(std::u16string text)>;
  using EndHandler = std::function<void()>;

  COutputReader() = default;
  ~COutputReader() { Stop(); }
  COutputReader(const COutputReader&) = delete;
  COutputReader& operator=(const COutputReader&) = delete;

  // Takes ownership of fd. onEnd runs on the reader's thread after the last text.
  void Start(int fd, TextHandler onText, EndHandler onEnd);
  // Wakes the reader if it still waits and joins it.
  void Stop();
  [[nodiscard]] bool IsRunning() const { return m_thread.joinable(); }

  static constexpr size_t kChunkBytes = 262144;
  // After a short read the reader lets output gather this long before it reads again: a
  // script that prints line by line then costs a wake-up per pause, not per line, and the
  // delay is far below what anyone watching can see.
  static constexpr int kGatherMilliseconds = 2;
  // The pipe holds this much, so that the script rarely waits while the reader gathers.
  static constexpr int kPipeBytes = 1 << 20;

 private:
  void Run(int fd, int wakeFd, const TextHandler& onText, const EndHandler& onEnd);

  std::thread m_thread;
  int m_wakeRead = -1;
  int m_wakeWrite = -1;
};

}  // namespace quillet::debug

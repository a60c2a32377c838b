#pragma once
// Reads a child's standard output and error as fast as it writes them, on a thread of its own,
// into memory. A script that waits for the child to end before reading (the common
// `Do While oExec.Status = 0` loop) would otherwise leave a child blocked on a full pipe
// forever, and one that reads one stream while the child fills the other would hang too.

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "engine/objects/wsh/DrainedText.h"
#include "engine/runtime/Variant.h"

namespace quillet::engine::wsh {

class CPipeDrain {
 public:
  enum EChannel { Output = 0, Error = 1 };

  // Takes both descriptors (either may be -1). A stream that holds more than `limit` unread
  // bytes stops, and reading it raises "Out of string space".
  CPipeDrain(int outputFd, int errorFd, size_t limit = kMaxStringLength);
  ~CPipeDrain();
  CPipeDrain(const CPipeDrain&) = delete;
  CPipeDrain& operator=(const CPipeDrain&) = delete;

  // Each waits for the child as far as it must, and no further, and hands over decoded text.
  // One line without its line break; nothing once the channel is at its end.
  [[nodiscard]] std::optional<std::u16string> TakeLine(EChannel channel);
  [[nodiscard]] CDrainedText::STaken TakeAll(EChannel channel);
  // count characters of UTF-8 text, fewer at the end.
  [[nodiscard]] CDrainedText::STaken TakeCharacters(EChannel channel, size_t count);
  // The next byte, left in place; -1 at the end.
  [[nodiscard]] int PeekByte(EChannel channel);

 private:
  struct SChannel {
    CDrainedText text;
    bool ended = false;
    int failure = 0;  // the script's error for a stream that had to stop
  };

  void Pump();
  void Keep(SChannel& channel, const char* bytes, size_t size);
  static void RequireNoFailure(const SChannel& channel);
  // Waits until the channel holds more than `have` bytes or has ended.
  void WaitBeyond(std::unique_lock<std::mutex>& lock, SChannel& channel, size_t have);

  int m_fds[2];
  size_t m_limit;
  int m_wake[2] = {-1, -1};
  std::mutex m_mutex;
  std::condition_variable m_changed;
  SChannel m_channels[2];
  std::thread m_thread;
};

}  // namespace quillet::engine::wsh

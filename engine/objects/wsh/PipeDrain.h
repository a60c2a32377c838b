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

namespace quillet::engine::wsh {

class CPipeDrain {
 public:
  enum EChannel { Output = 0, Error = 1 };

  // Takes both descriptors (either may be -1).
  CPipeDrain(int outputFd, int errorFd);
  ~CPipeDrain();
  CPipeDrain(const CPipeDrain&) = delete;
  CPipeDrain& operator=(const CPipeDrain&) = delete;

  // Each waits for the child as far as it must, and no further.
  // One line without its line break; nothing once the channel is at its end.
  [[nodiscard]] std::optional<std::string> TakeLine(EChannel channel);
  [[nodiscard]] std::string TakeAll(EChannel channel);
  // count characters of UTF-8 text, fewer at the end.
  [[nodiscard]] std::string TakeCharacters(EChannel channel, size_t count);
  // The next byte, left in place; -1 at the end.
  [[nodiscard]] int PeekByte(EChannel channel);

 private:
  struct SBuffer {
    std::string bytes;
    size_t start = 0;  // what was taken stays until compacting, so that taking is cheap
    bool ended = false;
    [[nodiscard]] size_t Size() const { return bytes.size() - start; }
  };

  void Pump();
  // Waits until the channel holds more than `have` bytes or has ended.
  void WaitBeyond(std::unique_lock<std::mutex>& lock, SBuffer& buffer, size_t have);
  std::string Take(SBuffer& buffer, size_t count);

  int m_fds[2];
  int m_wake[2] = {-1, -1};
  std::mutex m_mutex;
  std::condition_variable m_changed;
  SBuffer m_buffers[2];
  std::thread m_thread;
};

}  // namespace quillet::engine::wsh

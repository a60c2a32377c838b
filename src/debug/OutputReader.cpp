#include "debug/OutputReader.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace quillet::debug {
namespace {

// An odd byte count splits a character between two reads; it is kept for the next read
// instead of being lost.
std::u16string TakeText(std::string& pending) {
  std::u16string text(pending.size() / 2, u'\0');
  std::memcpy(text.data(), pending.data(), text.size() * 2);
  pending.erase(0, text.size() * 2);
  return text;
}

}  // namespace

void COutputReader::Start(int fd, TextHandler onText, EndHandler onEnd) {
  Stop();
  std::array<int, 2> wake{};
  if (::pipe2(wake.data(), O_CLOEXEC) != 0) wake = {-1, -1};
  m_wakeRead = wake[0];
  m_wakeWrite = wake[1];
  m_thread = std::thread([this, fd, wakeRead = wake[0], onText = std::move(onText), onEnd = std::move(onEnd)] {
    Run(fd, wakeRead, onText, onEnd);
  });
}

void COutputReader::Run(int fd, int wakeFd, const TextHandler& onText, const EndHandler& onEnd) {
  // A larger pipe is a wish: the system may hold it to its own limit.
  (void)::fcntl(fd, F_SETPIPE_SZ, kPipeBytes);
  std::array<pollfd, 2> waits{pollfd{fd, POLLIN, 0}, pollfd{wakeFd, POLLIN, 0}};
  std::string buffer(kChunkBytes, '\0');
  std::string pending;
  for (;;) {
    if (::poll(waits.data(), wakeFd >= 0 ? 2 : 1, -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (wakeFd >= 0 && waits[1].revents != 0) break;
    const ssize_t count = ::read(fd, buffer.data(), buffer.size());
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) break;
    pending.append(buffer.data(), static_cast<size_t>(count));
    std::u16string text = TakeText(pending);
    if (!text.empty()) onText(std::move(text));
    if (static_cast<size_t>(count) < buffer.size() && wakeFd >= 0) {
      pollfd wake{wakeFd, POLLIN, 0};
      if (::poll(&wake, 1, kGatherMilliseconds) > 0) break;
    }
  }
  ::close(fd);
  if (onEnd) onEnd();
}

void COutputReader::Stop() {
  if (m_wakeWrite >= 0) {
    const char byte = 0;
    [[maybe_unused]] const ssize_t ignored = ::write(m_wakeWrite, &byte, 1);
  }
  if (m_thread.joinable()) m_thread.join();
  // Both ends stay open until the join, so the wake-up write never meets a closed pipe.
  if (m_wakeWrite >= 0) ::close(std::exchange(m_wakeWrite, -1));
  if (m_wakeRead >= 0) ::close(std::exchange(m_wakeRead, -1));
}

}  // namespace quillet::debug

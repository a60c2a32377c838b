#include "engine/objects/wsh/PipeDrain.h"

#include <algorithm>
#include <cerrno>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace quillet::engine::wsh {

namespace {

constexpr size_t kChunk = 1 << 16;

// The bytes of the UTF-8 sequence a lead byte opens; a stray byte counts as one character.
size_t SequenceLength(char lead) {
  const auto byte = static_cast<unsigned char>(lead);
  if (byte >= 0xF0 && byte < 0xF8) return 4;
  if (byte >= 0xE0) return byte < 0xF0 ? 3 : 1;
  if (byte >= 0xC0) return 2;
  return 1;
}

}  // namespace

CPipeDrain::CPipeDrain(int outputFd, int errorFd) : m_fds{outputFd, errorFd} {
  for (int channel = 0; channel < 2; ++channel) m_buffers[channel].ended = m_fds[channel] < 0;
  if (::pipe2(m_wake, O_CLOEXEC) != 0) m_wake[0] = m_wake[1] = -1;
  m_thread = std::thread([this] { Pump(); });
}

CPipeDrain::~CPipeDrain() {
  if (m_wake[1] >= 0) {
    const char stop = 1;
    while (::write(m_wake[1], &stop, 1) < 0 && errno == EINTR) {
    }
  }
  m_thread.join();
  for (int fd : m_fds) {
    if (fd >= 0) ::close(fd);
  }
  for (int fd : m_wake) {
    if (fd >= 0) ::close(fd);
  }
}

void CPipeDrain::Pump() {
  std::vector<char> chunk(kChunk);
  for (;;) {
    pollfd polled[3] = {{m_fds[0], POLLIN, 0}, {m_fds[1], POLLIN, 0}, {m_wake[0], POLLIN, 0}};
    if (m_fds[0] < 0 && m_fds[1] < 0) return;
    if (::poll(polled, 3, -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (polled[2].revents != 0) break;
    for (int channel = 0; channel < 2; ++channel) {
      if (m_fds[channel] < 0 || polled[channel].revents == 0) continue;
      const ssize_t got = ::read(m_fds[channel], chunk.data(), chunk.size());
      if (got < 0 && (errno == EINTR || errno == EAGAIN)) continue;
      const std::lock_guard lock(m_mutex);
      if (got > 0) {
        m_buffers[channel].bytes.append(chunk.data(), static_cast<size_t>(got));
      } else {
        ::close(m_fds[channel]);
        m_fds[channel] = -1;
        m_buffers[channel].ended = true;
      }
      m_changed.notify_all();
    }
  }
  // Stopped from outside, or poll failed: whoever waits must not wait for more.
  const std::lock_guard lock(m_mutex);
  for (SBuffer& buffer : m_buffers) buffer.ended = true;
  m_changed.notify_all();
}

void CPipeDrain::WaitBeyond(std::unique_lock<std::mutex>& lock, SBuffer& buffer, size_t have) {
  m_changed.wait(lock, [&] { return buffer.ended || buffer.Size() > have; });
}

std::string CPipeDrain::Take(SBuffer& buffer, size_t count) {
  if (buffer.start == 0 && count >= buffer.bytes.size()) return std::exchange(buffer.bytes, std::string());
  std::string taken = buffer.bytes.substr(buffer.start, count);
  buffer.start += taken.size();
  if (buffer.start == buffer.bytes.size()) {
    buffer.bytes.clear();
    buffer.start = 0;
  } else if (buffer.start > kChunk && buffer.start > buffer.bytes.size() / 2) {
    buffer.bytes.erase(0, buffer.start);
    buffer.start = 0;
  }
  return taken;
}

std::optional<std::string> CPipeDrain::TakeLine(EChannel channel) {
  std::unique_lock lock(m_mutex);
  SBuffer& buffer = m_buffers[channel];
  size_t searched = 0;
  for (;;) {
    const size_t newline = buffer.bytes.find('\n', buffer.start + searched);
    if (newline != std::string::npos) {
      std::string line = Take(buffer, newline - buffer.start + 1);
      line.pop_back();
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return line;
    }
    searched = buffer.Size();
    if (buffer.ended) {
      if (buffer.Size() == 0) return std::nullopt;
      return Take(buffer, buffer.Size());
    }
    WaitBeyond(lock, buffer, searched);
  }
}

std::string CPipeDrain::TakeAll(EChannel channel) {
  std::unique_lock lock(m_mutex);
  SBuffer& buffer = m_buffers[channel];
  m_changed.wait(lock, [&] { return buffer.ended; });
  return Take(buffer, buffer.Size());
}

std::string CPipeDrain::TakeCharacters(EChannel channel, size_t count) {
  std::unique_lock lock(m_mutex);
  SBuffer& buffer = m_buffers[channel];
  size_t bytes = 0;
  size_t characters = 0;
  for (;;) {
    while (characters < count && bytes < buffer.Size()) {
      const size_t length = SequenceLength(buffer.bytes[buffer.start + bytes]);
      if (bytes + length > buffer.Size() && !buffer.ended) break;
      bytes = std::min(bytes + length, buffer.Size());
      ++characters;
    }
    if (characters == count || buffer.ended) return Take(buffer, bytes);
    WaitBeyond(lock, buffer, buffer.Size());
  }
}

int CPipeDrain::PeekByte(EChannel channel) {
  std::unique_lock lock(m_mutex);
  SBuffer& buffer = m_buffers[channel];
  WaitBeyond(lock, buffer, 0);
  return buffer.Size() == 0 ? -1 : static_cast<unsigned char>(buffer.bytes[buffer.start]);
}

}  // namespace quillet::engine::wsh

#include "engine/objects/wsh/PipeDrain.h"

#include <algorithm>
#include <cerrno>
#include <new>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include "engine/runtime/ScriptError.h"

namespace quillet::engine::wsh {

namespace {

// Large reads from a large pipe: the child is woken and switched to far less often, and each
// block stays in the cache while it is widened.
constexpr size_t kChunk = size_t{1} << 18;
constexpr int kPipeSize = 1 << 20;

// The bytes of the UTF-8 sequence a lead byte opens; a stray byte counts as one character.
size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xF0 && lead < 0xF8) return 4;
  if (lead >= 0xE0) return lead < 0xF0 ? 3 : 1;
  if (lead >= 0xC0) return 2;
  return 1;
}

}  // namespace

CPipeDrain::CPipeDrain(int outputFd, int errorFd, size_t limit) : m_fds{outputFd, errorFd}, m_limit(limit) {
  for (int channel = 0; channel < 2; ++channel) {
    m_channels[channel].ended = m_fds[channel] < 0;
    // Only a wish: above the system's limit for one user the pipe keeps its size.
    if (m_fds[channel] >= 0) ::fcntl(m_fds[channel], F_SETPIPE_SZ, kPipeSize);
  }
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
    for (int index = 0; index < 2; ++index) {
      if (m_fds[index] < 0 || polled[index].revents == 0) continue;
      const ssize_t got = ::read(m_fds[index], chunk.data(), chunk.size());
      if (got < 0 && (errno == EINTR || errno == EAGAIN)) continue;
      const std::lock_guard lock(m_mutex);
      SChannel& channel = m_channels[index];
      if (got > 0) Keep(channel, chunk.data(), static_cast<size_t>(got));
      if (got <= 0 || channel.failure != 0) {
        ::close(m_fds[index]);
        m_fds[index] = -1;
        channel.ended = true;
      }
      m_changed.notify_all();
    }
  }
  // Stopped from outside, or poll failed: whoever waits must not wait for more.
  const std::lock_guard lock(m_mutex);
  for (SChannel& channel : m_channels) channel.ended = true;
  m_changed.notify_all();
}

// A child that writes without end must not take the script's memory with it: past what one
// string can hold, or what memory there is, the stream stops (the child hears of it as a closed
// pipe) and reading it raises the error.
void CPipeDrain::Keep(SChannel& channel, const char* bytes, size_t size) {
  if (channel.text.Size() + size > m_limit) {
    channel.failure = err::OutOfStringSpace;
    return;
  }
  try {
    channel.text.Append(bytes, size);
  } catch (const std::bad_alloc&) {
    channel.failure = err::OutOfMemory;
  }
}

void CPipeDrain::RequireNoFailure(const SChannel& channel) {
  if (channel.failure != 0) throw CScriptError(channel.failure);
}

void CPipeDrain::WaitBeyond(std::unique_lock<std::mutex>& lock, SChannel& channel, size_t have) {
  m_changed.wait(lock, [&] { return channel.ended || channel.text.Size() > have; });
  RequireNoFailure(channel);
}

std::optional<std::u16string> CPipeDrain::TakeLine(EChannel which) {
  std::unique_lock lock(m_mutex);
  SChannel& channel = m_channels[which];
  RequireNoFailure(channel);
  size_t searched = 0;
  for (;;) {
    const size_t lineFeed = channel.text.FindLineFeed(searched);
    if (lineFeed != std::u16string::npos) {
      std::u16string line = channel.text.Take(lineFeed + 1).text;
      line.pop_back();
      if (!line.empty() && line.back() == u'\r') line.pop_back();
      return line;
    }
    searched = channel.text.Size();
    if (channel.ended) {
      if (searched == 0) return std::nullopt;
      return channel.text.Take(searched).text;
    }
    WaitBeyond(lock, channel, searched);
  }
}

CDrainedText::STaken CPipeDrain::TakeAll(EChannel which) {
  std::unique_lock lock(m_mutex);
  SChannel& channel = m_channels[which];
  RequireNoFailure(channel);
  m_changed.wait(lock, [&] { return channel.ended; });
  RequireNoFailure(channel);
  return channel.text.Take(channel.text.Size());
}

CDrainedText::STaken CPipeDrain::TakeCharacters(EChannel which, size_t count) {
  std::unique_lock lock(m_mutex);
  SChannel& channel = m_channels[which];
  RequireNoFailure(channel);
  size_t bytes = 0;
  size_t characters = 0;
  for (;;) {
    const size_t size = channel.text.Size();
    while (characters < count && bytes < size) {
      const size_t length = SequenceLength(channel.text.At(bytes));
      if (bytes + length > size && !channel.ended) break;
      bytes = std::min(bytes + length, size);
      ++characters;
    }
    if (characters == count || channel.ended) return channel.text.Take(bytes);
    WaitBeyond(lock, channel, size);
  }
}

int CPipeDrain::PeekByte(EChannel which) {
  std::unique_lock lock(m_mutex);
  SChannel& channel = m_channels[which];
  RequireNoFailure(channel);
  WaitBeyond(lock, channel, 0);
  return channel.text.Size() == 0 ? -1 : channel.text.At(0);
}

}  // namespace quillet::engine::wsh

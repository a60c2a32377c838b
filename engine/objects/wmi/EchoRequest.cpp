#include "engine/objects/wmi/EchoRequest.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

extern char** environ;

namespace quillet::engine::machine {

namespace {

using Clock = std::chrono::steady_clock;

constexpr uint8_t kEchoRequestV4 = 8, kEchoReplyV4 = 0, kUnreachableV4 = 3;
constexpr uint8_t kEchoRequestV6 = 128, kEchoReplyV6 = 129, kUnreachableV6 = 1;
constexpr size_t kHeaderBytes = 8;
constexpr uint32_t kLargestBuffer = 65500;

struct STarget {
  sockaddr_storage address{};
  socklen_t length = 0;
  int family = AF_INET;
  std::string numeric;
};

// A numeric address is taken as it stands; a name is looked up once, and its first address used.
std::optional<STarget> Resolve(const std::string& name) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_DGRAM;
  addrinfo* found = nullptr;
  if (name.empty() || getaddrinfo(name.c_str(), nullptr, &hints, &found) != 0 || found == nullptr) return std::nullopt;
  STarget target;
  std::memcpy(&target.address, found->ai_addr, found->ai_addrlen);
  target.length = found->ai_addrlen;
  target.family = found->ai_family;
  freeaddrinfo(found);
  char text[NI_MAXHOST] = {};
  if (getnameinfo(reinterpret_cast<const sockaddr*>(&target.address), target.length, text, sizeof text, nullptr, 0,
                  NI_NUMERICHOST) != 0) {
    return std::nullopt;
  }
  target.numeric = text;
  return target;
}

uint16_t Checksum(const std::vector<uint8_t>& bytes) {
  uint32_t sum = 0;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) sum += static_cast<uint32_t>(bytes[i] << 8 | bytes[i + 1]);
  if (bytes.size() % 2 != 0) sum += static_cast<uint32_t>(bytes.back() << 8);
  while (sum >> 16 != 0) sum = (sum & 0xFFFF) + (sum >> 16);
  return static_cast<uint16_t>(~sum);
}

// Windows fills the data with the alphabet, over and over.
std::vector<uint8_t> EchoPacket(int family, uint16_t id, uint16_t sequence, uint32_t dataBytes) {
  std::vector<uint8_t> packet(kHeaderBytes + dataBytes);
  packet[0] = family == AF_INET ? kEchoRequestV4 : kEchoRequestV6;
  packet[4] = static_cast<uint8_t>(id >> 8);
  packet[5] = static_cast<uint8_t>(id);
  packet[6] = static_cast<uint8_t>(sequence >> 8);
  packet[7] = static_cast<uint8_t>(sequence);
  for (uint32_t i = 0; i < dataBytes; ++i) packet[kHeaderBytes + i] = static_cast<uint8_t>('a' + i % 23);
  // The kernel fills in the ICMPv6 checksum itself: it covers the addresses, which it chooses.
  if (family == AF_INET) {
    const uint16_t sum = Checksum(packet);
    packet[2] = static_cast<uint8_t>(sum >> 8);
    packet[3] = static_cast<uint8_t>(sum);
  }
  return packet;
}

bool SameHost(const sockaddr_storage& a, const sockaddr_storage& b) {
  if (a.ss_family != b.ss_family) return false;
  if (a.ss_family == AF_INET) {
    const auto& a4 = reinterpret_cast<const sockaddr_in&>(a);
    const auto& b4 = reinterpret_cast<const sockaddr_in&>(b);
    return a4.sin_addr.s_addr == b4.sin_addr.s_addr;
  }
  const auto& a6 = reinterpret_cast<const sockaddr_in6&>(a);
  const auto& b6 = reinterpret_cast<const sockaddr_in6&>(b);
  return std::memcmp(&a6.sin6_addr, &b6.sin6_addr, sizeof(in6_addr)) == 0;
}

struct SSocket {
  int fd = -1;
  bool raw = false;
  ~SSocket() {
    if (fd >= 0) close(fd);
  }
};

// The ping socket first; a raw socket where that is refused and this process may open one.
bool OpenEchoSocket(int family, SSocket& socket) {
  const int protocol = family == AF_INET ? static_cast<int>(IPPROTO_ICMP) : static_cast<int>(IPPROTO_ICMPV6);
  socket.fd = ::socket(family, SOCK_DGRAM | SOCK_CLOEXEC, protocol);
  if (socket.fd < 0) {
    socket.fd = ::socket(family, SOCK_RAW | SOCK_CLOEXEC, protocol);
    socket.raw = true;
  }
  if (socket.fd < 0) return false;
  const int on = 1;
  if (family == AF_INET) {
    (void)setsockopt(socket.fd, IPPROTO_IP, IP_RECVTTL, &on, sizeof on);
  } else {
    (void)setsockopt(socket.fd, IPPROTO_IPV6, IPV6_RECVHOPLIMIT, &on, sizeof on);
  }
  return true;
}

struct SReceived {
  int error = 0;                 // errno of a failed receive; 0 when a message came
  std::vector<uint8_t> message;  // the ICMP message, without an IPv4 header
  std::optional<uint32_t> timeToLive;
  sockaddr_storage from{};
};

// Nullopt for nothing usable (a short or malformed packet); a failed receive gives its error.
std::optional<SReceived> ReceiveOne(const SSocket& socket, int family) {
  SReceived got;
  std::vector<uint8_t> buffer(kLargestBuffer + 128);
  iovec part{buffer.data(), buffer.size()};
  alignas(cmsghdr) char control[256];
  msghdr message{};
  message.msg_name = &got.from;
  message.msg_namelen = sizeof got.from;
  message.msg_iov = &part;
  message.msg_iovlen = 1;
  message.msg_control = control;
  message.msg_controllen = sizeof control;
  const ssize_t length = recvmsg(socket.fd, &message, MSG_DONTWAIT);
  if (length < 0) {
    got.error = errno;
    return got;
  }
  if (length == 0) return std::nullopt;
  size_t skip = 0;
  if (socket.raw && family == AF_INET) {  // raw IPv4 sockets hand over the IP header too
    if (length < 20) return std::nullopt;
    skip = static_cast<size_t>(buffer[0] & 0x0F) * 4;
    got.timeToLive = buffer[8];
    if (skip > static_cast<size_t>(length)) return std::nullopt;
  }
  got.message.assign(buffer.begin() + static_cast<long>(skip), buffer.begin() + length);
  for (cmsghdr* c = CMSG_FIRSTHDR(&message); c != nullptr; c = CMSG_NXTHDR(&message, c)) {
    const bool ttl = (c->cmsg_level == IPPROTO_IP && c->cmsg_type == IP_TTL) ||
                     (c->cmsg_level == IPPROTO_IPV6 && c->cmsg_type == IPV6_HOPLIMIT);
    if (ttl && c->cmsg_len >= CMSG_LEN(sizeof(int))) {
      int value = 0;
      std::memcpy(&value, CMSG_DATA(c), sizeof value);
      got.timeToLive = static_cast<uint32_t>(value);
    }
  }
  return got;
}

uint16_t WordAt(const std::vector<uint8_t>& bytes, size_t at) {
  return static_cast<uint16_t>(bytes[at] << 8 | bytes[at + 1]);
}

// The answer to our request among what arrives: the socket may also see other programs' traffic
// (a raw socket sees every ICMP message, our own request to loopback among them).
std::optional<uint32_t> Classify(const SReceived& got, const STarget& target, bool raw, uint16_t id,
                                 uint16_t sequence) {
  const std::vector<uint8_t>& m = got.message;
  if (m.size() < kHeaderBytes) return std::nullopt;
  const bool v4 = target.family == AF_INET;
  if (m[0] == (v4 ? kEchoReplyV4 : kEchoReplyV6)) {
    if (!SameHost(got.from, target.address) || WordAt(m, 6) != sequence) return std::nullopt;
    if (raw && WordAt(m, 4) != id) return std::nullopt;  // a ping socket's kernel matches ids itself
    return kEchoSuccess;
  }
  if (m[0] == (v4 ? kUnreachableV4 : kUnreachableV6) && raw) {
    // The error quotes our request after its own header (and, for IPv4, the quoted IP header).
    size_t quoted = kHeaderBytes;
    if (v4) {
      if (m.size() < quoted + 20) return std::nullopt;
      quoted += static_cast<size_t>(m[quoted] & 0x0F) * 4;
    } else {
      quoted += 40;
    }
    if (m.size() < quoted + kHeaderBytes || WordAt(m, quoted + 4) != id || WordAt(m, quoted + 6) != sequence) {
      return std::nullopt;
    }
    return kEchoUnreachable;
  }
  return std::nullopt;
}

std::optional<SEchoReply> EchoBySocket(const STarget& target, const SEchoRequest& request) {
  SSocket socket;
  if (!OpenEchoSocket(target.family, socket)) return std::nullopt;
  std::random_device random;
  const auto id = static_cast<uint16_t>(random());
  const auto sequence = static_cast<uint16_t>(random());
  const std::vector<uint8_t> packet = EchoPacket(target.family, id, sequence, request.bufferSize);
  SEchoReply reply;
  reply.protocolAddress = target.numeric;
  const Clock::time_point sent = Clock::now();
  if (sendto(socket.fd, packet.data(), packet.size(), 0, reinterpret_cast<const sockaddr*>(&target.address),
             target.length) < 0) {
    reply.status = errno == EHOSTUNREACH || errno == ENETUNREACH ? kEchoUnreachable : kEchoGeneralFailure;
    return reply;
  }
  const Clock::time_point deadline = sent + std::chrono::milliseconds(request.timeoutMs);
  for (Clock::time_point now = sent; now < deadline; now = Clock::now()) {
    pollfd wait{socket.fd, POLLIN, 0};
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - now).count();
    if (poll(&wait, 1, static_cast<int>(left)) <= 0) continue;
    const auto got = ReceiveOne(socket, target.family);
    if (got && (got->error == EHOSTUNREACH || got->error == ENETUNREACH)) {
      reply.status = kEchoUnreachable;
      return reply;
    }
    if (!got || got->error != 0) continue;
    const auto status = Classify(*got, target, socket.raw, id, sequence);
    if (!status) continue;
    reply.status = status;
    if (*status == kEchoSuccess) {
      reply.responseTimeMs =
          static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - sent).count());
      reply.timeToLive = got->timeToLive;
      reply.replySize = static_cast<uint32_t>(got->message.size() - kHeaderBytes);
    }
    return reply;
  }
  reply.status = kEchoTimedOut;
  return reply;
}

std::string ProgramOnPath(const char* name) {
  const char* path = std::getenv("PATH");
  std::string folders = path != nullptr ? path : "/usr/bin:/bin";
  size_t at = 0;
  while (at <= folders.size()) {
    const size_t end = std::min(folders.find(':', at), folders.size());
    const std::string candidate = folders.substr(at, end - at) + "/" + name;
    if (end > at && access(candidate.c_str(), X_OK) == 0) return candidate;
    at = end + 1;
  }
  return {};
}

std::optional<double> NumberAfter(const std::string& text, const char* key) {
  const size_t at = text.find(key);
  if (at == std::string::npos) return std::nullopt;
  return std::strtod(text.c_str() + at + std::strlen(key), nullptr);
}

// The output of `ping -c 1`, read until the program ends or the time-out has passed by a margin;
// a program that overstays is killed, so the query never waits longer than that.
std::optional<SEchoReply> EchoByProgram(const STarget& target, const SEchoRequest& request) {
  const std::string program = ProgramOnPath("ping");
  if (program.empty()) return std::nullopt;
  int pipeEnds[2];
  if (pipe2(pipeEnds, O_CLOEXEC) != 0) return std::nullopt;
  const std::string seconds = std::to_string((request.timeoutMs + 999) / 1000);
  const std::string size = std::to_string(request.bufferSize);
  std::vector<std::string> words = {program, "-n", "-c", "1", "-W", seconds, "-s", size, target.numeric};
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t child = -1;
  const int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeEnds[1]);
  if (spawned != 0) {
    close(pipeEnds[0]);
    return std::nullopt;
  }
  std::string output;
  bool ended = false;  // the program closed its output: it is ending
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(request.timeoutMs + 2000);
  for (Clock::time_point now = Clock::now(); now < deadline; now = Clock::now()) {
    pollfd wait{pipeEnds[0], POLLIN, 0};
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - now).count();
    if (poll(&wait, 1, static_cast<int>(left)) <= 0) continue;
    char chunk[4096];
    const ssize_t got = read(pipeEnds[0], chunk, sizeof chunk);
    if (got <= 0) {
      ended = true;
      break;
    }
    output.append(chunk, static_cast<size_t>(got));
  }
  close(pipeEnds[0]);
  int status = -1;
  if (!ended) kill(child, SIGKILL);
  if (waitpid(child, &status, 0) != child || !ended) status = -1;
  SEchoReply reply;
  reply.protocolAddress = target.numeric;
  const int code = status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  reply.status = code == 0 ? kEchoSuccess : code == 1 ? kEchoTimedOut : kEchoGeneralFailure;
  if (code == 0) {
    if (const auto time = NumberAfter(output, "time=")) reply.responseTimeMs = static_cast<uint32_t>(*time);
    if (const auto ttl = NumberAfter(output, "ttl=")) reply.timeToLive = static_cast<uint32_t>(*ttl);
    reply.replySize = request.bufferSize;
  }
  return reply;
}

SEchoRequest Bounded(SEchoRequest request) {
  request.timeoutMs = std::clamp<uint32_t>(request.timeoutMs, 1, kLongestEchoTimeoutMs);
  request.bufferSize = std::min(request.bufferSize, kLargestBuffer);
  return request;
}

}  // namespace

std::optional<SEchoReply> SendEchoRequestThroughProgram(const SEchoRequest& asked) {
  const SEchoRequest request = Bounded(asked);
  const auto target = Resolve(request.address);
  if (!target) return std::nullopt;
  return EchoByProgram(*target, request);
}

SEchoReply SendEchoRequest(const SEchoRequest& asked) {
  const SEchoRequest request = Bounded(asked);
  const auto target = Resolve(request.address);
  if (!target) {
    SEchoReply reply;
    reply.resolutionStatus = kHostNotFound;
    return reply;
  }
  if (auto reply = EchoBySocket(*target, request)) return *reply;
  if (auto reply = EchoByProgram(*target, request)) return *reply;
  SEchoReply reply;
  reply.protocolAddress = target->numeric;
  reply.status = kEchoGeneralFailure;
  return reply;
}

}  // namespace quillet::engine::machine

#pragma once
// One echo request (ping) to one address, and its answer. It goes through the kernel's ping
// socket where the system lets users open one; else through a raw socket where this process has
// the right to one; else through the system's ping program when it is installed. Never more than
// one request, only to the address given, and never longer than the time-out.

#include <cstdint>
#include <optional>
#include <string>

namespace quillet::engine::machine {

// The results as Windows numbers them in StatusCode.
inline constexpr uint32_t kEchoSuccess = 0;
inline constexpr uint32_t kEchoUnreachable = 11003;
inline constexpr uint32_t kEchoTimedOut = 11010;
inline constexpr uint32_t kEchoGeneralFailure = 11050;  // no way to send a request here
// PrimaryAddressResolutionStatus when the name cannot be resolved.
inline constexpr uint32_t kHostNotFound = 11001;

struct SEchoRequest {
  std::string address;  // a numeric IPv4 or IPv6 address or a host name
  uint32_t timeoutMs = 1000;
  uint32_t bufferSize = 32;
};

struct SEchoReply {
  uint32_t resolutionStatus = 0;  // kHostNotFound: nothing was sent, and the rest is unset
  std::string protocolAddress;    // the numeric address the request went to
  std::optional<uint32_t> status;
  std::optional<uint32_t> responseTimeMs, timeToLive, replySize;
};

[[nodiscard]] SEchoReply SendEchoRequest(const SEchoRequest& request);
// The last of those means alone, where the sockets are refused: the ping program found on PATH.
// Nullopt when there is none.
[[nodiscard]] std::optional<SEchoReply> SendEchoRequestThroughProgram(const SEchoRequest& request);

// The longest time-out a request may ask for: a script cannot make a query wait for minutes.
inline constexpr uint32_t kLongestEchoTimeoutMs = 60000;

}  // namespace quillet::engine::machine

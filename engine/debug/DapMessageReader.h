#pragma once
// Reads Debug Adapter Protocol messages from a byte stream: headers ("Content-Length: N"), an
// empty line, then N bytes of JSON. Bytes arrive in any pieces. Input is untrusted: headers and
// bodies have upper bounds, deep nesting is refused before parsing, and a broken frame is
// reported rather than guessed at. Has no part of the engine in it, so the editor can use it.

#include <cstddef>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace quillet::dap {

class CDapMessageReader {
 public:
  static constexpr size_t kMaxHeaderBytes = 8 * 1024;
  static constexpr size_t kMaxBodyBytes = 16 * 1024 * 1024;
  static constexpr int kMaxNesting = 200;

  enum class EResult {
    Message,    // message holds the next one
    NeedMore,   // nothing complete yet
    Malformed,  // one message was no valid protocol message: it is skipped, reading goes on
    Broken,     // the framing is lost (bad or oversized header): nothing more can be read
  };

  void Append(std::string_view bytes);
  // On Malformed and Broken, error says why.
  EResult Next(nlohmann::json& message, std::string& error);

 private:
  EResult ReadHeader(std::string& error);

  std::string m_buffer;
  size_t m_bodyLength = 0;
  bool m_inBody = false;
  bool m_broken = false;
  std::string m_brokenReason;
};

}  // namespace quillet::dap

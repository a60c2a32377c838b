#pragma once
// Writes Debug Adapter Protocol messages: numbers each one (seq) and frames it with its
// Content-Length header. Safe to use from several threads; each message reaches the sink whole.

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace quillet::dap {

class CDapMessageWriter {
 public:
  // The sink gets each framed message in one call; it returns false once the peer is gone.
  using Sink = std::function<bool(std::string_view)>;
  explicit CDapMessageWriter(Sink sink) : m_sink(std::move(sink)) {}

  // Fills in seq. False when the peer is gone.
  bool Send(nlohmann::json message);

  [[nodiscard]] static std::string Frame(const nlohmann::json& message);

 private:
  Sink m_sink;
  std::mutex m_lock;
  int64_t m_seq = 0;
};

}  // namespace quillet::dap

#include "engine/debug/DapMessageWriter.h"

namespace quillet::dap {

std::string CDapMessageWriter::Frame(const nlohmann::json& message) {
  // Text the script produced may hold bytes that are no UTF-8: they are replaced, not refused.
  const std::string body = message.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

bool CDapMessageWriter::Send(nlohmann::json message) {
  const std::lock_guard<std::mutex> guard(m_lock);
  message["seq"] = ++m_seq;
  return m_sink(Frame(message));
}

}  // namespace quillet::dap

#include "engine/debug/DapMessageReader.h"

#include <cctype>

namespace quillet::dap {

namespace {

bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// The parser and the value's destructor would follow any depth; the protocol needs little.
bool NestsTooDeep(std::string_view body, int limit) {
  int depth = 0;
  bool inString = false;
  for (size_t i = 0; i < body.size(); ++i) {
    const char c = body[i];
    if (inString) {
      if (c == '\\') ++i;
      else if (c == '"') inString = false;
      continue;
    }
    if (c == '"') inString = true;
    else if (c == '[' || c == '{') {
      if (++depth > limit) return true;
    } else if (c == ']' || c == '}') {
      --depth;
    }
  }
  return false;
}

}  // namespace

void CDapMessageReader::Append(std::string_view bytes) {
  if (m_broken) return;
  m_buffer.append(bytes);
}

CDapMessageReader::EResult CDapMessageReader::ReadHeader(std::string& error) {
  const size_t end = m_buffer.find("\r\n\r\n");
  if (end == std::string::npos) {
    if (m_buffer.size() > kMaxHeaderBytes) {
      error = "The message header is longer than " + std::to_string(kMaxHeaderBytes) + " bytes.";
      return EResult::Broken;
    }
    return EResult::NeedMore;
  }
  if (end > kMaxHeaderBytes) {
    error = "The message header is longer than " + std::to_string(kMaxHeaderBytes) + " bytes.";
    return EResult::Broken;
  }
  const std::string_view header(m_buffer.data(), end);
  bool haveLength = false;
  size_t length = 0;
  size_t at = 0;
  while (at <= header.size()) {
    const size_t lineEnd = std::min(header.find("\r\n", at), header.size());
    const std::string_view line = header.substr(at, lineEnd - at);
    at = lineEnd + 2;
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos) {
      error = "A header line has no colon.";
      return EResult::Broken;
    }
    if (!SameLetters(Trim(line.substr(0, colon)), "Content-Length")) continue;
    const std::string_view value = Trim(line.substr(colon + 1));
    if (value.empty() || value.size() > 9) {
      error = "Content-Length is not a length this reader accepts.";
      return EResult::Broken;
    }
    length = 0;
    for (char c : value) {
      if (c < '0' || c > '9') {
        error = "Content-Length is not a number.";
        return EResult::Broken;
      }
      length = length * 10 + static_cast<size_t>(c - '0');
    }
    haveLength = true;
  }
  if (!haveLength) {
    error = "The message header has no Content-Length.";
    return EResult::Broken;
  }
  if (length > kMaxBodyBytes) {
    error = "The message body of " + std::to_string(length) + " bytes is larger than " +
            std::to_string(kMaxBodyBytes) + " bytes.";
    return EResult::Broken;
  }
  m_buffer.erase(0, end + 4);
  m_bodyLength = length;
  m_inBody = true;
  return EResult::Message;
}

CDapMessageReader::EResult CDapMessageReader::Next(nlohmann::json& message, std::string& error) {
  if (m_broken) {
    error = m_brokenReason;
    return EResult::Broken;
  }
  if (!m_inBody) {
    const EResult header = ReadHeader(error);
    if (header == EResult::Broken) {
      m_broken = true;
      m_brokenReason = error;
      m_buffer.clear();
      m_buffer.shrink_to_fit();
    }
    if (header != EResult::Message) return header;
  }
  if (m_buffer.size() < m_bodyLength) return EResult::NeedMore;
  const std::string_view body(m_buffer.data(), m_bodyLength);
  EResult result = EResult::Message;
  if (NestsTooDeep(body, kMaxNesting)) {
    error = "The message nests deeper than " + std::to_string(kMaxNesting) + " levels.";
    result = EResult::Malformed;
  } else {
    message = nlohmann::json::parse(body, nullptr, false);
    if (message.is_discarded()) {
      error = "The message body is not JSON.";
      result = EResult::Malformed;
    } else if (!message.is_object() || !message.contains("type") || !message["type"].is_string()) {
      error = "The message is not an object with a type.";
      result = EResult::Malformed;
    }
  }
  m_buffer.erase(0, m_bodyLength);
  m_inBody = false;
  m_bodyLength = 0;
  return result;
}

}  // namespace quillet::dap

// Any bytes given to the debug adapter's message reader, in pieces of any size, give messages,
// skipped bodies or a lost frame that stays lost, never a fault; every message read then goes to
// a session that has launched nothing (a launch would run a script), which answers it.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/debug/DapMessageReader.h"
#include "engine/debug/DapMessageWriter.h"
#include "engine/debug/DapSession.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using quillet::dap::CDapMessageReader;
  if (size == 0) return 0;
  // The first byte sets the size of the pieces the rest arrives in.
  const size_t piece = static_cast<size_t>(data[0]) + 1;
  const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  quillet::dap::CDapMessageWriter writer([](std::string_view) { return true; });
  quillet::engine::debug::CDapSession session(writer);
  CDapMessageReader reader;
  bool broken = false;
  for (size_t at = 0; at < input.size(); at += piece) {
    reader.Append(input.substr(at, piece));
    for (;;) {
      nlohmann::json message;
      std::string error;
      const auto result = reader.Next(message, error);
      if (result == CDapMessageReader::EResult::NeedMore) break;
      if (result == CDapMessageReader::EResult::Broken) {
        if (error.empty()) std::abort();
        broken = true;
        break;
      }
      if (broken) std::abort();  // nothing is read once the frame is lost
      if (result == CDapMessageReader::EResult::Malformed) {
        if (error.empty()) std::abort();
        continue;
      }
      if (!message.is_object() || !message["type"].is_string()) std::abort();
      if (message.value("command", nlohmann::json()) == "launch") continue;
      session.Handle(message);
    }
    if (broken) break;
  }
  return 0;
}

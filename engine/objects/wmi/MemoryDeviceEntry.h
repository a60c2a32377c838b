#pragma once
// A memory device entry (type 17) of the machine description tables, as the kernel hands it out
// raw: a formatted part whose length is its second byte, then numbered strings, each ended by a
// zero byte, the last by two. The entry comes from firmware: every offset and string number is
// checked against the bytes actually there.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillet::engine::machine {

struct SMemoryDevice {
  uint64_t capacity = 0;  // bytes; 0 for an empty socket
  std::optional<uint16_t> dataWidth, totalWidth, speed;
  uint8_t formFactor = 0;
  uint8_t memoryType = 0;
  std::string deviceLocator, bankLocator, manufacturer, serialNumber, partNumber;
};

// Nullopt when the bytes are not a memory device entry.
[[nodiscard]] std::optional<SMemoryDevice> ParseMemoryDevice(std::string_view raw);

}  // namespace quillet::engine::machine

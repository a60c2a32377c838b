#include "engine/objects/wmi/MemoryDeviceEntry.h"

#include <vector>

namespace quillet::engine::machine {

namespace {

constexpr uint8_t kMemoryDeviceType = 17;
constexpr uint16_t kUnknownWord = 0xFFFF;
constexpr uint16_t kSizeInExtendedField = 0x7FFF;

uint16_t Word(std::string_view raw, size_t at) {
  return static_cast<uint16_t>(static_cast<uint8_t>(raw[at]) | (static_cast<uint8_t>(raw[at + 1]) << 8));
}

uint32_t DoubleWord(std::string_view raw, size_t at) {
  return static_cast<uint32_t>(Word(raw, at)) | (static_cast<uint32_t>(Word(raw, at + 2)) << 16);
}

std::vector<std::string> Strings(std::string_view raw, size_t from) {
  std::vector<std::string> strings;
  while (from < raw.size() && raw[from] != '\0') {
    const size_t end = raw.find('\0', from);
    if (end == std::string_view::npos) break;  // cut short: the unterminated rest is not a string
    strings.emplace_back(raw.substr(from, end - from));
    from = end + 1;
  }
  return strings;
}

// String number n (from 1) of the entry, where the byte at `at` names it; 0 means none.
std::string StringAt(std::string_view raw, size_t length, size_t at, const std::vector<std::string>& strings) {
  if (at >= length) return {};
  const auto number = static_cast<uint8_t>(raw[at]);
  if (number == 0 || number > strings.size()) return {};
  std::string text = strings[number - 1];
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

std::optional<uint16_t> KnownWord(std::string_view raw, size_t length, size_t at) {
  if (at + 2 > length) return std::nullopt;
  const uint16_t value = Word(raw, at);
  if (value == 0 || value == kUnknownWord) return std::nullopt;
  return value;
}

uint64_t Capacity(std::string_view raw, size_t length) {
  const uint16_t size = Word(raw, 0x0C);
  if (size == 0 || size == kUnknownWord) return 0;
  if (size == kSizeInExtendedField) {
    if (length < 0x20) return 0;
    return static_cast<uint64_t>(DoubleWord(raw, 0x1C) & 0x7FFFFFFF) << 20;  // megabytes
  }
  const uint64_t amount = size & 0x7FFF;
  return (size & 0x8000) != 0 ? amount << 10 : amount << 20;  // kilobytes or megabytes
}

}  // namespace

std::optional<SMemoryDevice> ParseMemoryDevice(std::string_view raw) {
  if (raw.size() < 0x15 || static_cast<uint8_t>(raw[0]) != kMemoryDeviceType) return std::nullopt;
  const size_t length = static_cast<uint8_t>(raw[1]);
  if (length < 0x15 || length > raw.size()) return std::nullopt;
  const std::vector<std::string> strings = Strings(raw, length);
  SMemoryDevice device;
  device.totalWidth = KnownWord(raw, length, 0x08);
  device.dataWidth = KnownWord(raw, length, 0x0A);
  device.capacity = Capacity(raw, length);
  device.formFactor = static_cast<uint8_t>(raw[0x0E]);
  device.deviceLocator = StringAt(raw, length, 0x10, strings);
  device.bankLocator = StringAt(raw, length, 0x11, strings);
  device.memoryType = static_cast<uint8_t>(raw[0x12]);
  device.speed = KnownWord(raw, length, 0x15);
  device.manufacturer = StringAt(raw, length, 0x17, strings);
  device.serialNumber = StringAt(raw, length, 0x18, strings);
  device.partNumber = StringAt(raw, length, 0x1A, strings);
  return device;
}

}  // namespace quillet::engine::machine

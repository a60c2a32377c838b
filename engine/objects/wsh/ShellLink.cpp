#include "engine/objects/wsh/ShellLink.h"

#include <array>

#include "platform/TextConvert.h"

namespace quillet::engine::wsh {

namespace {

constexpr uint32_t kHeaderSize = 0x4C;
// The class id every shell link starts with: 00021401-0000-0000-C000-000000000046.
constexpr std::array<uint8_t, 16> kLinkClassId = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                                  0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

namespace flag {
constexpr uint32_t HasLinkInfo = 0x2, HasName = 0x4, HasRelativePath = 0x8, HasWorkingDir = 0x10,
                   HasArguments = 0x20, HasIconLocation = 0x40, IsUnicode = 0x80;
}  // namespace flag

constexpr uint32_t kVolumeIdAndLocalBasePath = 0x1;
constexpr uint32_t kFixedDrive = 3;

void PutU16(std::string& out, uint16_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>(value >> 8);
}

void PutU32(std::string& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void PutU64(std::string& out, uint64_t value) {
  PutU32(out, static_cast<uint32_t>(value));
  PutU32(out, static_cast<uint32_t>(value >> 32));
}

void PutU32At(std::string& out, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A POSIX path as the other system spells it: drive Z: is /.
std::u16string ToWindowsPath(std::u16string_view path) {
  std::u16string out(path);
  for (char16_t& c : out) {
    if (c == u'/') c = u'\\';
  }
  if (!path.empty() && path.front() == u'/') out = u"Z:" + out;
  return out;
}

std::u16string FromWindowsPath(std::u16string_view path) {
  if (path.size() >= 3 && (path[0] == u'Z' || path[0] == u'z') && path[1] == u':' && path[2] == u'\\') {
    std::u16string out(path.substr(2));
    for (char16_t& c : out) {
      if (c == u'\\') c = u'/';
    }
    return out;
  }
  return std::u16string(path);
}

// A string of the StringData section: a count of UTF-16 units, then the units.
void PutCountedString(std::string& out, std::u16string_view text) {
  const size_t length = std::min<size_t>(text.size(), 0xFFFF);
  PutU16(out, static_cast<uint16_t>(length));
  for (size_t i = 0; i < length; ++i) PutU16(out, static_cast<uint16_t>(text[i]));
}

// LinkInfo with the target as a local path, in the ANSI and the Unicode forms.
std::string LinkInfo(std::u16string_view target) {
  constexpr uint32_t kInfoHeaderSize = 0x24;
  std::string volume;
  PutU32(volume, 0x11);  // VolumeIDSize: the fields and an empty label
  PutU32(volume, kFixedDrive);
  PutU32(volume, 0);     // serial number
  PutU32(volume, 0x10);  // label offset
  volume += '\0';
  std::string ansi;
  for (const char16_t c : target) ansi += c < 0x80 ? static_cast<char>(c) : '?';
  ansi += '\0';
  std::string info(kInfoHeaderSize, '\0');
  const auto volumeOffset = static_cast<uint32_t>(info.size());
  info += volume;
  const auto baseOffset = static_cast<uint32_t>(info.size());
  info += ansi;
  const auto suffixOffset = static_cast<uint32_t>(info.size());
  info += '\0';
  const auto baseUnicodeOffset = static_cast<uint32_t>(info.size());
  for (const char16_t c : target) PutU16(info, static_cast<uint16_t>(c));
  PutU16(info, 0);
  const auto suffixUnicodeOffset = static_cast<uint32_t>(info.size());
  PutU16(info, 0);
  PutU32At(info, 0, static_cast<uint32_t>(info.size()));
  PutU32At(info, 4, kInfoHeaderSize);
  PutU32At(info, 8, kVolumeIdAndLocalBasePath);
  PutU32At(info, 12, volumeOffset);
  PutU32At(info, 16, baseOffset);
  PutU32At(info, 20, 0);
  PutU32At(info, 24, suffixOffset);
  PutU32At(info, 28, baseUnicodeOffset);
  PutU32At(info, 32, suffixUnicodeOffset);
  return info;
}

class CReader {
 public:
  explicit CReader(std::string_view bytes) : m_bytes(bytes) {}
  [[nodiscard]] bool Has(size_t at, size_t size) const { return at <= m_bytes.size() && size <= m_bytes.size() - at; }
  [[nodiscard]] std::optional<uint32_t> U32(size_t at) const {
    if (!Has(at, 4)) return std::nullopt;
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= static_cast<uint32_t>(static_cast<uint8_t>(m_bytes[at + i])) << (8 * i);
    return value;
  }
  [[nodiscard]] std::optional<uint16_t> U16(size_t at) const {
    if (!Has(at, 2)) return std::nullopt;
    return static_cast<uint16_t>(static_cast<uint8_t>(m_bytes[at]) | static_cast<uint8_t>(m_bytes[at + 1]) << 8);
  }
  // A zero-terminated UTF-16 or ANSI text from at, within limit.
  [[nodiscard]] std::optional<std::u16string> Terminated(size_t at, size_t limit, bool unicode) const {
    std::u16string text;
    for (;;) {
      if (unicode) {
        const auto unit = U16(at);
        if (!unit || at + 2 > limit) return std::nullopt;
        if (*unit == 0) return text;
        text += static_cast<char16_t>(*unit);
        at += 2;
      } else {
        if (!Has(at, 1) || at + 1 > limit) return std::nullopt;
        if (m_bytes[at] == '\0') return text;
        text += static_cast<char16_t>(static_cast<uint8_t>(m_bytes[at]));
        ++at;
      }
    }
  }

 private:
  std::string_view m_bytes;
};

}  // namespace

std::string CShellLink::Write(const SShellLink& link) {
  uint32_t flags = flag::IsUnicode;
  if (!link.targetPath.empty()) flags |= flag::HasLinkInfo;
  if (!link.description.empty()) flags |= flag::HasName;
  if (!link.relativePath.empty()) flags |= flag::HasRelativePath;
  if (!link.workingDirectory.empty()) flags |= flag::HasWorkingDir;
  if (!link.arguments.empty()) flags |= flag::HasArguments;
  if (!link.iconPath.empty()) flags |= flag::HasIconLocation;

  std::string out;
  PutU32(out, kHeaderSize);
  out.append(reinterpret_cast<const char*>(kLinkClassId.data()), kLinkClassId.size());
  PutU32(out, flags);
  PutU32(out, link.fileAttributes);
  PutU64(out, link.creationTime);
  PutU64(out, link.accessTime);
  PutU64(out, link.writeTime);
  PutU32(out, link.fileSize);
  PutU32(out, static_cast<uint32_t>(link.iconIndex));
  PutU32(out, link.showCommand);
  PutU16(out, link.hotkey);
  out.append(10, '\0');                       // reserved
  if (flags & flag::HasLinkInfo) out += LinkInfo(ToWindowsPath(link.targetPath));
  if (flags & flag::HasName) PutCountedString(out, link.description);
  if (flags & flag::HasRelativePath) PutCountedString(out, ToWindowsPath(link.relativePath));
  if (flags & flag::HasWorkingDir) PutCountedString(out, ToWindowsPath(link.workingDirectory));
  if (flags & flag::HasArguments) PutCountedString(out, link.arguments);
  if (flags & flag::HasIconLocation) PutCountedString(out, ToWindowsPath(link.iconPath));
  PutU32(out, 0);  // no extra data blocks
  return out;
}

std::optional<SShellLink> CShellLink::Read(std::string_view bytes) {
  const CReader in(bytes);
  if (in.U32(0) != kHeaderSize || !in.Has(0, kHeaderSize) ||
      bytes.substr(4, 16) != std::string_view(reinterpret_cast<const char*>(kLinkClassId.data()), 16)) {
    return std::nullopt;
  }
  SShellLink link;
  const uint32_t flags = *in.U32(20);
  link.linkFlags = flags;
  link.fileAttributes = *in.U32(24);
  link.creationTime = *in.U32(28) | uint64_t{*in.U32(32)} << 32;
  link.accessTime = *in.U32(36) | uint64_t{*in.U32(40)} << 32;
  link.writeTime = *in.U32(44) | uint64_t{*in.U32(48)} << 32;
  link.fileSize = *in.U32(52);
  link.iconIndex = static_cast<int32_t>(*in.U32(56));
  link.showCommand = *in.U32(60);
  link.hotkey = *in.U16(64);
  size_t at = kHeaderSize;
  if (flags & 0x1) {  // an item list we do not interpret: skipped by its size
    const auto size = in.U16(at);
    if (!size) return std::nullopt;
    at += 2 + *size;
  }
  if (flags & flag::HasLinkInfo) {
    const auto size = in.U32(at);
    const auto headerSize = in.U32(at + 4);
    const auto infoFlags = in.U32(at + 8);
    if (!size || !headerSize || !infoFlags || !in.Has(at, *size) || *size < 0x1C) return std::nullopt;
    const size_t end = at + *size;
    if (*infoFlags & kVolumeIdAndLocalBasePath) {
      const bool unicode = *headerSize >= 0x24;
      const auto offset = in.U32(at + (unicode ? 28 : 16));
      const auto suffixOffset = in.U32(at + (unicode ? 32 : 24));
      if (!offset || !suffixOffset) return std::nullopt;
      auto base = in.Terminated(at + *offset, end, unicode);
      auto suffix = in.Terminated(at + *suffixOffset, end, unicode);
      if (!base || !suffix) return std::nullopt;
      link.targetPath = FromWindowsPath(*base + *suffix);
    }
    at = end;
  }
  const bool unicode = (flags & flag::IsUnicode) != 0;
  const auto readString = [&](std::u16string& into) {
    const auto count = in.U16(at);
    const size_t unit = unicode ? 2 : 1;
    if (!count || !in.Has(at + 2, *count * unit)) return false;
    into.clear();
    for (size_t i = 0; i < *count; ++i) {
      into += unicode ? static_cast<char16_t>(*in.U16(at + 2 + 2 * i))
                      : static_cast<char16_t>(static_cast<uint8_t>(bytes[at + 2 + i]));
    }
    at += 2 + *count * unit;
    return true;
  };
  std::u16string relative, working, icon;
  if ((flags & flag::HasName) && !readString(link.description)) return std::nullopt;
  if ((flags & flag::HasRelativePath) && !readString(relative)) return std::nullopt;
  if ((flags & flag::HasWorkingDir) && !readString(working)) return std::nullopt;
  if ((flags & flag::HasArguments) && !readString(link.arguments)) return std::nullopt;
  if ((flags & flag::HasIconLocation) && !readString(icon)) return std::nullopt;
  link.relativePath = FromWindowsPath(relative);
  link.workingDirectory = FromWindowsPath(working);
  link.iconPath = FromWindowsPath(icon);
  return link;
}

std::optional<uint16_t> CShellLink::ParseHotkey(std::u16string_view text) {
  if (text.empty()) return 0;
  uint16_t modifiers = 0;
  std::u16string rest = platform::LowerAscii(text);
  for (;;) {
    const size_t plus = rest.find(u'+');
    if (plus == std::u16string::npos || plus + 1 == rest.size()) break;
    const std::u16string word = rest.substr(0, plus);
    if (word == u"shift") modifiers |= 1;
    else if (word == u"ctrl") modifiers |= 2;
    else if (word == u"alt") modifiers |= 4;
    else return std::nullopt;
    rest = rest.substr(plus + 1);
  }
  uint16_t key = 0;
  if (rest.size() == 1 && ((rest[0] >= u'a' && rest[0] <= u'z') || (rest[0] >= u'0' && rest[0] <= u'9'))) {
    key = static_cast<uint16_t>(rest[0] >= u'a' ? rest[0] - u'a' + u'A' : rest[0]);
  } else if (rest.size() >= 2 && rest[0] == u'f') {
    int number = 0;
    for (size_t i = 1; i < rest.size(); ++i) {
      if (rest[i] < u'0' || rest[i] > u'9') return std::nullopt;
      number = number * 10 + (rest[i] - u'0');
      if (number > 24) return std::nullopt;
    }
    if (number < 1) return std::nullopt;
    key = static_cast<uint16_t>(0x70 + number - 1);
  } else {
    return std::nullopt;
  }
  return static_cast<uint16_t>(modifiers << 8 | key);
}

std::u16string CShellLink::HotkeyText(uint16_t hotkey) {
  const uint16_t key = hotkey & 0xFF;
  if (key == 0) return {};
  std::u16string text;
  const uint16_t modifiers = hotkey >> 8;
  if (modifiers & 4) text += u"Alt+";
  if (modifiers & 2) text += u"Ctrl+";
  if (modifiers & 1) text += u"Shift+";
  if (key >= 0x70 && key <= 0x87) return text + u"F" + platform::Utf8ToUtf16(std::to_string(key - 0x70 + 1));
  return text + static_cast<char16_t>(key);
}

}  // namespace quillet::engine::wsh

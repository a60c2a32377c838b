#include "platform/PeFileVersion.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace quillet::platform {
namespace {

constexpr uint32_t kPeSignature = 0x00004550;  // "PE\0\0"
constexpr uint16_t kPe32 = 0x10B, kPe32Plus = 0x20B;
constexpr uint32_t kResourceDirectoryIndex = 2;
constexpr uint32_t kVersionResourceType = 16;
constexpr uint32_t kFixedInfoSignature = 0xFEEF04BD;
constexpr uint32_t kHighBit = 0x80000000;
constexpr int kMaxSections = 96;
// A resource section larger than this is not read: version resources are a few hundred bytes.
constexpr uint32_t kMaxResourceSection = 64u << 20;

// Little-endian reads that give 0 and fail the reader past the end.
class CBoundedBytes {
 public:
  explicit CBoundedBytes(std::string_view bytes) : m_bytes(bytes) {}
  [[nodiscard]] bool Ok() const { return m_ok; }
  [[nodiscard]] uint16_t U16(uint64_t at) { return static_cast<uint16_t>(Le(at, 2)); }
  [[nodiscard]] uint32_t U32(uint64_t at) { return static_cast<uint32_t>(Le(at, 4)); }

 private:
  uint64_t Le(uint64_t at, int width) {
    if (at > m_bytes.size() || m_bytes.size() - at < static_cast<uint64_t>(width)) {
      m_ok = false;
      return 0;
    }
    uint64_t value = 0;
    for (int i = width - 1; i >= 0; --i) value = (value << 8) | static_cast<uint8_t>(m_bytes[at + static_cast<uint64_t>(i)]);
    return value;
  }

  std::string_view m_bytes;
  bool m_ok = true;
};

struct SSection {
  uint32_t virtualAddress = 0, rawSize = 0, rawPointer = 0;
};

// Reads [offset, offset + size) of the file; short when the file is.
std::string ReadAt(int fd, uint64_t offset, uint64_t size) {
  std::string bytes(size, '\0');
  size_t done = 0;
  while (done < size) {
    const ssize_t count = ::pread(fd, bytes.data() + done, size - done, static_cast<off_t>(offset + done));
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) break;
    done += static_cast<size_t>(count);
  }
  bytes.resize(done);
  return bytes;
}

// The entry of a resource directory with this id (any entry when id is 0), or -1.
int64_t FindDirectoryEntry(CBoundedBytes& section, uint64_t directory, uint32_t id) {
  const uint32_t count = uint32_t{section.U16(directory + 12)} + section.U16(directory + 14);
  for (uint32_t i = 0; i < count && section.Ok(); ++i) {
    const uint32_t name = section.U32(directory + 16 + 8 * uint64_t{i});
    if (id == 0 || name == id) return section.U32(directory + 20 + 8 * uint64_t{i});
  }
  return -1;
}

std::string FormatVersion(uint32_t high, uint32_t low) {
  return std::to_string(high >> 16) + "." + std::to_string(high & 0xFFFF) + "." + std::to_string(low >> 16) + "." +
         std::to_string(low & 0xFFFF);
}

}  // namespace

std::string FileVersionFromResources(std::string_view sectionBytes, uint32_t sectionAddress, uint32_t directoryAddress) {
  CBoundedBytes section(sectionBytes);
  if (directoryAddress < sectionAddress) return {};
  uint64_t directory = directoryAddress - sectionAddress;
  // Type, name, language: three levels, each a subdirectory but the last.
  const uint32_t wanted[] = {kVersionResourceType, 0, 0};
  for (int level = 0; level < 3; ++level) {
    const int64_t target = FindDirectoryEntry(section, directory, wanted[level]);
    if (target < 0 || !section.Ok()) return {};
    const bool isDirectory = (target & kHighBit) != 0;
    if (isDirectory != (level < 2)) return {};
    directory = static_cast<uint64_t>(target) & ~uint64_t{kHighBit};
  }
  const uint32_t dataAddress = section.U32(directory);
  const uint32_t dataSize = section.U32(directory + 4);
  if (!section.Ok() || dataAddress < sectionAddress) return {};
  const uint64_t data = dataAddress - sectionAddress;
  // VS_VERSIONINFO: length, value length, type, "VS_VERSION_INFO\0", padding to 4, then the
  // fixed file information.
  constexpr uint64_t kFixedInfo = 40;
  if (dataSize < kFixedInfo + 16 || section.U16(data + 2) < 16) return {};
  if (section.U32(data + kFixedInfo) != kFixedInfoSignature) return {};
  const uint32_t high = section.U32(data + kFixedInfo + 8);
  const uint32_t low = section.U32(data + kFixedInfo + 12);
  return section.Ok() ? FormatVersion(high, low) : std::string{};
}

std::optional<std::string> ReadPeFileVersion(const std::string& path, int& errorCode) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    errorCode = errno;
    return std::nullopt;
  }
  struct SCloser {
    int fd;
    ~SCloser() { ::close(fd); }
  } closer{fd};
  struct stat info{};
  if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    errorCode = S_ISDIR(info.st_mode) ? EISDIR : errno;
    return std::nullopt;
  }
  if (!S_ISREG(info.st_mode)) return std::string{};

  const std::string dos = ReadAt(fd, 0, 64);
  CBoundedBytes dosHeader(dos);
  if (dosHeader.U16(0) != 0x5A4D) return std::string{};
  const uint32_t pe = dosHeader.U32(0x3C);
  // Signature, file header and the largest optional header with its data directories.
  const std::string headers = ReadAt(fd, pe, 4 + 20 + 0xFFFF + 40 * kMaxSections);
  CBoundedBytes in(headers);
  if (in.U32(0) != kPeSignature) return std::string{};
  const uint32_t sectionCount = in.U16(4 + 2);
  const uint32_t optionalSize = in.U16(4 + 16);
  const uint64_t optional = 24;
  const uint16_t magic = in.U16(optional);
  if (magic != kPe32 && magic != kPe32Plus) return std::string{};
  const uint64_t countAt = optional + (magic == kPe32 ? 92 : 108);
  const uint64_t entry = countAt + 4 + 8 * kResourceDirectoryIndex;
  if (in.U32(countAt) <= kResourceDirectoryIndex || entry + 8 > optional + optionalSize) return std::string{};
  const uint32_t resourceAddress = in.U32(entry);
  const uint64_t table = optional + optionalSize;
  for (uint32_t i = 0; i < sectionCount && i < kMaxSections && in.Ok(); ++i) {
    const uint64_t at = table + 40 * uint64_t{i};
    const SSection section{in.U32(at + 12), in.U32(at + 16), in.U32(at + 20)};
    if (!in.Ok()) break;
    if (resourceAddress < section.virtualAddress || resourceAddress - section.virtualAddress >= section.rawSize) continue;
    if (section.rawSize > kMaxResourceSection) return std::string{};
    const std::string bytes = ReadAt(fd, section.rawPointer, section.rawSize);
    return FileVersionFromResources(bytes, section.virtualAddress, resourceAddress);
  }
  return std::string{};
}

namespace {

void PutU16(std::string& out, uint16_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>(value >> 8);
}

void PutU32(std::string& out, uint32_t value) {
  PutU16(out, static_cast<uint16_t>(value & 0xFFFF));
  PutU16(out, static_cast<uint16_t>(value >> 16));
}

void PadTo(std::string& out, size_t size) {
  if (out.size() < size) out.append(size - out.size(), '\0');
}

}  // namespace

std::string BuildPeWithFileVersion(uint16_t major, uint16_t minor, uint16_t build, uint16_t revision, bool is64Bit) {
  constexpr uint32_t kFileAlignment = 0x200, kSectionAddress = 0x1000;
  // The section: three one-entry directories (16 + 8 bytes each), a data entry, the resource.
  constexpr uint32_t kDataEntry = 72, kData = 88;
  std::string resource;
  const auto directory = [&resource](uint32_t id, uint32_t target) {
    PutU32(resource, 0);
    PutU32(resource, 0);
    PutU32(resource, 0);
    PutU16(resource, 0);
    PutU16(resource, 1);
    PutU32(resource, id);
    PutU32(resource, target);
  };
  directory(kVersionResourceType, kHighBit | 24);
  directory(1, kHighBit | 48);
  directory(0x409, kDataEntry);
  std::string info;
  PutU16(info, 0);  // length, filled below
  PutU16(info, 52);
  PutU16(info, 0);
  for (const char16_t c : std::u16string_view(u"VS_VERSION_INFO")) PutU16(info, c);
  PutU16(info, 0);
  PadTo(info, 40);
  PutU32(info, kFixedInfoSignature);
  PutU32(info, 0x00010000);
  PutU32(info, uint32_t{major} << 16 | minor);
  PutU32(info, uint32_t{build} << 16 | revision);
  PadTo(info, 40 + 52);
  info[0] = static_cast<char>(info.size());
  PutU32(resource, kSectionAddress + kData);
  PutU32(resource, static_cast<uint32_t>(info.size()));
  PutU32(resource, 0);
  PutU32(resource, 0);
  resource += info;
  const uint32_t rawSize = (static_cast<uint32_t>(resource.size()) + kFileAlignment - 1) / kFileAlignment * kFileAlignment;

  std::string image;
  PutU16(image, 0x5A4D);
  PadTo(image, 0x3C);
  PutU32(image, 0x40);
  PutU32(image, kPeSignature);
  PutU16(image, is64Bit ? 0x8664 : 0x14C);
  PutU16(image, 1);
  PadTo(image, image.size() + 12);
  const uint16_t optionalSize = is64Bit ? 240 : 224;
  PutU16(image, optionalSize);
  PutU16(image, 0x2102);
  const size_t optional = image.size();
  PutU16(image, is64Bit ? kPe32Plus : kPe32);
  PadTo(image, optional + (is64Bit ? 108 : 92));
  PutU32(image, 16);
  for (uint32_t i = 0; i < 16; ++i) {
    PutU32(image, i == kResourceDirectoryIndex ? kSectionAddress : 0);
    PutU32(image, i == kResourceDirectoryIndex ? static_cast<uint32_t>(resource.size()) : 0);
  }
  image += std::string_view(".rsrc\0\0\0", 8);
  PutU32(image, static_cast<uint32_t>(resource.size()));
  PutU32(image, kSectionAddress);
  PutU32(image, rawSize);
  PutU32(image, kFileAlignment);
  PadTo(image, image.size() + 12);
  PutU32(image, 0x40000040);
  PadTo(image, kFileAlignment);
  image += resource;
  PadTo(image, kFileAlignment + rawSize);
  return image;
}

}  // namespace quillet::platform

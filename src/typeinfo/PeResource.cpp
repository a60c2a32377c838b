#include "typeinfo/PeResource.h"

#include "typeinfo/ByteReader.h"
#include "typeinfo/ByteWriter.h"

namespace quillet::typeinfo {

namespace {

constexpr std::uint32_t kPeSignature = 0x00004550;  // "PE\0\0"
constexpr std::uint16_t kPe32 = 0x10B, kPe32Plus = 0x20B;
constexpr int kResourceDirectoryIndex = 2;
constexpr int kMaxSections = 96;
constexpr std::uint32_t kHighBit = 0x80000000;
constexpr std::u16string_view kTypeLibName = u"TYPELIB";

struct SSection {
  std::uint32_t virtualAddress = 0, virtualSize = 0, rawSize = 0, rawPointer = 0;
};

// The image's sections and the reads that map addresses into its file.
class CPeImage {
 public:
  explicit CPeImage(std::string_view bytes) : m_in(bytes) {}

  bool Load(std::uint32_t& resourceRva) {
    const std::int64_t pe = m_in.U32(0x3C);
    if (m_in.U32(pe) != kPeSignature || !m_in.Ok()) return false;
    const std::int64_t coff = pe + 4;
    const int sectionCount = m_in.U16(coff + 2);
    const std::int64_t optionalSize = m_in.U16(coff + 16);
    const std::int64_t optional = coff + 20;
    const std::uint16_t magic = m_in.U16(optional);
    if (magic != kPe32 && magic != kPe32Plus) return false;
    const std::int64_t countAt = optional + (magic == kPe32 ? 92 : 108);
    const std::int64_t directories = countAt + 4;
    const std::int64_t entry = directories + 8 * kResourceDirectoryIndex;
    if (m_in.U32(countAt) <= kResourceDirectoryIndex || entry + 8 > optional + optionalSize) return false;
    resourceRva = m_in.U32(entry);
    const std::int64_t table = optional + optionalSize;
    for (int i = 0; i < sectionCount && i < kMaxSections; ++i) {
      const std::int64_t at = table + 40 * i;
      m_sections[m_sectionCount++] = {m_in.U32(at + 12), m_in.U32(at + 8), m_in.U32(at + 16), m_in.U32(at + 20)};
    }
    return m_in.Ok() && resourceRva != 0;
  }

  // The file bytes from `rva` to the end of the section's raw data, or empty.
  [[nodiscard]] std::string_view At(std::uint32_t rva) {
    for (int i = 0; i < m_sectionCount; ++i) {
      const SSection& s = m_sections[i];
      if (rva < s.virtualAddress) continue;
      const std::uint32_t delta = rva - s.virtualAddress;
      if (delta >= s.rawSize) continue;
      const std::int64_t start = std::int64_t{s.rawPointer} + delta;
      std::int64_t length = std::int64_t{s.rawSize} - delta;
      if (!m_in.Contains(start, 0)) return {};
      if (!m_in.Contains(start, length)) length = static_cast<std::int64_t>(m_in.Size()) - start;
      return m_in.Bytes(start, length);
    }
    return {};
  }

 private:
  CByteReader m_in;
  SSection m_sections[kMaxSections];
  int m_sectionCount = 0;
};

// Entries of one resource directory inside the resource section.
class CResourceDirectory {
 public:
  CResourceDirectory(CByteReader& section, std::int64_t offset) : m_section(section), m_offset(offset) {}

  [[nodiscard]] int Count() {
    return m_section.U16(m_offset + 12) + m_section.U16(m_offset + 14);
  }
  [[nodiscard]] std::uint32_t Name(int i) { return m_section.U32(m_offset + 16 + 8 * i); }
  [[nodiscard]] std::uint32_t Target(int i) { return m_section.U32(m_offset + 20 + 8 * i); }

  [[nodiscard]] bool NameIs(int i, std::u16string_view expected) {
    const std::uint32_t name = Name(i);
    if (!(name & kHighBit)) return false;
    const std::int64_t at = name & ~kHighBit;
    if (m_section.U16(at) != expected.size()) return false;
    for (std::size_t c = 0; c < expected.size(); ++c)
      if (m_section.U16(at + 2 + 2 * static_cast<std::int64_t>(c)) != expected[c]) return false;
    return m_section.Ok();
  }

 private:
  CByteReader& m_section;
  std::int64_t m_offset;
};

// Index of the subdirectory entry wanted at this level, or -1.
int FindEntry(CResourceDirectory& directory, std::u16string_view name, std::uint16_t id) {
  const int count = directory.Count();
  int first = -1;
  for (int i = 0; i < count; ++i) {
    if (!name.empty() ? directory.NameIs(i, name) : (directory.Name(i) & kHighBit) == 0 && directory.Name(i) == id)
      return i;
    if (first < 0) first = i;
  }
  return name.empty() && id == 0 ? first : -1;
}

}  // namespace

bool CPeResource::LooksLikePe(std::string_view bytes) {
  CByteReader in(bytes);
  return in.U16(0) == 0x5A4D && in.U32(in.U32(0x3C)) == kPeSignature && in.Ok();
}

std::optional<std::string_view> CPeResource::FindTypeLib(std::string_view image, std::uint16_t id) {
  if (!LooksLikePe(image)) return std::nullopt;
  CPeImage pe(image);
  std::uint32_t resourceRva = 0;
  if (!pe.Load(resourceRva)) return std::nullopt;
  CByteReader section(pe.At(resourceRva));

  CResourceDirectory types(section, 0);
  const int type = FindEntry(types, kTypeLibName, 0);
  if (type < 0 || !(types.Target(type) & kHighBit)) return std::nullopt;
  CResourceDirectory names(section, types.Target(type) & ~kHighBit);
  int name = FindEntry(names, {}, id);
  if (name < 0 && id == 1) name = FindEntry(names, {}, 0);
  if (name < 0 || !(names.Target(name) & kHighBit)) return std::nullopt;
  CResourceDirectory languages(section, names.Target(name) & ~kHighBit);
  if (languages.Count() == 0 || (languages.Target(0) & kHighBit)) return std::nullopt;
  const std::int64_t dataEntry = languages.Target(0);
  const std::uint32_t dataRva = section.U32(dataEntry);
  const std::uint32_t dataSize = section.U32(dataEntry + 4);
  if (!section.Ok()) return std::nullopt;
  const std::string_view data = pe.At(dataRva);
  if (dataSize == 0 || data.size() < dataSize) return std::nullopt;
  return data.substr(0, dataSize);
}

std::string BuildPeWithTypeLib(std::string_view typeLib, bool is64Bit) {
  constexpr std::uint32_t kFileAlignment = 0x200, kSectionAlignment = 0x1000;
  constexpr std::uint32_t kDataOffset = 104;  // after three directories, a data entry and the name
  const std::uint32_t resourceSize = kDataOffset + static_cast<std::uint32_t>(typeLib.size());
  const std::uint32_t rawSize = (resourceSize + kFileAlignment - 1) / kFileAlignment * kFileAlignment;
  const std::uint16_t optionalSize = is64Bit ? 240 : 224;

  CByteWriter out;
  out.U16(0x5A4D);
  while (out.Size() < 0x3C) out.U8(0);
  out.U32(0x40);
  out.U32(kPeSignature);
  out.U16(is64Bit ? 0x8664 : 0x14C);
  out.U16(1);  // sections
  out.U32(0);
  out.U32(0);
  out.U32(0);
  out.U16(optionalSize);
  out.U16(0x2102);  // executable, 32-bit words, DLL
  const std::int32_t optional = out.Size();
  out.U16(is64Bit ? kPe32Plus : kPe32);
  while (out.Size() < optional + 32) out.U8(0);
  out.U32(kSectionAlignment);
  out.U32(kFileAlignment);
  while (out.Size() < optional + 56) out.U8(0);
  out.U32(kSectionAlignment + (rawSize + kSectionAlignment - 1) / kSectionAlignment * kSectionAlignment);  // image size
  out.U32(kFileAlignment);  // headers size
  while (out.Size() < optional + (is64Bit ? 108 : 92)) out.U8(0);
  out.U32(16);
  for (int i = 0; i < 16; ++i) {
    out.U32(i == kResourceDirectoryIndex ? kSectionAlignment : 0);
    out.U32(i == kResourceDirectoryIndex ? resourceSize : 0);
  }
  out.Append(std::string_view(".rsrc\0\0\0", 8));
  out.U32(resourceSize);
  out.U32(kSectionAlignment);
  out.U32(rawSize);
  out.U32(kFileAlignment);
  out.U32(0);
  out.U32(0);
  out.U16(0);
  out.U16(0);
  out.U32(0x40000040);  // initialised data, readable
  while (out.Size() < static_cast<std::int32_t>(kFileAlignment)) out.U8(0);

  const auto directory = [&out](std::uint16_t named, std::uint16_t ids) {
    for (int i = 0; i < 3; ++i) out.U32(0);
    out.U16(named);
    out.U16(ids);
  };
  directory(1, 0);
  out.U32(kHighBit | 88);
  out.U32(kHighBit | 24);
  directory(0, 1);
  out.U32(1);
  out.U32(kHighBit | 48);
  directory(0, 1);
  out.U32(0x409);
  out.U32(72);
  out.U32(kSectionAlignment + kDataOffset);
  out.U32(static_cast<std::uint32_t>(typeLib.size()));
  out.U32(0);
  out.U32(0);
  out.U16(static_cast<std::uint16_t>(kTypeLibName.size()));
  for (const char16_t c : kTypeLibName) out.U16(c);
  out.Align(8, 0);
  out.Append(typeLib);
  out.Align(static_cast<int>(kFileAlignment), 0);
  return out.Take();
}

}  // namespace quillet::typeinfo

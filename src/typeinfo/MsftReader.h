#pragma once
// Reads a type library in the MSFT format into plain records. The bytes are untrusted: every
// offset and count is checked against the file, type descriptions are followed only to a
// bounded depth, and the records built are bounded by a budget proportional to the file's size,
// so that a small file cannot make the reader build a huge library by pointing many types at
// the same member block. What cannot be read is left out; the rest is returned.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "typeinfo/ByteReader.h"
#include "typeinfo/MsftFormat.h"
#include "typeinfo/TypeLibDesc.h"

namespace quillet::typeinfo {

class CMsftReader {
 public:
  // Null when the bytes are not an MSFT type library (wrong magic, header cut off).
  [[nodiscard]] static std::optional<SLibraryDesc> Read(std::string_view bytes);
  [[nodiscard]] static bool LooksLikeMsft(std::string_view bytes);

 private:
  struct SSegment {
    std::int64_t offset = -1;
    std::int64_t length = 0;
  };

  explicit CMsftReader(std::string_view bytes);

  bool ReadHeader(SLibraryDesc& library);
  void ReadImportFiles(SLibraryDesc& library);
  void ReadTypeInfo(int index, STypeInfoDesc& type);
  void ReadImplTypes(std::int32_t first, int count, STypeInfoDesc& type);
  void ReadMembers(std::int64_t block, int funcCount, int varCount, STypeInfoDesc& type);
  bool ReadFunc(std::int64_t record, SFuncDesc& func);
  bool ReadVar(std::int64_t record, SVarDesc& var);

  [[nodiscard]] bool InSegment(msft::ESegment segment, std::int64_t offset, std::int64_t length) const;
  [[nodiscard]] std::int64_t SegmentStart(msft::ESegment segment) const;
  [[nodiscard]] std::u16string Name(std::int32_t offset);
  [[nodiscard]] std::u16string String(std::int32_t offset);
  [[nodiscard]] SGuid Guid(std::int32_t offset);
  [[nodiscard]] STypeDesc TypeDesc(std::int32_t encoded, int depth = 0);
  [[nodiscard]] STypeRef TypeRef(std::int32_t hrefType);
  [[nodiscard]] std::optional<SVariant> Value(std::int32_t encoded);
  [[nodiscard]] std::u16string Decode(std::string_view bytes);
  // Takes units from the budget; false once it is spent.
  bool Spend(std::int64_t units);

  CByteReader m_in;
  SSegment m_segments[msft::kSegmentCount];
  std::int64_t m_typeInfoCount = 0;
  std::int64_t m_budget = 0;
  std::unordered_map<std::int32_t, std::int32_t> m_importByOffset;
};

}  // namespace quillet::typeinfo

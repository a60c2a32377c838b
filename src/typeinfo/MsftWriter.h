#pragma once
// Writes a type library in the MSFT format from plain records: how tests build their fixtures
// and how the engine describes its objects. What it writes, CMsftReader reads back as the same
// records, provided the records are consistent: values fit their variant type, names are at most
// 255 bytes, a parameter with a default carries the has-default flag, constants have values.
// The name and GUID hash tables are written empty: our reader does not use them.

#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <unordered_map>

#include "typeinfo/ByteWriter.h"
#include "typeinfo/TypeLibDesc.h"

namespace quillet::typeinfo {

class CMsftWriter {
 public:
  [[nodiscard]] static std::string Write(const SLibraryDesc& library);

 private:
  explicit CMsftWriter(const SLibraryDesc& library) : m_library(library) {}

  std::string Build();
  void WriteTypeInfo(int index, std::int32_t memberBlock);
  std::string MemberBlock(const STypeInfoDesc& type);
  void WriteFunc(CByteWriter& out, const SFuncDesc& func, int index);
  void WriteVar(CByteWriter& out, const SVarDesc& var, int index);

  std::int32_t AddName(std::u16string_view name, std::int32_t hrefType = -1);
  std::int32_t AddString(std::u16string_view text);
  std::int32_t AddGuid(const SGuid& guid, std::int32_t hrefType);
  std::int32_t AddImportFile(int importIndex);
  std::int32_t HrefOf(const STypeRef& ref);
  std::int32_t EncodeType(const STypeDesc& type);
  std::int32_t EncodeValue(const SVariant& value);
  [[nodiscard]] std::string Encode(std::u16string_view text) const;

  const SLibraryDesc& m_library;
  CByteWriter m_typeInfos, m_impInfo, m_impFiles, m_refTab, m_guids, m_names, m_strings,
      m_typeDescs, m_arrayDescs, m_custData;
  std::unordered_map<std::u16string, std::int32_t> m_nameOffsets, m_stringOffsets;
  std::map<std::string, std::int32_t> m_typeDescOffsets;
  std::map<std::tuple<int, int, std::string>, std::int32_t> m_impInfoOffsets;
  std::map<int, std::int32_t> m_impFileOffsets;
};

}  // namespace quillet::typeinfo

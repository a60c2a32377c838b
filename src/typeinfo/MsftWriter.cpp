#include "typeinfo/MsftWriter.h"

#include <bit>
#include <memory>
#include <vector>

#include "platform/AnsiCodePage.h"
#include "typeinfo/MsftFormat.h"
#include "typeinfo/VariantValue.h"

namespace quillet::typeinfo {

using msft::ESegment;

namespace {

constexpr int kGuidHashSize = 0x80;
constexpr int kNameHashSize = 0x200;
constexpr int kFuncAttributeCount = 3;  // help context, help string, entry
constexpr int kVarRecordSize = 0x1C;    // with help context and help string

bool IsSimpleType(std::uint16_t type) {
  return type != vt::kPtr && type != vt::kSafeArray && type != vt::kCArray && type != vt::kUserDefined;
}

std::uint32_t WidthMask(std::uint16_t type) {
  switch (type) {
    case vt::kI1: case vt::kUi1: return 0xFF;
    case vt::kI2: case vt::kUi2: case vt::kBool: return 0xFFFF;
    default: return 0xFFFFFFFF;
  }
}

std::string GuidBytes(const SGuid& guid) {
  CByteWriter out;
  out.U32(guid.data1);
  out.U16(guid.data2);
  out.U16(guid.data3);
  for (const std::uint8_t byte : guid.data4) out.U8(byte);
  return out.Take();
}

}  // namespace

std::string CMsftWriter::Write(const SLibraryDesc& library) {
  CMsftWriter writer(library);
  return writer.Build();
}

std::string CMsftWriter::Encode(std::u16string_view text) const {
  static const std::unique_ptr<platform::CAnsiCodePage> codePage = platform::CAnsiCodePage::ForCodePage(1252);
  std::string bytes;
  codePage->Encode(text, bytes);
  return bytes;
}

std::string CMsftWriter::Build() {
  for (std::size_t i = 0; i < m_library.imports.size(); ++i) AddImportFile(static_cast<int>(i));
  const std::int32_t libraryGuid = AddGuid(m_library.guid, -2);
  const std::int32_t libraryName = AddName(m_library.name);
  const std::int32_t docString = AddString(m_library.docString);
  const std::int32_t helpFile = AddString(m_library.helpFile);

  const int typeCount = static_cast<int>(m_library.types.size());
  std::vector<std::string> memberBlocks;
  for (int i = 0; i < typeCount; ++i) {
    memberBlocks.push_back(MemberBlock(m_library.types[i]));
    WriteTypeInfo(i, -1);
  }

  const CByteWriter guidHash = [] { CByteWriter w; for (int i = 0; i < kGuidHashSize / 4; ++i) w.I32(-1); return w; }();
  const CByteWriter nameHash = [] { CByteWriter w; for (int i = 0; i < kNameHashSize / 4; ++i) w.I32(-1); return w; }();
  const CByteWriter empty;
  const CByteWriter* segments[msft::kSegmentCount] = {
      &m_typeInfos, &m_impInfo, &m_impFiles, &m_refTab, &guidHash, &m_guids, &nameHash, &m_names,
      &m_strings, &m_typeDescs, &m_arrayDescs, &m_custData, &empty, &empty, &empty};

  CByteWriter out;
  out.U32(msft::kMagic);
  out.U32(msft::kVersion);
  out.I32(libraryGuid);
  out.U32(m_library.lcid);
  out.U32(m_library.lcid);
  out.U32(static_cast<std::uint32_t>(m_library.sysKind));
  out.U32(m_library.majorVersion | (std::uint32_t{m_library.minorVersion} << 16));
  out.U32(m_library.flags);
  out.I32(typeCount);
  out.I32(docString);
  out.U32(0);  // help string context
  out.U32(m_library.helpContext);
  out.I32(static_cast<std::int32_t>(m_nameOffsets.size()));
  out.I32(m_names.Size());
  out.I32(libraryName);
  out.I32(helpFile);
  out.I32(-1);  // custom data
  out.U32(0x20);
  out.U32(0x80);
  out.I32(-1);  // no IDispatch of our own
  out.I32(m_impInfo.Size() / msft::kImpInfoSize);
  for (int i = 0; i < typeCount; ++i) out.I32(i * msft::kTypeInfoSize);

  std::int32_t position = out.Size() + msft::kSegmentCount * msft::kSegmentEntrySize;
  for (const CByteWriter* segment : segments) {
    out.I32(segment->Size() > 0 ? position : -1);
    out.I32(segment->Size());
    out.I32(-1);
    out.I32(0x0F);
    position += segment->Size();
  }
  for (const CByteWriter* segment : segments) out.Append(segment->Bytes());

  const std::int32_t typeInfoStart = msft::kHeaderSize + typeCount * 4 + msft::kSegmentCount * msft::kSegmentEntrySize;
  for (int i = 0; i < typeCount; ++i) {
    if (memberBlocks[i].empty()) continue;
    out.PatchU32(typeInfoStart + i * msft::kTypeInfoSize + 4, static_cast<std::uint32_t>(out.Size()));
    out.Append(memberBlocks[i]);
  }
  return out.Take();
}

void CMsftWriter::WriteTypeInfo(int index, std::int32_t memberBlock) {
  const STypeInfoDesc& type = m_library.types[index];
  const std::int32_t href = index * msft::kTypeInfoSize;
  std::int32_t dataType = -1;
  if (type.kind == ETypeKind::CoClass) {
    for (std::size_t i = 0; i < type.implTypes.size(); ++i) {
      const std::int32_t at = m_refTab.Size();
      if (i == 0) dataType = at;
      m_refTab.I32(HrefOf(type.implTypes[i].ref));
      m_refTab.I32(type.implTypes[i].flags);
      m_refTab.I32(-1);
      m_refTab.I32(i + 1 < type.implTypes.size() ? at + msft::kRefRecordSize : -1);
    }
  } else if (type.kind == ETypeKind::Alias) {
    dataType = EncodeType(type.aliasType);
  } else if (!type.implTypes.empty()) {
    dataType = HrefOf(type.implTypes.front().ref);
  }
  const int implCount = type.kind == ETypeKind::CoClass ? static_cast<int>(type.implTypes.size())
                        : type.kind == ETypeKind::Alias  ? 0
                                                         : (type.implTypes.empty() ? 0 : 1);

  CByteWriter& out = m_typeInfos;
  out.U32(static_cast<std::uint32_t>(type.kind) | (std::uint32_t{type.alignment} & 0x1F) << 11);
  out.I32(memberBlock);
  for (int i = 0; i < 4; ++i) out.U32(0);
  out.U32(static_cast<std::uint32_t>(type.funcs.size()) | static_cast<std::uint32_t>(type.vars.size()) << 16);
  for (int i = 0; i < 4; ++i) out.U32(0);
  out.I32(AddGuid(type.guid, href));
  out.U32(type.flags);
  out.I32(AddName(type.name, href));
  out.U32(type.majorVersion | (std::uint32_t{type.minorVersion} << 16));
  out.I32(AddString(type.docString));
  out.U32(0);  // help string context
  out.U32(type.helpContext);
  out.I32(-1);  // custom data
  out.U16(static_cast<std::uint16_t>(implCount));
  out.U16(type.vtableSize);
  out.U32(type.instanceSize);
  out.I32(dataType);
  out.I32(0);
  out.U32(0);
  out.I32(-1);
}

std::string CMsftWriter::MemberBlock(const STypeInfoDesc& type) {
  if (type.funcs.empty() && type.vars.empty()) return {};
  CByteWriter records;
  std::vector<std::int32_t> ids, names, offsets;
  for (std::size_t i = 0; i < type.funcs.size(); ++i) {
    offsets.push_back(records.Size());
    WriteFunc(records, type.funcs[i], static_cast<int>(i));
    ids.push_back(type.funcs[i].memberId);
    names.push_back(AddName(type.funcs[i].name));
  }
  for (std::size_t i = 0; i < type.vars.size(); ++i) {
    offsets.push_back(records.Size());
    WriteVar(records, type.vars[i], static_cast<int>(i));
    ids.push_back(type.vars[i].memberId);
    names.push_back(AddName(type.vars[i].name));
  }
  CByteWriter block;
  block.I32(records.Size());
  block.Append(records.Bytes());
  for (const auto* table : {&ids, &names, &offsets})
    for (const std::int32_t value : *table) block.I32(value);
  return block.Take();
}

void CMsftWriter::WriteFunc(CByteWriter& out, const SFuncDesc& func, int index) {
  bool hasDefaults = false;
  for (const SParamDesc& param : func.params) hasDefaults = hasDefaults || param.defaultValue.has_value();
  const auto paramCount = static_cast<std::int32_t>(func.params.size());
  const std::int32_t length = msft::kFuncFixedSize + 4 * kFuncAttributeCount + (hasDefaults ? 4 * paramCount : 0) +
                              msft::kParamRecordSize * paramCount;
  out.U32(static_cast<std::uint32_t>(length) | static_cast<std::uint32_t>(index) << 16);
  out.I32(EncodeType(func.returnType));
  out.U32(func.flags);
  out.U16(static_cast<std::uint16_t>(func.vtableOffset));
  out.U16(0);
  out.U32(static_cast<std::uint32_t>(func.funcKind) | static_cast<std::uint32_t>(func.invokeKind) << 3 |
          std::uint32_t{func.callConv & 0xFu} << 8 | (hasDefaults ? msft::kFuncHasDefaults : 0));
  out.U16(static_cast<std::uint16_t>(paramCount));
  out.U16(static_cast<std::uint16_t>(func.optionalCount));
  out.U32(func.helpContext);
  out.I32(AddString(func.docString));
  out.I32(-1);  // entry
  if (hasDefaults)
    for (const SParamDesc& param : func.params) out.I32(param.defaultValue ? EncodeValue(*param.defaultValue) : -1);
  for (const SParamDesc& param : func.params) {
    out.I32(EncodeType(param.type));
    out.I32(param.name.empty() ? -1 : AddName(param.name));
    out.U32(param.flags);
  }
}

void CMsftWriter::WriteVar(CByteWriter& out, const SVarDesc& var, int index) {
  out.U32(static_cast<std::uint32_t>(kVarRecordSize) | static_cast<std::uint32_t>(index) << 16);
  out.I32(EncodeType(var.type));
  out.U32(var.flags);
  out.U16(static_cast<std::uint16_t>(var.varKind));
  out.U16(0);
  out.I32(var.varKind == EVarKind::Const ? EncodeValue(var.value.value_or(SVariant{})) : var.instanceOffset);
  out.U32(var.helpContext);
  out.I32(AddString(var.docString));
}

std::int32_t CMsftWriter::AddName(std::u16string_view name, std::int32_t hrefType) {
  const std::u16string key(name);
  if (const auto found = m_nameOffsets.find(key); found != m_nameOffsets.end()) {
    if (hrefType != -1) m_names.PatchU32(found->second, static_cast<std::uint32_t>(hrefType));
    return found->second;
  }
  std::string bytes = Encode(name);
  if (bytes.size() > 0xFF) bytes.resize(0xFF);  // the length field has eight bits
  const std::int32_t offset = m_names.Size();
  m_names.I32(hrefType);
  m_names.I32(-1);
  m_names.U32(static_cast<std::uint32_t>(bytes.size()) | 0x3800);
  m_names.Append(bytes);
  m_names.Align(4, msft::kPad);
  m_nameOffsets.emplace(key, offset);
  return offset;
}

std::int32_t CMsftWriter::AddString(std::u16string_view text) {
  if (text.empty()) return -1;
  const std::u16string key(text);
  if (const auto found = m_stringOffsets.find(key); found != m_stringOffsets.end()) return found->second;
  std::string bytes = Encode(text);
  if (bytes.size() > 0xFFFF) bytes.resize(0xFFFF);
  const std::int32_t offset = m_strings.Size();
  m_strings.U16(static_cast<std::uint16_t>(bytes.size()));
  m_strings.Append(bytes);
  m_strings.Align(4, msft::kPad);
  m_stringOffsets.emplace(key, offset);
  return offset;
}

std::int32_t CMsftWriter::AddGuid(const SGuid& guid, std::int32_t hrefType) {
  const std::int32_t offset = m_guids.Size();
  m_guids.Append(GuidBytes(guid));
  m_guids.I32(hrefType);
  m_guids.I32(-1);
  return offset;
}

std::int32_t CMsftWriter::AddImportFile(int importIndex) {
  if (const auto found = m_impFileOffsets.find(importIndex); found != m_impFileOffsets.end()) return found->second;
  const SImportLib& import = m_library.imports[importIndex];
  const std::int32_t offset = m_impFiles.Size();
  std::string name = Encode(import.fileName);
  if (name.size() > 0x3FFF) name.resize(0x3FFF);
  m_impFiles.I32(AddGuid(import.guid, -1));
  m_impFiles.U32(import.lcid);
  m_impFiles.U16(import.majorVersion);
  m_impFiles.U16(import.minorVersion);
  m_impFiles.U16(static_cast<std::uint16_t>(name.size() << 2));
  m_impFiles.Append(name);
  m_impFiles.Align(4, msft::kPad);
  m_impFileOffsets.emplace(importIndex, offset);
  return offset;
}

std::int32_t CMsftWriter::HrefOf(const STypeRef& ref) {
  if (ref.importIndex < 0) return ref.typeIndex < 0 ? -1 : ref.typeIndex * msft::kTypeInfoSize;
  if (static_cast<std::size_t>(ref.importIndex) >= m_library.imports.size()) return -1;
  const auto key = std::make_tuple(ref.importIndex, ref.typeIndex, GuidBytes(ref.guid));
  if (const auto found = m_impInfoOffsets.find(key); found != m_impInfoOffsets.end()) return found->second | 1;
  const std::int32_t offset = m_impInfo.Size();
  const bool byGuid = !ref.guid.IsNull();
  m_impInfo.U32(static_cast<std::uint32_t>(ref.importedKind) << 24 | (byGuid ? msft::kImpInfoOffsetIsGuid : 0));
  m_impInfo.I32(AddImportFile(ref.importIndex));
  m_impInfo.I32(byGuid ? AddGuid(ref.guid, offset | 1) : ref.typeIndex);
  m_impInfoOffsets.emplace(key, offset);
  return offset | 1;
}

std::int32_t CMsftWriter::EncodeType(const STypeDesc& type) {
  if (IsSimpleType(type.vt))
    return static_cast<std::int32_t>(0x80000000u | std::uint32_t{type.vt} << 16 | type.vt);
  const STypeDesc element = type.inner.empty() ? STypeDesc{vt::kVoid, {}, {}, {}} : type.inner.front();
  std::int32_t value = -1;
  if (type.vt == vt::kUserDefined) {
    value = HrefOf(type.ref);
  } else if (type.vt == vt::kCArray) {
    value = m_arrayDescs.Size();
    m_arrayDescs.I32(EncodeType(element));
    m_arrayDescs.U16(static_cast<std::uint16_t>(type.bounds.size()));
    m_arrayDescs.U16(0);
    for (const SArrayBound& bound : type.bounds) {
      m_arrayDescs.U32(bound.elements);
      m_arrayDescs.I32(bound.lowerBound);
    }
  } else {
    value = EncodeType(element);
  }
  CByteWriter entry;
  entry.U16(type.vt);
  entry.U16(0);
  entry.I32(value);
  const auto [found, added] = m_typeDescOffsets.emplace(entry.Bytes(), m_typeDescs.Size());
  if (added) m_typeDescs.Append(entry.Bytes());
  return found->second;
}

std::int32_t CMsftWriter::EncodeValue(const SVariant& value) {
  if (msft::IsPackableType(value.vt)) {
    const std::uint32_t raw = static_cast<std::uint32_t>(NormalizeInteger(value.vt, static_cast<std::uint64_t>(value.integer))) &
                              WidthMask(value.vt);
    if (raw <= 0x03FFFFFF) return static_cast<std::int32_t>(0x80000000u | std::uint32_t{value.vt} << 26 | raw);
  }
  const std::int32_t offset = m_custData.Size();
  CByteWriter& out = m_custData;
  switch (value.vt) {
    case vt::kR4:
      out.U16(value.vt);
      out.U32(std::bit_cast<std::uint32_t>(static_cast<float>(value.real)));
      break;
    case vt::kR8:
    case vt::kDate:
      out.U16(value.vt);
      out.U64(std::bit_cast<std::uint64_t>(value.real));
      break;
    case vt::kI8:
    case vt::kUi8:
    case vt::kCy:
      out.U16(value.vt);
      out.U64(static_cast<std::uint64_t>(value.integer));
      break;
    case vt::kBstr: {
      const std::string bytes = Encode(value.text);
      out.U16(value.vt);
      out.I32(static_cast<std::int32_t>(bytes.size()));
      out.Append(bytes);
      break;
    }
    default:
      if (IsIntegerType(value.vt)) {
        out.U16(value.vt);
        out.U32(static_cast<std::uint32_t>(NormalizeInteger(value.vt, static_cast<std::uint64_t>(value.integer))));
      } else {
        out.U16(value.vt == vt::kNull ? vt::kNull : vt::kEmpty);
      }
      break;
  }
  out.Align(4, msft::kPad);
  return offset;
}

}  // namespace quillet::typeinfo

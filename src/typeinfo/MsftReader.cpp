#include "typeinfo/MsftReader.h"

#include <algorithm>
#include <bit>
#include <memory>

#include "platform/AnsiCodePage.h"
#include "typeinfo/VariantValue.h"

namespace quillet::typeinfo {

using msft::ESegment;

namespace {

// Nested type descriptions deeper than this are taken as a cycle.
constexpr int kMaxTypeDescDepth = 16;
// Records built per byte of input: generous for real files, small enough to bound memory.
constexpr std::int64_t kBudgetPerByte = 4;

const platform::CAnsiCodePage* Latin() {
  static const std::unique_ptr<platform::CAnsiCodePage> codePage =
      platform::CAnsiCodePage::ForCodePage(1252);
  return codePage.get();
}

}  // namespace

CMsftReader::CMsftReader(std::string_view bytes)
    : m_in(bytes), m_budget(static_cast<std::int64_t>(bytes.size()) * kBudgetPerByte + 4096) {}

bool CMsftReader::LooksLikeMsft(std::string_view bytes) {
  CByteReader in(bytes);
  return in.U32(0) == msft::kMagic && in.Ok();
}

std::optional<SLibraryDesc> CMsftReader::Read(std::string_view bytes) {
  if (!LooksLikeMsft(bytes)) return std::nullopt;
  CMsftReader reader(bytes);
  SLibraryDesc library;
  if (!reader.ReadHeader(library)) return std::nullopt;
  reader.ReadImportFiles(library);
  for (std::int64_t i = 0; i < reader.m_typeInfoCount; ++i) {
    if (!reader.Spend(msft::kTypeInfoSize)) break;
    STypeInfoDesc type;
    reader.ReadTypeInfo(static_cast<int>(i), type);
    library.types.push_back(std::move(type));
  }
  return library;
}

bool CMsftReader::Spend(std::int64_t units) {
  if (m_budget < units) {
    m_budget = 0;
    return false;
  }
  m_budget -= units;
  return true;
}

bool CMsftReader::ReadHeader(SLibraryDesc& library) {
  const std::int32_t guidOffset = m_in.I32(0x08);
  library.lcid = m_in.U32(0x0C);
  const std::uint32_t varFlags = m_in.U32(0x14);
  library.sysKind = static_cast<ESysKind>(varFlags & 0x0F);
  const std::uint32_t version = m_in.U32(0x18);
  library.majorVersion = static_cast<std::uint16_t>(version);
  library.minorVersion = static_cast<std::uint16_t>(version >> 16);
  library.flags = static_cast<std::uint16_t>(m_in.U32(0x1C));
  const std::int32_t typeCount = m_in.I32(0x20);
  const std::int32_t docString = m_in.I32(0x24);
  library.helpContext = m_in.U32(0x2C);
  const std::int32_t nameOffset = m_in.I32(0x38);
  const std::int32_t helpFile = m_in.I32(0x3C);
  if (!m_in.Ok() || typeCount < 0) return false;

  std::int64_t position = msft::kHeaderSize + ((varFlags & msft::kHelpDllFlag) ? 4 : 0);
  position += static_cast<std::int64_t>(typeCount) * 4;  // offsets of the type infos; unused
  if (!m_in.Contains(position, msft::kSegmentCount * msft::kSegmentEntrySize)) return false;
  for (int i = 0; i < msft::kSegmentCount; ++i) {
    const std::int64_t entry = position + i * msft::kSegmentEntrySize;
    const std::int32_t offset = m_in.I32(entry);
    const std::int32_t length = m_in.I32(entry + 4);
    // A segment that does not lie inside the file is treated as absent.
    if (offset >= 0 && length > 0 && m_in.Contains(offset, length)) m_segments[i] = {offset, length};
  }
  m_typeInfoCount = std::min<std::int64_t>(
      typeCount, m_segments[static_cast<int>(ESegment::TypeInfo)].length / msft::kTypeInfoSize);

  library.guid = Guid(guidOffset);
  library.name = Name(nameOffset);
  library.docString = String(docString);
  library.helpFile = String(helpFile);
  return true;
}

void CMsftReader::ReadImportFiles(SLibraryDesc& library) {
  const SSegment segment = m_segments[static_cast<int>(ESegment::ImpFiles)];
  std::int64_t position = 0;
  while (position + 14 <= segment.length) {
    const std::int64_t at = segment.offset + position;
    SImportLib import;
    import.guid = Guid(m_in.I32(at));
    import.lcid = m_in.U32(at + 4);
    import.majorVersion = m_in.U16(at + 8);
    import.minorVersion = m_in.U16(at + 10);
    const std::int64_t length = m_in.U16(at + 12) >> 2;
    if (position + 14 + length > segment.length || !Spend(32 + length)) break;
    import.fileName = Decode(m_in.Bytes(at + 14, length));
    m_importByOffset[static_cast<std::int32_t>(position)] = static_cast<std::int32_t>(library.imports.size());
    library.imports.push_back(std::move(import));
    position = (position + 14 + length + 3) & ~std::int64_t{3};
  }
}

void CMsftReader::ReadTypeInfo(int index, STypeInfoDesc& type) {
  const std::int64_t at = SegmentStart(ESegment::TypeInfo) + static_cast<std::int64_t>(index) * msft::kTypeInfoSize;
  const std::uint32_t kind = m_in.U32(at);
  type.kind = static_cast<ETypeKind>(kind & 0x0F);
  type.alignment = static_cast<std::uint16_t>((kind >> 11) & 0x1F);
  const std::int32_t memberBlock = m_in.I32(at + 0x04);
  const std::uint32_t elements = m_in.U32(at + 0x18);
  type.guid = Guid(m_in.I32(at + 0x2C));
  type.flags = static_cast<std::uint16_t>(m_in.U32(at + 0x30));
  type.name = Name(m_in.I32(at + 0x34));
  const std::uint32_t version = m_in.U32(at + 0x38);
  type.majorVersion = static_cast<std::uint16_t>(version);
  type.minorVersion = static_cast<std::uint16_t>(version >> 16);
  type.docString = String(m_in.I32(at + 0x3C));
  type.helpContext = m_in.U32(at + 0x44);
  const int implCount = m_in.I16(at + 0x4C);
  type.vtableSize = m_in.U16(at + 0x4E);
  type.instanceSize = m_in.U32(at + 0x50);
  const std::int32_t dataType = m_in.I32(at + 0x54);

  if (type.kind == ETypeKind::CoClass) {
    ReadImplTypes(dataType, implCount, type);
  } else if (type.kind == ETypeKind::Alias) {
    type.aliasType = TypeDesc(dataType);
  } else if (dataType != -1 && implCount > 0) {
    type.implTypes.push_back({TypeRef(dataType), 0});
  }
  ReadMembers(memberBlock, static_cast<int>(elements & 0xFFFF), static_cast<int>(elements >> 16), type);
}

void CMsftReader::ReadImplTypes(std::int32_t first, int count, STypeInfoDesc& type) {
  // The records form a list; following no more links than the table has records ends a cycle.
  const std::int64_t records = m_segments[static_cast<int>(ESegment::RefTab)].length / msft::kRefRecordSize;
  std::int32_t offset = first;
  for (std::int64_t i = 0; i < count && i < records && offset >= 0; ++i) {
    if (!InSegment(ESegment::RefTab, offset, msft::kRefRecordSize) || !Spend(16)) return;
    const std::int64_t at = SegmentStart(ESegment::RefTab) + offset;
    type.implTypes.push_back({TypeRef(m_in.I32(at)), m_in.I32(at + 4)});
    offset = m_in.I32(at + 12);
  }
}

void CMsftReader::ReadMembers(std::int64_t block, int funcCount, int varCount, STypeInfoDesc& type) {
  const int total = funcCount + varCount;
  if (total == 0 || block < 0) return;
  const std::int64_t recordsSize = m_in.I32(block);
  const std::int64_t records = block + 4;
  const std::int64_t tables = records + recordsSize;
  // Member ids, name offsets and record offsets: three arrays of `total` entries.
  if (recordsSize < 0 || !m_in.Contains(records, recordsSize) || !m_in.Contains(tables, std::int64_t{12} * total))
    return;
  for (int i = 0; i < total; ++i) {
    const std::int32_t memberId = m_in.I32(tables + 4 * i);
    const std::int32_t nameOffset = m_in.I32(tables + 4 * (total + i));
    const std::int64_t recordOffset = m_in.I32(tables + 4 * (2 * total + i));
    if (recordOffset < 0 || recordOffset >= recordsSize) continue;
    if (i < funcCount) {
      SFuncDesc func;
      if (!ReadFunc(records + recordOffset, func)) continue;
      func.memberId = memberId;
      func.name = Name(nameOffset);
      type.funcs.push_back(std::move(func));
    } else {
      SVarDesc var;
      if (!ReadVar(records + recordOffset, var)) continue;
      var.memberId = memberId;
      var.name = Name(nameOffset);
      type.vars.push_back(std::move(var));
    }
  }
}

bool CMsftReader::ReadFunc(std::int64_t record, SFuncDesc& func) {
  const std::int64_t length = m_in.U32(record) & 0xFFFF;
  if (length < msft::kFuncFixedSize || !m_in.Contains(record, length)) return false;
  const std::int32_t returnType = m_in.I32(record + 4);
  func.flags = static_cast<std::uint16_t>(m_in.U32(record + 8));
  func.vtableOffset = m_in.I16(record + 12);
  const std::int32_t kinds = m_in.I32(record + 16);
  const std::int64_t paramCount = m_in.U16(record + 20);
  func.optionalCount = m_in.I16(record + 22);
  func.funcKind = static_cast<EFuncKind>(kinds & 0x7);
  func.invokeKind = static_cast<EInvokeKind>((kinds >> 3) & 0xF);
  func.callConv = static_cast<std::uint8_t>((kinds >> 8) & 0xF);
  const bool hasDefaults = (kinds & msft::kFuncHasDefaults) != 0;
  const std::int64_t paramBytes = paramCount * msft::kParamRecordSize;
  const std::int64_t defaultBytes = hasDefaults ? paramCount * 4 : 0;
  const std::int64_t attributeBytes = length - msft::kFuncFixedSize - paramBytes - defaultBytes;
  if (attributeBytes < 0 || !Spend(32 + paramCount * 16)) return false;

  const auto attribute = [&](int i) -> std::optional<std::int32_t> {
    if (attributeBytes < 4 * (i + 1)) return std::nullopt;
    return m_in.I32(record + msft::kFuncFixedSize + 4 * i);
  };
  func.helpContext = static_cast<std::uint32_t>(attribute(0).value_or(0));
  func.docString = String(attribute(1).value_or(-1));
  func.returnType = TypeDesc(returnType);

  const std::int64_t params = record + length - paramBytes;
  const std::int64_t defaults = params - defaultBytes;
  for (std::int64_t i = 0; i < paramCount; ++i) {
    const std::int64_t at = params + i * msft::kParamRecordSize;
    SParamDesc param;
    param.type = TypeDesc(m_in.I32(at));
    param.name = Name(m_in.I32(at + 4));
    param.flags = static_cast<std::uint16_t>(m_in.U32(at + 8));
    if (hasDefaults && (param.flags & flags::kParamHasDefault)) {
      const std::int32_t encoded = m_in.I32(defaults + 4 * i);
      if (encoded != -1) param.defaultValue = Value(encoded);
    }
    func.params.push_back(std::move(param));
  }
  return m_in.Ok();
}

bool CMsftReader::ReadVar(std::int64_t record, SVarDesc& var) {
  const std::int64_t length = m_in.U32(record) & 0xFFFF;
  if (length < msft::kVarFixedSize || !m_in.Contains(record, length) || !Spend(32)) return false;
  var.type = TypeDesc(m_in.I32(record + 4));
  var.flags = static_cast<std::uint16_t>(m_in.U32(record + 8));
  var.varKind = static_cast<EVarKind>(m_in.U16(record + 12) & 0xFF);
  const std::int32_t value = m_in.I32(record + 16);
  if (var.varKind == EVarKind::Const)
    var.value = Value(value);
  else
    var.instanceOffset = value;
  if (length >= 0x18) var.helpContext = m_in.U32(record + 0x14);
  if (length >= 0x1C) var.docString = String(m_in.I32(record + 0x18));
  return m_in.Ok();
}

bool CMsftReader::InSegment(ESegment segment, std::int64_t offset, std::int64_t length) const {
  const SSegment& s = m_segments[static_cast<int>(segment)];
  return offset >= 0 && length >= 0 && s.offset >= 0 && offset <= s.length && length <= s.length - offset;
}

std::int64_t CMsftReader::SegmentStart(ESegment segment) const {
  return m_segments[static_cast<int>(segment)].offset;
}

std::u16string CMsftReader::Decode(std::string_view bytes) {
  std::u16string text;
  Latin()->Decode(bytes, text);
  return text;
}

std::u16string CMsftReader::Name(std::int32_t offset) {
  if (!InSegment(ESegment::Name, offset, msft::kNameIntroSize)) return {};
  const std::int64_t at = SegmentStart(ESegment::Name) + offset;
  const std::int64_t length = m_in.U32(at + 8) & 0xFF;
  if (!InSegment(ESegment::Name, offset + msft::kNameIntroSize, length) || !Spend(length)) return {};
  return Decode(m_in.Bytes(at + msft::kNameIntroSize, length));
}

std::u16string CMsftReader::String(std::int32_t offset) {
  if (!InSegment(ESegment::String, offset, 2)) return {};
  const std::int64_t at = SegmentStart(ESegment::String) + offset;
  const std::int64_t length = m_in.U16(at);
  if (!InSegment(ESegment::String, offset + 2, length) || !Spend(length)) return {};
  return Decode(m_in.Bytes(at + 2, length));
}

SGuid CMsftReader::Guid(std::int32_t offset) {
  SGuid guid;
  if (!InSegment(ESegment::Guid, offset, 16)) return guid;
  const std::int64_t at = SegmentStart(ESegment::Guid) + offset;
  guid.data1 = m_in.U32(at);
  guid.data2 = m_in.U16(at + 4);
  guid.data3 = m_in.U16(at + 6);
  for (int i = 0; i < 8; ++i) guid.data4[i] = m_in.U8(at + 8 + i);
  return guid;
}

STypeDesc CMsftReader::TypeDesc(std::int32_t encoded, int depth) {
  STypeDesc desc;
  if (encoded < 0) {
    desc.vt = static_cast<std::uint16_t>(encoded & vt::kTypeMask);
    return desc;
  }
  if (depth >= kMaxTypeDescDepth || !InSegment(ESegment::TypeDesc, encoded, 8) || !Spend(16)) return desc;
  const std::int64_t at = SegmentStart(ESegment::TypeDesc) + encoded;
  desc.vt = m_in.U16(at) & vt::kTypeMask;
  const std::int32_t value = m_in.I32(at + 4);
  switch (desc.vt) {
    case vt::kPtr:
    case vt::kSafeArray:
      // A simple element type is packed into the low word; otherwise the value is the offset
      // of the element's own description.
      if (value < 0) {
        STypeDesc inner;
        inner.vt = static_cast<std::uint16_t>(value & vt::kTypeMask);
        desc.inner.push_back(inner);
      } else {
        desc.inner.push_back(TypeDesc(value, depth + 1));
      }
      break;
    case vt::kCArray: {
      if (!InSegment(ESegment::ArrayDesc, value, 8)) break;
      const std::int64_t array = SegmentStart(ESegment::ArrayDesc) + value;
      desc.inner.push_back(TypeDesc(m_in.I32(array), depth + 1));
      const int dimensions = m_in.U16(array + 4);
      if (!InSegment(ESegment::ArrayDesc, value + 8, std::int64_t{8} * dimensions) || !Spend(8 * dimensions)) break;
      for (int i = 0; i < dimensions; ++i)
        desc.bounds.push_back({m_in.U32(array + 8 + 8 * i), m_in.I32(array + 12 + 8 * i)});
      break;
    }
    case vt::kUserDefined:
      desc.ref = TypeRef(value);
      break;
    default:
      break;
  }
  return desc;
}

STypeRef CMsftReader::TypeRef(std::int32_t hrefType) {
  STypeRef ref;
  if (hrefType < 0) return ref;
  if ((hrefType & 3) == 0) {
    ref.typeIndex = hrefType / msft::kTypeInfoSize;
    return ref;
  }
  const std::int32_t offset = hrefType & ~3;
  if (!InSegment(ESegment::ImpInfo, offset, msft::kImpInfoSize)) return ref;
  const std::int64_t at = SegmentStart(ESegment::ImpInfo) + offset;
  const std::uint32_t importFlags = m_in.U32(at);
  const auto file = m_importByOffset.find(m_in.I32(at + 4));
  if (file == m_importByOffset.end()) return ref;
  ref.importIndex = file->second;
  ref.importedKind = static_cast<ETypeKind>((importFlags >> 24) & 0x0F);
  const std::int32_t target = m_in.I32(at + 8);
  if (importFlags & msft::kImpInfoOffsetIsGuid)
    ref.guid = Guid(target);
  else
    ref.typeIndex = target;
  return ref;
}

std::optional<SVariant> CMsftReader::Value(std::int32_t encoded) {
  SVariant value;
  if (encoded < 0) {
    // Small integers are packed: five bits of type, 26 bits of value.
    value.vt = static_cast<std::uint16_t>((static_cast<std::uint32_t>(encoded) & 0x7C000000) >> 26);
    const std::uint32_t raw = static_cast<std::uint32_t>(encoded) & 0x03FFFFFF;
    if (value.vt == vt::kR4)
      value.real = std::bit_cast<float>(raw);
    else
      value.integer = NormalizeInteger(value.vt, raw);
    return value;
  }
  if (!InSegment(ESegment::CustData, encoded, 2)) return std::nullopt;
  const std::int64_t at = SegmentStart(ESegment::CustData) + encoded;
  value.vt = m_in.U16(at);
  const auto has = [&](std::int64_t size) { return InSegment(ESegment::CustData, encoded + 2, size); };
  switch (value.vt) {
    case vt::kEmpty:
    case vt::kNull:
      return value;
    case vt::kR4:
      if (!has(4)) return std::nullopt;
      value.real = std::bit_cast<float>(m_in.U32(at + 2));
      return value;
    case vt::kR8:
    case vt::kDate:
      if (!has(8)) return std::nullopt;
      value.real = std::bit_cast<double>(m_in.U64(at + 2));
      return value;
    case vt::kI8:
    case vt::kUi8:
    case vt::kCy:
      if (!has(8)) return std::nullopt;
      value.integer = static_cast<std::int64_t>(m_in.U64(at + 2));
      return value;
    case vt::kBstr: {
      if (!has(4)) return std::nullopt;
      const std::int32_t length = m_in.I32(at + 2);
      if (length <= 0) return value;
      if (!has(4 + std::int64_t{length}) || !Spend(length)) return std::nullopt;
      value.text = Decode(m_in.Bytes(at + 6, length));
      return value;
    }
    default:
      if (!IsIntegerType(value.vt) || !has(4)) return std::nullopt;
      value.integer = NormalizeInteger(value.vt, m_in.U32(at + 2));
      return value;
  }
}

}  // namespace quillet::typeinfo

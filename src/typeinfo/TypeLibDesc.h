#pragma once
// A type library as plain records: what the reader produces and what the writer consumes, so a
// library written and read back compares equal field by field. Numbers keep their on-disk
// meaning (variant types, flag bits), since files may carry values no enumeration names.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "typeinfo/Guid.h"

namespace quillet::typeinfo {

// Variant types that type descriptions and values use.
namespace vt {
inline constexpr std::uint16_t kEmpty = 0, kNull = 1, kI2 = 2, kI4 = 3, kR4 = 4, kR8 = 5, kCy = 6,
                               kDate = 7, kBstr = 8, kDispatch = 9, kError = 10, kBool = 11,
                               kVariant = 12, kUnknown = 13, kDecimal = 14, kI1 = 16, kUi1 = 17,
                               kUi2 = 18, kUi4 = 19, kI8 = 20, kUi8 = 21, kInt = 22, kUint = 23,
                               kVoid = 24, kHresult = 25, kPtr = 26, kSafeArray = 27, kCArray = 28,
                               kUserDefined = 29, kLpStr = 30, kLpWStr = 31;
inline constexpr std::uint16_t kTypeMask = 0x0FFF;
}  // namespace vt

namespace flags {
inline constexpr std::uint16_t kFuncRestricted = 0x01, kFuncHidden = 0x40;
inline constexpr std::uint16_t kVarHidden = 0x40, kVarRestricted = 0x80;
inline constexpr std::uint16_t kParamIn = 0x01, kParamOut = 0x02, kParamLcid = 0x04,
                               kParamRetval = 0x08, kParamOptional = 0x10, kParamHasDefault = 0x20;
inline constexpr std::int32_t kImplDefault = 0x1, kImplSource = 0x2, kImplRestricted = 0x4,
                              kImplDefaultVtable = 0x8;
inline constexpr std::uint16_t kTypeAppObject = 0x01, kTypeCanCreate = 0x02, kTypeHidden = 0x10,
                               kTypeControl = 0x20, kTypeDual = 0x40, kTypeNonExtensible = 0x80,
                               kTypeOleAutomation = 0x100, kTypeRestricted = 0x200,
                               kTypeDispatchable = 0x1000;
}  // namespace flags

enum class ETypeKind : std::uint8_t {
  Enum = 0, Record = 1, Module = 2, Interface = 3, Dispatch = 4, CoClass = 5, Alias = 6, Union = 7
};
enum class EInvokeKind : std::uint8_t { Func = 1, PropertyGet = 2, PropertyPut = 4, PropertyPutRef = 8 };
enum class EFuncKind : std::uint8_t { Virtual = 0, PureVirtual = 1, NonVirtual = 2, Static = 3, Dispatch = 4 };
enum class EVarKind : std::uint8_t { PerInstance = 0, Static = 1, Const = 2, Dispatch = 3 };
enum class ESysKind : std::uint8_t { Win16 = 0, Win32 = 1, Mac = 2, Win64 = 3 };

// A constant or default value. Integers of every width live in `integer` (booleans as 0 or -1,
// currency scaled by 10,000), floating types and dates in `real`, strings in `text`.
struct SVariant {
  std::uint16_t vt = vt::kEmpty;
  std::int64_t integer = 0;
  double real = 0;
  std::u16string text;

  bool operator==(const SVariant&) const = default;
};

// Where a user-defined type lives: a type of this library (importIndex -1), or one of an
// imported library, named by its GUID or, in old files, by its index there.
struct STypeRef {
  std::int32_t importIndex = -1;
  std::int32_t typeIndex = -1;
  SGuid guid;
  ETypeKind importedKind = ETypeKind::Interface;

  bool operator==(const STypeRef&) const = default;
};

struct SArrayBound {
  std::uint32_t elements = 0;
  std::int32_t lowerBound = 0;
  bool operator==(const SArrayBound&) const = default;
};

struct STypeDesc {
  std::uint16_t vt = vt::kEmpty;
  std::vector<STypeDesc> inner;      // one element: pointee, safe-array or fixed-array element
  std::vector<SArrayBound> bounds;   // fixed arrays
  STypeRef ref;                      // user-defined

  bool operator==(const STypeDesc&) const = default;
};

struct SParamDesc {
  std::u16string name;
  STypeDesc type;
  std::uint16_t flags = 0;
  std::optional<SVariant> defaultValue;

  bool operator==(const SParamDesc&) const = default;
};

struct SFuncDesc {
  std::int32_t memberId = 0;
  std::u16string name;
  std::u16string docString;
  std::uint32_t helpContext = 0;
  EFuncKind funcKind = EFuncKind::Dispatch;
  EInvokeKind invokeKind = EInvokeKind::Func;
  std::uint8_t callConv = 4;  // stdcall
  std::uint16_t flags = 0;
  std::int16_t vtableOffset = 0;
  STypeDesc returnType;
  std::vector<SParamDesc> params;
  std::int16_t optionalCount = 0;

  bool operator==(const SFuncDesc&) const = default;
};

struct SVarDesc {
  std::int32_t memberId = 0;
  std::u16string name;
  std::u16string docString;
  std::uint32_t helpContext = 0;
  EVarKind varKind = EVarKind::Const;
  std::uint16_t flags = 0;
  STypeDesc type;
  std::optional<SVariant> value;   // constants
  std::int32_t instanceOffset = 0; // record fields and other non-constants

  bool operator==(const SVarDesc&) const = default;
};

struct SImplType {
  STypeRef ref;
  std::int32_t flags = 0;
  bool operator==(const SImplType&) const = default;
};

struct STypeInfoDesc {
  ETypeKind kind = ETypeKind::Dispatch;
  std::u16string name;
  std::u16string docString;
  std::uint32_t helpContext = 0;
  SGuid guid;
  std::uint16_t flags = 0;
  std::uint16_t majorVersion = 0;
  std::uint16_t minorVersion = 0;
  std::uint32_t instanceSize = 0;
  std::uint16_t alignment = 4;
  std::uint16_t vtableSize = 0;
  std::vector<SFuncDesc> funcs;
  std::vector<SVarDesc> vars;
  std::vector<SImplType> implTypes;  // a coclass's interfaces, an interface's base
  STypeDesc aliasType;               // aliases

  bool operator==(const STypeInfoDesc&) const = default;
};

struct SImportLib {
  SGuid guid;
  std::uint32_t lcid = 0;
  std::uint16_t majorVersion = 0;
  std::uint16_t minorVersion = 0;
  std::u16string fileName;
  bool operator==(const SImportLib&) const = default;
};

struct SLibraryDesc {
  SGuid guid;
  std::u16string name;
  std::u16string docString;
  std::u16string helpFile;
  std::uint32_t helpContext = 0;
  std::uint32_t lcid = 0;
  std::uint16_t majorVersion = 1;
  std::uint16_t minorVersion = 0;
  std::uint16_t flags = 0;
  ESysKind sysKind = ESysKind::Win32;
  std::vector<SImportLib> imports;
  std::vector<STypeInfoDesc> types;

  bool operator==(const SLibraryDesc&) const = default;
};

}  // namespace quillet::typeinfo

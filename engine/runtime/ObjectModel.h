#pragma once
// The object model: every class of object the engine hands to scripts is declared once, as
// constant data, in the words of a type library: its library, class id, ProgIDs, default
// interface and, per member, name, DISPID, kind, parameters, result and a help sentence.
// Invoke finds members here (see CDispatchTable), the debugger lists the getters marked free of
// side effects, and the build-time generator of engine/tools writes the type libraries and class
// registrations from the same records. Nothing here allocates: declarations are constant
// initialised, so a script run pays nothing for them.
//
// A new class takes three pieces, as objects/scripting/DictionaryClass.cpp shows:
//   - its DISPIDs in an enum and its members in a constexpr array of Method / Get / Let / SetRef,
//     with parameters from In / Optional, in an SInterface, and an SClass naming it;
//   - the object: a CAutomationObject built with DispatchTableOf<kItsClass>() that answers
//     InvokeMember with a switch on member.dispId (arguments already counted, defaults filled);
//   - the interface, enums and class listed in their library's SLibrary, and a new library in
//     EngineLibraries() (or tools::DeclaredLibraries() for a host's). CreateObject, the type
//     library and the class hive follow from these.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace quillet::engine {

class CDispatchObject;

namespace om {

// A GUID in the form the listings write it: "EE09B103-97E0-11CF-978F-00A02463E06F".
struct SGuid {
  uint32_t data1 = 0;
  uint16_t data2 = 0;
  uint16_t data3 = 0;
  std::array<uint8_t, 8> data4{};

  [[nodiscard]] constexpr bool IsNull() const {
    if (data1 != 0 || data2 != 0 || data3 != 0) return false;
    for (const uint8_t byte : data4) {
      if (byte != 0) return false;
    }
    return true;
  }
};

namespace detail {
consteval uint32_t HexDigit(char c) {
  if (c >= '0' && c <= '9') return static_cast<uint32_t>(c - '0');
  if (c >= 'A' && c <= 'F') return static_cast<uint32_t>(c - 'A' + 10);
  if (c >= 'a' && c <= 'f') return static_cast<uint32_t>(c - 'a' + 10);
  throw "not a hexadecimal digit";  // a compile error: declarations are checked when built
}
consteval uint32_t Hex(std::string_view text, size_t at, size_t digits) {
  uint32_t value = 0;
  for (size_t i = 0; i < digits; ++i) value = value << 4 | HexDigit(text[at + i]);
  return value;
}
}  // namespace detail

consteval SGuid Guid(std::string_view text) {
  if (text.size() != 36 || text[8] != '-' || text[13] != '-' || text[18] != '-' || text[23] != '-') {
    throw "a GUID is written XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX";
  }
  SGuid guid;
  guid.data1 = detail::Hex(text, 0, 8);
  guid.data2 = static_cast<uint16_t>(detail::Hex(text, 9, 4));
  guid.data3 = static_cast<uint16_t>(detail::Hex(text, 14, 4));
  for (size_t i = 0; i < 8; ++i) {
    const size_t at = i < 2 ? 19 + 2 * i : 24 + 2 * (i - 2);
    guid.data4[i] = static_cast<uint8_t>(detail::Hex(text, at, 2));
  }
  return guid;
}

// Variant types as automation numbers them.
enum class EVt : uint16_t {
  Empty = 0, I2 = 2, I4 = 3, R8 = 5, Date = 7, Bstr = 8, Dispatch = 9, Bool = 11, Variant = 12,
  Unknown = 13, Int = 22, Void = 24,
};

struct SType {
  EVt vt = EVt::Void;
  // A type the same library declares: an interface or coclass (vt Dispatch) or an enum (vt I4).
  std::u16string_view name{};
  bool byRef = false;          // a pointer to the caller's variable (VARIANT*)
  bool arrayOf = false;        // a SAFEARRAY of vt

  [[nodiscard]] constexpr bool IsVoid() const { return vt == EVt::Void; }
};

namespace types {
inline constexpr SType Void{};
inline constexpr SType Bstr{EVt::Bstr};
inline constexpr SType Long{EVt::I4};
inline constexpr SType Int{EVt::Int};
inline constexpr SType Bool{EVt::Bool};
inline constexpr SType Variant{EVt::Variant};
inline constexpr SType VariantRef{EVt::Variant, {}, true};
inline constexpr SType VariantArray{EVt::Variant, {}, false, true};
inline constexpr SType Dispatch{EVt::Dispatch};
inline constexpr SType Unknown{EVt::Unknown};
constexpr SType Object(std::u16string_view interfaceName) { return SType{EVt::Dispatch, interfaceName}; }
constexpr SType Enum(std::u16string_view enumName) { return SType{EVt::I4, enumName}; }
}  // namespace types

// A parameter's default value; vt Empty means none.
struct SValue {
  EVt vt = EVt::Empty;
  int32_t integer = 0;  // I4 and Int; Bool as 0 or -1
  std::u16string_view text{};

  [[nodiscard]] constexpr bool Given() const { return vt != EVt::Empty; }
};

struct SParam {
  std::u16string_view name;  // may be empty: the value of a property assignment
  SType type;
  bool optional = false;
  SValue defaultValue{};
};

constexpr SParam In(std::u16string_view name, SType type) { return SParam{name, type}; }
constexpr SParam Optional(std::u16string_view name, SType type, SValue defaultValue) {
  return SParam{name, type, true, defaultValue};
}
constexpr SValue IntegerDefault(int32_t value) { return SValue{EVt::I4, value}; }
constexpr SValue BooleanDefault(bool value) { return SValue{EVt::Bool, value ? -1 : 0}; }
constexpr SValue TextDefault(std::u16string_view text) { return SValue{EVt::Bstr, 0, text}; }

enum class EMemberKind : uint8_t { Method, PropertyGet, PropertyLet, PropertySet };

namespace member {
// The debugger may read it to show the object: reading changes nothing and never waits.
inline constexpr uint8_t kSideEffectFree = 0x01;
inline constexpr uint8_t kHidden = 0x02;
inline constexpr uint8_t kRestricted = 0x04;
// Takes any number of arguments beyond its declared ones (the last parameter gathers them).
inline constexpr uint8_t kVarArg = 0x08;
}  // namespace member

// The DISPIDs automation reserves.
inline constexpr int32_t kDispIdValue = 0;
inline constexpr int32_t kDispIdNewEnum = -4;

struct SMember {
  std::u16string_view name;
  int32_t dispId = 0;
  EMemberKind kind = EMemberKind::Method;
  SType result{};  // Void for a Sub and for property assignments
  std::span<const SParam> params{};  // a property assignment's last parameter is the value
  std::u16string_view help{};
  uint8_t flags = 0;
};

constexpr SMember Method(std::u16string_view name, int32_t id, SType result, std::span<const SParam> params,
                         std::u16string_view help, uint8_t flags = 0) {
  return SMember{name, id, EMemberKind::Method, result, params, help, flags};
}
constexpr SMember Get(std::u16string_view name, int32_t id, SType result, std::span<const SParam> params,
                      std::u16string_view help, uint8_t flags = 0) {
  return SMember{name, id, EMemberKind::PropertyGet, result, params, help, flags};
}
constexpr SMember Let(std::u16string_view name, int32_t id, std::span<const SParam> params, std::u16string_view help,
                      uint8_t flags = 0) {
  return SMember{name, id, EMemberKind::PropertyLet, types::Void, params, help, flags};
}
constexpr SMember SetRef(std::u16string_view name, int32_t id, std::span<const SParam> params,
                         std::u16string_view help, uint8_t flags = 0) {
  return SMember{name, id, EMemberKind::PropertySet, types::Void, params, help, flags};
}

namespace iface {
inline constexpr uint8_t kHidden = 0x01;
inline constexpr uint8_t kNonExtensible = 0x02;
}  // namespace iface

// A dual interface (IDispatch and a vtable), as every scripting library declares its own.
struct SInterface {
  std::u16string_view name;
  SGuid iid;
  std::span<const SMember> members;
  std::u16string_view help{};
  uint8_t flags = 0;
};

struct SEnumValue {
  std::u16string_view name;
  int32_t value = 0;
};

struct SEnum {
  std::u16string_view name;
  std::span<const SEnumValue> values;
  std::u16string_view help{};
};

// How Windows serves the class: a library loaded into the caller, or a program of its own.
enum class EServer : uint8_t { None, InProcess, LocalProcess };

struct SLibrary;

struct SClass {
  std::u16string_view name;  // the coclass; empty when the library declares none for it
  SGuid clsid{};             // null when the library declares no coclass
  const SLibrary* library = nullptr;
  const SInterface* defaultInterface = nullptr;
  std::u16string_view typeName{};  // what TypeName says of an object of the class
  std::span<const std::u16string_view> progIds{};  // CreateObject's names, version-independent first
  std::u16string_view versionedProgId{};           // "Name.Class.1", where Windows registers one
  EServer server = EServer::None;
  CDispatchObject* (*create)() = nullptr;  // CreateObject and New; null when scripts cannot make one
  std::u16string_view help{};
};

struct SLibrary {
  std::u16string_view name;
  SGuid libid;
  uint16_t majorVersion = 1;
  uint16_t minorVersion = 0;
  std::u16string_view help{};
  std::span<const SInterface* const> interfaces{};
  std::span<const SEnum* const> enums{};
  std::span<const SClass* const> classes{};
};

}  // namespace om
}  // namespace quillet::engine

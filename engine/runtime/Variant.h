#pragma once
// The Variant: every value a script touches. 16 bytes: a subtype tag and a payload; strings,
// objects and arrays are reference counted (intrusively, so the payload stays one pointer).
// A by-reference slot (EVarType::Ref) only ever lives in a procedure's parameter or on the
// evaluation stack while arguments are passed; it never escapes into a script variable.

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace quillet::engine {

class CDispatchObject;
class CSafeArray;

// The numbers are VarType()'s results.
enum class EVarType : uint16_t {
  Empty = 0,
  Null = 1,
  Integer = 2,
  Long = 3,
  Single = 4,
  Double = 5,
  Currency = 6,
  Date = 7,
  String = 8,
  Object = 9,
  Error = 10,
  Boolean = 11,
  Variant = 12,
  Byte = 17,
  Array = 0x200C,  // array of Variant
  Ref = 0x4000,    // internal: a reference to another Variant
};

// The payload of a missing optional argument, as Windows passes it.
inline constexpr int32_t kParamNotFound = static_cast<int32_t>(0x80020004u);

// The longest string a script may build, in UTF-16 units: Windows' strings count their
// length in bytes in 31 bits. Beyond it, 14 "Out of string space" instead of exhausting memory.
inline constexpr size_t kMaxStringLength = (size_t{1} << 30) - 1;
// Throws 14 when a string of this length may not be built.
void CheckStringLength(size_t length);

class CVariant {
 public:
  // Copies and moves of numbers are the interpreter's most frequent operations: they stay
  // inline, and only values that own something (string, object, array) take the slow path.
  CVariant() = default;
  CVariant(const CVariant& other) : m_type(other.m_type), m_u(other.m_u) {
    if (Owns()) AddRefPayload();
  }
  CVariant(CVariant&& other) noexcept : m_type(other.m_type), m_u(other.m_u) { other.m_type = EVarType::Empty; }
  CVariant& operator=(const CVariant& other) {
    if (!Owns() && !other.Owns()) {
      m_type = other.m_type;
      m_u = other.m_u;
      return *this;
    }
    return AssignOwned(other);
  }
  CVariant& operator=(CVariant&& other) noexcept {
    if (Owns()) {
      MoveAssignOwned(std::move(other));
    } else if (this != &other) {
      m_type = other.m_type;
      m_u = other.m_u;
      other.m_type = EVarType::Empty;
    }
    return *this;
  }
  ~CVariant() {
    if (Owns()) ReleasePayload(m_type, m_u);
  }

  // Numbers are built with their whole payload written at once: a payload written in pieces
  // and then copied as a whole stalls the processor, and loops copy these all the time.
  [[nodiscard]] static CVariant Null() { return FromBits(EVarType::Null, 0); }
  [[nodiscard]] static CVariant Boolean(bool value) { return FromBits(EVarType::Boolean, value ? 1 : 0); }
  [[nodiscard]] static CVariant Byte(uint8_t value) { return FromBits(EVarType::Byte, value); }
  [[nodiscard]] static CVariant Integer(int16_t value) {
    return FromBits(EVarType::Integer, static_cast<uint16_t>(value));
  }
  [[nodiscard]] static CVariant Long(int32_t value) { return FromBits(EVarType::Long, static_cast<uint32_t>(value)); }
  [[nodiscard]] static CVariant Single(float value) {
    return FromBits(EVarType::Single, std::bit_cast<uint32_t>(value));
  }
  [[nodiscard]] static CVariant Double(double value) {
    return FromBits(EVarType::Double, std::bit_cast<uint64_t>(value));
  }
  // Currency is kept scaled by 10,000, as Windows does.
  [[nodiscard]] static CVariant CurrencyScaled(int64_t scaled) {
    return FromBits(EVarType::Currency, static_cast<uint64_t>(scaled));
  }
  [[nodiscard]] static CVariant Date(double value) { return FromBits(EVarType::Date, std::bit_cast<uint64_t>(value)); }
  [[nodiscard]] static CVariant String(std::u16string_view text);
  // Takes the text over without copying it.
  [[nodiscard]] static CVariant String(std::u16string&& text);
  [[nodiscard]] static CVariant String(const char16_t* text) { return String(std::u16string_view(text)); }
  [[nodiscard]] static CVariant Error(int32_t code) { return FromBits(EVarType::Error, static_cast<uint32_t>(code)); }
  [[nodiscard]] static CVariant Missing() { return Error(kParamNotFound); }
  // Takes a new reference; null means Nothing.
  [[nodiscard]] static CVariant Object(CDispatchObject* object);
  [[nodiscard]] static CVariant Array(CSafeArray* array);
  [[nodiscard]] static CVariant Reference(CVariant* target);

  [[nodiscard]] EVarType Type() const { return m_type; }
  [[nodiscard]] bool IsEmpty() const { return m_type == EVarType::Empty; }
  [[nodiscard]] bool IsNull() const { return m_type == EVarType::Null; }
  [[nodiscard]] bool IsString() const { return m_type == EVarType::String; }
  [[nodiscard]] bool IsObject() const { return m_type == EVarType::Object; }
  [[nodiscard]] bool IsArray() const { return m_type == EVarType::Array; }
  [[nodiscard]] bool IsRef() const { return m_type == EVarType::Ref; }
  [[nodiscard]] bool IsMissing() const { return m_type == EVarType::Error && m_u.scode == kParamNotFound; }
  // Byte, Integer, Long, Single, Double, Currency, Date, Boolean.
  [[nodiscard]] bool IsNumeric() const {
    switch (m_type) {
      case EVarType::Byte: case EVarType::Integer: case EVarType::Long: case EVarType::Single:
      case EVarType::Double: case EVarType::Currency: case EVarType::Date: case EVarType::Boolean:
        return true;
      default: return false;
    }
  }

  [[nodiscard]] bool AsBool() const { return m_u.b; }
  [[nodiscard]] uint8_t AsByte() const { return m_u.ui1; }
  [[nodiscard]] int16_t AsInteger() const { return m_u.i2; }
  [[nodiscard]] int32_t AsLong() const { return m_u.i4; }
  [[nodiscard]] float AsSingle() const { return m_u.r4; }
  [[nodiscard]] double AsDouble() const { return m_u.r8; }
  [[nodiscard]] int64_t AsCurrencyScaled() const { return m_u.cy; }
  [[nodiscard]] int32_t AsError() const { return m_u.scode; }
  [[nodiscard]] std::u16string_view AsString() const;
  [[nodiscard]] CDispatchObject* AsObject() const { return m_u.obj; }
  [[nodiscard]] CSafeArray* AsArray() const { return m_u.arr; }
  [[nodiscard]] CVariant* RefTarget() const { return m_u.ref; }

  // For a variable known to be Empty (the room above a stack's top, a new frame's locals):
  // there is no old value to let go, so the check for one is left out.
  void CopyIntoEmpty(const CVariant& other) {
    m_type = other.m_type;
    m_u = other.m_u;
    if (Owns()) AddRefPayload();
  }
  void MoveIntoEmpty(CVariant&& other) noexcept {
    m_type = other.m_type;
    m_u = other.m_u;
    other.m_type = EVarType::Empty;
  }

  // Follows a reference, if this is one.
  [[nodiscard]] const CVariant& Deref() const { return m_type == EVarType::Ref ? *m_u.ref : *this; }
  [[nodiscard]] CVariant& Deref() { return m_type == EVarType::Ref ? *m_u.ref : *this; }

  // Appends to a string in place when nobody else shares its buffer; false otherwise. This
  // keeps s = s & t linear in the final length.
  bool AppendInPlace(std::u16string_view tail);

  void Clear() {
    const EVarType type = m_type;
    m_type = EVarType::Empty;
    if (type == EVarType::String || type == EVarType::Object || type == EVarType::Array) ReleasePayload(type, m_u);
  }

  // Conversions with Windows' rules; they throw CScriptError (13, 6, 94 ...).
  [[nodiscard]] double ToDouble() const;
  [[nodiscard]] int32_t ToLong() const;     // rounds half to even
  [[nodiscard]] int16_t ToInteger() const;  // rounds half to even
  [[nodiscard]] uint8_t ToByte() const;
  [[nodiscard]] bool ToBool() const;
  [[nodiscard]] int64_t ToCurrencyScaled() const;
  [[nodiscard]] std::u16string ToString() const;
  // A numeric Variant of the narrowest type that holds the value (strings become Double).
  [[nodiscard]] CVariant ToNumber() const;

 private:
  [[nodiscard]] bool Owns() const {
    return m_type == EVarType::String || m_type == EVarType::Object || m_type == EVarType::Array;
  }
  void AddRefPayload();
  void MoveAssignOwned(CVariant&& other) noexcept;
  CVariant& AssignOwned(const CVariant& other);

  EVarType m_type = EVarType::Empty;
  union {
    bool b;
    uint8_t ui1;
    int16_t i2;
    int32_t i4;
    int32_t scode;
    float r4;
    double r8;
    int64_t cy;
    struct SStringData* str;
    CDispatchObject* obj;
    CSafeArray* arr;
    CVariant* ref;
  } m_u{};
  using Payload = decltype(m_u);
  static_assert(sizeof(Payload) == sizeof(uint64_t));
  static_assert(std::endian::native == std::endian::little, "FromBits puts a narrow member in the low bytes");
  static void ReleasePayload(EVarType type, Payload u) noexcept;
  static CVariant Make(struct SStringData* data);
  // The payload's bytes as the member of that type holds them (the low-order bytes, little-endian).
  static CVariant FromBits(EVarType type, uint64_t bits) {
    CVariant v;
    v.m_type = type;
    std::memcpy(&v.m_u, &bits, sizeof bits);
    return v;
  }

};

// Number and date texts the way Windows' conversions write them (English locale).
[[nodiscard]] std::u16string FormatDouble(double value, int significantDigits);
[[nodiscard]] std::u16string FormatCurrency(int64_t scaled);
[[nodiscard]] std::u16string FormatDate(double date);
// Parses a number as a conversion reads it under en-US: blanks around, a sign before or after,
// a negative in parentheses, a $ before or after, thousands separators, decimals, exponent,
// &H, &O.
[[nodiscard]] bool ParseNumber(std::u16string_view text, double& value);
// Parses a date/time text: m/d/yyyy, yyyy-mm-dd, month names, hh:mm[:ss] [AM|PM].
[[nodiscard]] bool ParseDate(std::u16string_view text, double& date);
[[nodiscard]] double RoundHalfEven(double value);

}  // namespace quillet::engine

#include "engine/objects/scripting/DictionaryKey.h"

#include <locale.h>
#include <wctype.h>

#include <bit>
#include <cmath>
#include <limits>

#include "engine/runtime/ScriptError.h"

namespace quillet::engine {

namespace {

double NumberOf(const CVariant& v) {
  switch (v.Type()) {
    case EVarType::Boolean: return v.AsBool() ? -1.0 : 0.0;
    case EVarType::Byte: return v.AsByte();
    case EVarType::Integer: return v.AsInteger();
    case EVarType::Long: return v.AsLong();
    case EVarType::Single: return v.AsSingle();
    case EVarType::Currency: return static_cast<double>(v.AsCurrencyScaled()) / 10000.0;
    default: return v.AsDouble();  // Double and Date
  }
}

// -0 and 0 are one key, and so is every NaN: a key must equal itself.
double Canonical(double number) {
  if (number == 0) return 0.0;
  if (std::isnan(number)) return std::numeric_limits<double>::quiet_NaN();
  return number;
}

// The full case mapping of the C.UTF-8 locale, which does not depend on the user's settings.
locale_t FoldingLocale() {
  static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
  return locale;
}

size_t Mix(uint64_t h) {
  h ^= h >> 33;
  h *= 0xff51afd7ed558ccdULL;
  h ^= h >> 33;
  return static_cast<size_t>(h);
}

}  // namespace

char16_t FoldKeyUnit(char16_t unit) {
  if (unit < 0x80) return (unit >= u'a' && unit <= u'z') ? static_cast<char16_t>(unit - 32) : unit;
  if (unit >= 0xD800 && unit <= 0xDFFF) return unit;
  const locale_t locale = FoldingLocale();
  if (locale == static_cast<locale_t>(nullptr)) return unit;
  const wint_t upper = towupper_l(static_cast<wint_t>(unit), locale);
  // A mapping that leaves the 16-bit range would not round-trip; keep the unit instead.
  return upper <= 0xFFFF ? static_cast<char16_t>(upper) : unit;
}

CDictionaryKey::CDictionaryKey(const CVariant& key) {
  switch (key.Type()) {
    case EVarType::Empty: m_kind = EKind::Empty; break;
    case EVarType::Null: m_kind = EKind::Null; break;
    case EVarType::String: m_kind = EKind::Text; m_text = key.AsString(); break;
    case EVarType::Object: m_kind = EKind::Object; m_object = key.AsObject(); break;
    case EVarType::Error:
      if (key.IsMissing()) throw CScriptError(err::ArgNotOptional);
      m_kind = EKind::Error;
      m_code = key.AsError();
      break;
    case EVarType::Boolean: case EVarType::Byte: case EVarType::Integer: case EVarType::Long:
    case EVarType::Single: case EVarType::Double: case EVarType::Currency: case EVarType::Date:
      m_kind = EKind::Number;
      m_number = Canonical(NumberOf(key));
      break;
    default: throw CScriptError(err::TypeMismatch);
  }
}

size_t CDictionaryKey::Hash(bool textMode) const {
  constexpr uint64_t kFnvOffset = 0xcbf29ce484222325ULL;
  constexpr uint64_t kFnvPrime = 0x100000001b3ULL;
  const uint64_t kindSeed = static_cast<uint64_t>(m_kind) * 0x9E3779B97F4A7C15ULL;
  switch (m_kind) {
    case EKind::Number: return Mix(kindSeed ^ std::bit_cast<uint64_t>(m_number));
    case EKind::Object: return Mix(kindSeed ^ reinterpret_cast<uintptr_t>(m_object));
    case EKind::Error: return Mix(kindSeed ^ static_cast<uint32_t>(m_code));
    case EKind::Text: {
      uint64_t h = kFnvOffset;
      for (char16_t unit : m_text) {
        h = (h ^ (textMode ? FoldKeyUnit(unit) : unit)) * kFnvPrime;
      }
      return Mix(h);
    }
    default: return Mix(kindSeed);
  }
}

bool CDictionaryKey::Equals(const CDictionaryKey& other, bool textMode) const {
  if (m_kind != other.m_kind) return false;
  switch (m_kind) {
    case EKind::Number:
      return m_number == other.m_number || (std::isnan(m_number) && std::isnan(other.m_number));
    case EKind::Object: return m_object == other.m_object;
    case EKind::Error: return m_code == other.m_code;
    case EKind::Text: {
      if (m_text.size() != other.m_text.size()) return false;
      if (!textMode) return m_text == other.m_text;
      for (size_t i = 0; i < m_text.size(); ++i) {
        if (m_text[i] != other.m_text[i] && FoldKeyUnit(m_text[i]) != FoldKeyUnit(other.m_text[i])) return false;
      }
      return true;
    }
    default: return true;
  }
}

}  // namespace quillet::engine

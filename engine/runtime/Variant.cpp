#include "engine/runtime/Variant.h"

#include <cmath>
#include <ctime>
#include <cstdio>
#include <limits>
#include <string>

#include "engine/library/CivilDate.h"
#include "engine/library/DateParser.h"
#include "engine/runtime/DispatchObject.h"
#include "engine/runtime/SafeArray.h"
#include "engine/runtime/ScriptError.h"

namespace quillet::engine {

struct SStringData {
  long refs = 1;
  std::u16string text;
};

namespace {

CVariant DefaultValue(const CVariant& object) {
  if (object.AsObject() == nullptr) throw CScriptError(err::ObjectNotSet);
  CVariant value = object.AsObject()->Invoke(u"", EInvokeKind::Get, {});
  if (value.IsObject()) throw CScriptError(err::TypeMismatch);
  return value;
}

std::u16string Ascii(const char* text) {
  std::u16string out;
  for (; *text != '\0'; ++text) out.push_back(static_cast<char16_t>(*text));
  return out;
}

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

std::u16string_view Trim(std::u16string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool EqualsAsciiNoCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char16_t x = a[i], y = b[i];
    if (x >= u'A' && x <= u'Z') x = static_cast<char16_t>(x + 32);
    if (y >= u'A' && y <= u'Z') y = static_cast<char16_t>(y + 32);
    if (x != y) return false;
  }
  return true;
}

bool ParseRadix(std::u16string_view digits, int radix, double& value) {
  if (digits.empty()) return false;
  uint64_t bits = 0;
  for (char16_t c : digits) {
    int digit = -1;
    if (c >= u'0' && c <= u'9') digit = c - u'0';
    else if (c >= u'a' && c <= u'f') digit = c - u'a' + 10;
    else if (c >= u'A' && c <= u'F') digit = c - u'A' + 10;
    if (digit < 0 || digit >= radix) return false;
    bits = bits * static_cast<uint64_t>(radix) + static_cast<uint64_t>(digit);
    if (bits > 0xFFFFFFFFu) return false;
  }
  // The bits are two's complement: &HFFFF is the Integer -1, &HFFFFFFFF the Long -1.
  if (bits <= 0xFFFF) value = static_cast<int16_t>(static_cast<uint16_t>(bits));
  else value = static_cast<int32_t>(static_cast<uint32_t>(bits));
  return true;
}

}  // namespace

void CivilFromDays(int64_t days, int& year, int& month, int& day) {
  const int64_t z = days - 25569 + 719468;  // 1899-12-30 is 25569 days before 1970-01-01
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

int64_t DaysFromCivil(int year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t yoe = year - era * 400;
  const int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468 + 25569;
}

int DaysInMonth(int year, int month) {
  const int64_t next = month == 12 ? DaysFromCivil(year + 1, 1, 1) : DaysFromCivil(year, month + 1, 1);
  return static_cast<int>(next - DaysFromCivil(year, month, 1));
}


// ---- construction and ownership ---------------------------------------------------------

CVariant& CVariant::AssignOwned(const CVariant& other) {
  if (this != &other) {
    CVariant copy(other);
    *this = std::move(copy);
  }
  return *this;
}

void CVariant::MoveAssignOwned(CVariant&& other) noexcept {
  if (this == &other) return;
  // Release last: releasing may run a Class_Terminate that reads this very variable.
  CVariant old;
  old.m_type = m_type;
  old.m_u = m_u;
  m_type = other.m_type;
  m_u = other.m_u;
  other.m_type = EVarType::Empty;
}

void CVariant::AddRefPayload() {
  switch (m_type) {
    case EVarType::String: ++m_u.str->refs; break;
    case EVarType::Object: if (m_u.obj != nullptr) m_u.obj->AddRef(); break;
    case EVarType::Array: m_u.arr->AddRef(); break;
    default: break;
  }
}

void CVariant::ReleasePayload(EVarType type, Payload u) noexcept {
  switch (type) {
    case EVarType::String:
      if (--u.str->refs == 0) delete u.str;
      break;
    case EVarType::Object:
      if (u.obj != nullptr) u.obj->Release();
      break;
    case EVarType::Array: u.arr->Release(); break;
    default: break;
  }
}


// Scripts cut texts into single characters all the time (Split, Mid, Left): those of ASCII are
// shared, one per thread since the counts are not atomic. Sharing is safe because a string is
// only ever changed in place by its sole owner.
CVariant CVariant::String(std::u16string_view text) {
  if (text.size() == 1 && text[0] < 128) {
    thread_local CVariant characters[128];
    CVariant& shared = characters[text[0]];
    if (!shared.IsString()) shared = Make(new SStringData{1, std::u16string(text)});
    return shared;
  }
  return Make(new SStringData{1, std::u16string(text)});
}

CVariant CVariant::Make(SStringData* data) {
  CVariant v;
  v.m_type = EVarType::String;
  v.m_u.str = data;
  return v;
}

CVariant CVariant::String(std::u16string&& text) {
  CVariant v;
  v.m_type = EVarType::String;
  v.m_u.str = new SStringData{1, std::move(text)};
  return v;
}

CVariant CVariant::Object(CDispatchObject* object) {
  CVariant v;
  v.m_type = EVarType::Object;
  v.m_u.obj = object;
  if (object != nullptr) object->AddRef();
  return v;
}

CVariant CVariant::Array(CSafeArray* array) {
  CVariant v;
  v.m_type = EVarType::Array;
  v.m_u.arr = array;
  array->AddRef();
  return v;
}

CVariant CVariant::Reference(CVariant* target) {
  CVariant v;
  v.m_type = EVarType::Ref;
  v.m_u.ref = &target->Deref();
  return v;
}

std::u16string_view CVariant::AsString() const { return m_u.str->text; }

void CheckStringLength(size_t length) {
  if (length > kMaxStringLength) throw CScriptError(err::OutOfStringSpace);
}

bool CVariant::AppendInPlace(std::u16string_view tail) {
  if (m_type != EVarType::String || m_u.str->refs != 1) return false;
  CheckStringLength(m_u.str->text.size() + tail.size());
  m_u.str->text.append(tail);
  return true;
}


// ---- conversions ------------------------------------------------------------------------

double CVariant::ToDouble() const {
  switch (m_type) {
    case EVarType::Empty: return 0;
    case EVarType::Null: throw CScriptError(err::InvalidUseOfNull);
    case EVarType::Boolean: return m_u.b ? -1 : 0;
    case EVarType::Byte: return m_u.ui1;
    case EVarType::Integer: return m_u.i2;
    case EVarType::Long: return m_u.i4;
    case EVarType::Single: return m_u.r4;
    case EVarType::Double: case EVarType::Date: return m_u.r8;
    case EVarType::Currency: return static_cast<double>(m_u.cy) / 10000.0;
    case EVarType::String: {
      double value = 0;
      if (!ParseNumber(m_u.str->text, value)) throw CScriptError(err::TypeMismatch);
      return value;
    }
    case EVarType::Object: return DefaultValue(*this).ToDouble();
    case EVarType::Ref: return m_u.ref->ToDouble();
    default: throw CScriptError(err::TypeMismatch);
  }
}

double RoundHalfEven(double value) {
  const double floor = std::floor(value);
  const double diff = value - floor;
  if (diff > 0.5) return floor + 1;
  if (diff < 0.5) return floor;
  return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

int32_t CVariant::ToLong() const {
  switch (m_type) {
    case EVarType::Long: return m_u.i4;
    case EVarType::Integer: return m_u.i2;
    case EVarType::Byte: return m_u.ui1;
    case EVarType::Boolean: return m_u.b ? -1 : 0;
    case EVarType::Empty: return 0;
    default: break;
  }
  const double rounded = RoundHalfEven(ToDouble());
  if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) throw CScriptError(err::Overflow);
  return static_cast<int32_t>(rounded);
}

int16_t CVariant::ToInteger() const {
  const int32_t value = ToLong();
  if (value < -32768 || value > 32767) throw CScriptError(err::Overflow);
  return static_cast<int16_t>(value);
}

uint8_t CVariant::ToByte() const {
  const int32_t value = ToLong();
  if (value < 0 || value > 255) throw CScriptError(err::Overflow);
  return static_cast<uint8_t>(value);
}

bool CVariant::ToBool() const {
  switch (m_type) {
    case EVarType::Boolean: return m_u.b;
    case EVarType::String: {
      const auto text = Trim(m_u.str->text);
      if (EqualsAsciiNoCase(text, u"true")) return true;
      if (EqualsAsciiNoCase(text, u"false")) return false;
      return ToDouble() != 0;
    }
    case EVarType::Ref: return m_u.ref->ToBool();
    case EVarType::Object: return DefaultValue(*this).ToBool();
    default: return ToDouble() != 0;
  }
}

int64_t CVariant::ToCurrencyScaled() const {
  if (m_type == EVarType::Currency) return m_u.cy;
  const double scaled = RoundHalfEven(ToDouble() * 10000.0);
  if (!(std::fabs(scaled) < 9.2233720368547e18)) throw CScriptError(err::Overflow);
  return static_cast<int64_t>(scaled);
}

std::u16string CVariant::ToString() const {
  switch (m_type) {
    case EVarType::Empty: return {};
    case EVarType::Null: throw CScriptError(err::InvalidUseOfNull);
    case EVarType::Boolean: return m_u.b ? u"True" : u"False";
    case EVarType::Byte: return Ascii(std::to_string(m_u.ui1).c_str());
    case EVarType::Integer: return Ascii(std::to_string(m_u.i2).c_str());
    case EVarType::Long: return Ascii(std::to_string(m_u.i4).c_str());
    case EVarType::Single: return FormatDouble(m_u.r4, 7);
    case EVarType::Double: return FormatDouble(m_u.r8, 15);
    case EVarType::Currency: return FormatCurrency(m_u.cy);
    case EVarType::Date: return FormatDate(m_u.r8);
    case EVarType::String: return m_u.str->text;
    case EVarType::Object: return DefaultValue(*this).ToString();
    case EVarType::Ref: return m_u.ref->ToString();
    default: throw CScriptError(err::TypeMismatch);
  }
}

CVariant CVariant::ToNumber() const {
  switch (m_type) {
    case EVarType::Empty: return Integer(0);
    case EVarType::Null: return Null();
    case EVarType::Byte: case EVarType::Integer: case EVarType::Long: case EVarType::Single:
    case EVarType::Double: case EVarType::Currency: case EVarType::Date: case EVarType::Boolean:
      return *this;
    case EVarType::String: return Double(ToDouble());
    case EVarType::Object: return DefaultValue(*this).ToNumber();
    case EVarType::Ref: return m_u.ref->ToNumber();
    default: throw CScriptError(err::TypeMismatch);
  }
}

// ---- texts ------------------------------------------------------------------------------

std::u16string FormatDouble(double value, int significantDigits) {
  if (std::isnan(value)) return u"-1.#IND";
  if (std::isinf(value)) return value > 0 ? u"1.#INF" : u"-1.#INF";
  if (value == 0) return u"0";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*G", significantDigits, value);
  std::string text(buffer);
  // C writes E+05 where Windows writes E+05 too, but trailing zeros of the mantissa must go.
  const auto e = text.find('E');
  std::string mantissa = text.substr(0, e);
  std::string exponent = e == std::string::npos ? std::string() : text.substr(e);
  if (mantissa.find('.') != std::string::npos) {
    while (!mantissa.empty() && mantissa.back() == '0') mantissa.pop_back();
    if (!mantissa.empty() && mantissa.back() == '.') mantissa.pop_back();
  }
  return Ascii((mantissa + exponent).c_str());
}

std::u16string FormatCurrency(int64_t scaled) {
  const bool negative = scaled < 0;
  const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(scaled) : static_cast<uint64_t>(scaled);
  std::string text = std::to_string(magnitude / 10000);
  uint64_t fraction = magnitude % 10000;
  if (fraction != 0) {
    std::string digits = std::to_string(fraction + 10000).substr(1);
    while (digits.back() == '0') digits.pop_back();
    text += "." + digits;
  }
  return Ascii(((negative ? "-" : "") + text).c_str());
}

std::u16string FormatDate(double date) {
  double whole = std::trunc(date);
  double fraction = std::fabs(date - whole);
  int64_t seconds = static_cast<int64_t>(std::llround(fraction * 86400.0));
  if (seconds >= 86400) {
    seconds -= 86400;
    whole += date < 0 ? -1 : 1;
  }
  std::string text;
  if (whole != 0) {
    int year = 0, month = 0, day = 0;
    CivilFromDays(static_cast<int64_t>(whole), year, month, day);
    text = std::to_string(month) + "/" + std::to_string(day) + "/" + std::to_string(year);
  }
  // Midnight of day 0 is a time, not 12/30/1899.
  if (seconds != 0 || whole == 0) {
    const int64_t hour = seconds / 3600;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%d:%02d:%02d %s", static_cast<int>(hour % 12 == 0 ? 12 : hour % 12),
                  static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60), hour < 12 ? "AM" : "PM");
    if (!text.empty()) text += " ";
    text += buffer;
  }
  return Ascii(text.c_str());
}

namespace {

// What may stand around the digits of a number: a sign, a currency symbol, parentheses.
struct SNumberAffixes {
  bool negative = false;
  bool sign = false;
  bool currency = false;
  bool parentheses = false;
};

// Takes one sign or currency symbol at text[i]; a number has at most one of each, and none
// of the signs inside parentheses.
bool TakeAffix(std::u16string_view text, size_t& i, SNumberAffixes& affixes) {
  if (i >= text.size()) return false;
  const char16_t c = text[i];
  if ((c == u'+' || c == u'-') && !affixes.sign && !affixes.parentheses) {
    affixes.sign = true;
    affixes.negative = c == u'-';
  } else if (c == u'$' && !affixes.currency) {
    affixes.currency = true;
  } else {
    return false;
  }
  ++i;
  return true;
}

bool IsDigit(std::u16string_view text, size_t i) { return i < text.size() && text[i] >= u'0' && text[i] <= u'9'; }

// Digits with thousands separators between them (their grouping is not checked), a decimal
// point and an exponent, copied to ascii for strtod without the separators.
bool ReadDecimal(std::u16string_view text, size_t& i, std::string& ascii) {
  size_t digits = 0;
  while (IsDigit(text, i) || (i < text.size() && text[i] == u',' && digits > 0 && IsDigit(text, i + 1))) {
    if (text[i] != u',') {
      ascii.push_back(static_cast<char>(text[i]));
      ++digits;
    }
    ++i;
  }
  if (i < text.size() && text[i] == u'.') {
    ascii.push_back('.');
    ++i;
    while (IsDigit(text, i)) { ascii.push_back(static_cast<char>(text[i++])); ++digits; }
  }
  if (digits == 0) return false;
  if (i < text.size() && (text[i] == u'e' || text[i] == u'E' || text[i] == u'd' || text[i] == u'D')) {
    ascii.push_back('e');
    ++i;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) ascii.push_back(static_cast<char>(text[i++]));
    size_t expDigits = 0;
    while (IsDigit(text, i)) { ascii.push_back(static_cast<char>(text[i++])); ++expDigits; }
    if (expDigits == 0) return false;
  }
  return true;
}

}  // namespace

bool ParseNumber(std::u16string_view text, double& value) {
  text = Trim(text);
  if (text.size() > 2 && text[0] == u'&') {
    const char16_t radix = text[1];
    if (radix == u'H' || radix == u'h') return ParseRadix(text.substr(2), 16, value);
    if (radix == u'O' || radix == u'o') return ParseRadix(text.substr(2), 8, value);
    return false;
  }
  SNumberAffixes affixes;
  if (text.size() > 2 && text.front() == u'(' && text.back() == u')') {
    affixes.parentheses = true;
    affixes.negative = true;
    text = text.substr(1, text.size() - 2);
  }
  size_t i = 0;
  while (TakeAffix(text, i, affixes)) {
  }
  std::string ascii;
  if (!ReadDecimal(text, i, ascii)) return false;
  while (TakeAffix(text, i, affixes)) {
  }
  if (i != text.size()) return false;
  value = std::strtod(ascii.c_str(), nullptr);
  if (affixes.negative) value = -value;
  return std::isfinite(value);
}

bool ParseDate(std::u16string_view text, double& date) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return ParseDateText(text, local.tm_year + 1900, date);
}

}  // namespace quillet::engine

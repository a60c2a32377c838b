// The string library: searching, cutting, case, trimming, building, comparing, splitting and
// joining, character codes and number texts. Null propagates where Windows lets it through
// (the text argument of most functions) and is 94 where it does not (counts, positions).

#include <algorithm>
#include <array>
#include <vector>

#include "engine/library/BuiltinSupport.h"
#include "engine/runtime/SafeArray.h"
#include "engine/runtime/VariantOps.h"

namespace quillet::engine::builtin {

namespace {

// Case mapping for the alphabets scripts meet in practice: ASCII, Latin-1, Latin Extended-A,
// basic Greek and Cyrillic. Other characters keep their case.
[[nodiscard]] char16_t ToUpperUnit(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 32);
  if (c < 0xE0) return c;
  if (c <= 0xFE) return c == 0xF7 ? c : static_cast<char16_t>(c - 32);
  if (c == 0xFF) return 0x178;
  if (c >= 0x100 && c <= 0x17F) {
    // Pairs alternate upper/lower; the block shifts parity at 0x139..0x148 and 0x179..0x17E.
    const bool oddLower = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    const bool isLower = oddLower ? (c % 2 == 0) : (c % 2 == 1);
    if (c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
    return isLower ? static_cast<char16_t>(c - 1) : c;
  }
  if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return static_cast<char16_t>(c - 32);
  if (c >= 0x430 && c <= 0x44F) return static_cast<char16_t>(c - 32);
  if (c >= 0x450 && c <= 0x45F) return static_cast<char16_t>(c - 80);
  return c;
}

[[nodiscard]] char16_t ToLowerUnit(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 32);
  if (c < 0xC0) return c;
  if (c <= 0xDE) return c == 0xD7 ? c : static_cast<char16_t>(c + 32);
  if (c == 0x178) return 0xFF;
  if (c >= 0x100 && c <= 0x17F) {
    if (c == 0x130 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
    return ToUpperUnit(static_cast<char16_t>(c + 1)) == c ? static_cast<char16_t>(c + 1) : c;
  }
  if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return static_cast<char16_t>(c + 32);
  if (c >= 0x410 && c <= 0x42F) return static_cast<char16_t>(c + 32);
  if (c >= 0x400 && c <= 0x40F) return static_cast<char16_t>(c + 80);
  return c;
}

[[nodiscard]] std::u16string Upper(std::u16string text) {
  for (char16_t& c : text) c = ToUpperUnit(c);
  return text;
}

[[nodiscard]] std::u16string Lower(std::u16string text) {
  for (char16_t& c : text) c = ToLowerUnit(c);
  return text;
}

// Text comparison folds case; both sides are folded once so that searches stay linear.
[[nodiscard]] std::u16string Folded(std::u16string text, bool textCompare) {
  return textCompare ? Upper(std::move(text)) : text;
}

// Position (from 0) of needle in hay at or after from; npos when absent.
[[nodiscard]] size_t Find(std::u16string_view hay, std::u16string_view needle, size_t from, bool text) {
  if (!text) return hay.find(needle, from);  // the frequent case needs no folded copies
  return Upper(std::u16string(hay)).find(Upper(std::u16string(needle)), from);
}

[[nodiscard]] CVariant Text(std::u16string text) { return CVariant::String(std::move(text)); }

// InStr([start, ]string1, string2[, compare]): with three or more arguments the first is the start.
CVariant FnInStr(Args a) {
  const bool hasStart = a.size() >= 3;
  const size_t s1 = hasStart ? 1 : 0;
  int32_t start = 1;
  if (hasStart) {
    start = LongArg(a, 0);
    if (start < 1) throw CScriptError(err::InvalidCall);
  }
  if (hasStart && !Given(a, 2)) throw CScriptError(err::ArgNotOptional);
  const bool text = hasStart && TextCompareArg(a, 3);
  if (IsNullArg(a, s1) || IsNullArg(a, s1 + 1)) return CVariant::Null();
  const CTextArg hayArg(a, s1);
  const CTextArg needleArg(a, s1 + 1);
  const std::u16string_view hay = hayArg.View();
  const std::u16string_view needle = needleArg.View();
  const auto from = static_cast<size_t>(start - 1);
  if (from >= hay.size()) return CVariant::Long(0);
  if (needle.empty()) return CVariant::Long(start);
  const size_t at = Find(hay, needle, from, text);
  return CVariant::Long(at == std::u16string::npos ? 0 : static_cast<int32_t>(at + 1));
}

// InStrRev(string1, string2[, start[, compare]]): start -1 means the end.
CVariant FnInStrRev(Args a) {
  int32_t start = -1;
  if (Given(a, 2)) {
    start = LongArg(a, 2);
    if (start == 0 || start < -1) throw CScriptError(err::InvalidCall);
  }
  const bool text = TextCompareArg(a, 3);
  if (IsNullArg(a, 0) || IsNullArg(a, 1)) return CVariant::Null();
  const std::u16string hay = TextArg(a, 0);
  const std::u16string needle = TextArg(a, 1);
  const size_t end = start == -1 ? hay.size() : static_cast<size_t>(start);
  if (end > hay.size()) return CVariant::Long(0);
  if (needle.empty()) return CVariant::Long(static_cast<int32_t>(end));
  if (needle.size() > end) return CVariant::Long(0);
  const size_t at = Folded(hay, text).rfind(Folded(needle, text), end - needle.size());
  return CVariant::Long(at == std::u16string::npos ? 0 : static_cast<int32_t>(at + 1));
}

// A length or start that must be at least min (5 otherwise).
[[nodiscard]] size_t CountArg(Args a, size_t i, int32_t min) {
  const int32_t n = LongArg(a, i);
  if (n < min) throw CScriptError(err::InvalidCall);
  return static_cast<size_t>(n);
}

CVariant FnLeft(Args a) {
  const size_t n = CountArg(a, 1, 0);
  if (IsNullArg(a, 0)) return CVariant::Null();
  return Text(TextArg(a, 0).substr(0, n));
}

CVariant FnRight(Args a) {
  const size_t n = CountArg(a, 1, 0);
  if (IsNullArg(a, 0)) return CVariant::Null();
  const std::u16string s = TextArg(a, 0);
  return Text(s.substr(s.size() - std::min(n, s.size())));
}

CVariant FnMid(Args a) {
  const size_t start = CountArg(a, 1, 1);
  const size_t n = Given(a, 2) ? CountArg(a, 2, 0) : std::u16string::npos;
  if (IsNullArg(a, 0)) return CVariant::Null();
  const CTextArg s(a, 0);
  if (start > s.View().size()) return Text({});
  return CVariant::String(s.View().substr(start - 1, n));
}

// The B forms count bytes of the UTF-16 text. A string here always holds whole 16-bit units,
// so a cut that ends inside a unit drops that last half unit.
[[nodiscard]] unsigned ByteAt(const std::u16string& s, size_t i) {
  return i % 2 == 0 ? s[i / 2] & 0xFFu : static_cast<unsigned>(s[i / 2] >> 8);
}

[[nodiscard]] std::u16string CutBytes(const std::u16string& s, size_t firstByte, size_t byteCount) {
  const size_t total = s.size() * 2;
  if (firstByte >= total) return {};
  byteCount = std::min(byteCount, total - firstByte);
  std::u16string out;
  out.reserve(byteCount / 2);
  for (size_t b = firstByte; b + 2 <= firstByte + byteCount; b += 2) {
    out.push_back(static_cast<char16_t>(ByteAt(s, b) | (ByteAt(s, b + 1) << 8)));
  }
  return out;
}

CVariant FnLeftB(Args a) {
  const size_t n = CountArg(a, 1, 0);
  if (IsNullArg(a, 0)) return CVariant::Null();
  return Text(CutBytes(TextArg(a, 0), 0, n));
}

CVariant FnRightB(Args a) {
  const size_t n = CountArg(a, 1, 0);
  if (IsNullArg(a, 0)) return CVariant::Null();
  const std::u16string s = TextArg(a, 0);
  const size_t total = s.size() * 2;
  return Text(CutBytes(s, total - std::min(n, total), n));
}

CVariant FnMidB(Args a) {
  const size_t start = CountArg(a, 1, 1);
  const size_t n = Given(a, 2) ? CountArg(a, 2, 0) : kMaxStringLength * 2;
  if (IsNullArg(a, 0)) return CVariant::Null();
  return Text(CutBytes(TextArg(a, 0), start - 1, n));
}

// InStrB([start, ]string1, string2[, compare]) finds bytes at any byte offset.
CVariant FnInStrB(Args a) {
  const bool hasStart = a.size() >= 3;
  const size_t s1 = hasStart ? 1 : 0;
  const size_t start = hasStart ? CountArg(a, 0, 1) : 1;
  if (hasStart && !Given(a, 2)) throw CScriptError(err::ArgNotOptional);
  (void)(hasStart && TextCompareArg(a, 3));
  if (IsNullArg(a, s1) || IsNullArg(a, s1 + 1)) return CVariant::Null();
  const std::u16string hay = TextArg(a, s1);
  const std::u16string needle = TextArg(a, s1 + 1);
  const size_t hayBytes = hay.size() * 2, needleBytes = needle.size() * 2;
  if (start > hayBytes) return CVariant::Long(0);
  if (needle.empty()) return CVariant::Long(static_cast<int32_t>(start));
  for (size_t at = start - 1; at + needleBytes <= hayBytes; ++at) {
    size_t k = 0;
    while (k < needleBytes && ByteAt(hay, at + k) == ByteAt(needle, k)) ++k;
    if (k == needleBytes) return CVariant::Long(static_cast<int32_t>(at + 1));
  }
  return CVariant::Long(0);
}

CVariant FnLenB(Args a) {
  if (IsNullArg(a, 0)) return CVariant::Null();
  return CVariant::Long(static_cast<int32_t>(TextArg(a, 0).size() * 2));
}

CVariant FnLCase(Args a) { return IsNullArg(a, 0) ? CVariant::Null() : Text(Lower(TextArg(a, 0))); }
CVariant FnUCase(Args a) { return IsNullArg(a, 0) ? CVariant::Null() : Text(Upper(TextArg(a, 0))); }

// Only the space character is trimmed, not tabs or line breaks.
CVariant Trimmed(Args a, bool left, bool right) {
  if (IsNullArg(a, 0)) return CVariant::Null();
  const std::u16string s = TextArg(a, 0);
  size_t first = 0, last = s.size();
  if (left) {
    while (first < last && s[first] == u' ') ++first;
  }
  if (right) {
    while (last > first && s[last - 1] == u' ') --last;
  }
  return Text(s.substr(first, last - first));
}
CVariant FnLTrim(Args a) { return Trimmed(a, true, false); }
CVariant FnRTrim(Args a) { return Trimmed(a, false, true); }
CVariant FnTrim(Args a) { return Trimmed(a, true, true); }

[[nodiscard]] CVariant Repeated(size_t n, char16_t c) {
  CheckStringLength(n);
  return CVariant::String(std::u16string(n, c));
}

CVariant FnSpace(Args a) { return Repeated(CountArg(a, 0, 0), u' '); }

// String(number, character): a text gives its first character, a number its code modulo 256.
CVariant FnString(Args a) {
  const size_t n = CountArg(a, 0, 0);
  const CVariant c = Scalar(Arg(a, 1));
  if (c.IsNull()) return CVariant::Null();
  if (c.IsString()) {
    if (c.AsString().empty()) throw CScriptError(err::InvalidCall);
    return Repeated(n, c.AsString()[0]);
  }
  const int32_t code = c.ToLong();
  if (code < 0) throw CScriptError(err::InvalidCall);
  return Repeated(n, static_cast<char16_t>(code % 256));
}

CVariant FnStrComp(Args a) {
  const bool text = TextCompareArg(a, 2);
  if (IsNullArg(a, 0) || IsNullArg(a, 1)) return CVariant::Null();
  const std::u16string x = Folded(TextArg(a, 0), text);
  const std::u16string y = Folded(TextArg(a, 1), text);
  return CVariant::Integer(static_cast<int16_t>(ops::CompareStrings(x, y, false)));
}

CVariant FnStrReverse(Args a) {
  if (IsNullArg(a, 0)) throw CScriptError(err::InvalidUseOfNull);
  std::u16string s = TextArg(a, 0);
  std::reverse(s.begin(), s.end());
  return Text(std::move(s));
}

[[nodiscard]] std::u16string NotNullText(Args a, size_t i) {
  if (IsNullArg(a, i)) throw CScriptError(err::InvalidUseOfNull);
  return TextArg(a, i);
}

[[nodiscard]] CVariant StringArray(std::vector<std::u16string> parts) {
  std::vector<CVariant> values;
  values.reserve(parts.size());
  for (auto& part : parts) values.push_back(CVariant::String(std::move(part)));
  return CVariant::Array(CSafeArray::FromValues(std::move(values)));
}

// Replace(expression, find, replacement[, start[, count[, compare]]]): the result begins at start.
CVariant FnReplace(Args a) {
  const CTextArg s(a, 0);
  const CTextArg find(a, 1);
  const CTextArg with(a, 2);
  const size_t start = Given(a, 3) ? CountArg(a, 3, 1) : 1;
  const int32_t count = Given(a, 4) ? LongArg(a, 4) : -1;
  if (count < -1) throw CScriptError(err::InvalidCall);
  const bool text = TextCompareArg(a, 5);
  if (start > s.View().size()) return Text({});
  const std::u16string_view tail = s.View().substr(start - 1);
  if (find.View().empty() || count == 0) return CVariant::String(tail);
  // Binary comparison, the usual case, searches the texts as they are.
  std::u16string foldedHay;
  std::u16string foldedNeedle;
  if (text) {
    foldedHay = Upper(std::u16string(tail));
    foldedNeedle = Upper(std::u16string(find.View()));
  }
  const std::u16string_view hay = text ? std::u16string_view(foldedHay) : tail;
  const std::u16string_view needle = text ? std::u16string_view(foldedNeedle) : find.View();
  std::u16string out;
  out.reserve(tail.size());
  size_t pos = 0;
  int32_t done = 0;
  for (size_t at = hay.find(needle); at != std::u16string_view::npos && (count == -1 || done < count);
       at = hay.find(needle, pos)) {
    out.append(tail.substr(pos, at - pos));
    out.append(with.View());
    CheckStringLength(out.size());
    pos = at + needle.size();
    ++done;
  }
  out.append(tail.substr(pos));
  return Text(std::move(out));
}

// Split(expression[, delimiter[, count[, compare]]]): the last of count pieces keeps the rest.
CVariant FnSplit(Args a) {
  const CTextArg s(a, 0);
  const CTextArg delimiter = Given(a, 1) ? CTextArg(a, 1) : CTextArg(u" ");
  const int32_t count = Given(a, 2) ? LongArg(a, 2) : -1;
  if (count < -1) throw CScriptError(err::InvalidCall);
  const bool text = TextCompareArg(a, 3);
  std::vector<CVariant> parts;
  const auto done = [&parts] { return CVariant::Array(CSafeArray::FromValues(std::move(parts))); };
  if (s.View().empty() || count == 0) return done();
  if (delimiter.View().empty()) {
    parts.push_back(CVariant::String(s.View()));
    return done();
  }
  std::u16string foldedHay;
  std::u16string foldedNeedle;
  if (text) {
    foldedHay = Upper(std::u16string(s.View()));
    foldedNeedle = Upper(std::u16string(delimiter.View()));
  }
  const std::u16string_view hay = text ? std::u16string_view(foldedHay) : s.View();
  const std::u16string_view needle = text ? std::u16string_view(foldedNeedle) : delimiter.View();
  size_t pieces = 1;
  for (size_t at = hay.find(needle); at != std::u16string_view::npos; at = hay.find(needle, at + needle.size())) {
    ++pieces;
  }
  parts.reserve(count == -1 ? pieces : std::min(pieces, static_cast<size_t>(count)));
  size_t pos = 0;
  for (size_t at = hay.find(needle); at != std::u16string_view::npos; at = hay.find(needle, pos)) {
    if (count != -1 && parts.size() + 1 >= static_cast<size_t>(count)) break;
    parts.push_back(CVariant::String(s.View().substr(pos, at - pos)));
    pos = at + needle.size();
  }
  parts.push_back(CVariant::String(s.View().substr(pos)));
  return done();
}

// The elements of a one-dimensional array argument; 13 for anything else.
[[nodiscard]] CSafeArray& ListArg(Args a, size_t i) {
  const CVariant& v = Arg(a, i);
  if (v.IsNull()) throw CScriptError(err::InvalidUseOfNull);
  if (!v.IsArray() || v.AsArray()->Dimensions() != 1) throw CScriptError(err::TypeMismatch);
  return *v.AsArray();
}

CVariant FnJoin(Args a) {
  CSafeArray& list = ListArg(a, 0);
  const std::u16string delimiter = Given(a, 1) ? NotNullText(a, 1) : std::u16string(u" ");
  std::u16string out;
  for (size_t i = 0; i < list.Size(); ++i) {
    if (i > 0) out.append(delimiter);
    out.append(Scalar(list.At(i).Deref()).ToString());
    CheckStringLength(out.size());
  }
  return Text(std::move(out));
}

// Filter(strings, value[, include[, compare]]): the elements that contain value (or do not).
CVariant FnFilter(Args a) {
  CSafeArray& list = ListArg(a, 0);
  const std::u16string value = NotNullText(a, 1);
  bool include = true;
  if (Given(a, 2)) include = NullOr(Arg(a, 2), [](const CVariant& v) { return CVariant::Boolean(v.ToBool()); }).AsBool();
  const bool text = TextCompareArg(a, 3);
  std::vector<std::u16string> kept;
  for (size_t i = 0; i < list.Size(); ++i) {
    const CVariant element = Scalar(list.At(i).Deref());
    if (element.IsNull()) throw CScriptError(err::InvalidUseOfNull);
    std::u16string s = element.ToString();
    if ((Find(s, value, 0, text) != std::u16string::npos) == include) kept.push_back(std::move(s));
  }
  return StringArray(std::move(kept));
}

// Windows-1252, the ANSI code page of an English system, for the codes 0x80..0x9F; the others
// are the same in Unicode. Zero marks the five codes the page leaves unassigned.
constexpr std::array<char16_t, 32> kAnsiHigh{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

[[nodiscard]] char16_t FromAnsi(int32_t code) {
  return code >= 0x80 && code <= 0x9F ? kAnsiHigh[static_cast<size_t>(code - 0x80)] : static_cast<char16_t>(code);
}

// Characters the code page cannot hold become '?', as the system's conversion makes them.
[[nodiscard]] int32_t ToAnsi(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return c;
  for (size_t i = 0; i < kAnsiHigh.size(); ++i) {
    if (kAnsiHigh[i] == c) return static_cast<int32_t>(0x80 + i);
  }
  return u'?';
}

[[nodiscard]] char16_t FirstChar(Args a) {
  const std::u16string s = NotNullText(a, 0);
  if (s.empty()) throw CScriptError(err::InvalidCall);
  return s[0];
}

CVariant FnAsc(Args a) { return CVariant::Integer(static_cast<int16_t>(ToAnsi(FirstChar(a)))); }
CVariant FnAscB(Args a) { return CVariant::Byte(static_cast<uint8_t>(FirstChar(a) & 0xFF)); }
CVariant FnAscW(Args a) { return CVariant::Integer(static_cast<int16_t>(FirstChar(a))); }

CVariant FnChr(Args a) {
  const int32_t code = LongArg(a, 0);
  if (code < 0 || code > 255) throw CScriptError(err::InvalidCall);
  return Text(std::u16string(1, FromAnsi(code)));
}

// A single byte cannot stand alone in a string of whole UTF-16 units: ChrB gives the unit
// holding that byte, which AscB and the B functions read back as the same byte.
CVariant FnChrB(Args a) {
  const int32_t code = LongArg(a, 0);
  if (code < 0 || code > 255) throw CScriptError(err::InvalidCall);
  return Text(std::u16string(1, static_cast<char16_t>(code)));
}

CVariant FnChrW(Args a) {
  const int32_t code = LongArg(a, 0);
  if (code < -32768 || code > 65535) throw CScriptError(err::InvalidCall);
  return Text(std::u16string(1, static_cast<char16_t>(code < 0 ? code + 65536 : code)));
}

// Hex and Oct write negative numbers in two's complement of the value's own width: 16 bits
// for Byte, Integer and Empty, 32 for everything else (rounded to a Long first).
CVariant InBase(Args a, unsigned bits, unsigned digitsMask) {
  const CVariant v = Scalar(Arg(a, 0));
  if (v.IsNull()) return CVariant::Null();
  uint32_t value = 0;
  switch (v.Type()) {
    case EVarType::Empty: break;
    case EVarType::Byte: value = v.AsByte(); break;
    case EVarType::Integer: value = static_cast<uint16_t>(v.AsInteger()); break;
    case EVarType::Boolean: value = v.AsBool() ? 0xFFFFu : 0u; break;
    default: value = static_cast<uint32_t>(v.ToLong()); break;
  }
  std::u16string out;
  do {
    out.insert(out.begin(), u"0123456789ABCDEF"[value & digitsMask]);
    value >>= bits;
  } while (value != 0);
  return Text(std::move(out));
}
CVariant FnHex(Args a) { return InBase(a, 4, 15); }
CVariant FnOct(Args a) { return InBase(a, 3, 7); }

// Escape leaves letters, digits and @*_+-./ alone and writes the rest as %XX or %uXXXX.
CVariant FnEscape(Args a) {
  if (IsNullArg(a, 0)) return CVariant::Null();
  static constexpr std::u16string_view kPlain = u"@*_+-./";
  static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  std::u16string out;
  for (const char16_t c : TextArg(a, 0)) {
    const bool alnum = (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
    if (alnum || kPlain.find(c) != std::u16string_view::npos) {
      out.push_back(c);
      continue;
    }
    out.push_back(u'%');
    if (c > 0xFF) out.push_back(u'u');
    for (int shift = c > 0xFF ? 12 : 4; shift >= 0; shift -= 4) out.push_back(kDigits[(c >> shift) & 15]);
  }
  CheckStringLength(out.size());
  return Text(std::move(out));
}

[[nodiscard]] int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return -1;
}

// The value of count hex digits at s[at], or -1 when they are not all there.
[[nodiscard]] int32_t HexAt(const std::u16string& s, size_t at, size_t count) {
  if (at + count > s.size()) return -1;
  int32_t value = 0;
  for (size_t i = 0; i < count; ++i) {
    const int digit = HexDigit(s[at + i]);
    if (digit < 0) return -1;
    value = value * 16 + digit;
  }
  return value;
}

// Unescape decodes %XX and %uXXXX; a % not followed by them stays as it is.
CVariant FnUnescape(Args a) {
  if (IsNullArg(a, 0)) return CVariant::Null();
  const std::u16string s = TextArg(a, 0);
  std::u16string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == u'%') {
      if (i + 1 < s.size() && s[i + 1] == u'u') {
        if (const int32_t code = HexAt(s, i + 2, 4); code >= 0) {
          out.push_back(static_cast<char16_t>(code));
          i += 5;
          continue;
        }
      } else if (const int32_t code = HexAt(s, i + 1, 2); code >= 0) {
        out.push_back(static_cast<char16_t>(code));
        i += 2;
        continue;
      }
    }
    out.push_back(s[i]);
  }
  return Text(std::move(out));
}

constexpr std::array kStrings{
    SBuiltin{u"asc", 1, 1, FnAsc},         SBuiltin{u"ascb", 1, 1, FnAscB},
    SBuiltin{u"ascw", 1, 1, FnAscW},       SBuiltin{u"chr", 1, 1, FnChr},
    SBuiltin{u"chrb", 1, 1, FnChrB},       SBuiltin{u"chrw", 1, 1, FnChrW},
    SBuiltin{u"escape", 1, 1, FnEscape},   SBuiltin{u"unescape", 1, 1, FnUnescape},
    SBuiltin{u"filter", 2, 4, FnFilter},   SBuiltin{u"hex", 1, 1, FnHex},
    SBuiltin{u"instr", 2, 4, FnInStr},     SBuiltin{u"instrb", 2, 4, FnInStrB},
    SBuiltin{u"instrrev", 2, 4, FnInStrRev}, SBuiltin{u"join", 1, 2, FnJoin},
    SBuiltin{u"lcase", 1, 1, FnLCase},     SBuiltin{u"left", 2, 2, FnLeft},
    SBuiltin{u"leftb", 2, 2, FnLeftB},     SBuiltin{u"lenb", 1, 1, FnLenB},
    SBuiltin{u"ltrim", 1, 1, FnLTrim},     SBuiltin{u"mid", 2, 3, FnMid},
    SBuiltin{u"midb", 2, 3, FnMidB},       SBuiltin{u"oct", 1, 1, FnOct},
    SBuiltin{u"replace", 3, 6, FnReplace}, SBuiltin{u"right", 2, 2, FnRight},
    SBuiltin{u"rightb", 2, 2, FnRightB},   SBuiltin{u"rtrim", 1, 1, FnRTrim},
    SBuiltin{u"space", 1, 1, FnSpace},     SBuiltin{u"split", 1, 4, FnSplit},
    SBuiltin{u"strcomp", 2, 3, FnStrComp}, SBuiltin{u"string", 2, 2, FnString},
    SBuiltin{u"strreverse", 1, 1, FnStrReverse}, SBuiltin{u"trim", 1, 1, FnTrim},
    SBuiltin{u"ucase", 1, 1, FnUCase},
};

}  // namespace

std::span<const SBuiltin> StringLibrary() { return kStrings; }

}  // namespace quillet::engine::builtin

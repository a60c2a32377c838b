#include "platform/TextConvert.h"

namespace quillet::platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
// A byte that is no part of any UTF-8 character, as text: U+DC80..U+DCFF.
constexpr char16_t kEscapedByteBase = 0xDC00;

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

void AppendUtf16(std::u16string& out, char32_t cp) {
  if (cp < 0x10000) {
    out.push_back(static_cast<char16_t>(cp));
  } else {
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
  }
}

// Length of a well-formed UTF-8 sequence starting at text[i], or 0.
size_t DecodeUtf8At(std::string_view text, size_t i, char32_t& cp) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  size_t length = 0;
  char32_t min = 0;
  if (lead >= 0xC2 && lead <= 0xDF) { length = 2; cp = lead & 0x1F; min = 0x80; }
  else if (lead >= 0xE0 && lead <= 0xEF) { length = 3; cp = lead & 0x0F; min = 0x800; }
  else if (lead >= 0xF0 && lead <= 0xF4) { length = 4; cp = lead & 0x07; min = 0x10000; }
  else return 0;
  if (i + length > text.size()) return 0;
  for (size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (byte(i + k) & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return length;
}

}  // namespace

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t cp = text[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = kReplacement;
    }
    AppendUtf8(out, cp);
  }
  return out;
}

std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      out.push_back(lead);
      ++i;
      continue;
    }
    char32_t cp = 0;
    const size_t length = DecodeUtf8At(text, i, cp);
    if (length == 0) {
      out.push_back(static_cast<char16_t>(kReplacement));
      ++i;
    } else {
      AppendUtf16(out, cp);
      i += length;
    }
  }
  return out;
}

std::u16string FileNameToText(std::string_view name) {
  std::u16string out;
  out.reserve(name.size());
  for (size_t i = 0; i < name.size();) {
    const auto lead = static_cast<unsigned char>(name[i]);
    char32_t cp = lead;
    const size_t length = lead < 0x80 ? 1 : DecodeUtf8At(name, i, cp);
    if (length == 0) {
      out.push_back(static_cast<char16_t>(kEscapedByteBase + lead));
      ++i;
    } else {
      AppendUtf16(out, cp);
      i += length;
    }
  }
  return out;
}

std::string TextToFileName(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t plain = 0;  // the start of the text not yet converted
  for (size_t i = 0; i < text.size(); ++i) {
    // A low surrogate after a high one is half of a character, however it is numbered.
    const bool paired = i > 0 && text[i - 1] >= 0xD800 && text[i - 1] <= 0xDBFF;
    if (paired || text[i] < kEscapedByteBase + 0x80 || text[i] > kEscapedByteBase + 0xFF) continue;
    out += Utf16ToUtf8(text.substr(plain, i - plain));
    out.push_back(static_cast<char>(text[i] - kEscapedByteBase));
    plain = i + 1;
  }
  out += Utf16ToUtf8(text.substr(plain));
  return out;
}

bool IsValidUtf8(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      ++i;
      continue;
    }
    char32_t cp = 0;
    const size_t length = DecodeUtf8At(text, i, cp);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

std::u16string Utf16LeBytesToText(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size() / 2);
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                         (static_cast<unsigned char>(bytes[i + 1]) << 8)));
  }
  return text;
}

char16_t FoldAsciiCase(char16_t unit) {
  return (unit >= u'a' && unit <= u'z') ? static_cast<char16_t>(unit - 32) : unit;
}

bool EqualsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldAsciiCase(a[i]) != FoldAsciiCase(b[i])) return false;
  }
  return true;
}

std::u16string LowerAscii(std::u16string_view text) {
  std::u16string out(text);
  for (auto& unit : out) {
    if (unit >= u'A' && unit <= u'Z') unit = static_cast<char16_t>(unit + 32);
  }
  return out;
}

}  // namespace quillet::platform

#include "platform/AnsiCodePage.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace quillet::platform {
namespace {

struct SLocaleCodePage {
  const char* language;
  unsigned codePage;
};

// Windows' default ANSI code page for each language; territories matter only for Chinese.
constexpr SLocaleCodePage kLanguageCodePages[] = {
    {"th", 874},   {"ja", 932},   {"ko", 949},   {"cs", 1250},  {"hu", 1250},  {"pl", 1250},
    {"ro", 1250},  {"sk", 1250},  {"sl", 1250},  {"hr", 1250},  {"sq", 1250},  {"bs", 1250},
    {"ru", 1251},  {"uk", 1251},  {"be", 1251},  {"bg", 1251},  {"mk", 1251},  {"sr", 1251},
    {"kk", 1251},  {"ky", 1251},  {"tt", 1251},  {"mn", 1251},  {"el", 1253},  {"tr", 1254},
    {"az", 1254},  {"he", 1255},  {"yi", 1255},  {"ar", 1256},  {"fa", 1256},  {"ur", 1256},
    {"et", 1257},  {"lv", 1257},  {"lt", 1257},  {"vi", 1258},
};

constexpr unsigned kMultiByteCodePages[] = {932, 936, 949, 950};

bool IsMultiByte(unsigned codePage) {
  for (unsigned page : kMultiByteCodePages) {
    if (page == codePage) return true;
  }
  return false;
}

std::string IconvName(unsigned codePage) { return "CP" + std::to_string(codePage); }

class CIconv {
 public:
  CIconv(const std::string& to, const std::string& from)
      : m_handle(iconv_open(to.c_str(), from.c_str())) {}
  ~CIconv() {
    if (Valid()) iconv_close(m_handle);
  }
  CIconv(const CIconv&) = delete;
  CIconv& operator=(const CIconv&) = delete;
  [[nodiscard]] bool Valid() const { return m_handle != reinterpret_cast<iconv_t>(-1); }
  // Converts one whole unit of input; false when the input has no mapping or is incomplete.
  bool Convert(const char* in, size_t inSize, char* out, size_t& outSize) {
    iconv(m_handle, nullptr, nullptr, nullptr, nullptr);
    char* inPtr = const_cast<char*>(in);
    char* outPtr = out;
    size_t inLeft = inSize;
    size_t outLeft = outSize;
    const size_t result = iconv(m_handle, &inPtr, &inLeft, &outPtr, &outLeft);
    // Hebrew and Vietnamese decoders hold a letter back in case a combining mark follows.
    const size_t flushed = iconv(m_handle, nullptr, nullptr, &outPtr, &outLeft);
    outSize -= outLeft;
    return result != static_cast<size_t>(-1) && flushed != static_cast<size_t>(-1) && inLeft == 0;
  }

 private:
  iconv_t m_handle;
};

}  // namespace

unsigned CAnsiCodePage::CodePageForLocale(std::string_view locale) {
  const size_t end = locale.find_first_of("_.@");
  const std::string_view language = locale.substr(0, end);
  if (language == "zh") {
    const bool traditional = locale.find("_TW") != std::string_view::npos ||
                             locale.find("_HK") != std::string_view::npos ||
                             locale.find("_MO") != std::string_view::npos;
    return traditional ? 950 : 936;
  }
  for (const auto& entry : kLanguageCodePages) {
    if (language == entry.language) return entry.codePage;
  }
  return 1252;
}

const CAnsiCodePage& CAnsiCodePage::System() {
  static const std::unique_ptr<CAnsiCodePage> instance = [] {
    std::string locale;
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
      const char* value = std::getenv(name);
      if (value != nullptr && *value != '\0') {
        locale = value;
        break;
      }
    }
    auto page = ForCodePage(CodePageForLocale(locale));
    return page ? std::move(page) : ForCodePage(1252);
  }();
  return *instance;
}

std::unique_ptr<CAnsiCodePage> CAnsiCodePage::ForCodePage(unsigned codePage) {
  const bool multiByte = IsMultiByte(codePage);
  std::unique_ptr<CAnsiCodePage> page(new CAnsiCodePage(codePage, !multiByte));
  if (multiByte) {
    CIconv probe("UTF-16LE", IconvName(codePage));
    if (!probe.Valid()) return nullptr;
    return page;
  }
  if (!page->BuildSingleByteTables()) return nullptr;
  return page;
}

CAnsiCodePage::CAnsiCodePage(unsigned codePage, bool singleByte)
    : m_codePage(codePage), m_singleByte(singleByte) {}

CAnsiCodePage::~CAnsiCodePage() = default;

bool CAnsiCodePage::BuildSingleByteTables() {
  CIconv decoder("UTF-16LE", IconvName(m_codePage));
  if (!decoder.Valid()) return false;
  m_fromUnicode.assign(0x10000, -1);
  for (unsigned byte = 0; byte < 256; ++byte) {
    const char in = static_cast<char>(byte);
    char out[4];
    size_t outSize = sizeof out;
    char16_t unit = static_cast<char16_t>(byte);  // bytes without a character keep their value
    if (byte >= 0x80 && decoder.Convert(&in, 1, out, outSize) && outSize == 2) {
      unit = static_cast<char16_t>(static_cast<unsigned char>(out[0]) |
                                   (static_cast<unsigned char>(out[1]) << 8));
    }
    m_toUnicode[byte] = unit;
    if (m_fromUnicode[unit] < 0) m_fromUnicode[unit] = static_cast<int16_t>(byte);
  }
  return true;
}

size_t CAnsiCodePage::DecodeInto(std::string_view bytes, char16_t* out) const {
  if (!m_singleByte) return DecodeMultiByte(bytes, out);
  const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
  const size_t size = bytes.size();
  size_t i = 0;
  // Scripts are mostly ASCII, which every Windows single-byte page keeps as it is: eight bytes
  // without a high bit are widened together, which the compiler turns into vector code.
  while (i + 8 <= size) {
    uint64_t word;
    std::memcpy(&word, in + i, 8);
    if ((word & 0x8080808080808080ull) == 0) {
      for (size_t k = 0; k < 8; ++k) out[i + k] = in[i + k];
    } else {
      for (size_t k = 0; k < 8; ++k) out[i + k] = m_toUnicode[in[i + k]];
    }
    i += 8;
  }
  for (; i < size; ++i) out[i] = m_toUnicode[in[i]];
  return size;
}

void CAnsiCodePage::Decode(std::string_view bytes, std::u16string& out) const {
  const size_t start = out.size();
  out.resize(start + bytes.size());
  const size_t written = DecodeInto(bytes, out.data() + start);
  out.resize(start + written);
}

size_t CAnsiCodePage::DecodeMultiByte(std::string_view bytes, char16_t* out) const {
  std::lock_guard lock(m_iconvLock);
  CIconv decoder("UTF-16LE", IconvName(m_codePage));
  size_t written = 0;
  size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (lead < 0x80) {
      out[written++] = lead;
      ++i;
      continue;
    }
    // Try a one-byte character first, then a lead byte with its trail byte.
    char buffer[8];
    bool done = false;
    for (size_t length = 1; length <= 2 && i + length <= bytes.size() && !done; ++length) {
      size_t outSize = sizeof buffer;
      if (decoder.Convert(bytes.data() + i, length, buffer, outSize) && outSize == 2) {
        out[written++] = static_cast<char16_t>(static_cast<unsigned char>(buffer[0]) |
                                               (static_cast<unsigned char>(buffer[1]) << 8));
        i += length;
        done = true;
      }
    }
    if (!done) {
      out[written++] = u'\x30FB';  // what Windows shows for an invalid double-byte sequence
      ++i;
    }
  }
  return written;
}

bool CAnsiCodePage::Encode(std::u16string_view text, std::string& out) const {
  if (!m_singleByte) return EncodeMultiByte(text, &out);
  bool usedDefault = false;
  const size_t start = out.size();
  out.resize(start + text.size());
  char* dest = out.data() + start;
  for (size_t i = 0; i < text.size(); ++i) {
    const int16_t byte = m_fromUnicode[text[i]];
    if (byte < 0) {
      dest[i] = '?';
      usedDefault = true;
    } else {
      dest[i] = static_cast<char>(byte);
    }
  }
  return usedDefault;
}

bool CAnsiCodePage::CanEncode(std::u16string_view text) const {
  if (!m_singleByte) return !EncodeMultiByte(text, nullptr);
  for (const char16_t unit : text) {
    if (m_fromUnicode[unit] < 0) return false;
  }
  return true;
}

bool CAnsiCodePage::EncodeMultiByte(std::u16string_view text, std::string* out) const {
  std::lock_guard lock(m_iconvLock);
  CIconv encoder(IconvName(m_codePage), "UTF-16LE");
  bool usedDefault = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (unit < 0x80) {
      if (out != nullptr) out->push_back(static_cast<char>(unit));
      continue;
    }
    char in[2] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    char buffer[8];
    size_t outSize = sizeof buffer;
    if (encoder.Convert(in, 2, buffer, outSize)) {
      if (out != nullptr) out->append(buffer, outSize);
    } else {
      usedDefault = true;
      if (out == nullptr) return true;
      out->push_back('?');
    }
  }
  return usedDefault;
}

}  // namespace quillet::platform

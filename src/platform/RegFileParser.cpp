#include "platform/RegFileParser.h"

#include <optional>
#include <vector>

#include "platform/AnsiCodePage.h"
#include "platform/TextConvert.h"

namespace quillet::platform {
namespace {

constexpr std::u16string_view kRegedit5Header = u"Windows Registry Editor Version 5.00";
constexpr std::u16string_view kRegedit4Header = u"REGEDIT4";
constexpr std::u16string_view kWineHeader = u"WINE REGISTRY Version 2";

std::u16string DecodeFile(std::string_view bytes) {
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
      static_cast<unsigned char>(bytes[1]) == 0xFE) {
    return Utf16LeBytesToText(bytes.substr(2));
  }
  if (bytes.starts_with("\xEF\xBB\xBF")) return Utf8ToUtf16(bytes.substr(3));
  if (IsValidUtf8(bytes)) return Utf8ToUtf16(bytes);
  std::u16string text;
  CAnsiCodePage::System().Decode(bytes, text);
  return text;
}

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

std::u16string_view TrimLeft(std::u16string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

std::u16string_view TrimRight(std::u16string_view s) {
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

struct SLogicalLine {
  std::u16string text;
  int number = 0;
};

// Physical lines end at CR LF, LF or CR; a value whose line ends in a backslash goes on with
// the next line (how regedit wraps long hex data).
std::vector<SLogicalLine> SplitLines(std::u16string_view text) {
  std::vector<SLogicalLine> lines;
  bool continuing = false;
  int physical = 0;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t end = text.find_first_of(u"\r\n", pos);
    if (end == std::u16string_view::npos) end = text.size();
    std::u16string_view line = text.substr(pos, end - pos);
    ++physical;
    if (continuing) {
      lines.back().text += TrimLeft(line);
    } else {
      lines.push_back({std::u16string(line), physical});
    }
    std::u16string& current = lines.back().text;
    const std::u16string_view trimmed = TrimRight(current);
    const std::u16string_view start = TrimLeft(trimmed);
    continuing = !start.empty() && start.front() != u';' && start.front() != u'[' &&
                 !trimmed.empty() && trimmed.back() == u'\\' && trimmed.find(u'=') != trimmed.npos;
    if (continuing) current.resize(trimmed.size() - 1);
    if (end == text.size()) break;
    pos = end + ((text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n') ? 2 : 1);
  }
  return lines;
}

class CParser {
 public:
  CParser(ERegFileFlavour flavour, CRegKey& root) : m_flavour(flavour), m_root(root) {}

  // Empty when the line is fine, else what is wrong with it.
  std::string ParseLine(std::u16string_view line) {
    line = TrimLeft(line);
    if (line.empty() || line.front() == u';') return {};
    if (line.front() == u'#') return m_flavour == ERegFileFlavour::Wine ? "" : "unexpected '#'";
    if (line.front() == u'[') return ParseKey(line);
    if (line.front() == u'"' || line.front() == u'@') return ParseValue(line);
    return "unrecognised line";
  }

 private:
  bool Wine() const { return m_flavour == ERegFileFlavour::Wine; }

  std::string ParseKey(std::u16string_view line) {
    line.remove_prefix(1);
    bool remove = false;
    if (!line.empty() && line.front() == u'-') {
      remove = true;
      line.remove_prefix(1);
    }
    std::u16string path;
    if (Wine()) {
      size_t pos = 0;
      if (!ReadEscaped(line, pos, u']', path)) return "unterminated key name";
      line.remove_prefix(pos);  // the rest is a time stamp
    } else {
      const size_t close = line.rfind(u']');
      if (close == std::u16string_view::npos) return "unterminated key name";
      path = line.substr(0, close);
      if (!TrimLeft(line.substr(close + 1)).empty()) return "text after key name";
    }
    const auto parts = SplitRegPath(path);
    if (parts.empty()) return "empty key name";
    if (parts.size() > CRegFileParser::kMaxKeyDepth) return "key path too deep";
    m_inDeletedKey = remove;
    if (remove) {
      m_root.RemovePath(path);
      m_current = nullptr;
    } else {
      m_current = &m_root.OpenOrCreatePath(path);
    }
    return {};
  }

  // Reads a quoted text whose opening quote was consumed, up to the unescaped terminator.
  bool ReadEscaped(std::u16string_view s, size_t& pos, char16_t terminator, std::u16string& out) {
    while (pos < s.size()) {
      const char16_t c = s[pos++];
      if (c == terminator) return true;
      if (c != u'\\' || pos >= s.size()) {
        out.push_back(c);
        continue;
      }
      const char16_t e = s[pos++];
      if (e == u'\\' || e == u'"' || e == u']' || e == u'[') {
        out.push_back(e);
      } else if (Wine()) {
        ReadWineEscape(s, pos, e, out);
      } else {
        out.push_back(u'\\');  // regedit keeps an unknown escape as it stands
        out.push_back(e);
      }
    }
    return false;
  }

  static void ReadWineEscape(std::u16string_view s, size_t& pos, char16_t e, std::u16string& out) {
    switch (e) {
      case u'n': out.push_back(u'\n'); return;
      case u'r': out.push_back(u'\r'); return;
      case u't': out.push_back(u'\t'); return;
      case u'a': out.push_back(u'\a'); return;
      case u'b': out.push_back(u'\b'); return;
      case u'e': out.push_back(u'\x1B'); return;
      case u'f': out.push_back(u'\f'); return;
      case u'v': out.push_back(u'\v'); return;
      case u'x': {
        unsigned value = 0;
        int digits = 0;
        while (digits < 4 && pos < s.size() && HexDigit(s[pos]) >= 0) {
          value = value * 16 + static_cast<unsigned>(HexDigit(s[pos++]));
          ++digits;
        }
        out.push_back(static_cast<char16_t>(digits ? value : u'x'));
        return;
      }
      default:
        if (e >= u'0' && e <= u'7') {
          unsigned value = e - u'0';
          for (int digits = 1; digits < 3 && pos < s.size() && s[pos] >= u'0' && s[pos] <= u'7';
               ++digits) {
            value = value * 8 + (s[pos++] - u'0');
          }
          out.push_back(static_cast<char16_t>(value));
          return;
        }
        out.push_back(e);
    }
  }

  std::string ParseValue(std::u16string_view line) {
    if (m_current == nullptr && !m_inDeletedKey) return "value outside a key";
    CRegValue value;
    size_t pos = 0;
    if (line.front() == u'@') {
      pos = 1;
    } else {
      pos = 1;
      if (!ReadEscaped(line, pos, u'"', value.name)) return "unterminated value name";
    }
    std::u16string_view rest = TrimLeft(line.substr(pos));
    if (rest.empty() || rest.front() != u'=') return "missing '='";
    rest = TrimRight(TrimLeft(rest.substr(1)));
    if (rest == u"-") {
      if (m_current) m_current->RemoveValue(value.name);
      return {};
    }
    std::string error = ParseData(rest, value);
    if (error.empty() && m_current) m_current->SetValue(std::move(value));
    return error;
  }

  std::string ParseData(std::u16string_view data, CRegValue& value) {
    if (!data.empty() && data.front() == u'"') return ParseStringData(data, 1, ERegType::String, value);
    if (StartsWithIgnoringCase(data, u"dword:")) return ParseDword(data.substr(6), value);
    if (StartsWithIgnoringCase(data, u"hex:")) return ParseHex(data.substr(4), ERegType::Binary, value);
    if (StartsWithIgnoringCase(data, u"hex(") || (Wine() && StartsWithIgnoringCase(data, u"str("))) {
      const bool isString = data[0] == u's' || data[0] == u'S';
      const size_t close = data.find(u')');
      if (close == std::u16string_view::npos || close + 1 >= data.size() || data[close + 1] != u':')
        return "bad typed value";
      std::optional<uint32_t> type = ParseHexNumber(data.substr(4, close - 4));
      if (!type) return "bad value type";
      const std::u16string_view payload = data.substr(close + 2);
      if (isString) {
        if (payload.empty() || payload.front() != u'"') return "bad string value";
        return ParseStringData(payload, 1, static_cast<ERegType>(*type), value);
      }
      return ParseHex(payload, static_cast<ERegType>(*type), value);
    }
    return "unrecognised value data";
  }

  std::string ParseStringData(std::u16string_view data, size_t pos, ERegType type, CRegValue& value) {
    std::u16string text;
    if (!ReadEscaped(data, pos, u'"', text)) return "unterminated string";
    if (!TrimLeft(data.substr(pos)).empty()) return "text after string";
    const std::u16string name = std::move(value.name);
    value = CRegValue::MakeString(name, text, type);
    return {};
  }

  static std::optional<uint32_t> ParseHexNumber(std::u16string_view digits) {
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    uint32_t number = 0;
    for (const char16_t c : digits) {
      const int digit = HexDigit(c);
      if (digit < 0) return std::nullopt;
      number = number * 16 + static_cast<uint32_t>(digit);
    }
    return number;
  }

  static std::string ParseDword(std::u16string_view digits, CRegValue& value) {
    const std::optional<uint32_t> number = ParseHexNumber(TrimLeft(digits));
    if (!number) return "bad dword";
    value = CRegValue::MakeDword(value.name, *number);
    return {};
  }

  static std::string ParseHex(std::u16string_view list, ERegType type, CRegValue& value) {
    value.type = static_cast<uint32_t>(type);
    value.data.clear();
    list = TrimRight(TrimLeft(list));
    if (list.empty()) return {};
    size_t pos = 0;
    while (true) {
      while (pos < list.size() && IsBlank(list[pos])) ++pos;
      size_t end = list.find(u',', pos);
      if (end == std::u16string_view::npos) end = list.size();
      const std::u16string_view byte = TrimRight(list.substr(pos, end - pos));
      if (byte.empty() || byte.size() > 2) return "bad hex byte";
      const std::optional<uint32_t> number = ParseHexNumber(byte);
      if (!number) return "bad hex byte";
      value.data.push_back(static_cast<uint8_t>(*number));
      if (end == list.size()) return {};
      pos = end + 1;
      if (pos == list.size()) return {};  // a trailing comma is harmless
    }
  }

  static bool StartsWithIgnoringCase(std::u16string_view s, std::u16string_view prefix) {
    return s.size() >= prefix.size() && EqualsIgnoringAsciiCase(s.substr(0, prefix.size()), prefix);
  }

  ERegFileFlavour m_flavour;
  CRegKey& m_root;
  CRegKey* m_current = nullptr;
  bool m_inDeletedKey = false;  // values under a [-key] line are ignored, as regedit does
};

std::optional<ERegFileFlavour> FlavourOf(std::u16string_view header) {
  header = TrimRight(header);
  if (header == kRegedit5Header) return ERegFileFlavour::Regedit5;
  if (header == kRegedit4Header) return ERegFileFlavour::Regedit4;
  if (header == kWineHeader) return ERegFileFlavour::Wine;
  return std::nullopt;
}

}  // namespace

CRegFileParseResult CRegFileParser::Parse(std::string_view bytes) {
  CRegFileParseResult result;
  const std::u16string text = DecodeFile(bytes);
  const std::vector<SLogicalLine> lines = SplitLines(text);
  const auto flavour = FlavourOf(lines.empty() ? std::u16string_view{} : lines.front().text);
  if (!flavour) {
    result.errorLine = 1;
    result.error = "not a registry file";
    return result;
  }
  result.flavour = *flavour;
  result.root = std::make_unique<CRegKey>();
  CParser parser(*flavour, *result.root);
  for (size_t i = 1; i < lines.size(); ++i) {
    std::string error = parser.ParseLine(lines[i].text);
    if (!error.empty()) {
      result.errorLine = lines[i].number;
      result.error = std::move(error);
      result.root.reset();
      return result;
    }
  }
  result.ok = true;
  return result;
}

}  // namespace quillet::platform

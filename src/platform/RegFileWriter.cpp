#include "platform/RegFileWriter.h"

#include <cstdio>

namespace quillet::platform {
namespace {

constexpr size_t kHexLineWidth = 76;

// A line break in a name has no spelling in this format (a Wine hive can carry one); such a key
// or value is left out rather than written as something else.
bool Writable(std::u16string_view name) {
  return name.find_first_of(u"\r\n") == std::u16string_view::npos;
}

class CWriter {
 public:
  void Line(std::u16string_view text) {
    m_text += text;
    m_text += u"\r\n";
  }

  void Key(const CRegKey& key, const std::u16string& path) {
    Line(u"[" + path + u"]");
    for (const auto& value : key.Values()) {
      if (Writable(value.name)) Value(value);
    }
    Line({});
    for (const auto& subkey : key.Subkeys()) {
      if (Writable(subkey->Name())) Key(*subkey, path + u"\\" + subkey->Name());
    }
  }



  [[nodiscard]] std::string Bytes() const {
    std::string bytes = "\xFF\xFE";
    bytes.reserve(2 + m_text.size() * 2);
    for (const char16_t unit : m_text) {
      bytes.push_back(static_cast<char>(unit & 0xFF));
      bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
  }

 private:
  static std::u16string Quoted(std::u16string_view text) {
    std::u16string quoted = u"\"";
    for (const char16_t unit : text) {
      if (unit == u'\\' || unit == u'"') quoted.push_back(u'\\');
      quoted.push_back(unit);
    }
    quoted.push_back(u'"');
    return quoted;
  }

  // regedit cannot read line breaks or zeros inside a quoted string; such text goes as hex(1).
  static bool QuotableString(const CRegValue& value) {
    if (!value.Is(ERegType::String)) return false;
    if (value.data.size() < 2 || value.data.size() % 2 != 0) return false;
    if (value.data[value.data.size() - 1] != 0 || value.data[value.data.size() - 2] != 0) return false;
    const auto text = value.AsString();
    for (const char16_t unit : *text) {
      if (unit == u'\r' || unit == u'\n' || unit == u'\0') return false;
    }
    return true;
  }

  void Value(const CRegValue& value) {
    std::u16string line = value.name.empty() ? u"@=" : Quoted(value.name) + u"=";
    if (QuotableString(value)) {
      Line(line + Quoted(*value.AsString()));
      return;
    }
    if (const auto number = value.AsDword()) {
      char digits[16];
      std::snprintf(digits, sizeof digits, "dword:%08x", *number);
      for (const char* c = digits; *c; ++c) line.push_back(static_cast<char16_t>(*c));
      Line(line);
      return;
    }
    HexValue(line, value);
  }

  void HexValue(std::u16string line, const CRegValue& value) {
    if (value.Is(ERegType::Binary)) {
      line += u"hex:";
    } else {
      char prefix[24];
      std::snprintf(prefix, sizeof prefix, "hex(%x):", value.type);
      for (const char* c = prefix; *c; ++c) line.push_back(static_cast<char16_t>(*c));
    }
    static constexpr char16_t kHex[] = u"0123456789abcdef";
    for (size_t i = 0; i < value.data.size(); ++i) {
      line.push_back(kHex[value.data[i] >> 4]);
      line.push_back(kHex[value.data[i] & 0xF]);
      if (i + 1 == value.data.size()) break;
      line.push_back(u',');
      if (line.size() >= kHexLineWidth) {
        Line(line + u"\\");
        line = u"  ";
      }
    }
    Line(line);
  }

  std::u16string m_text;
};

}  // namespace

std::string CRegFileWriter::Write(const CRegKey& root) {
  CWriter writer;
  writer.Line(u"Windows Registry Editor Version 5.00");
  writer.Line({});
  for (const auto& key : root.Subkeys()) {
    if (Writable(key->Name())) writer.Key(*key, key->Name());
  }
  return writer.Bytes();
}

}  // namespace quillet::platform

#include "snippets/SnippetFileFormat.h"

#include <cstring>

#include "platform/AnsiCodePage.h"

namespace quillet::snippets {
namespace {

class CSnippetBodyReader {
 public:
  CSnippetBodyReader(std::string_view bytes, size_t offset, bool ansi)
      : m_bytes(bytes), m_offset(offset), m_ansi(ansi) {}

  // Reads folder's body; false at the first unsound byte, with what came before it kept.
  bool ReadBody(CSnippetFolder& folder, size_t depth) {
    int32_t folderCount = 0, snippetCount = 0;
    if (!ReadCount(folderCount) || !ReadCount(snippetCount)) return false;
    // Counts are not trusted for reserving: each entry consumes bytes, so a huge count ends
    // at the end of the data.
    for (int32_t i = 0; i < folderCount; ++i) {
      if (depth + 1 > kMaxSnippetFolderDepth) return false;
      std::u16string name;
      if (!ReadString(name)) return false;
      if (!ReadBody(folder.AddFolder(std::move(name)), depth + 1)) return false;
    }
    for (int32_t i = 0; i < snippetCount; ++i) {
      SSnippet snippet;
      if (!ReadString(snippet.name) || !ReadString(snippet.shortcut) || !ReadString(snippet.code)) {
        return false;
      }
      folder.AddSnippet(std::move(snippet));
    }
    return true;
  }

  [[nodiscard]] bool AtEnd() const { return m_offset == m_bytes.size(); }

 private:
  bool ReadInt(int32_t& value) {
    if (m_bytes.size() - m_offset < 4) return false;
    const auto* p = reinterpret_cast<const unsigned char*>(m_bytes.data() + m_offset);
    value = static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                                 static_cast<uint32_t>(p[2]) << 16 |
                                 static_cast<uint32_t>(p[3]) << 24);
    m_offset += 4;
    return true;
  }

  bool ReadCount(int32_t& count) { return ReadInt(count) && count >= 0; }

  bool ReadString(std::u16string& text) {
    int32_t length = 0;
    if (!ReadCount(length)) return false;
    const size_t byteCount = m_ansi ? static_cast<size_t>(length) : static_cast<size_t>(length) * 2;
    if (m_bytes.size() - m_offset < byteCount) return false;
    const std::string_view raw = m_bytes.substr(m_offset, byteCount);
    m_offset += byteCount;
    if (m_ansi) {
      platform::CAnsiCodePage::System().Decode(raw, text);
      return true;
    }
    text.resize(static_cast<size_t>(length));
    for (size_t i = 0; i < text.size(); ++i) {
      text[i] = static_cast<char16_t>(static_cast<unsigned char>(raw[2 * i]) |
                                      static_cast<unsigned char>(raw[2 * i + 1]) << 8);
    }
    return true;
  }

  std::string_view m_bytes;
  size_t m_offset;
  bool m_ansi;
};

class CSnippetBodyWriter {
 public:
  explicit CSnippetBodyWriter(std::string& out) : m_out(out) {}

  void WriteInt(uint32_t value) {
    const char bytes[4] = {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8 & 0xFF),
                           static_cast<char>(value >> 16 & 0xFF),
                           static_cast<char>(value >> 24 & 0xFF)};
    m_out.append(bytes, 4);
  }

  void WriteString(std::u16string_view text) {
    WriteInt(static_cast<uint32_t>(text.size()));
    for (const char16_t c : text) {
      m_out += static_cast<char>(c & 0xFF);
      m_out += static_cast<char>(c >> 8);
    }
  }

  void WriteBody(const CSnippetFolder& folder) {
    WriteInt(static_cast<uint32_t>(folder.folders.size()));
    WriteInt(static_cast<uint32_t>(folder.snippets.size()));
    for (const auto& child : folder.folders) {
      WriteString(child->name);
      WriteBody(*child);
    }
    for (const auto& snippet : folder.snippets) {
      WriteString(snippet->name);
      WriteString(snippet->shortcut);
      WriteString(snippet->code);
    }
  }

 private:
  std::string& m_out;
};

}  // namespace

bool StartsWithSnippetMagic(std::string_view bytes) {
  return bytes.size() >= 4 && std::memcmp(bytes.data(), kSnippetFileMagic, 4) == 0;
}

SSnippetFileContent ParseSnippetFile(std::string_view bytes) {
  SSnippetFileContent content;
  content.hasMagic = StartsWithSnippetMagic(bytes);
  size_t offset = 0;
  if (content.hasMagic) {
    if (bytes.size() < 8) return content;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data() + 4);
    content.version = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                      static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
    offset = 8;
  }
  CSnippetBodyReader reader(bytes, offset, !content.hasMagic);
  content.sound = reader.ReadBody(content.root, 0) && reader.AtEnd();
  return content;
}

std::string WriteSnippetFile(const CSnippetFolder& root) {
  std::string out(reinterpret_cast<const char*>(kSnippetFileMagic), 4);
  CSnippetBodyWriter writer(out);
  writer.WriteInt(kSnippetFileVersion);
  writer.WriteBody(root);
  return out;
}

}  // namespace quillet::snippets

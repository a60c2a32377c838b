#include "platform/ClassRegistry.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <strings.h>
#include <unordered_set>

#include "platform/AppPaths.h"
#include "platform/FileBytes.h"
#include "platform/RegFileParser.h"
#include "platform/TextConvert.h"

namespace quillet::platform {

struct CClassRegistry::SHive {
  std::unique_ptr<CRegKey> root;
  const CRegKey* classes = nullptr;  // the classes root inside root
  bool fromWine = false;
  std::u16string folder;  // Quillet's hive: the absolute folder it was read from
};

namespace {

std::unique_ptr<CRegKey> ParseHiveFile(const std::string& path) {
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) return nullptr;
  CRegFileParseResult parsed = CRegFileParser::Parse(bytes);
  return parsed.ok ? std::move(parsed.root) : nullptr;
}

bool Exists(const std::string& path) {
  struct stat info{};
  return ::lstat(path.c_str(), &info) == 0;
}

std::string MatchInFolder(const std::string& folder, const std::string& name) {
  const std::string exact = folder + "/" + name;
  if (Exists(exact)) return exact;
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return exact;
  std::string found = exact;
  while (const dirent* entry = ::readdir(dir)) {
    if (::strcasecmp(entry->d_name, name.c_str()) == 0) {
      found = folder + "/" + entry->d_name;
      break;
    }
  }
  ::closedir(dir);
  return found;
}

// What Wine's own environment gives the variables its registrations use.
std::optional<std::u16string> WineVariable(std::u16string_view name) {
  static const std::pair<std::u16string_view, std::u16string_view> kVariables[] = {
      {u"SystemRoot", u"C:\\windows"},
      {u"windir", u"C:\\windows"},
      {u"SystemDrive", u"C:"},
      {u"ProgramFiles", u"C:\\Program Files"},
      {u"ProgramFiles(x86)", u"C:\\Program Files (x86)"},
      {u"CommonProgramFiles", u"C:\\Program Files\\Common Files"},
      {u"CommonProgramFiles(x86)", u"C:\\Program Files (x86)\\Common Files"},
  };
  for (const auto& [variable, value] : kVariables) {
    if (EqualsIgnoringAsciiCase(variable, name)) return std::u16string(value);
  }
  return std::nullopt;
}

std::optional<std::u16string> EnvironmentVariable(std::u16string_view name) {
  const char* value = std::getenv(Utf16ToUtf8(name).c_str());
  if (value == nullptr) return std::nullopt;
  return Utf8ToUtf16(value);
}

}  // namespace

std::u16string ExpandEnvironmentText(
    std::u16string_view text,
    const std::function<std::optional<std::u16string>(std::u16string_view)>& lookup) {
  std::u16string result;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t open = text.find(u'%', pos);
    const size_t close = open == text.npos ? text.npos : text.find(u'%', open + 1);
    if (close == text.npos) {
      result += text.substr(pos);
      break;
    }
    result += text.substr(pos, open - pos);
    const auto value = lookup(text.substr(open + 1, close - open - 1));
    if (value) {
      result += *value;
      pos = close + 1;
    } else {
      // Leave the unknown name, and let its closing % start the next name, as Windows does.
      result += text.substr(open, close - open);
      pos = close;
    }
  }
  return result;
}

std::string ResolvePathIgnoringCase(const std::string& path) {
  if (path.empty() || Exists(path)) return path;
  std::string current = path.front() == '/' ? "" : ".";
  for (const auto& component : std::filesystem::path(path).relative_path()) {
    const std::string name = component.string();
    if (name.empty()) continue;
    current = MatchInFolder(current.empty() ? "/" : current, name);
    if (current.starts_with("//")) current.erase(0, 1);
  }
  return current.empty() ? path : current;
}

CClassRegistry::CClassRegistry() = default;
CClassRegistry::~CClassRegistry() = default;
CClassRegistry::CClassRegistry(CClassRegistry&&) noexcept = default;
CClassRegistry& CClassRegistry::operator=(CClassRegistry&&) noexcept = default;

CClassRegistry CClassRegistry::LoadDefault() {
  CClassRegistry registry;
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) {
    // Installed beside the program, or generated in the build folder when run from there.
    for (const std::filesystem::path& hive :
         {program.parent_path() / "../share/quillet/classes.reg",
          std::filesystem::path(QUILLET_BUILD_CLASSES_DIR) / "classes.reg"}) {
      if (std::filesystem::exists(hive, error)) {
        registry.AddQuilletHive(hive.lexically_normal().string());
        break;
      }
    }
  }
  const char* prefix = std::getenv("WINEPREFIX");
  const char* home = std::getenv("HOME");
  const std::string folder = prefix != nullptr && *prefix != '\0'
                                 ? std::string(prefix)
                                 : (home != nullptr ? std::string(home) + "/.wine" : std::string());
  if (!folder.empty()) registry.AddWinePrefix(folder);
  return registry;
}

bool CClassRegistry::AddQuilletHive(const std::string& path) {
  auto root = ParseHiveFile(path);
  if (!root) return false;
  auto hive = std::make_unique<SHive>();
  hive->classes = root->FindPath(u"HKEY_CLASSES_ROOT");
  if (hive->classes == nullptr) return false;
  hive->root = std::move(root);
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  hive->folder = Utf8ToUtf16((error ? std::filesystem::path(path) : absolute).lexically_normal().parent_path().string());
  m_hives.push_back(std::move(hive));
  return true;
}

bool CClassRegistry::AddWinePrefix(const std::string& prefixFolder) {
  bool added = false;
  // Both files hold their keys relative to their own root (the user's, the machine's).
  for (const char* name : {"/user.reg", "/system.reg"}) {
    auto root = ParseHiveFile(prefixFolder + name);
    if (!root) continue;
    auto hive = std::make_unique<SHive>();
    hive->classes = root->FindPath(u"Software\\Classes");
    if (hive->classes == nullptr) continue;
    hive->root = std::move(root);
    hive->fromWine = true;
    m_hives.push_back(std::move(hive));
    added = true;
  }
  if (added) m_winePrefix = prefixFolder;
  return added;
}

bool CClassRegistry::KeyExists(std::u16string_view path) const {
  for (const auto& hive : m_hives) {
    if (hive->classes->FindPath(path) != nullptr) return true;
  }
  return false;
}

const CRegValue* CClassRegistry::FindValue(std::u16string_view path, std::u16string_view name,
                                           const SHive** owner) const {
  for (const auto& hive : m_hives) {
    const CRegKey* key = hive->classes->FindPath(path);
    const CRegValue* value = key != nullptr ? key->FindValue(name) : nullptr;
    if (value != nullptr) {
      *owner = hive.get();
      return value;
    }
  }
  return nullptr;
}

std::u16string CClassRegistry::Expand(std::u16string_view text, const SHive& hive) const {
  return ExpandEnvironmentText(text, [&hive](std::u16string_view name) -> std::optional<std::u16string> {
    if (hive.fromWine) {
      if (auto value = WineVariable(name)) return value;
    } else if (EqualsIgnoringAsciiCase(name, kHiveFolderVariable)) {
      return hive.folder;
    }
    return EnvironmentVariable(name);
  });
}

std::optional<std::u16string> CClassRegistry::ReadString(std::u16string_view path,
                                                         std::u16string_view valueName) const {
  const SHive* owner = nullptr;
  const CRegValue* value = FindValue(path, valueName, &owner);
  if (value == nullptr) return std::nullopt;
  auto text = value->AsString();
  if (!text) return std::nullopt;
  if (value->Is(ERegType::ExpandString)) return Expand(*text, *owner);
  return text;
}

std::optional<std::u16string> CClassRegistry::ReadDefaultString(std::u16string_view path) const {
  return ReadString(path, u"");
}

std::vector<std::u16string> CClassRegistry::SubkeyNames(std::u16string_view path) const {
  std::vector<std::u16string> names;
  std::unordered_set<std::u16string> seen;
  for (const auto& hive : m_hives) {
    const CRegKey* key = hive->classes->FindPath(path);
    if (key == nullptr) continue;
    for (const auto& subkey : key->Subkeys()) {
      if (seen.insert(LowerAscii(subkey->Name())).second) names.push_back(subkey->Name());
    }
  }
  return names;
}

std::vector<std::u16string> CClassRegistry::ValueNames(std::u16string_view path) const {
  std::vector<std::u16string> names;
  std::unordered_set<std::u16string> seen;
  for (const auto& hive : m_hives) {
    const CRegKey* key = hive->classes->FindPath(path);
    if (key == nullptr) continue;
    for (const auto& value : key->Values()) {
      if (seen.insert(LowerAscii(value.name)).second) names.push_back(value.name);
    }
  }
  return names;
}

std::string CClassRegistry::MapToLinuxPath(std::u16string_view windowsPath) const {
  if (windowsPath.size() < 2 || windowsPath[1] != u':' || m_winePrefix.empty()) {
    return Utf16ToUtf8(windowsPath);
  }
  const char drive = static_cast<char>(FoldAsciiCase(windowsPath[0]) + ('a' - 'A'));
  std::string rest = Utf16ToUtf8(windowsPath.substr(2));
  for (char& c : rest) {
    if (c == '\\') c = '/';
  }
  std::string base = m_winePrefix + "/dosdevices/" + drive + ":";
  std::error_code error;
  if (!std::filesystem::exists(base, error)) {
    if (drive == 'c') base = m_winePrefix + "/drive_c";
    else if (drive == 'z') base = "";
    else return Utf16ToUtf8(windowsPath);
  }
  return ResolvePathIgnoringCase(base + (rest.starts_with('/') ? rest : "/" + rest));
}

}  // namespace quillet::platform

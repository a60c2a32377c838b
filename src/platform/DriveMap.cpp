#include "platform/DriveMap.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "platform/AppPaths.h"
#include "platform/SettingsStore.h"
#include "platform/TextConvert.h"

namespace quillet::platform {
namespace {

constexpr std::u16string_view kDrivesSection = u"Drives";

[[nodiscard]] char16_t UpperLetter(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }

// "D" or "D:" as a settings value name; 0 for anything else.
[[nodiscard]] char16_t LetterOfValueName(std::u16string_view name) {
  if (name.size() == 2 && name[1] == u':') name.remove_suffix(1);
  if (name.size() != 1) return 0;
  const char16_t letter = UpperLetter(name[0]);
  return letter >= u'A' && letter <= u'Z' ? letter : u'\0';
}

// True when hostPath is folder or lies below it, compared name by name.
[[nodiscard]] bool IsWithin(std::string_view hostPath, std::string_view folder) {
  if (folder == "/") return !hostPath.empty() && hostPath[0] == '/';
  if (hostPath.substr(0, folder.size()) != folder) return false;
  return hostPath.size() == folder.size() || hostPath[folder.size()] == '/';
}

[[nodiscard]] std::vector<std::u16string> SplitHostNames(std::string_view path) {
  std::vector<std::u16string> names;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string_view::npos) end = path.size();
    const std::string_view name = path.substr(start, end - start);
    if (!name.empty() && name != ".") {
      if (name == "..") {
        if (!names.empty()) names.pop_back();
      } else {
        names.push_back(FileNameToText(name));
      }
    }
    start = end + 1;
  }
  return names;
}

}  // namespace

CDriveMap CDriveMap::ForUser() {
  CDriveMap map;
  map.Map(u'Z', "/");
  map.Map(u'C', DataFolder() + "/drive_c", true);
  const CSettingsStore settings(SettingsFilePath(), CSettingsStore::RootKeyFor(u"Kelmarsh", u"Quillet"));
  for (const std::u16string& name : settings.ValueNames(kDrivesSection)) {
    const char16_t letter = LetterOfValueName(name);
    const std::string folder = TextToFileName(settings.ReadString(kDrivesSection, name, u""));
    // A relative folder would change meaning with the current folder; such a value is ignored.
    if (letter != 0 && !folder.empty() && folder[0] == '/') map.Map(letter, folder);
  }
  return map;
}

std::string CDriveMap::CurrentFolder() {
  std::string buffer(256, '\0');
  while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE) return {};
    buffer.resize(buffer.size() * 2);
  }
  buffer.resize(buffer.find('\0'));
  // Linux reports a removed current folder as "(unreachable)/..." on some file systems.
  return !buffer.empty() && buffer[0] == '/' ? buffer : std::string{};
}

void CDriveMap::Map(char16_t letter, std::string folder, bool makeOnFirstUse) {
  letter = UpperLetter(letter);
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  std::erase_if(m_drives, [letter](const SDrive& drive) { return drive.letter == letter; });
  m_drives.push_back({letter, std::move(folder), makeOnFirstUse});
  std::sort(m_drives.begin(), m_drives.end(), [](const SDrive& a, const SDrive& b) { return a.letter < b.letter; });
}

std::u16string CDriveMap::Letters() const {
  std::u16string letters;
  for (const SDrive& drive : m_drives) letters += drive.letter;
  return letters;
}

const CDriveMap::SDrive* CDriveMap::Find(char16_t letter) const {
  letter = UpperLetter(letter);
  for (const SDrive& drive : m_drives) {
    if (drive.letter == letter) return &drive;
  }
  return nullptr;
}

const std::string* CDriveMap::FolderOf(char16_t letter) const {
  const SDrive* drive = Find(letter);
  if (drive == nullptr) return nullptr;
  if (drive->makeOnFirstUse) {
    // A failure shows later, as the error of whatever the script does there.
    std::error_code ignored;
    std::filesystem::create_directories(drive->folder, ignored);
  }
  return &drive->folder;
}

std::vector<std::u16string> CDriveMap::NamesBelowDriveFolder(char16_t letter, std::string_view hostPath) const {
  const SDrive* drive = Find(letter);
  if (drive == nullptr || !IsWithin(hostPath, drive->folder)) return {};
  return SplitHostNames(hostPath.substr(drive->folder == "/" ? 0 : drive->folder.size()));
}

CScriptPath CDriveMap::Absolute(std::u16string_view text, std::string_view currentFolder) const {
  if (currentFolder.empty()) currentFolder = "/";
  SPathAnchor anchor = SplitPathAnchor(text);
  CScriptPath path;
  switch (anchor.kind) {
    case EPathAnchor::Relative:
      path = CScriptPath({}, SplitHostNames(currentFolder));
      break;
    case EPathAnchor::Rooted:
      break;
    case EPathAnchor::DriveRelative: {
      std::vector<std::u16string> names = NamesBelowDriveFolder(anchor.root[0], currentFolder);
      path = CScriptPath(std::move(anchor.root), std::move(names));
      break;
    }
    case EPathAnchor::DriveRooted:
    case EPathAnchor::Network:
      path = CScriptPath(std::move(anchor.root), {});
      break;
  }
  path.Append(anchor.rest);
  return path;
}

SHostPath CDriveMap::ToHost(const CScriptPath& path) const {
  if (path.IsNetwork()) return {{}, EHostPathProblem::NetworkShare};
  for (const std::u16string& name : path.Names()) {
    if (name.find(u'\0') != std::u16string::npos) return {{}, EHostPathProblem::BadName};
  }
  std::string host = "/";
  if (!path.IsPosix()) {
    const std::string* folder = FolderOf(path.DriveLetter());
    if (folder == nullptr) return {{}, EHostPathProblem::UnmappedDrive};
    host = *folder;
  }
  for (const std::u16string& name : path.Names()) {
    if (host.back() != '/') host += '/';
    host += TextToFileName(name);
  }
  return {std::move(host), EHostPathProblem::None};
}

char16_t CDriveMap::LetterHolding(std::string_view hostPath) const {
  const SDrive* best = nullptr;
  for (const SDrive& drive : m_drives) {
    if (IsWithin(hostPath, drive.folder) && (best == nullptr || drive.folder.size() > best->folder.size())) {
      best = &drive;
    }
  }
  return best != nullptr ? best->letter : u'\0';
}

CScriptPath CDriveMap::FromHost(std::string_view hostPath) const {
  const char16_t letter = LetterHolding(hostPath);
  if (letter == 0) return CScriptPath({}, SplitHostNames(hostPath));
  return CScriptPath(std::u16string{letter, u':'}, NamesBelowDriveFolder(letter, hostPath));
}

}  // namespace quillet::platform

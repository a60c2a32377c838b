#include "engine/objects/wmi/FileFinder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <optional>

#include "engine/objects/scripting/VolumeFacts.h"
#include "engine/objects/wmi/MachineFiles.h"
#include "engine/objects/wmi/WbemText.h"
#include "engine/objects/wmi/WbemValues.h"
#include "platform/PeFileVersion.h"
#include "platform/TextConvert.h"

namespace quillet::engine {

namespace {

namespace fs = std::filesystem;
using namespace wbem_value;
using wbem_text::SameName;

std::optional<struct statx> StatOf(const std::string& hostPath) {
  struct statx facts{};
  if (statx(AT_FDCWD, hostPath.c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &facts) != 0) return std::nullopt;
  return facts;
}

CVariant TimeOf(const statx_timestamp& stamp) {
  return DateTime(static_cast<std::time_t>(stamp.tv_sec), static_cast<int32_t>(stamp.tv_nsec / 1000));
}

std::u16string UpperAscii(std::u16string text) {
  for (char16_t& c : text) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  }
  return text;
}

// Only program files carry a version; other files are not opened to look for one.
bool IsProgramExtension(std::u16string_view extension) {
  return SameName(extension, u"exe") || SameName(extension, u"dll") || SameName(extension, u"ocx") ||
         SameName(extension, u"sys") || SameName(extension, u"drv") || SameName(extension, u"cpl");
}

// In the order of CFileFinder::EProperty.
constexpr auto kPropertyNames = std::to_array<std::u16string_view>({
    u"Name", u"Caption", u"Description", u"EightDotThreeFileName", u"Drive", u"Path", u"FileName", u"Extension",
    u"FileType", u"FileSize", u"Version", u"CreationDate", u"InstallDate", u"LastModified", u"LastAccessed",
    u"Hidden", u"Readable", u"Writeable", u"Archive", u"System", u"Compressed", u"Encrypted", u"FSName", u"Status",
    u"CreationClassName", u"CSCreationClassName", u"CSName"});

}  // namespace

CFileFinder::CFileFinder(const platform::SWmiClass& cls, bool folders, WbemInstances& out)
    : m_cls(cls), m_folders(folders), m_out(out), m_drives(platform::CDriveMap::ForUser()),
      m_current(platform::CDriveMap::CurrentFolder()) {
  MakePrototype();
}

void CFileFinder::Put(SWbemInstance& file, EProperty property, CVariant value) const {
  const int index = m_slots[static_cast<size_t>(property)];
  if (index >= 0) file.values[static_cast<size_t>(index)] = std::move(value);
}

std::shared_ptr<SWbemInstance> CFileFinder::InstanceOf(const platform::CScriptPath& path, const std::string& hostPath,
                                                        const struct statx& facts) {
  using enum EProperty;
  auto file = std::make_shared<SWbemInstance>(*m_prototype);
  const CVariant name = Text(path.Text());
  const std::u16string leaf(path.Name());
  const size_t dot = leaf.rfind(u'.');
  const bool hasExtension = dot != std::u16string::npos && dot > 0;
  const std::u16string extension = hasExtension ? leaf.substr(dot + 1) : u"";
  std::u16string within = u"\\";
  for (size_t i = 0; i + 1 < path.Names().size(); ++i) within += path.Names()[i] + u"\\";
  for (const EProperty same : {Name, Caption, Description, EightDotThreeFileName}) Put(*file, same, name);
  Put(*file, Drive, Text(path.Root()));
  Put(*file, Path, Text(within));
  Put(*file, FileName, Text(hasExtension ? leaf.substr(0, dot) : leaf));
  Put(*file, Extension, Text(extension));
  if (!m_folders) {
    Put(*file, FileType, Text(extension.empty() ? u"File" : UpperAscii(extension) + u" File"));
    Put(*file, FileSize, Uint64(facts.stx_size));
    int error = 0;
    const auto version = IsProgramExtension(extension) ? platform::ReadPeFileVersion(hostPath, error) : std::nullopt;
    if (version && !version->empty()) Put(*file, Version, Text(*version));
  }
  const bool hasBirth = (facts.stx_mask & STATX_BTIME) != 0;
  const CVariant created = TimeOf(hasBirth ? facts.stx_btime : facts.stx_ctime);
  Put(*file, CreationDate, created);
  Put(*file, InstallDate, created);
  Put(*file, LastModified, TimeOf(facts.stx_mtime));
  Put(*file, LastAccessed, TimeOf(facts.stx_atime));
  Put(*file, Hidden, CVariant::Boolean(!leaf.empty() && leaf[0] == u'.'));
  Put(*file, Readable, CVariant::Boolean(access(hostPath.c_str(), R_OK) == 0));
  Put(*file, Writeable, CVariant::Boolean(access(hostPath.c_str(), W_OK) == 0));
  const std::u16string& fileSystem = FileSystemOf(makedev(facts.stx_dev_major, facts.stx_dev_minor), hostPath);
  if (!fileSystem.empty()) Put(*file, FSName, Text(fileSystem));
  return file;
}

// What every file of the query shares.
void CFileFinder::MakePrototype() {
  using enum EProperty;
  static_assert(kPropertyNames.size() == static_cast<size_t>(Count));
  for (size_t i = 0; i < kPropertyNames.size(); ++i) m_slots[i] = m_cls.PropertyIndex(kPropertyNames[i]);
  m_prototype = std::make_shared<SWbemInstance>(m_cls);
  if (m_folders) Put(*m_prototype, FileType, Text(u"File Folder"));
  Put(*m_prototype, Archive, CVariant::Boolean(!m_folders));
  for (const EProperty never : {System, Compressed, Encrypted}) Put(*m_prototype, never, CVariant::Boolean(false));
  Put(*m_prototype, Status, Text(u"OK"));
  Put(*m_prototype, CreationClassName, Text(m_cls.name));
  Put(*m_prototype, CSCreationClassName, Text(u"Win32_ComputerSystem"));
  Put(*m_prototype, CSName, Text(machine::HostName()));
}

void CFileFinder::AddNamed(std::u16string_view name) { Add(m_drives.Absolute(name, m_current)); }

void CFileFinder::AddEntriesOf(std::u16string_view drive, std::u16string_view folder) {
  if (!drive.empty()) {
    ListFolder(m_drives.Absolute(std::u16string(drive) + u"\\" + std::u16string(folder), m_current));
    return;
  }
  for (const char16_t letter : m_drives.Letters()) {
    ListFolder(m_drives.Absolute(std::u16string{letter, u':', u'\\'} + std::u16string(folder), m_current));
  }
}

void CFileFinder::Add(const platform::CScriptPath& path) {
  const platform::SHostPath host = m_drives.ToHost(path);
  if (host.problem != platform::EHostPathProblem::None) return;
  const auto facts = StatOf(host.path);
  if (!facts || S_ISDIR(facts->stx_mode) != m_folders) return;
  m_out.push_back(InstanceOf(path, host.path, *facts));
}

void CFileFinder::ListFolder(const platform::CScriptPath& folder) {
  const platform::SHostPath host = m_drives.ToHost(folder);
  if (host.problem != platform::EHostPathProblem::None) return;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(host.path, error)) {
    Add(folder.Child(platform::Utf8ToUtf16(entry.path().filename().string())));
  }
}

const std::u16string& CFileFinder::FileSystemOf(dev_t device, const std::string& hostPath) {
  const auto known = m_fileSystems.find(device);
  if (known != m_fileSystems.end()) return known->second;
  int error = 0;
  const auto volume = CVolumeFacts::Read(hostPath, error);
  return m_fileSystems[device] = volume ? volume->fileSystem : std::u16string();
}

}  // namespace quillet::engine

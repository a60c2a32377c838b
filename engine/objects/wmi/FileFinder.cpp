#include "engine/objects/wmi/FileFinder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

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

std::shared_ptr<SWbemInstance> InstanceOf(const platform::SWmiClass& cls, const platform::CScriptPath& path,
                                          const std::string& hostPath, const struct statx& facts, bool folder,
                                          const std::u16string& fileSystem) {
  auto file = std::make_shared<SWbemInstance>(cls);
  const std::u16string name = path.Text();
  const std::u16string leaf(path.Name());
  const size_t dot = leaf.rfind(u'.');
  const bool hasExtension = dot != std::u16string::npos && dot > 0;
  const std::u16string extension = hasExtension ? leaf.substr(dot + 1) : u"";
  std::u16string within = u"\\";
  for (size_t i = 0; i + 1 < path.Names().size(); ++i) within += path.Names()[i] + u"\\";
  file->Set(u"Name", Text(name));
  file->Set(u"Caption", Text(name));
  file->Set(u"Description", Text(name));
  file->Set(u"EightDotThreeFileName", Text(name));
  file->Set(u"Drive", Text(path.Root()));
  file->Set(u"Path", Text(within));
  file->Set(u"FileName", Text(hasExtension ? leaf.substr(0, dot) : leaf));
  file->Set(u"Extension", Text(extension));
  file->Set(u"FileType", Text(folder ? u"File Folder" : extension.empty() ? u"File" : UpperAscii(extension) + u" File"));
  if (!folder) file->Set(u"FileSize", Uint64(facts.stx_size));
  if (!folder && IsProgramExtension(extension)) {
    int error = 0;
    const auto version = platform::ReadPeFileVersion(hostPath, error);
    if (version && !version->empty()) file->Set(u"Version", Text(*version));
  }
  const bool hasBirth = (facts.stx_mask & STATX_BTIME) != 0;
  const CVariant created = TimeOf(hasBirth ? facts.stx_btime : facts.stx_ctime);
  file->Set(u"CreationDate", created);
  file->Set(u"InstallDate", created);
  file->Set(u"LastModified", TimeOf(facts.stx_mtime));
  file->Set(u"LastAccessed", TimeOf(facts.stx_atime));
  file->Set(u"Hidden", CVariant::Boolean(!leaf.empty() && leaf[0] == u'.'));
  file->Set(u"Readable", CVariant::Boolean(access(hostPath.c_str(), R_OK) == 0));
  file->Set(u"Writeable", CVariant::Boolean(access(hostPath.c_str(), W_OK) == 0));
  file->Set(u"Archive", CVariant::Boolean(!folder));
  file->Set(u"System", CVariant::Boolean(false));
  file->Set(u"Compressed", CVariant::Boolean(false));
  file->Set(u"Encrypted", CVariant::Boolean(false));
  if (!fileSystem.empty()) file->Set(u"FSName", Text(fileSystem));
  file->Set(u"Status", Text(u"OK"));
  file->Set(u"CreationClassName", Text(cls.name));
  file->Set(u"CSCreationClassName", Text(u"Win32_ComputerSystem"));
  file->Set(u"CSName", Text(machine::HostName()));
  return file;
}

}  // namespace

CFileFinder::CFileFinder(const platform::SWmiClass& cls, bool folders, WbemInstances& out)
    : m_cls(cls), m_folders(folders), m_out(out), m_drives(platform::CDriveMap::ForUser()),
      m_current(platform::CDriveMap::CurrentFolder()) {}

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
  const std::u16string& fileSystem = FileSystemOf(makedev(facts->stx_dev_major, facts->stx_dev_minor), host.path);
  m_out.push_back(InstanceOf(m_cls, path, host.path, *facts, m_folders, fileSystem));
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

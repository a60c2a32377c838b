#include "engine/objects/wmi/FileProvider.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "engine/objects/wmi/MachineFiles.h"
#include "engine/objects/wmi/WbemText.h"
#include "engine/objects/wmi/WbemValues.h"
#include "engine/runtime/ScriptError.h"
#include "platform/DriveMap.h"
#include "platform/PeFileVersion.h"
#include "platform/TextConvert.h"

namespace quillet::engine {

namespace {

namespace fs = std::filesystem;
using namespace wbem_value;
using wbem_text::SameName;

constexpr auto kNotCapable = static_cast<int32_t>(0x80041024u);

// The return values of the file methods, as Windows numbers them.
constexpr int32_t kSuccess = 0;
constexpr int32_t kAccessDenied = 2;
constexpr int32_t kUnknownFailure = 8;
constexpr int32_t kInvalidObject = 9;
constexpr int32_t kAlreadyExists = 10;
constexpr int32_t kNotSameDrive = 13;
constexpr int32_t kFolderNotEmpty = 14;
constexpr int32_t kInvalidParameter = 21;

// What a query names: one file or folder, or the entries of one folder (on one drive, or on
// every drive when it names none). A drive alone names nothing yet.
struct STarget {
  std::u16string name;
  std::u16string drive;
  std::u16string folder;
  [[nodiscard]] bool NamesSomething() const { return !name.empty() || !folder.empty(); }
};
using Targets = std::optional<std::vector<STarget>>;

std::optional<std::u16string> EqualsText(const SWqlCondition& compare, std::u16string_view property) {
  if (compare.op != EWqlOperator::Equal) return std::nullopt;
  const SWqlOperand* named = compare.first.isProperty ? &compare.first : &compare.second;
  const SWqlOperand* literal = compare.first.isProperty ? &compare.second : &compare.first;
  if (!named->isProperty || literal->isProperty || !literal->literal.IsString()) return std::nullopt;
  if (!SameName(named->property, property)) return std::nullopt;
  return std::u16string(literal->literal.AsString());
}

Targets TargetsOf(const SWqlCondition& where) {
  using EKind = SWqlCondition::EKind;
  switch (where.kind) {
    case EKind::Compare:
      if (auto name = EqualsText(where, u"Name")) return std::vector{STarget{*name, {}, {}}};
      if (auto folder = EqualsText(where, u"Path")) return std::vector{STarget{{}, {}, *folder}};
      if (auto drive = EqualsText(where, u"Drive")) return std::vector{STarget{{}, *drive, {}}};
      return std::nullopt;
    case EKind::Or: {
      Targets left = TargetsOf(*where.left);
      Targets right = TargetsOf(*where.right);
      if (!left || !right) return std::nullopt;  // either side may select anything
      left->insert(left->end(), right->begin(), right->end());
      return left;
    }
    case EKind::And: {
      Targets left = TargetsOf(*where.left);
      Targets right = TargetsOf(*where.right);
      if (!left) return right;
      if (!right) return left;
      // Drive = 'C:' AND Path = '\x\': the drive goes to the folders that lack one.
      const auto driveOnly = [](const Targets& t) { return t->size() == 1 && !t->front().NamesSomething(); };
      if (driveOnly(left)) std::swap(left, right);
      if (driveOnly(right)) {
        for (STarget& target : *left) {
          if (target.drive.empty()) target.drive = right->front().drive;
        }
      }
      return left;
    }
    case EKind::Not: return std::nullopt;
  }
  return std::nullopt;
}

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
                                          const std::string& hostPath, const struct statx& facts, bool folder) {
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
  file->Set(u"Status", Text(u"OK"));
  file->Set(u"CreationClassName", Text(cls.name));
  file->Set(u"CSCreationClassName", Text(u"Win32_ComputerSystem"));
  file->Set(u"CSName", Text(machine::HostName()));
  return file;
}

class CFileFinder {
 public:
  CFileFinder(const platform::SWmiClass& cls, bool folders, WbemInstances& out)
      : m_cls(cls), m_folders(folders), m_out(out), m_drives(platform::CDriveMap::ForUser()),
        m_current(platform::CDriveMap::CurrentFolder()) {}

  void Add(const platform::CScriptPath& path) {
    const platform::SHostPath host = m_drives.ToHost(path);
    if (host.problem != platform::EHostPathProblem::None) return;
    const auto facts = StatOf(host.path);
    if (!facts || S_ISDIR(facts->stx_mode) != m_folders) return;
    m_out.push_back(InstanceOf(m_cls, path, host.path, *facts, m_folders));
  }

  void AddNamed(std::u16string_view name) { Add(m_drives.Absolute(name, m_current)); }

  void AddEntriesOf(std::u16string_view drive, std::u16string_view folder) {
    if (!drive.empty()) {
      ListFolder(m_drives.Absolute(std::u16string(drive) + u"\\" + std::u16string(folder), m_current));
      return;
    }
    for (const char16_t letter : m_drives.Letters()) {
      ListFolder(m_drives.Absolute(std::u16string{letter, u':', u'\\'} + std::u16string(folder), m_current));
    }
  }

 private:
  void ListFolder(const platform::CScriptPath& folder) {
    const platform::SHostPath host = m_drives.ToHost(folder);
    if (host.problem != platform::EHostPathProblem::None) return;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(host.path, error)) {
      Add(folder.Child(platform::Utf8ToUtf16(entry.path().filename().string())));
    }
  }

  const platform::SWmiClass& m_cls;
  bool m_folders;
  WbemInstances& m_out;
  platform::CDriveMap m_drives;
  std::string m_current;
};

// ---- methods

std::optional<std::string> HostPathOf(std::u16string_view scriptPath) {
  const platform::CDriveMap drives = platform::CDriveMap::ForUser();
  const platform::SHostPath host = drives.ToHost(drives.Absolute(scriptPath, platform::CDriveMap::CurrentFolder()));
  if (host.problem != platform::EHostPathProblem::None || host.path.empty()) return std::nullopt;
  return host.path;
}

int32_t ReturnValueOf(int error) {
  switch (error) {
    case 0: return kSuccess;
    case EACCES:
    case EPERM:
    case EROFS: return kAccessDenied;
    case EEXIST: return kAlreadyExists;
    case EXDEV: return kNotSameDrive;
    case ENOTEMPTY: return kFolderNotEmpty;
    case ENOENT:
    case EINVAL: return kInvalidParameter;  // EINVAL: a folder moved into itself
    default: return kUnknownFailure;
  }
}

int32_t Rename(const std::string& from, const std::string& to) {
  struct stat info{};
  if (lstat(to.c_str(), &info) == 0) return kAlreadyExists;  // Windows never replaces
  return ReturnValueOf(rename(from.c_str(), to.c_str()) == 0 ? 0 : errno);
}

int32_t Copy(const std::string& from, const std::string& to, bool folder) {
  struct stat info{};
  if (lstat(to.c_str(), &info) == 0) return kAlreadyExists;
  // A folder copied into itself would copy its own copy without end.
  std::error_code ignored;
  const std::string source = fs::weakly_canonical(from, ignored).string();
  const std::string target = fs::weakly_canonical(to, ignored).string();
  if (folder && target.starts_with(source + "/")) return kInvalidParameter;
  std::error_code error;
  if (folder) {
    fs::copy(from, to, fs::copy_options::recursive, error);
  } else {
    fs::copy_file(from, to, fs::copy_options::none, error);
  }
  return error ? ReturnValueOf(error.value()) : kSuccess;
}

int32_t Delete(const std::string& path, bool folder) {
  // A folder must be empty, as Windows asks: a script never removes a tree by one call.
  return ReturnValueOf((folder ? rmdir(path.c_str()) : unlink(path.c_str())) == 0 ? 0 : errno);
}

}  // namespace

void CFileProvider::Enumerate(const platform::SWmiClass& cls, const SWqlCondition* where, WbemInstances& out) {
  const Targets targets = where != nullptr ? TargetsOf(*where) : std::nullopt;
  const bool named = targets && std::all_of(targets->begin(), targets->end(), [](const STarget& t) { return t.NamesSomething(); });
  if (!named) {
    throw CScriptError(kNotCapable, u"Provider is not capable of the attempted operation", u"SWbemServicesEx");
  }
  CFileFinder finder(cls, m_folders, out);
  for (const STarget& target : *targets) {
    if (!target.name.empty()) finder.AddNamed(target.name);
    else finder.AddEntriesOf(target.drive, target.folder);
  }
}

CVariant CFileProvider::CallMethod(SWbemInstance& instance, const platform::SWmiMethod& method,
                                   std::span<CVariant> args) {
  const bool rename = SameName(method.name, u"Rename");
  const bool copy = SameName(method.name, u"Copy");
  if (!rename && !copy && !SameName(method.name, u"Delete")) return CWbemProvider::CallMethod(instance, method, args);
  const CVariant& name = instance.Get(u"Name");
  const auto from = name.IsNull() ? std::nullopt : HostPathOf(name.ToString());
  struct stat info{};
  if (!from || lstat(from->c_str(), &info) != 0) return CVariant::Long(kInvalidObject);
  if (!rename && !copy) return CVariant::Long(Delete(*from, m_folders));
  const CVariant target = args.empty() ? CVariant() : args[0].Deref();
  const auto to = target.IsString() && !target.AsString().empty() ? HostPathOf(target.AsString()) : std::nullopt;
  if (!to) return CVariant::Long(kInvalidParameter);
  return CVariant::Long(rename ? Rename(*from, *to) : Copy(*from, *to, m_folders));
}

}  // namespace quillet::engine

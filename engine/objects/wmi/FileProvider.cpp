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

#include "engine/objects/wmi/FileFinder.h"
#include "engine/objects/wmi/WbemText.h"
#include "engine/objects/wmi/WbemValues.h"
#include "engine/runtime/ScriptError.h"
#include "platform/DriveMap.h"
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

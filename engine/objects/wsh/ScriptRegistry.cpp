#include "engine/objects/wsh/ScriptRegistry.h"

#include <cstdint>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "engine/objects/wsh/MachineNames.h"
#include "engine/runtime/SafeArray.h"
#include "engine/runtime/ScriptError.h"
#include "platform/AppPaths.h"
#include "platform/ClassRegistry.h"
#include "platform/RegKey.h"
#include "platform/ScriptHive.h"
#include "platform/TextConvert.h"

namespace quillet::engine::wsh {

namespace {

using platform::CRegKey;
using platform::CRegValue;
using platform::ERegType;

constexpr int kFileNotFound = static_cast<int>(0x80070002u);
constexpr int kAccessDenied = static_cast<int>(0x80070005u);
constexpr int kInvalidArgument = static_cast<int>(0x80070057u);

enum class EHive { CurrentUser, LocalMachine, ClassesRoot };

struct SName {
  EHive hive = EHive::CurrentUser;
  std::u16string rootName;  // as the hive file spells it: HKEY_CURRENT_USER
  std::u16string keyPath;   // below the root, components joined by backslashes
  std::u16string valueName;
  bool isKey = false;  // written with a trailing backslash: the key and its default value
};

std::u16string Quoted(std::u16string_view name) { return u"\"" + std::u16string(name) + u"\""; }

[[noreturn]] void Fail(int number, std::u16string text) { throw CScriptError(number, std::move(text)); }

SName ParseName(std::u16string_view name) {
  SName parsed;
  const size_t slash = name.find(u'\\');
  const std::u16string root = platform::LowerAscii(name.substr(0, slash));
  if (root == u"hkcu" || root == u"hkey_current_user") {
    parsed.hive = EHive::CurrentUser;
    parsed.rootName = u"HKEY_CURRENT_USER";
  } else if (root == u"hklm" || root == u"hkey_local_machine") {
    parsed.hive = EHive::LocalMachine;
    parsed.rootName = u"HKEY_LOCAL_MACHINE";
  } else if (root == u"hkcr" || root == u"hkey_classes_root") {
    parsed.hive = EHive::ClassesRoot;
    parsed.rootName = u"HKEY_CLASSES_ROOT";
  } else {
    Fail(kFileNotFound, u"Invalid root in registry key " + Quoted(name) + u".");
  }
  if (slash == std::u16string_view::npos) Fail(kFileNotFound, u"Invalid root in registry key " + Quoted(name) + u".");
  std::u16string_view rest = name.substr(slash + 1);
  parsed.isKey = rest.empty() || rest.back() == u'\\';
  if (parsed.isKey) {
    parsed.keyPath = std::u16string(rest);
  } else {
    const size_t last = rest.rfind(u'\\');
    parsed.valueName = std::u16string(last == std::u16string_view::npos ? rest : rest.substr(last + 1));
    parsed.keyPath = std::u16string(last == std::u16string_view::npos ? std::u16string_view{} : rest.substr(0, last));
  }
  const auto components = platform::SplitRegPath(parsed.keyPath);
  if (components.size() > CScriptRegistry::kMaxKeyDepth) {
    Fail(kInvalidArgument, u"The registry key " + Quoted(name.substr(0, 80)) + u"... is nested too deeply.");
  }
  for (const std::u16string_view component : components) {
    if (component.size() > CScriptRegistry::kMaxKeyNameLength) {
      Fail(kInvalidArgument, u"A key name in " + Quoted(name.substr(0, 80)) + u" is longer than 255 characters.");
    }
  }
  return parsed;
}

std::u16string FullKeyPath(const SName& name) { return name.rootName + u"\\" + name.keyPath; }

// One hive object per file, so that reads after the first cost a stat of the file.
platform::CScriptHive& HiveFile(const std::string& path) {
  static std::mutex lock;
  static std::map<std::string, std::unique_ptr<platform::CScriptHive>> hives;
  const std::lock_guard guard(lock);
  auto& hive = hives[path];
  if (!hive) hive = std::make_unique<platform::CScriptHive>(path);
  return *hive;
}

std::map<std::string, std::string> OsRelease() {
  std::map<std::string, std::string> fields;
  std::ifstream file("/etc/os-release");
  std::string line;
  while (std::getline(file, line)) {
    const size_t equals = line.find('=');
    if (equals == std::string::npos || line.starts_with('#')) continue;
    std::string value = line.substr(equals + 1);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
      value = value.substr(1, value.size() - 2);
    }
    fields[line.substr(0, equals)] = value;
  }
  return fields;
}

// The values scripts most often read from HKLM, as this system answers them.
void Seed(CRegKey& root) {
  auto os = OsRelease();
  const std::u16string product = platform::Utf8ToUtf16(!os["PRETTY_NAME"].empty() ? os["PRETTY_NAME"] : os["NAME"]);
  const std::u16string version = platform::Utf8ToUtf16(os["VERSION_ID"]);
  const auto set = [&](std::u16string_view key, std::u16string_view name, std::u16string_view value) {
    root.OpenOrCreatePath(u"HKEY_LOCAL_MACHINE\\" + std::u16string(key)).SetValue(CRegValue::MakeString(name, value));
  };
  const std::u16string computer = ComputerName();
  set(u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", u"ProductName", product);
  set(u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", u"CurrentVersion", version);
  set(u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", u"RegisteredOwner", UserName());
  set(u"SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName", u"ComputerName", computer);
  set(u"SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ActiveComputerName", u"ComputerName", computer);
  set(u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion", u"ProgramFilesDir",
      ProcessVariable(u"ProgramFiles").value_or(u""));
  set(u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion", u"CommonFilesDir", u"/usr/share");
  set(u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", u"SystemRoot", ProcessVariable(u"SystemRoot").value_or(u""));
}

platform::CScriptHive& HiveFor(const std::string& folder, EHive hive) {
  platform::CScriptHive& file = HiveFile(folder + (hive == EHive::LocalMachine ? "/HKLM.reg" : "/HKCU.reg"));
  if (hive == EHive::LocalMachine && !file.Exists()) {
    file.Write([](CRegKey& root) {
      if (root.FindPath(u"HKEY_LOCAL_MACHINE") == nullptr) Seed(root);
      return true;
    });
  }
  return file;
}

CVariant ArrayOf(std::vector<CVariant> values) { return CVariant::Array(CSafeArray::FromValues(std::move(values))); }

CVariant ToVariant(const CRegValue& value) {
  switch (static_cast<ERegType>(value.type)) {
    case ERegType::String:
    case ERegType::ExpandString: return CVariant::String(value.AsString().value_or(u""));
    case ERegType::Dword: return CVariant::Long(static_cast<int32_t>(value.AsDword().value_or(0)));
    case ERegType::MultiString: {
      std::vector<CVariant> items;
      std::u16string text = platform::Utf16LeBytesToText(
          std::string_view(reinterpret_cast<const char*>(value.data.data()), value.data.size()));
      size_t start = 0;
      while (start < text.size()) {
        const size_t end = text.find(u'\0', start);
        const size_t length = end == std::u16string::npos ? std::u16string::npos : end - start;
        const std::u16string item = text.substr(start, length);
        if (item.empty()) break;
        items.push_back(CVariant::String(item));
        if (end == std::u16string::npos) break;
        start = end + 1;
      }
      return ArrayOf(std::move(items));
    }
    case ERegType::Qword: {
      uint64_t number = 0;
      for (size_t i = 0; i < value.data.size() && i < 8; ++i) number |= static_cast<uint64_t>(value.data[i]) << (8 * i);
      return CVariant::Double(static_cast<double>(number));
    }
    default: {
      std::vector<CVariant> bytes;
      bytes.reserve(value.data.size());
      for (const uint8_t byte : value.data) bytes.push_back(CVariant::Byte(byte));
      return ArrayOf(std::move(bytes));
    }
  }
}

std::vector<CVariant> Elements(const CVariant& value) {
  const CVariant& scalar = value.Deref();
  if (!scalar.IsArray()) return {scalar};
  CSafeArray* array = scalar.AsArray();
  if (array->Dimensions() != 1) throw CScriptError(err::TypeMismatch);
  std::vector<CVariant> items;
  for (size_t i = 0; i < array->Size(); ++i) items.push_back(array->At(i).Deref());
  return items;
}

std::vector<uint8_t> TextBytes(std::u16string_view text) {
  std::vector<uint8_t> bytes;
  for (const char16_t c : text) {
    bytes.push_back(static_cast<uint8_t>(c & 0xFF));
    bytes.push_back(static_cast<uint8_t>(c >> 8));
  }
  return bytes;
}

CRegValue MakeValue(const std::u16string& name, const CVariant& value, std::u16string_view type) {
  const std::u16string kind = type.empty() ? u"reg_sz" : platform::LowerAscii(type);
  const CVariant& scalar = value.Deref();
  if (kind == u"reg_sz" || kind == u"reg_expand_sz") {
    if (scalar.IsArray()) throw CScriptError(err::TypeMismatch);
    const ERegType stored = kind == u"reg_sz" ? ERegType::String : ERegType::ExpandString;
    return CRegValue::MakeString(name, scalar.ToString(), stored);
  }
  if (kind == u"reg_dword") {
    if (scalar.IsArray()) throw CScriptError(err::TypeMismatch);
    const double number = scalar.ToDouble();
    if (number < -2147483648.0 || number > 4294967295.0) throw CScriptError(err::Overflow);
    return CRegValue::MakeDword(name, number < 0 ? static_cast<uint32_t>(scalar.ToLong())
                                                 : static_cast<uint32_t>(static_cast<int64_t>(number + 0.5)));
  }
  CRegValue made;
  made.name = name;
  if (kind == u"reg_binary") {
    // An array of byte values; a single number is written as the four bytes of a dword, as
    // Windows writes it. Text is not binary data.
    made.type = static_cast<uint32_t>(ERegType::Binary);
    if (!scalar.IsArray()) {
      if (scalar.IsString() || scalar.IsObject() || scalar.IsNull() || scalar.IsEmpty()) {
        throw CScriptError(err::TypeMismatch, u"REG_BINARY data must be an array of byte values or a number.");
      }
      const auto number = static_cast<uint32_t>(scalar.ToLong());
      for (int i = 0; i < 4; ++i) made.data.push_back(static_cast<uint8_t>(number >> (8 * i)));
      return made;
    }
    for (const CVariant& item : Elements(scalar)) {
      const int32_t byte = item.ToLong();
      if (byte < 0 || byte > 255) throw CScriptError(err::Overflow);
      made.data.push_back(static_cast<uint8_t>(byte));
    }
    return made;
  }
  if (kind == u"reg_multi_sz") {
    made.type = static_cast<uint32_t>(ERegType::MultiString);
    for (const CVariant& item : Elements(scalar)) {
      const std::u16string text = item.ToString();
      if (text.empty()) continue;  // an empty string would end the list early
      const auto bytes = TextBytes(text);
      made.data.insert(made.data.end(), bytes.begin(), bytes.end());
      made.data.push_back(0);
      made.data.push_back(0);
    }
    made.data.push_back(0);
    made.data.push_back(0);
    return made;
  }
  throw CScriptError(kInvalidArgument, u"The registry type " + Quoted(type) + u" is not one RegWrite writes.");
}

std::optional<CVariant> ReadClassesRoot(const SName& name) {
  static const platform::CClassRegistry classes = platform::CClassRegistry::LoadDefault();
  const auto text =
      name.isKey ? classes.ReadDefaultString(name.keyPath) : classes.ReadString(name.keyPath, name.valueName);
  if (!text) return std::nullopt;
  return CVariant::String(*text);
}

}  // namespace

CScriptRegistry::CScriptRegistry(std::string folder) : m_folder(std::move(folder)) {}

std::string CScriptRegistry::DefaultFolder() { return platform::DataFolder() + "/Registry"; }

CVariant CScriptRegistry::Read(std::u16string_view text) const {
  const SName name = ParseName(text);
  std::optional<CVariant> result;
  if (name.hive == EHive::ClassesRoot) {
    result = ReadClassesRoot(name);
  } else {
    HiveFor(m_folder, name.hive).Read([&](const CRegKey& root) {
      const CRegKey* key = root.FindPath(FullKeyPath(name));
      const CRegValue* value = key != nullptr ? key->FindValue(name.valueName) : nullptr;
      if (value != nullptr) result = ToVariant(*value);
    });
  }
  if (!result) Fail(kFileNotFound, u"Unable to open registry key " + Quoted(text) + u" for reading.");
  return std::move(*result);
}

void CScriptRegistry::Write(std::u16string_view text, const CVariant& value, std::u16string_view type) const {
  const SName name = ParseName(text);
  if (name.hive == EHive::ClassesRoot) Fail(kAccessDenied, u"Unable to save registry key " + Quoted(text) + u".");
  const CRegValue made = MakeValue(name.valueName, value, type);
  const bool written = HiveFor(m_folder, name.hive).Write([&](CRegKey& root) {
    root.OpenOrCreatePath(FullKeyPath(name)).SetValue(made);
    return true;
  });
  if (!written) Fail(kAccessDenied, u"Unable to save registry key " + Quoted(text) + u".");
}

std::vector<std::pair<std::u16string, std::u16string>> CScriptRegistry::TextValues(std::u16string_view keyName) const {
  const SName name = ParseName(std::u16string(keyName) + u"\\");
  std::vector<std::pair<std::u16string, std::u16string>> values;
  if (name.hive == EHive::ClassesRoot) return values;
  HiveFor(m_folder, name.hive).Read([&](const CRegKey& root) {
    const CRegKey* key = root.FindPath(FullKeyPath(name));
    if (key == nullptr) return;
    for (const CRegValue& value : key->Values()) {
      if (auto text = value.AsString(); text && !value.name.empty()) values.emplace_back(value.name, *text);
    }
  });
  return values;
}

platform::CScriptHive* CScriptRegistry::WritableHive(std::u16string_view rootName) const {
  if (platform::LowerAscii(rootName) == u"hkey_current_user") return &HiveFor(m_folder, EHive::CurrentUser);
  if (platform::LowerAscii(rootName) == u"hkey_local_machine") return &HiveFor(m_folder, EHive::LocalMachine);
  return nullptr;
}

void CScriptRegistry::Delete(std::u16string_view text) const {
  const SName name = ParseName(text);
  if (name.hive == EHive::ClassesRoot) Fail(kAccessDenied, u"Unable to remove registry key " + Quoted(text) + u".");
  bool found = false;
  const bool written = HiveFor(m_folder, name.hive).Write([&](CRegKey& root) {
    if (name.isKey) {
      found = !platform::SplitRegPath(name.keyPath).empty() && root.RemovePath(FullKeyPath(name));
    } else {
      CRegKey* key = &root;
      const std::u16string path = FullKeyPath(name);  // the components below are views into it
      for (const std::u16string_view component : platform::SplitRegPath(path)) {
        key = key->FindSubkey(component);
        if (key == nullptr) break;
      }
      found = key != nullptr && key->RemoveValue(name.valueName);
    }
    return found;
  });
  if (!found) Fail(kFileNotFound, u"Unable to remove registry key " + Quoted(text) + u".");
  if (!written) Fail(kAccessDenied, u"Unable to remove registry key " + Quoted(text) + u".");
}

}  // namespace quillet::engine::wsh

#include "engine/objects/wmi/RegistryProvider.h"

#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <functional>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "engine/objects/wmi/WbemText.h"
#include "engine/objects/wmi/WbemValues.h"
#include "engine/objects/wsh/ScriptRegistry.h"
#include "engine/runtime/SafeArray.h"
#include "platform/ClassRegistry.h"
#include "platform/RegKey.h"
#include "platform/ScriptHive.h"
#include "platform/TextConvert.h"

namespace quillet::engine {

namespace {

using platform::CRegKey;
using platform::CRegValue;
using platform::ERegType;
using wsh::CScriptRegistry;

constexpr int32_t kDone = 0;
constexpr int32_t kNoSuchValue = 1;
constexpr int32_t kNoSuchKey = 2;
constexpr int32_t kAccessDenied = 5;
constexpr int32_t kInvalidHandle = 6;
constexpr int32_t kInvalidParameter = 87;
constexpr auto kTypeMismatch = static_cast<int32_t>(0x80041005u);

constexpr uint32_t kClassesRoot = 0x80000000u;
constexpr uint32_t kCurrentUser = 0x80000001u;
constexpr uint32_t kLocalMachine = 0x80000002u;
constexpr uint32_t kUsers = 0x80000003u;
constexpr uint32_t kCurrentConfig = 0x80000005u;

// Access rights that only read: query values, list subkeys, be notified, read the security.
constexpr uint32_t kReadRights = 0x1u | 0x8u | 0x10u | 0x20000u;

bool IsGiven(const CVariant& arg) {
  const CVariant& value = arg.Deref();
  return !value.IsEmpty() && !(value.Type() == EVarType::Error);
}

// &H80000002 reaches us as a negative Long, 2147483650 as a Double: both are the same hive.
uint32_t HiveNumber(std::span<CVariant> args) {
  if (args.empty() || !IsGiven(args[0])) return kLocalMachine;
  const double number = args[0].Deref().ToDouble();
  if (number < -2147483648.0 || number > 4294967295.0 || number != number) return 0;  // no hive
  if (number < 0) return static_cast<uint32_t>(static_cast<int32_t>(number));
  return static_cast<uint32_t>(number);
}

std::u16string TextArg(std::span<CVariant> args, size_t index) {
  if (index >= args.size() || !IsGiven(args[index]) || args[index].Deref().IsNull()) return {};
  return args[index].Deref().ToString();
}

CVariant ArrayOf(std::vector<CVariant> items) { return CVariant::Array(CSafeArray::FromValues(std::move(items))); }

// The request every method starts from: which hive, which key below its root.
struct SRequest {
  uint32_t hive = 0;
  std::u16string rootName;  // as the hive files spell it
  std::u16string subKey;
  std::u16string valueName;
};

std::optional<int32_t> Problem(const SRequest& request) {
  if (request.rootName.empty()) {
    return request.hive == kUsers || request.hive == kCurrentConfig ? kNoSuchKey : kInvalidHandle;
  }
  const auto components = platform::SplitRegPath(request.subKey);
  if (components.size() > CScriptRegistry::kMaxKeyDepth) return kInvalidParameter;
  for (const auto component : components) {
    if (component.size() > CScriptRegistry::kMaxKeyNameLength) return kInvalidParameter;
  }
  return std::nullopt;
}

SRequest RequestOf(std::span<CVariant> args, bool hasValueName) {
  SRequest request;
  request.hive = HiveNumber(args);
  request.rootName = request.hive == kCurrentUser    ? u"HKEY_CURRENT_USER"
                     : request.hive == kLocalMachine ? u"HKEY_LOCAL_MACHINE"
                     : request.hive == kClassesRoot  ? u"HKEY_CLASSES_ROOT"
                                                     : u"";
  request.subKey = TextArg(args, 1);
  if (hasValueName) request.valueName = TextArg(args, 2);
  return request;
}

std::u16string FullPath(const SRequest& request) { return request.rootName + u"\\" + request.subKey; }

// The key at path below root, to change; null when any part of it is missing.
CRegKey* KeyToChange(CRegKey& root, std::u16string_view path) {
  CRegKey* key = &root;
  for (const auto component : platform::SplitRegPath(path)) {
    key = key->FindSubkey(component);
    if (key == nullptr) return nullptr;
  }
  return key;
}

const CScriptRegistry& Registry() {
  // The folder follows the user's data folder as it is when the script runs.
  static thread_local std::string folder;
  static thread_local std::optional<CScriptRegistry> registry;
  const std::string now = CScriptRegistry::DefaultFolder();
  if (!registry || folder != now) {
    folder = now;
    registry.emplace(now);
  }
  return *registry;
}

const platform::CClassRegistry& ClassesRoot() {
  static const platform::CClassRegistry classes = platform::CClassRegistry::LoadDefault();
  return classes;
}

// ---- reading

std::vector<CVariant> MultiStrings(const CRegValue& value) {
  const std::u16string text = platform::Utf16LeBytesToText(
      std::string_view(reinterpret_cast<const char*>(value.data.data()), value.data.size()));
  std::vector<CVariant> items;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(u'\0', start);
    if (end == std::u16string::npos) end = text.size();
    if (end == start) break;  // the empty string that ends the list
    items.push_back(CVariant::String(text.substr(start, end - start)));
    start = end + 1;
  }
  return items;
}

uint64_t LittleEndian(const std::vector<uint8_t>& data, size_t bytes) {
  uint64_t number = 0;
  for (size_t i = 0; i < bytes && i < data.size(); ++i) number |= static_cast<uint64_t>(data[i]) << (8 * i);
  return number;
}

std::u16string Expanded(std::u16string_view text) {
  return platform::ExpandEnvironmentText(text, [](std::u16string_view name) -> std::optional<std::u16string> {
    const char* value = std::getenv(platform::Utf16ToUtf8(name).c_str());
    if (value == nullptr) return std::nullopt;
    return platform::Utf8ToUtf16(value);
  });
}

// The value as the Get method of its kind gives it; nothing when the value is of another kind.
std::optional<CVariant> Converted(const CRegValue& value, std::u16string_view method) {
  using wbem_text::SameName;
  if (SameName(method, u"GetStringValue")) {
    if (const auto text = value.AsString()) return CVariant::String(*text);
  } else if (SameName(method, u"GetExpandedStringValue")) {
    if (const auto text = value.AsString()) {
      return CVariant::String(value.Is(ERegType::ExpandString) ? Expanded(*text) : *text);
    }
  } else if (SameName(method, u"GetDWORDValue")) {
    if (const auto number = value.AsDword()) return wbem_value::Uint32(*number);
  } else if (SameName(method, u"GetQWORDValue")) {
    if (value.Is(ERegType::Qword) && value.data.size() == 8) return wbem_value::Uint64(LittleEndian(value.data, 8));
  } else if (SameName(method, u"GetMultiStringValue")) {
    if (value.Is(ERegType::MultiString)) return ArrayOf(MultiStrings(value));
  } else if (SameName(method, u"GetBinaryValue")) {
    if (value.Is(ERegType::Binary)) {
      std::vector<CVariant> bytes;
      for (const uint8_t byte : value.data) bytes.push_back(CVariant::Byte(byte));
      return ArrayOf(std::move(bytes));
    }
  }
  return std::nullopt;
}

CVariant GetValue(const SRequest& request, std::u16string_view method, std::span<CVariant> args) {
  SetOutParameter(args, 3, CVariant::Null());
  if (const auto problem = Problem(request)) return CVariant::Long(*problem);
  if (request.hive == kClassesRoot) {
    const auto& classes = ClassesRoot();
    if (!classes.KeyExists(request.subKey)) return CVariant::Long(kNoSuchKey);
    const auto text = request.valueName.empty() ? classes.ReadDefaultString(request.subKey)
                                                : classes.ReadString(request.subKey, request.valueName);
    if (!text) return CVariant::Long(kNoSuchValue);
    if (!wbem_text::SameName(method, u"GetStringValue") && !wbem_text::SameName(method, u"GetExpandedStringValue")) {
      return CVariant::Long(kTypeMismatch);
    }
    SetOutParameter(args, 3, CVariant::String(*text));
    return CVariant::Long(kDone);
  }
  int32_t result = kNoSuchKey;
  Registry().WritableHive(request.rootName)->Read([&](const CRegKey& root) {
    const CRegKey* key = root.FindPath(FullPath(request));
    if (key == nullptr) return;
    const CRegValue* value = key->FindValue(request.valueName);
    if (value == nullptr) {
      result = kNoSuchValue;
      return;
    }
    std::optional<CVariant> converted = Converted(*value, method);
    if (!converted) {
      result = kTypeMismatch;
      return;
    }
    SetOutParameter(args, 3, std::move(*converted));
    result = kDone;
  });
  return CVariant::Long(result);
}

// ---- writing

std::vector<CVariant> Elements(const CVariant& arg) {
  const CVariant& value = arg.Deref();
  if (!value.IsArray() || value.AsArray()->Dimensions() != 1) return {};
  std::vector<CVariant> items;
  for (size_t i = 0; i < value.AsArray()->Size(); ++i) items.push_back(value.AsArray()->At(i).Deref());
  return items;
}

std::vector<uint8_t> LittleEndianBytes(uint64_t number, size_t bytes) {
  std::vector<uint8_t> data;
  for (size_t i = 0; i < bytes; ++i) data.push_back(static_cast<uint8_t>(number >> (8 * i)));
  return data;
}

std::optional<uint64_t> WholeNumber(const CVariant& value, double largest) {
  if (value.IsString()) {
    const std::string digits = platform::Utf16ToUtf8(wbem_text::Trimmed(value.AsString()));
    char* end = nullptr;
    errno = 0;
    const unsigned long long number = std::strtoull(digits.c_str(), &end, 10);
    if (digits.empty() || digits[0] == '-' || *end != '\0' || errno == ERANGE) return std::nullopt;
    if (static_cast<double>(number) > largest) return std::nullopt;
    return number;
  }
  if (!value.IsNumeric()) return std::nullopt;
  const double number = std::round(value.ToDouble());
  // A negative 32-bit number is how VBScript writes &HFFFFFFFF and its like.
  if (number < 0 && number >= -2147483648.0 && largest <= 4294967295.0) {
    return static_cast<uint32_t>(static_cast<int32_t>(number));
  }
  if (number < 0 || number > largest) return std::nullopt;
  return static_cast<uint64_t>(number);
}

// The value a Set method writes, or nothing when the script's data does not fit its kind.
std::optional<CRegValue> MadeValue(const SRequest& request, std::u16string_view method, const CVariant& data) {
  using wbem_text::SameName;
  const CVariant& scalar = data.Deref();
  CRegValue made;
  made.name = request.valueName;
  if (SameName(method, u"SetStringValue") || SameName(method, u"SetExpandedStringValue")) {
    if (scalar.IsArray() || scalar.IsObject() || scalar.IsNull()) return std::nullopt;
    return CRegValue::MakeString(request.valueName, scalar.ToString(),
                                 SameName(method, u"SetStringValue") ? ERegType::String : ERegType::ExpandString);
  }
  if (SameName(method, u"SetDWORDValue")) {
    const auto number = WholeNumber(scalar, 4294967295.0);
    if (!number) return std::nullopt;
    return CRegValue::MakeDword(request.valueName, static_cast<uint32_t>(*number));
  }
  if (SameName(method, u"SetQWORDValue")) {
    const auto number = WholeNumber(scalar, 18446744073709551615.0);
    if (!number) return std::nullopt;
    made.type = static_cast<uint32_t>(ERegType::Qword);
    made.data = LittleEndianBytes(*number, 8);
    return made;
  }
  if (!scalar.IsArray()) return std::nullopt;
  if (SameName(method, u"SetBinaryValue")) {
    made.type = static_cast<uint32_t>(ERegType::Binary);
    for (const CVariant& item : Elements(scalar)) {
      const auto byte = WholeNumber(item, 255.0);
      if (!byte || *byte > 255) return std::nullopt;
      made.data.push_back(static_cast<uint8_t>(*byte));
    }
    return made;
  }
  made.type = static_cast<uint32_t>(ERegType::MultiString);
  for (const CVariant& item : Elements(scalar)) {
    if (item.IsArray() || item.IsObject() || item.IsNull()) return std::nullopt;
    for (const char16_t c : item.ToString()) {
      made.data.push_back(static_cast<uint8_t>(c & 0xFF));
      made.data.push_back(static_cast<uint8_t>(c >> 8));
    }
    made.data.insert(made.data.end(), {0, 0});
  }
  made.data.insert(made.data.end(), {0, 0});
  return made;
}

// Changes an existing key of a writable hive; change answers the method's return value and
// whether the file is to be written.
CVariant ChangeKey(const SRequest& request, const std::function<int32_t(CRegKey& root)>& change) {
  if (const auto problem = Problem(request)) return CVariant::Long(*problem);
  platform::CScriptHive* hive = Registry().WritableHive(request.rootName);
  if (hive == nullptr) return CVariant::Long(kAccessDenied);
  int32_t result = kDone;
  const bool written = hive->Write([&](CRegKey& root) {
    result = change(root);
    return result == kDone;
  });
  return CVariant::Long(result == kDone && !written ? kAccessDenied : result);
}

CVariant SetValue(const SRequest& request, std::u16string_view method, std::span<CVariant> args) {
  const std::optional<CRegValue> made = MadeValue(request, method, args.size() > 3 ? args[3] : CVariant());
  if (!made) return CVariant::Long(kTypeMismatch);
  return ChangeKey(request, [&](CRegKey& root) {
    CRegKey* key = KeyToChange(root, FullPath(request));
    if (key == nullptr) return kNoSuchKey;
    key->SetValue(*made);
    return kDone;
  });
}

CVariant DeleteKey(const SRequest& request) {
  return ChangeKey(request, [&](CRegKey& root) {
    const auto components = platform::SplitRegPath(request.subKey);
    if (components.empty()) return kAccessDenied;  // the hive's root stays
    const std::u16string leaf(components.back());
    std::u16string parentPath = request.rootName;
    for (size_t i = 0; i + 1 < components.size(); ++i) parentPath += u"\\" + std::u16string(components[i]);
    CRegKey* parent = KeyToChange(root, parentPath);
    CRegKey* key = parent != nullptr ? parent->FindSubkey(leaf) : nullptr;
    if (key == nullptr) return kNoSuchKey;
    if (!key->Subkeys().empty()) return kAccessDenied;  // as Windows, only a key without subkeys goes
    parent->RemoveSubkey(leaf);
    return kDone;
  });
}

CVariant DeleteValue(const SRequest& request) {
  return ChangeKey(request, [&](CRegKey& root) {
    CRegKey* key = KeyToChange(root, FullPath(request));
    if (key == nullptr || !key->RemoveValue(request.valueName)) return kNoSuchKey;
    return kDone;
  });
}

// ---- listing

CVariant EnumKey(const SRequest& request, std::span<CVariant> args) {
  SetOutParameter(args, 2, CVariant::Null());
  if (const auto problem = Problem(request)) return CVariant::Long(*problem);
  std::vector<CVariant> names;
  bool found = false;
  if (request.hive == kClassesRoot) {
    found = request.subKey.empty() || ClassesRoot().KeyExists(request.subKey);
    for (const auto& name : ClassesRoot().SubkeyNames(request.subKey)) names.push_back(CVariant::String(name));
  } else {
    Registry().WritableHive(request.rootName)->Read([&](const CRegKey& root) {
      const CRegKey* key = root.FindPath(FullPath(request));
      found = key != nullptr;
      if (found) {
        for (const auto& subkey : key->Subkeys()) names.push_back(CVariant::String(subkey->Name()));
      }
    });
  }
  if (!found) return CVariant::Long(kNoSuchKey);
  // A key without subkeys gives Null, not an empty array: scripts test IsNull before For Each.
  if (!names.empty()) SetOutParameter(args, 2, ArrayOf(std::move(names)));
  return CVariant::Long(kDone);
}

CVariant EnumValues(const SRequest& request, std::span<CVariant> args) {
  SetOutParameter(args, 2, CVariant::Null());
  SetOutParameter(args, 3, CVariant::Null());
  if (const auto problem = Problem(request)) return CVariant::Long(*problem);
  std::vector<CVariant> names;
  std::vector<CVariant> types;
  bool found = false;
  if (request.hive == kClassesRoot) {
    found = ClassesRoot().KeyExists(request.subKey);
    for (const auto& name : ClassesRoot().ValueNames(request.subKey)) {
      names.push_back(CVariant::String(name));
      types.push_back(CVariant::Long(static_cast<int32_t>(ERegType::String)));
    }
  } else {
    Registry().WritableHive(request.rootName)->Read([&](const CRegKey& root) {
      const CRegKey* key = root.FindPath(FullPath(request));
      found = key != nullptr;
      if (!found) return;
      for (const CRegValue& value : key->Values()) {
        names.push_back(CVariant::String(value.name));
        types.push_back(CVariant::Long(static_cast<int32_t>(value.type)));
      }
    });
  }
  if (!found) return CVariant::Long(kNoSuchKey);
  if (!names.empty()) {
    SetOutParameter(args, 2, ArrayOf(std::move(names)));
    SetOutParameter(args, 3, ArrayOf(std::move(types)));
  }
  return CVariant::Long(kDone);
}

CVariant CheckAccess(const SRequest& request, std::span<CVariant> args) {
  SetOutParameter(args, 3, CVariant::Boolean(false));
  if (const auto problem = Problem(request)) return CVariant::Long(*problem);
  const auto required = args.size() > 2 ? WholeNumber(args[2].Deref(), 4294967295.0) : std::optional<uint64_t>(1);
  if (!required) return CVariant::Long(kInvalidParameter);
  const bool readOnly = (*required & ~static_cast<uint64_t>(kReadRights)) == 0;
  bool found = false;
  bool writable = false;
  if (request.hive == kClassesRoot) {
    found = request.subKey.empty() || ClassesRoot().KeyExists(request.subKey);
  } else {
    platform::CScriptHive* hive = Registry().WritableHive(request.rootName);
    hive->Read([&](const CRegKey& root) { found = root.FindPath(FullPath(request)) != nullptr; });
    const std::string folder = hive->FilePath().substr(0, hive->FilePath().rfind('/'));
    writable = ::access(hive->Exists() ? hive->FilePath().c_str() : folder.c_str(), W_OK) == 0;
  }
  if (!found) return CVariant::Long(kNoSuchKey);
  const bool granted = readOnly || writable;
  SetOutParameter(args, 3, CVariant::Boolean(granted));
  return CVariant::Long(granted ? kDone : kAccessDenied);
}

}  // namespace

CVariant CRegistryProvider::CallMethod(SWbemInstance& instance, const platform::SWmiMethod& method,
                                       std::span<CVariant> args) {
  using wbem_text::SameName;
  using wbem_text::StartsWithName;
  const std::u16string_view name = method.name;
  const bool takesValueName = StartsWithName(name, u"Get") || StartsWithName(name, u"Set") ||
                              SameName(name, u"DeleteValue");
  const SRequest request = RequestOf(args, takesValueName);
  if (StartsWithName(name, u"Get")) return GetValue(request, name, args);
  const bool writes = StartsWithName(name, u"Set") || StartsWithName(name, u"Delete") || SameName(name, u"CreateKey");
  if (writes && request.hive == kClassesRoot) return CVariant::Long(kAccessDenied);
  if (StartsWithName(name, u"Set")) return SetValue(request, name, args);
  if (SameName(name, u"EnumKey")) return EnumKey(request, args);
  if (SameName(name, u"EnumValues")) return EnumValues(request, args);
  if (SameName(name, u"CheckAccess")) return CheckAccess(request, args);
  if (SameName(name, u"DeleteKey")) return DeleteKey(request);
  if (SameName(name, u"DeleteValue")) return DeleteValue(request);
  if (SameName(name, u"CreateKey")) {
    return ChangeKey(request, [&](CRegKey& root) {
      root.OpenOrCreatePath(FullPath(request));
      return kDone;
    });
  }
  return CWbemProvider::CallMethod(instance, method, args);
}

}  // namespace quillet::engine

#include "engine/objects/wmi/WbemObjectPathObject.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <utility>
#include <vector>

#include "engine/objects/wmi/WbemClasses.h"
#include "engine/objects/wmi/WbemDispIds.h"
#include "engine/objects/wmi/WbemErrors.h"
#include "engine/objects/wmi/WbemMoniker.h"
#include "engine/objects/wmi/WbemObjectPath.h"
#include "engine/objects/wmi/WbemSecurityObject.h"
#include "engine/objects/wmi/WbemText.h"
#include "engine/vm/VirtualMachine.h"
#include "platform/WmiCatalog.h"

namespace quillet::engine {

namespace {

using namespace wbem_text;

constexpr std::u16string_view kSource = u"SWbemObjectPath";

constexpr std::array<std::u16string_view, 4> kImpersonationNames = {u"anonymous", u"identify", u"impersonate",
                                                                    u"delegate"};
constexpr std::array<std::u16string_view, 7> kAuthenticationNames = {
    u"default", u"none", u"connect", u"call", u"pkt", u"pktIntegrity", u"pktPrivacy"};

// Quotes and backslashes in a key value are escaped, as object paths write them.
std::u16string QuotedKey(std::u16string_view text) {
  std::u16string out = u"\"";
  for (const char16_t c : text) {
    if (c == u'"' || c == u'\\') out += u'\\';
    out += c;
  }
  return out + u"\"";
}

std::u16string KeyText(const CVariant& value) {
  if (value.IsString()) return QuotedKey(value.AsString());
  if (value.Type() == EVarType::Boolean) return value.AsBool() ? u"TRUE" : u"FALSE";
  if (value.IsNumeric()) return value.ToString();
  return QuotedKey(value.IsNull() || value.IsEmpty() ? std::u16string() : value.ToString());
}

// A key value read from a path is text; it becomes a number when the class says the key is
// one (or, for a class the catalogue lacks, when it reads as one).
CVariant KeyValue(const std::u16string& nameSpace, const std::u16string& className, const std::u16string& key,
                  const std::u16string& text) {
  const platform::SWmiClass* cls = platform::CWmiCatalog::Installed().Find(nameSpace, className);
  bool numeric = false;
  if (cls != nullptr) {
    const int index = cls->PropertyIndex(key);
    const platform::ECimType type = index >= 0 ? cls->properties[static_cast<size_t>(index)].type : platform::ECimType::String;
    numeric = type != platform::ECimType::String && type != platform::ECimType::Datetime &&
              type != platform::ECimType::Reference && type != platform::ECimType::Char16;
  }
  const std::string digits(text.begin(), text.end());
  char* end = nullptr;
  const double number = std::strtod(digits.c_str(), &end);
  const bool readsAsNumber = !digits.empty() && end == digits.c_str() + digits.size();
  if (readsAsNumber && (numeric || cls == nullptr)) {
    const bool whole = number == static_cast<double>(static_cast<long long>(number));
    return whole && number >= -2147483648.0 && number <= 2147483647.0 ? CVariant::Long(static_cast<int32_t>(number))
                                                                      : CVariant::Double(number);
  }
  return CVariant::String(text);
}

// The one key of a class, for Class="value" paths; empty when it has none or several.
std::u16string SoleKey(const std::u16string& nameSpace, const std::u16string& className) {
  const platform::SWmiClass* cls = platform::CWmiCatalog::Installed().Find(nameSpace, className);
  if (cls == nullptr) return {};
  std::u16string sole;
  for (const platform::SWmiProperty& property : cls->properties) {
    if (!property.isKey) continue;
    if (!sole.empty()) return {};
    sole = property.name;
  }
  return sole;
}

}  // namespace

CWbemObjectPathObject::CWbemObjectPathObject(SWbemPathParts parts, SWbemConnection connection)
    : CAutomationObject(DispatchTableOf<kWbemObjectPathClass>()),
      m_parts(std::move(parts)),
      m_connection(std::move(connection)) {}

std::u16string CWbemObjectPathObject::RelPath() const {
  if (m_parts.className.empty()) return {};
  if (m_parts.keys->empty()) return m_parts.className + (m_parts.isSingleton ? u"=@" : u"");
  std::vector<const SWbemNamedValue*> keys;
  for (const auto& key : *m_parts.keys) keys.push_back(key.get());
  std::stable_sort(keys.begin(), keys.end(), [](const auto* a, const auto* b) { return Lowered(a->name) < Lowered(b->name); });
  // An unnamed key (a class the catalogue lacks, written Class="value") keeps the short form.
  if (keys.size() == 1 && keys[0]->name.empty()) return m_parts.className + u"=" + KeyText(keys[0]->value.Deref());
  std::u16string path = m_parts.className;
  for (size_t k = 0; k < keys.size(); ++k) {
    path += (k == 0 ? u"." : u",") + keys[k]->name + u"=" + KeyText(keys[k]->value.Deref());
  }
  return path;
}

std::u16string CWbemObjectPathObject::FullPath() const {
  std::u16string path;
  if (!m_parts.server.empty()) path += u"\\\\" + m_parts.server + u"\\";
  if (!m_parts.nameSpace.empty()) path += m_parts.nameSpace + (m_parts.className.empty() ? u"" : u":");
  return path + RelPath();
}

// The path as a moniker, with the security settings of the connection it came through.
std::u16string CWbemObjectPathObject::DisplayName() const {
  const SWbemSecuritySettings& security = *m_connection.security;
  std::u16string text = u"WINMGMTS:{";
  const auto level = static_cast<size_t>(security.authenticationLevel);
  if (level < kAuthenticationNames.size()) text += u"authenticationLevel=" + std::u16string(kAuthenticationNames[level]) + u",";
  const auto impersonation = static_cast<size_t>(security.impersonationLevel - 1);
  if (impersonation < kImpersonationNames.size()) {
    text += u"impersonationLevel=" + std::u16string(kImpersonationNames[impersonation]);
  }
  return text + u"}!" + FullPath();
}

// An empty text clears the path; anything else must read as one (else invalid object path,
// and the path stays as it was).
void CWbemObjectPathObject::SetRelPath(std::u16string_view text) {
  SWbemObjectPath path;
  if (!Trimmed(text).empty()) path = ParseObjectPath(text);
  m_parts.keys->clear();
  m_parts.className = path.className;
  m_parts.isSingleton = path.singleton;
  for (const auto& [name, value] : path.keys) {
    const std::u16string key = name.empty() ? SoleKey(m_parts.nameSpace, path.className) : name;
    m_parts.keys->push_back(std::make_shared<SWbemNamedValue>(
        SWbemNamedValue{key, KeyValue(m_parts.nameSpace, path.className, key, value)}));
  }
}

// \\server\namespace:relpath, namespace:relpath or relpath alone.
void CWbemObjectPathObject::SetPath(std::u16string_view text) {
  text = Trimmed(text);
  std::u16string server;
  if (text.starts_with(u"\\\\") || text.starts_with(u"//")) {
    const size_t end = text.find_first_of(u"\\/", 2);
    if (end == std::u16string_view::npos || end == 2) wbem_error::Raise(wbem_error::kInvalidObjectPath, kSource);
    server = std::u16string(text.substr(2, end - 2));
    text.remove_prefix(end + 1);
  }
  std::u16string nameSpace;
  const size_t colon = text.find(u':');
  const size_t quote = text.find_first_of(u"\"'");
  if (colon != std::u16string_view::npos && (quote == std::u16string_view::npos || colon < quote)) {
    nameSpace = std::u16string(text.substr(0, colon));
    text.remove_prefix(colon + 1);
  } else if (!server.empty()) {
    nameSpace = std::u16string(text);  // \\server\namespace names the namespace alone
    text = {};
  }
  std::replace(nameSpace.begin(), nameSpace.end(), u'/', u'\\');
  if (!Trimmed(text).empty()) (void)ParseObjectPath(text);  // refused before anything changes
  m_parts.server = server;
  m_parts.nameSpace = nameSpace;
  SetRelPath(text);
}

void CWbemObjectPathObject::SetDisplayName(std::u16string_view text) {
  const SWbemMoniker moniker = ParseWbemMoniker(text);
  if (!Trimmed(moniker.objectPath).empty()) (void)ParseObjectPath(moniker.objectPath);
  m_parts.server = moniker.server.empty() ? u"." : moniker.server;
  m_parts.nameSpace = moniker.nameSpace.empty() ? std::u16string(u"root\\cimv2") : moniker.nameSpace;
  SetRelPath(moniker.objectPath);
  *m_connection.security = moniker.security;
}

CVariant CWbemObjectPathObject::Write(const om::SMember& member, const CVariant& value) {
  namespace id = wbem_id::WbemObjectPath;
  const std::u16string text = LetValue(value).ToString();
  switch (member.dispId) {
    case id::Path: SetPath(text); return {};
    case id::RelPath: SetRelPath(text); return {};
    case id::Server: m_parts.server = text; return {};
    case id::Namespace: m_parts.nameSpace = text; return {};
    case id::DisplayName: SetDisplayName(text); return {};
    case id::Class:
      if (!text.empty() && !std::all_of(text.begin(), text.end(), wbem_text::IsNameChar)) {
        wbem_error::Raise(wbem_error::kInvalidParameter, kSource);
      }
      m_parts.className = text;
      return {};
    default: wbem_error::RaiseNotAvailable(kSource, member.name);
  }
}

CVariant CWbemObjectPathObject::InvokeMember(const om::SMember& member, std::span<CVariant> args) {
  namespace id = wbem_id::WbemObjectPath;
  if (member.kind == om::EMemberKind::PropertyLet) return Write(member, args[0]);
  switch (member.dispId) {
    case id::Path: return CVariant::String(FullPath());
    case id::RelPath: return CVariant::String(RelPath());
    case id::Server: return CVariant::String(m_parts.server);
    case id::Namespace: return CVariant::String(m_parts.nameSpace);
    case id::ParentNamespace: {
      const size_t slash = m_parts.nameSpace.rfind(u'\\');
      return CVariant::String(slash == std::u16string::npos ? std::u16string() : m_parts.nameSpace.substr(0, slash));
    }
    case id::DisplayName: return CVariant::String(DisplayName());
    case id::Class: return CVariant::String(m_parts.className);
    case id::IsClass: return CVariant::Boolean(IsClass());
    case id::IsSingleton: return CVariant::Boolean(m_parts.isSingleton && m_parts.keys->empty());
    case id::SetAsClass:
      m_parts.keys->clear();
      m_parts.isSingleton = false;
      return {};
    case id::SetAsSingleton:
      m_parts.keys->clear();
      m_parts.isSingleton = true;
      return {};
    case id::Keys: return CVariant::Object(new CWbemNamedValueSetObject(m_parts.keys));
    case id::Security_: return CVariant::Object(new CWbemSecurityObject(m_connection.security));
    case id::Locale: return CVariant::String(m_connection.security->locale);
    case id::Authority: return CVariant::String(m_connection.security->authority);
    default: wbem_error::RaiseNotAvailable(kSource, member.name);
  }
}

}  // namespace quillet::engine

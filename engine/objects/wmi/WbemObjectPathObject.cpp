#include "engine/objects/wmi/WbemObjectPathObject.h"

#include <array>
#include <utility>

#include "engine/objects/wmi/WbemClasses.h"
#include "engine/objects/wmi/WbemDispIds.h"
#include "engine/objects/wmi/WbemErrors.h"
#include "engine/objects/wmi/WbemSecurityObject.h"

namespace quillet::engine {

namespace {

constexpr std::u16string_view kSource = u"SWbemObjectPath";

constexpr std::array<std::u16string_view, 4> kImpersonationNames = {u"anonymous", u"identify", u"impersonate",
                                                                    u"delegate"};
constexpr std::array<std::u16string_view, 7> kAuthenticationNames = {
    u"default", u"none", u"connect", u"call", u"pkt", u"pktIntegrity", u"pktPrivacy"};

}  // namespace

CWbemObjectPathObject::CWbemObjectPathObject(SWbemPathParts parts, SWbemConnection connection)
    : CAutomationObject(DispatchTableOf<kWbemObjectPathClass>()),
      m_parts(std::move(parts)),
      m_connection(std::move(connection)) {}

std::u16string CWbemObjectPathObject::FullPath() const {
  return u"\\\\" + m_parts.server + u"\\" + m_parts.nameSpace + u":" + m_parts.relPath;
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

CVariant CWbemObjectPathObject::InvokeMember(const om::SMember& member, std::span<CVariant>) {
  namespace id = wbem_id::WbemObjectPath;
  if (member.kind != om::EMemberKind::PropertyGet && member.kind != om::EMemberKind::Method) {
    wbem_error::RaiseNotAvailable(kSource, member.name);  // paths here describe objects; they are not edited
  }
  switch (member.dispId) {
    case id::Path: return CVariant::String(FullPath());
    case id::RelPath: return CVariant::String(m_parts.relPath);
    case id::Server: return CVariant::String(m_parts.server);
    case id::Namespace: return CVariant::String(m_parts.nameSpace);
    case id::ParentNamespace: {
      const size_t slash = m_parts.nameSpace.rfind(u'\\');
      return CVariant::String(slash == std::u16string::npos ? std::u16string() : m_parts.nameSpace.substr(0, slash));
    }
    case id::DisplayName: return CVariant::String(DisplayName());
    case id::Class: return CVariant::String(m_parts.className);
    case id::IsClass: return CVariant::Boolean(m_parts.isClass);
    case id::IsSingleton: return CVariant::Boolean(m_parts.isSingleton);
    case id::Security_: return CVariant::Object(new CWbemSecurityObject(m_connection.security));
    case id::Locale: return CVariant::String(m_connection.security->locale);
    case id::Authority: return CVariant::String(m_connection.security->authority);
    default: wbem_error::RaiseNotAvailable(kSource, member.name);
  }
}

}  // namespace quillet::engine

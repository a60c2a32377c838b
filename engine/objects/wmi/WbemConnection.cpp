#include "engine/objects/wmi/WbemConnection.h"

#include <unistd.h>

#include <array>
#include <climits>

#include "engine/objects/wmi/WbemErrors.h"
#include "engine/objects/wmi/WbemText.h"
#include "engine/runtime/ScriptError.h"
#include "platform/TextConvert.h"

namespace quillet::engine {

namespace {

using namespace wbem_text;

constexpr int32_t kLocalCredentials = static_cast<int32_t>(0x80041064);

constexpr std::array<std::u16string_view, 3> kNamespaces = {u"root\\cimv2", u"root\\default", u"root"};

std::u16string HostName() {
  std::array<char, HOST_NAME_MAX + 1> name{};
  if (gethostname(name.data(), name.size() - 1) != 0) return {};
  return platform::Utf8ToUtf16(name.data());
}

// "" when the namespace is not one this system has.
std::u16string_view KnownNamespace(std::u16string_view name) {
  std::u16string normal(Trimmed(name));
  for (char16_t& c : normal) {
    if (c == u'/') c = u'\\';
  }
  if (normal.empty()) return kNamespaces[0];
  for (const std::u16string_view known : kNamespaces) {
    if (SameName(normal, known)) return known;
  }
  return {};
}

}  // namespace

bool IsThisComputer(std::u16string_view server) {
  server = Trimmed(server);
  if (server.empty() || server == u"." || SameName(server, u"localhost") || server == u"127.0.0.1" ||
      server == u"::1") {
    return true;
  }
  const std::u16string host = HostName();
  if (host.empty()) return false;
  const std::u16string_view shortHost = std::u16string_view(host).substr(0, host.find(u'.'));
  return SameName(server, host) || SameName(server, shortHost);
}

SWbemConnection ConnectWbem(std::u16string_view server, std::u16string_view nameSpace, std::u16string_view user,
                            const SWbemSecuritySettings& security) {
  if (!IsThisComputer(server)) wbem_error::Raise(wbem_error::kServerUnavailable, u"SWbemLocator");
  if (!Trimmed(user).empty()) {
    throw CScriptError(kLocalCredentials, u"User credentials cannot be used for local connections",
                       u"SWbemLocator");
  }
  const std::u16string_view known = KnownNamespace(nameSpace);
  if (known.empty()) wbem_error::Raise(wbem_error::kInvalidNamespace, u"SWbemLocator");
  const std::u16string_view given = Trimmed(server);
  return SWbemConnection{given.empty() ? u"." : std::u16string(given), std::u16string(known),
                         std::make_shared<SWbemSecuritySettings>(security)};
}

}  // namespace quillet::engine

#include "typeinfo/ProgIdResolver.h"

#include "platform/ClassRegistry.h"
#include "platform/TextConvert.h"
#include "typeinfo/ReferenceStore.h"
#include "typeinfo/TypeLibLocator.h"
#include "typeinfo/TypeLibrary.h"

namespace quillet::typeinfo {

namespace {

using platform::CClassRegistry;

// A registered file: the default value of the key, within Windows' length limit, as a Linux path.
std::optional<std::u16string> RegisteredFile(const CClassRegistry& registry, std::u16string_view key) {
  const auto value = registry.ReadDefaultString(key);
  if (!value || value->empty() || value->size() > kMaxRegistryPathLength) return std::nullopt;
  return platform::Utf8ToUtf16(registry.MapToLinuxPath(*value));
}

}  // namespace

bool LibraryHasCoClass(std::u16string_view clsid, std::u16string_view path) {
  if (clsid.empty() || path.empty()) return false;
  // Imports are not needed to see a library's own classes, so no registry is passed.
  const auto library = CTypeLibrary::LoadFile(platform::Utf16ToUtf8(path), nullptr);
  if (!library) return false;
  for (int i = 0; i < library->TypeInfoCount(); ++i) {
    if (library->TypeKind(i) != ETypeKind::CoClass) continue;
    if (platform::EqualsIgnoringAsciiCase(GuidToString(library->TypeInfo(i)->guid), clsid)) return true;
  }
  return false;
}

std::optional<std::u16string> FindRegisteredTypeLibPath(const CClassRegistry& registry,
                                                         std::u16string_view typeLibGuid,
                                                         std::u16string_view clsid) {
  if (typeLibGuid.empty()) return std::nullopt;
  const std::u16string base = u"TypeLib\\" + std::u16string(typeLibGuid);
  for (const std::u16string& version : registry.SubkeyNames(base)) {
    if (version.size() > kMaxKeyNameLength) continue;
    const auto path = RegisteredFile(registry, base + u"\\" + version + u"\\0\\win32");
    if (path && LibraryHasCoClass(clsid, *path)) return path;
  }
  return std::nullopt;
}

CProgIdResolver::CProgIdResolver(std::shared_ptr<const CClassRegistry> registry, IReferenceStore& references,
                                 ITypeLibLocator* locator)
    : m_registry(std::move(registry)), m_references(references), m_locator(locator) {}

SResolvedProgId CProgIdResolver::ResolveProgID(std::u16string_view progId) const {
  SResolvedProgId result;
  if (progId.empty() || !m_registry) return result;
  const auto clsid = m_registry->ReadDefaultString(std::u16string(progId) + u"\\CLSID");
  if (!clsid || clsid->empty() || clsid->size() > kMaxClsidLength) return result;
  result.clsid = *clsid;

  // A remembered reference is final, also when it no longer fits: the user corrects it in the
  // References dialog rather than paying for a search each time the script is analysed.
  if (std::u16string stored = m_references.Read(progId); !stored.empty()) {
    if (LibraryHasCoClass(result.clsid, stored)) result.path = std::move(stored);
    return result;
  }
  if (const auto registered = RegisteredPath(result.clsid)) {
    result.path = *registered;
    return result;
  }
  if (const auto server = ServerPath(result.clsid)) {
    result.path = *server;
    return result;
  }
  result.path = Locate(progId, result.clsid);
  return result;
}

// A class that names its type library is answered by the registered versions alone: the empty
// path when none of them declares the class. Nothing of either is remembered.
std::optional<std::u16string> CProgIdResolver::RegisteredPath(std::u16string_view clsid) const {
  const std::u16string key = u"CLSID\\" + std::u16string(clsid) + u"\\TypeLib";
  if (!m_registry->KeyExists(key)) return std::nullopt;
  const auto guid = m_registry->ReadDefaultString(key);
  if (!guid || guid->size() > kMaxKeyNameLength) return std::u16string();
  return FindRegisteredTypeLibPath(*m_registry, *guid, clsid).value_or(std::u16string());
}

std::optional<std::u16string> CProgIdResolver::ServerPath(std::u16string_view clsid) const {
  for (const char16_t* server : {u"\\InprocServer32", u"\\LocalServer32"}) {
    const auto path = RegisteredFile(*m_registry, u"CLSID\\" + std::u16string(clsid) + server);
    if (path && LibraryHasCoClass(clsid, *path)) return path;
  }
  return std::nullopt;
}

std::u16string CProgIdResolver::Locate(std::u16string_view progId, std::u16string_view clsid) const {
  std::u16string found = m_locator ? m_locator->LocateTypeLibrary(clsid) : std::u16string();
  m_references.Write(progId, found.empty() ? kUnknownReference : std::u16string_view(found));
  return found;
}

}  // namespace quillet::typeinfo

#include "editor/TypeInformation.h"

#include "platform/ClassRegistry.h"

namespace quillet::editor {

CTypeInformation::CTypeInformation() : m_references(&m_sessionReferences) {}

CTypeInformation::CTypeInformation(typeinfo::CTypeLibrary::RegistryPtr registry)
    : m_registry(std::move(registry)), m_references(&m_sessionReferences) {}

CTypeInformation::CTypeInformation(typeinfo::CTypeLibrary::RegistryPtr registry,
                                   typeinfo::IReferenceStore& references, typeinfo::ITypeLibLocator* locator)
    : m_registry(std::move(registry)), m_references(&references), m_locator(locator) {}

CTypeInformation::CTypeInformation(typeinfo::IReferenceStore& references, LocatorFactory makeLocator)
    : m_references(&references), m_makeLocator(std::move(makeLocator)) {}

void CTypeInformation::Load() {
  if (m_resolver) return;
  if (!m_registry) {
    m_registry = std::make_shared<const platform::CClassRegistry>(platform::CClassRegistry::LoadDefault());
  }
  if (m_makeLocator) {
    m_ownLocator = m_makeLocator(m_registry);
    m_locator = m_ownLocator.get();
  }
  m_resolver = std::make_unique<typeinfo::CProgIdResolver>(m_registry, *m_references, m_locator);
}

const typeinfo::CProgIdResolver& CTypeInformation::Resolver() {
  Load();
  return *m_resolver;
}

const typeinfo::CTypeLibrary::RegistryPtr& CTypeInformation::Registry() {
  Load();
  return m_registry;
}

std::u16string CTypeInformation::CSessionReferences::Read(std::u16string_view progId) const {
  const auto found = m_references.find(std::u16string(progId));
  return found == m_references.end() ? std::u16string() : found->second;
}

bool CTypeInformation::CSessionReferences::Write(std::u16string_view progId, std::u16string_view path) {
  m_references[std::u16string(progId)] = path;
  return true;
}

bool CTypeInformation::CSessionReferences::ReplaceAll(const std::map<std::u16string, std::u16string>& references) {
  m_references = references;
  return true;
}

}  // namespace quillet::editor

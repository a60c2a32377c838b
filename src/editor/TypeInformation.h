#pragma once
// Where IntelliSense finds the classes a script creates: the class registrations (the ones
// installed with the engine, then a Wine prefix's) and a resolver of ProgIDs over them. Reading
// a prefix's hives takes a while, so the default is read on the first request, not when a view
// opens.

#include <map>
#include <memory>
#include <string>

#include "typeinfo/ProgIdResolver.h"
#include "typeinfo/ReferenceStore.h"
#include "typeinfo/TypeLibrary.h"

namespace quillet::typeinfo {
class ITypeLibLocator;
}

namespace quillet::editor {

class CTypeInformation {
 public:
  // The installed registrations and the user's prefix; references kept for this session only.
  CTypeInformation();
  // The given registrations and references; the locator (may be null) is the last resort of the
  // resolver. references and locator must outlive this object.
  CTypeInformation(typeinfo::CTypeLibrary::RegistryPtr registry, typeinfo::IReferenceStore& references,
                   typeinfo::ITypeLibLocator* locator);

  [[nodiscard]] const typeinfo::CProgIdResolver& Resolver();
  [[nodiscard]] const typeinfo::CTypeLibrary::RegistryPtr& Registry();

 private:
  // A resolver that found nothing remembers it here rather than in the user's settings.
  class CSessionReferences final : public typeinfo::IReferenceStore {
   public:
    [[nodiscard]] std::u16string Read(std::u16string_view progId) const override;
    bool Write(std::u16string_view progId, std::u16string_view path) override;
    [[nodiscard]] std::map<std::u16string, std::u16string> ReadAll() const override { return m_references; }
    bool ReplaceAll(const std::map<std::u16string, std::u16string>& references) override;

   private:
    std::map<std::u16string, std::u16string> m_references;
  };

  void Load();

  typeinfo::CTypeLibrary::RegistryPtr m_registry;
  CSessionReferences m_sessionReferences;
  typeinfo::IReferenceStore* m_references;
  typeinfo::ITypeLibLocator* m_locator = nullptr;
  std::unique_ptr<typeinfo::CProgIdResolver> m_resolver;
};

}  // namespace quillet::editor

#pragma once
// Where IntelliSense finds the classes a script creates: the class registrations (the ones
// installed with the engine, then a Wine prefix's) and a resolver of ProgIDs over them. Reading
// a prefix's hives takes a while, so the default is read on the first request, not when a view
// opens.

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "typeinfo/ProgIdResolver.h"
#include "typeinfo/ReferenceStore.h"
#include "typeinfo/TypeLibLocator.h"
#include "typeinfo/TypeLibrary.h"

namespace quillet::editor {

class CTypeInformation {
 public:
  using LocatorFactory =
      std::function<std::unique_ptr<typeinfo::ITypeLibLocator>(const typeinfo::CTypeLibrary::RegistryPtr&)>;

  // The installed registrations and the user's prefix; references kept for this session only.
  CTypeInformation();
  // The given registrations (null: the installed ones, read on first use); references kept for
  // this session only.
  explicit CTypeInformation(typeinfo::CTypeLibrary::RegistryPtr registry);
  // The given registrations and references; the locator (may be null) is the last resort of the
  // resolver. references and locator must outlive this object.
  CTypeInformation(typeinfo::CTypeLibrary::RegistryPtr registry, typeinfo::IReferenceStore& references,
                   typeinfo::ITypeLibLocator* locator);
  // The installed registrations and the user's prefix, read on first use, with the user's
  // references and a locator made then for those registrations.
  CTypeInformation(typeinfo::IReferenceStore& references, LocatorFactory makeLocator);

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
  LocatorFactory m_makeLocator;
  std::unique_ptr<typeinfo::ITypeLibLocator> m_ownLocator;
  std::unique_ptr<typeinfo::CProgIdResolver> m_resolver;
};

}  // namespace quillet::editor

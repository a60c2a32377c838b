#pragma once
// The engine's generated class registrations and type libraries, as the editor reads them with
// no Wine prefix, and a resolver of ProgIDs over them.

#include <map>
#include <memory>
#include <string>

#include "platform/ClassRegistry.h"
#include "typeinfo/ProgIdResolver.h"
#include "typeinfo/ReferenceStore.h"

namespace quillet::intellisense::test {

inline constexpr char16_t kDictionaryClsid[] = u"{EE09B103-97E0-11CF-978F-00A02463E06F}";
inline constexpr char16_t kFileSystemClsid[] = u"{0D43FE01-F093-11CF-8940-00A0C9054228}";

inline std::u16string GeneratedLibrary(const char* fileName) {
  std::u16string path;
  for (const char* c = QUILLET_CLASSES_DIR; *c != '\0'; ++c) path += static_cast<char16_t>(*c);
  path += u'/';
  for (const char* c = fileName; *c != '\0'; ++c) path += static_cast<char16_t>(*c);
  return path;
}

class CMemoryReferences final : public typeinfo::IReferenceStore {
 public:
  [[nodiscard]] std::u16string Read(std::u16string_view progId) const override {
    const auto found = m_references.find(std::u16string(progId));
    return found == m_references.end() ? std::u16string() : found->second;
  }
  bool Write(std::u16string_view progId, std::u16string_view path) override {
    m_references[std::u16string(progId)] = path;
    return true;
  }
  [[nodiscard]] std::map<std::u16string, std::u16string> ReadAll() const override { return m_references; }
  bool ReplaceAll(const std::map<std::u16string, std::u16string>& references) override {
    m_references = references;
    return true;
  }

 private:
  std::map<std::u16string, std::u16string> m_references;
};

struct SGeneratedClasses {
  SGeneratedClasses() {
    auto hive = std::make_shared<platform::CClassRegistry>();
    loaded = hive->AddQuilletHive(std::string(QUILLET_CLASSES_DIR) + "/classes.reg");
    registry = hive;
    resolver = std::make_unique<typeinfo::CProgIdResolver>(registry, references, nullptr);
  }

  bool loaded = false;
  std::shared_ptr<const platform::CClassRegistry> registry;
  CMemoryReferences references;
  std::unique_ptr<typeinfo::CProgIdResolver> resolver;
};

}  // namespace quillet::intellisense::test

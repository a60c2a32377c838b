#pragma once
// A loaded type library with the queries the catalogue and IntelliSense ask of it: counts,
// kinds, documentation, attributes, member descriptions, names, implemented types and the types
// they refer to, also in imported libraries (found through the class registry's registered type
// libraries and loaded on first use). Not for use from two threads at once: imports load lazily.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "typeinfo/TypeLibDesc.h"

namespace quillet::platform {
class CClassRegistry;
}

namespace quillet::typeinfo {

class CTypeLibrary;

struct SDocumentation {
  std::u16string name;
  std::u16string docString;
  std::uint32_t helpContext = 0;
  std::u16string helpFile;
};

// A type inside some library; valid while the library that resolved it lives.
struct STypeHandle {
  const CTypeLibrary* library = nullptr;
  int index = -1;
};

enum class ELoadError { None, CannotRead, NotATypeLibrary, NoTypeLibResource };

class CTypeLibrary {
 public:
  using RegistryPtr = std::shared_ptr<const platform::CClassRegistry>;

  // A .tlb file, or a PE image with a TYPELIB resource. The registry (may be null) finds the
  // libraries this one imports.
  [[nodiscard]] static std::unique_ptr<CTypeLibrary> LoadFile(const std::string& path, RegistryPtr registry,
                                                               ELoadError* error = nullptr);
  [[nodiscard]] static std::unique_ptr<CTypeLibrary> LoadBytes(std::string_view bytes, RegistryPtr registry,
                                                                ELoadError* error = nullptr);
  CTypeLibrary(SLibraryDesc desc, RegistryPtr registry, int importDepth);
  ~CTypeLibrary();

  [[nodiscard]] const SLibraryDesc& Desc() const { return m_desc; }
  [[nodiscard]] int TypeInfoCount() const { return static_cast<int>(m_desc.types.size()); }
  [[nodiscard]] const STypeInfoDesc* TypeInfo(int index) const;
  // The kind as callers see it: a dual interface shows as a dispatch interface.
  [[nodiscard]] std::optional<ETypeKind> TypeKind(int index) const;
  // Index -1 documents the library itself.
  [[nodiscard]] std::optional<SDocumentation> Documentation(int index) const;

  // The functions as an automation client sees them: a dual interface's through its dispatch
  // side, where the HRESULT is gone and the [out, retval] parameter is the return value.
  [[nodiscard]] const std::vector<SFuncDesc>& Funcs(int type) const;
  [[nodiscard]] const SFuncDesc* FuncDesc(int type, int index) const;
  [[nodiscard]] const SVarDesc* VarDesc(int type, int index) const;
  // The member's name followed by its parameters' names; empty for an unknown member id.
  [[nodiscard]] std::vector<std::u16string> Names(int type, std::int32_t memberId) const;
  [[nodiscard]] std::optional<SDocumentation> MemberDocumentation(int type, std::int32_t memberId) const;
  [[nodiscard]] std::optional<std::int32_t> ImplTypeFlags(int type, int index) const;
  [[nodiscard]] const STypeRef* RefTypeOfImplType(int type, int index) const;

  // The type a reference names, here or in an imported library; null when it cannot be found.
  [[nodiscard]] std::optional<STypeHandle> ResolveRef(const STypeRef& ref) const;
  [[nodiscard]] std::optional<int> FindType(const SGuid& guid) const;

 private:
  [[nodiscard]] const CTypeLibrary* Import(int index) const;
  [[nodiscard]] std::optional<std::string> FindImportPath(const SImportLib& import) const;

  SLibraryDesc m_desc;
  RegistryPtr m_registry;
  int m_importDepth;
  // One entry per type; filled only for dual interfaces.
  std::vector<std::vector<SFuncDesc>> m_dispatchFuncs;
  mutable std::vector<std::unique_ptr<CTypeLibrary>> m_imports;
  mutable std::vector<bool> m_importTried;
};

}  // namespace quillet::typeinfo

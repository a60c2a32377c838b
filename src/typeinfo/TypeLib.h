#pragma once
// One loaded type library as the object browser and IntelliSense show it: a group per class,
// enumeration and interface reached from a class, each member with a one-line description in
// VBScript terms ("Function Move(ByVal dx As Long, [ByVal kind As ShapeKind = skSquare])").

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "typeinfo/TypeLibGroup.h"
#include "typeinfo/TypeLibrary.h"

namespace quillet::typeinfo {

// The VBScript-style name of a type: "Long", "String", "Array(Variant)", a type's own name.
[[nodiscard]] std::u16string TypeDescToName(const STypeDesc& type, const CTypeLibrary& owner);

class CTypeLib {
 public:
  enum class ELibraryKind : std::int32_t { File = 1, Script = 2, Wmi = 3 };

  // Never fails: a file that does not load gives a library without groups named after the file.
  CTypeLib(const std::u16string& path, CTypeLibrary::RegistryPtr registry);
  // A library that does not come from a file (the script's own code).
  CTypeLib() = default;

  [[nodiscard]] std::u16string DisplayTypeName(const STypeDesc& type, const CTypeLibrary& owner) const;

  std::u16string name;
  std::u16string description;
  std::u16string path;
  ELibraryKind libraryKind = ELibraryKind::Script;
  bool inUse = false;
  std::vector<std::unique_ptr<CTypeLibGroup>> groups;
  std::map<std::u16string, CTypeLibGroup*> interfaceMap;
  std::map<std::u16string, std::u16string> constantsMap;

 private:
  void Load(const CTypeLibrary& library);
  void CollectConstants(const CTypeLibrary& library);
  void CollectClasses(const CTypeLibrary& library);
  void AddInterfaceMembers(CTypeLibGroup& group, STypeHandle type, bool events);
  void DescribeFunctions(CTypeLibGroup& group, STypeHandle type, bool events);
  void AddReferencedTypes(STypeHandle root);
  // The interface when it was listed just now, so that its members are walked in turn.
  std::optional<STypeHandle> AddReferencedType(const STypeDesc& type, const CTypeLibrary& owner);
  void AddEnumeration(const STypeInfoDesc& info);
  [[nodiscard]] std::u16string DefaultText(const SParamDesc& param, const std::u16string& typeName) const;
  [[nodiscard]] CTypeLibGroup* FindGroup(std::u16string_view groupName, ECatalogueKind kind) const;
  void Sort();

  std::set<std::u16string> m_knownInterfaces;  // lower case
};

}  // namespace quillet::typeinfo

#pragma once
// A class, enumeration or interface of the catalogue with its members.

#include <memory>
#include <string>
#include <vector>

#include "typeinfo/TypeLibMember.h"
#include "typeinfo/TypeLibrary.h"

namespace quillet::typeinfo {

class CTypeLibGroup {
 public:
  CTypeLibGroup(std::u16string groupName, ECatalogueKind groupKind) : name(std::move(groupName)), kind(groupKind) {}

  [[nodiscard]] CTypeLibMember* FindMember(std::u16string_view memberName) const;

  std::u16string name;
  ECatalogueKind kind;
  std::u16string text;
  bool seen = false;
  std::int32_t line = -1;
  std::vector<std::unique_ptr<CTypeLibMember>> members;
  // For a class while loading: each default interface and whether it is the event source.
  std::vector<std::pair<STypeHandle, bool>> sources;
};

}  // namespace quillet::typeinfo

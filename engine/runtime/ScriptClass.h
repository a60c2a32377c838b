#pragma once
// A class declared by a script: its fields and members, shared by all its instances.

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/vm/Procedure.h"

namespace quillet::engine {

enum class EMemberKind { Field, Method, Property };

struct SClassMember {
  EMemberKind kind = EMemberKind::Field;
  bool isPublic = true;
  int field = -1;
  CProcedure* method = nullptr;  // Sub or Function
  CProcedure* get = nullptr;
  CProcedure* let = nullptr;
  CProcedure* set = nullptr;
};

struct SFieldInfo {
  std::u16string name;
  bool isPublic = true;
  bool isArray = false;
  std::vector<int32_t> uppers;  // empty with isArray: a dynamic array
};

class CScriptClass {
 public:
  std::u16string name;
  std::vector<SFieldInfo> fields;
  std::unordered_map<std::u16string, SClassMember> members;  // by lower-case name
  std::vector<std::unique_ptr<CProcedure>> procedures;
  std::u16string defaultMember;  // lower-case; empty when none
  CProcedure* initialize = nullptr;
  CProcedure* terminate = nullptr;

  [[nodiscard]] const SClassMember* Find(const std::u16string& lowerName) const {
    auto it = members.find(lowerName);
    return it == members.end() ? nullptr : &it->second;
  }
};

}  // namespace quillet::engine

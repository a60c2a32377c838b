#pragma once
// From a class in a type library and the rest of an expression chain (".GetFolder(  ).Files.")
// to the type whose members a list shows, or to the function whose parameters a tip shows.

#include <memory>
#include <string>
#include <string_view>

#include "typeinfo/TypeLibrary.h"

namespace quillet::intellisense {

enum class EWalkMode { MemberList, ParameterTip };

struct SWalkResult {
  // Owns every type below (imported libraries live inside it).
  std::shared_ptr<const typeinfo::CTypeLibrary> library;
  // Member list: the type to list. Parameter tip: the type that declares func.
  typeinfo::STypeHandle type;
  const typeinfo::SFuncDesc* func = nullptr;

  [[nodiscard]] bool Found() const { return type.library != nullptr; }
};

// Blanks removed, and an index on a call result ("()()") made a call of the default member.
[[nodiscard]] std::u16string NormaliseChain(std::u16string_view chain);

// Nothing found (no library, no such class, no such member) is an empty result, never an error.
[[nodiscard]] SWalkResult WalkTypeLibraryChain(std::u16string_view clsid, std::u16string_view libraryPath,
                                               std::u16string_view chain, EWalkMode mode,
                                               const typeinfo::CTypeLibrary::RegistryPtr& registry);

// The same walk on a library already loaded.
[[nodiscard]] SWalkResult WalkLoadedLibrary(std::shared_ptr<const typeinfo::CTypeLibrary> library,
                                            std::u16string_view clsid, std::u16string_view chain,
                                            EWalkMode mode);

}  // namespace quillet::intellisense

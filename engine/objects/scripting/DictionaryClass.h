#pragma once
// Scripting.Dictionary as the object model declares it: IDictionary with Windows' DISPIDs.

#include <cstdint>

#include "engine/runtime/ObjectModel.h"

namespace quillet::engine {

namespace dictionary_id {
enum : int32_t {
  Item = 0, Add = 1, Count = 2, Exists = 3, Items = 4, Key = 5, Keys = 6, Remove = 7, RemoveAll = 8,
  CompareMode = 9, HashVal = 10, NewEnum = om::kDispIdNewEnum,
};
}  // namespace dictionary_id

extern const om::SInterface kDictionaryInterface;
extern const om::SClass kDictionaryClass;

}  // namespace quillet::engine

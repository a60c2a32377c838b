#pragma once
// The RegExp family as the object model declares it: RegExp, Match, MatchCollection and
// SubMatches with their interfaces and Windows' DISPIDs, and the first versions of the
// interfaces that the library still carries.

#include <cstdint>

#include "engine/runtime/ObjectModel.h"

namespace quillet::engine {

namespace regexp_id {
enum : int32_t {
  Pattern = 10001, IgnoreCase = 10002, Global = 10003, Execute = 10004, Test = 10005, Replace = 10006,
  Multiline = 10007,
};
}  // namespace regexp_id

namespace match_id {
enum : int32_t { Value = 0, FirstIndex = 10001, Length = 10002, SubMatches = 10003 };
}  // namespace match_id

// MatchCollection and SubMatches alike.
namespace collection_id {
enum : int32_t { Item = 0, Count = 1, NewEnum = om::kDispIdNewEnum };
}  // namespace collection_id

extern const om::SInterface kRegExpInterface, kRegExp2Interface;
extern const om::SInterface kMatchInterface, kMatch2Interface;
extern const om::SInterface kMatchCollectionInterface, kMatchCollection2Interface;
extern const om::SInterface kSubMatchesInterface;
extern const om::SClass kRegExpClass, kMatchClass, kMatchCollectionClass, kSubMatchesClass;

}  // namespace quillet::engine

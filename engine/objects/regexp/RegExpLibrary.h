#pragma once
// The VBScript_RegExp_55 type library (5.5): the RegExp family.

#include "engine/runtime/ObjectModel.h"

namespace quillet::engine {

extern const om::SLibrary kRegExpLibrary;

}  // namespace quillet::engine

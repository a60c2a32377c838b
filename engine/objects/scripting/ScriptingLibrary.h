#pragma once
// The Scripting type library (1.0): the Dictionary and the FileSystemObject family.

#include "engine/runtime/ObjectModel.h"

namespace quillet::engine {

extern const om::SLibrary kScriptingLibrary;

}  // namespace quillet::engine

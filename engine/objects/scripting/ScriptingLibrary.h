#pragma once
// The Scripting type library (1.0): the Dictionary now; the file system objects join it.

#include "engine/runtime/ObjectModel.h"

namespace quillet::engine {

extern const om::SLibrary kScriptingLibrary;

}  // namespace quillet::engine

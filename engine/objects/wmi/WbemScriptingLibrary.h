#pragma once
// The WbemScripting type library (1.2): the objects scripts reach through winmgmts: monikers and
// the SWbemLocator.

#include "engine/runtime/ObjectModel.h"

namespace quillet::engine {

extern const om::SLibrary kWbemScriptingLibrary;

}  // namespace quillet::engine

#pragma once
// IWshRuntimeLibrary 1.0: WScript.Shell, WScript.Network and what they hand out.

#include "engine/runtime/ObjectModel.h"

namespace quillet::engine {

extern const om::SLibrary kWshLibrary;

}  // namespace quillet::engine

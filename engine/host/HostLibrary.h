#pragma once
// The script host's type library IHost (5.6): the WScript object and what it hands out.

#include "engine/runtime/ObjectModel.h"

namespace quillet::engine::host {

extern const om::SLibrary kHostLibrary;

}  // namespace quillet::engine::host

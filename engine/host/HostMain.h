#pragma once
// The shared main of cscript and wscript: finds the executable's path, gives the host its
// windows when there is a display, and runs the script.

#include "engine/host/HostRunner.h"

namespace quillet::engine::host {

int HostMain(int argc, char** argv, EHostKind kind);

}  // namespace quillet::engine::host

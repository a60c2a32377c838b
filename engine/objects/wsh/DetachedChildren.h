#pragma once
// Programs a script started and let go of run on by themselves, as on Windows; their ends are
// collected here, so that a script that starts thousands never fills the process table with
// the dead.

#include <sys/types.h>

namespace quillet::engine::wsh {

// Takes over a running child (a negative id is ignored).
void AdoptDetachedChild(pid_t pid);
// Collects every adopted child that has ended; returns how many are still running.
size_t ReapDetachedChildren();

}  // namespace quillet::engine::wsh

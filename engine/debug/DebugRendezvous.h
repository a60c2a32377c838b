#pragma once
// Where a host started with //D finds the editor: a socket in a folder of the user's that only
// the user can open. The editor listens there; the host connects. No part of the engine is in
// here, so the editor's side can use the same rules.

#include <string>

namespace quillet::dap {

// $XDG_RUNTIME_DIR/quillet when that names a folder, else /tmp/quillet-<uid>.
[[nodiscard]] std::string DebugRendezvousFolder();
[[nodiscard]] std::string DebugRendezvousSocket();
// A real folder (no link), owned by this user, that nobody else may enter or list (mode 0700).
[[nodiscard]] bool IsPrivateFolder(const std::string& path);
// A connection to the debugger listening at the rendezvous, or -1 when there is none to trust:
// no private folder, nobody listening, or a listener that is another user.
[[nodiscard]] int ConnectToDebugger();

}  // namespace quillet::dap

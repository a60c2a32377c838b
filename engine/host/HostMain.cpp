#include "engine/host/HostMain.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/debug/HostDebugConnection.h"
#include "engine/host/DisplayProbe.h"
#ifdef QUILLET_HOST_WINDOWS
#include "engine/host/ui/WindowDialogs.h"
#endif

namespace quillet::engine::host {

int HostMain(int argc, char** argv, EHostKind kind) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::error_code ec;
  std::string self = std::filesystem::read_symlink("/proc/self/exe", ec).string();
  if (ec) self = argc > 0 ? argv[0] : "cscript";
  SHostSetup setup;
  setup.kind = kind;
  setup.debugger = &debug::CHostDebugConnection::Connect;
#ifdef QUILLET_HOST_WINDOWS
  std::unique_ptr<CWindowDialogs> windows;
  if (HasUsableDisplay()) {
    windows = std::make_unique<CWindowDialogs>();
    setup.windows = windows.get();
  }
#endif
  return RunHost(args, self, setup);
}

}  // namespace quillet::engine::host

// The console host: cscript [//switches] script.vbs [arguments]

#include <filesystem>
#include <string>
#include <vector>

#include "engine/host/HostRunner.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::error_code ec;
  std::string self = std::filesystem::read_symlink("/proc/self/exe", ec).string();
  if (ec) self = argc > 0 ? argv[0] : "cscript";
  return quillet::engine::host::RunHost(args, self);
}

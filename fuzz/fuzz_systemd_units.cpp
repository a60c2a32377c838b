// What the service provider reads from systemd, given any bytes: as a unit file it yields one
// service (or none) and never a fault; as systemctl's "show" output it updates or adds units,
// each with a name; an ExecStart text gives a command or nothing.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "engine/objects/wmi/SystemdUnits.h"

namespace {

// One folder for the process, holding the unit file each input becomes; removed at exit.
struct SUnitFolder {
  std::string path;
  SUnitFolder() {
    char pattern[] = "/tmp/fuzz_systemd_units.XXXXXX";
    const char* made = mkdtemp(pattern);
    if (made == nullptr) std::abort();
    path = made;
  }
  ~SUnitFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
};

const std::string& UnitFolder() {
  static const SUnitFolder folder;
  return folder.path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quillet::engine::systemd;
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  std::vector<SUnit> units(1);
  units[0].name = "known";
  ApplyShowOutput(text, units);
  for (const SUnit& unit : units) {
    if (unit.name.empty()) std::abort();
  }
  (void)CommandOfExecStart(text);

  const std::string path = UnitFolder() + "/fuzzed.service";
  if (FILE* file = std::fopen(path.c_str(), "wb")) {
    std::fwrite(data, 1, size, file);
    std::fclose(file);
  }
  SSetup setup;
  setup.unitFolders = {UnitFolder()};
  const std::vector<SUnit> read = ReadServiceUnits(setup);
  if (read.size() != 1 || read[0].name != "fuzzed") std::abort();
  return 0;
}

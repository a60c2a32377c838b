#include "platform/AppPaths.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace quillet::platform {
namespace {

constexpr const char* kCompanyAndApplication = "/Kelmarsh/Quillet";

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
  if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir) {
    return entry->pw_dir;
  }
  return "/tmp";
}

// XDG says a relative value is to be ignored.
std::string XdgFolder(const char* variable, const char* fallbackUnderHome) {
  if (const char* value = std::getenv(variable); value != nullptr && value[0] == '/') return value;
  return HomeFolder() + fallbackUnderHome;
}

}  // namespace

std::string ConfigFolder() {
  return XdgFolder("XDG_CONFIG_HOME", "/.config") + kCompanyAndApplication;
}

std::string SettingsFilePath() { return ConfigFolder() + "/settings.reg"; }

std::string DataFolder() {
  return XdgFolder("XDG_DATA_HOME", "/.local/share") + kCompanyAndApplication;
}

std::string TempFolderPath() { return DataFolder() + "/Temp"; }

std::string SystemTempFolder() {
  if (const char* value = std::getenv("TMPDIR"); value != nullptr && value[0] == '/') return value;
  return "/tmp";
}

}  // namespace quillet::platform

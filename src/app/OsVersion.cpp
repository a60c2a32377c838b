#include "app/OsVersion.h"

#include <sys/utsname.h>

#include <cstdio>

namespace quillet::app {

SOsVersion ReadOsVersion() {
  SOsVersion version;
  utsname names{};
  if (::uname(&names) == 0) {
    unsigned major = 0;
    unsigned minor = 0;
    if (std::sscanf(names.release, "%u.%u", &major, &minor) >= 1) {
      version.major = major;
      version.minor = minor;
    }
  }
  return version;
}

}  // namespace quillet::app

#pragma once
// Puts the process in a time zone for as long as the object lives, then gives back the zone it
// had (TZ set or not), so that a test's dates do not depend on the machine's zone.

#include <time.h>

#include <cstdlib>
#include <string>

namespace quillet::test {

class CTimeZoneForTest {
 public:
  explicit CTimeZoneForTest(const char* zone) {
    if (const char* old = std::getenv("TZ")) {
      m_had = true;
      m_old = old;
    }
    Switch(zone);
  }
  ~CTimeZoneForTest() {
    if (m_had) {
      setenv("TZ", m_old.c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }
  CTimeZoneForTest(const CTimeZoneForTest&) = delete;
  CTimeZoneForTest& operator=(const CTimeZoneForTest&) = delete;

  // Another zone within the same test.
  static void Switch(const char* zone) {
    setenv("TZ", zone, 1);
    tzset();
  }

 private:
  bool m_had = false;
  std::string m_old;
};

}  // namespace quillet::test

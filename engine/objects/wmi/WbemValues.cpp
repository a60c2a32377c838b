#include "engine/objects/wmi/WbemValues.h"

#include <cstdio>
#include <cstdlib>

#include "platform/TextConvert.h"

namespace quillet::engine::wbem_value {

CVariant Uint64(uint64_t value) { return CVariant::String(platform::Utf8ToUtf16(std::to_string(value))); }

CVariant Uint32(uint32_t value) { return CVariant::Long(static_cast<int32_t>(value)); }

CVariant Text(std::u16string_view value) { return CVariant::String(value); }

CVariant Text(std::string_view utf8) { return CVariant::String(platform::Utf8ToUtf16(utf8)); }

std::u16string CimDateTime(std::time_t seconds, int32_t microseconds) {
  std::tm local{};
  localtime_r(&seconds, &local);
  const long offset = local.tm_gmtoff / 60;
  char text[96];  // room for any int the format could be given, not only real dates
  std::snprintf(text, sizeof text, "%04d%02d%02d%02d%02d%02d.%06d%c%03ld", local.tm_year + 1900, local.tm_mon + 1,
                local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, static_cast<int>(microseconds),
                offset < 0 ? '-' : '+', std::labs(offset) % 1000);
  return platform::Utf8ToUtf16(text);
}

CVariant DateTime(std::time_t seconds, int32_t microseconds) {
  return CVariant::String(CimDateTime(seconds, microseconds));
}

}  // namespace quillet::engine::wbem_value

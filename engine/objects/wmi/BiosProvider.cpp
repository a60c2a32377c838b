#include "engine/objects/wmi/BiosProvider.h"

#include <sys/stat.h>

#include <cstdio>
#include <vector>

#include "engine/objects/wmi/SysAttribute.h"
#include "engine/objects/wmi/WbemValues.h"
#include "engine/runtime/SafeArray.h"

namespace quillet::engine {

namespace {

using namespace wbem_value;

// The tables write the release date as MM/DD/YYYY; scripts get a CIM datetime of that day.
CVariant ReleaseDate(const std::optional<std::string>& date) {
  if (!date) return CVariant::Null();
  int month = 0, day = 0, year = 0;
  if (std::sscanf(date->c_str(), "%2d/%2d/%4d", &month, &day, &year) != 3 || month < 1 || month > 12 || day < 1 ||
      day > 31 || year < 1970) {
    return CVariant::Null();
  }
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02d000000.000000+000", year, month, day);
  return Text(std::string_view(text));
}

// "5.17" -> 5 and 17; the kernel has told this only since it began to copy it out.
void SetReleaseNumbers(SWbemInstance& bios, const std::optional<std::string>& release) {
  int major = 0, minor = 0;
  if (!release || std::sscanf(release->c_str(), "%d.%d", &major, &minor) != 2) return;
  if (major < 0 || major > 255 || minor < 0 || minor > 255) return;
  bios.Set(u"SystemBiosMajorVersion", CVariant::Byte(static_cast<uint8_t>(major)));
  bios.Set(u"SystemBiosMinorVersion", CVariant::Byte(static_cast<uint8_t>(minor)));
}

}  // namespace

void CBiosProvider::Enumerate(const platform::SWmiClass& cls, const SWqlCondition*, WbemInstances& out) {
  struct stat info{};
  if (stat(m_dmiFolder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return;
  const auto field = [&](const char* name) { return machine::SysAttribute(m_dmiFolder + "/" + name); };
  const auto setText = [](SWbemInstance& bios, std::u16string_view property, const std::optional<std::string>& text) {
    if (text) bios.Set(property, Text(*text));
  };
  auto bios = std::make_shared<SWbemInstance>(cls);
  const auto version = field("bios_version");
  setText(*bios, u"Manufacturer", field("bios_vendor"));
  for (const std::u16string_view property : {u"Name", u"Caption", u"Description", u"SMBIOSBIOSVersion"}) {
    setText(*bios, property, version);
  }
  // Keys: an unknown version still needs a value for the instance's path.
  bios->Set(u"Version", Text(version.value_or("")));
  bios->Set(u"SoftwareElementID", Text(version.value_or("")));
  if (version) bios->Set(u"BIOSVersion", CVariant::Array(CSafeArray::FromValues({Text(*version)})));
  setText(*bios, u"SerialNumber", field("product_serial"));
  bios->Set(u"ReleaseDate", ReleaseDate(field("bios_date")));
  SetReleaseNumbers(*bios, field("bios_release"));
  bios->Set(u"PrimaryBIOS", CVariant::Boolean(true));
  bios->Set(u"SMBIOSPresent", CVariant::Boolean(true));
  bios->Set(u"SoftwareElementState", CVariant::Long(3));  // running
  bios->Set(u"TargetOperatingSystem", CVariant::Long(0));
  bios->Set(u"Status", Text(u"OK"));
  out.push_back(std::move(bios));
}

}  // namespace quillet::engine

#include "engine/objects/wmi/HardwareProviders.h"

#include "engine/objects/wmi/BaseBoardProvider.h"
#include "engine/objects/wmi/BiosProvider.h"
#include "engine/objects/wmi/DiskDriveProvider.h"
#include "engine/objects/wmi/NetworkAdapterProvider.h"
#include "engine/objects/wmi/PhysicalMemoryProvider.h"
#include "engine/objects/wmi/PingStatusProvider.h"
#include "engine/objects/wmi/PrinterProvider.h"
#include "engine/objects/wmi/TimeZoneProvider.h"
#include "engine/objects/wmi/VolumeProvider.h"
#include "engine/objects/wmi/WbemText.h"

namespace quillet::engine {

CWbemProvider* FindHardwareProvider(std::u16string_view className) {
  static CDiskDriveProvider diskDrives;
  static CVolumeProvider volumes;
  static CBiosProvider bios;
  static CBaseBoardProvider baseBoard;
  static CPhysicalMemoryProvider physicalMemory;
  static CNetworkAdapterProvider networkAdapters;
  static CTimeZoneProvider timeZone;
  static CPingStatusProvider pingStatus;
  static CPrinterProvider printers;
  struct SEntry {
    std::u16string_view className;
    CWbemProvider* provider;
  };
  const SEntry entries[] = {
      {u"Win32_DiskDrive", &diskDrives},         {u"Win32_Volume", &volumes},
      {u"Win32_BIOS", &bios},                    {u"Win32_BaseBoard", &baseBoard},
      {u"Win32_PhysicalMemory", &physicalMemory}, {u"Win32_NetworkAdapter", &networkAdapters},
      {u"Win32_TimeZone", &timeZone},            {u"Win32_PingStatus", &pingStatus},
      {u"Win32_Printer", &printers},
  };
  for (const SEntry& entry : entries) {
    if (wbem_text::SameName(className, entry.className)) return entry.provider;
  }
  return nullptr;
}

}  // namespace quillet::engine

// The hardware classes as scripts query them: each provider read against a made-up /sys tree
// where the machine's own cannot show a case, and against the machine itself (df, /sys, ifindex,
// the time zone database) where it can.

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "engine/objects/wmi/BaseBoardProvider.h"
#include "engine/objects/wmi/BiosProvider.h"
#include "engine/objects/wmi/DiskDriveProvider.h"
#include "engine/objects/wmi/EchoRequest.h"
#include "engine/objects/wmi/MemoryDeviceEntry.h"
#include "engine/objects/wmi/NetworkAdapterProvider.h"
#include "engine/objects/wmi/PhysicalMemoryProvider.h"
#include "engine/objects/wmi/PrinterProvider.h"
#include "engine/objects/wmi/VolumeProvider.h"
#include "engine/runtime/SafeArray.h"
#include "engine/runtime/ScriptError.h"
#include "engine/vm/ScriptEngine.h"
#include "platform/TextConvert.h"
#include "platform/WmiCatalog.h"
#include "ScriptLog.h"
#include "TimeZoneForTest.h"
#include "TempFolder.h"

namespace quillet::engine {
namespace {

namespace fs = std::filesystem;

// The first line of a command's output.
std::string FirstLineOf(const std::string& command) {
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return {};
  char line[4096] = {};
  std::string first;
  if (std::fgets(line, sizeof line, pipe) != nullptr) first = line;
  pclose(pipe);
  while (!first.empty() && first.back() == '\n') first.pop_back();
  return first;
}

WbemInstances Enumerate(CWbemProvider& provider, std::u16string_view className) {
  const platform::SWmiClass* cls = platform::CWmiCatalog::Installed().Find(u"root\\cimv2", className);
  WbemInstances out;
  EXPECT_NE(cls, nullptr) << platform::Utf16ToUtf8(className);
  if (cls != nullptr) provider.Enumerate(*cls, nullptr, out);
  return out;
}

// Properties of an instance as "value|value|...", Null as "Null".
std::string Values(const SWbemInstance& instance, std::initializer_list<std::u16string_view> properties) {
  std::string text;
  for (const std::u16string_view property : properties) {
    if (!text.empty()) text += "|";
    const CVariant& value = instance.Get(property);
    text += value.IsNull() ? "Null" : platform::Utf16ToUtf8(value.ToString());
  }
  return text;
}

// A made-up /sys (or /sys/class/dmi/id) to point a provider at.
class CFakeTree {
 public:
  void File(const std::string& path, const std::string& text) {
    fs::create_directories(fs::path(Path(path)).parent_path());
    test::WriteFile(Path(path), text);
  }
  void Link(const std::string& path, const std::string& target) {
    fs::create_directories(fs::path(Path(path)).parent_path());
    fs::create_directories(Path(target));
    fs::create_directory_symlink(Path(target), Path(path));
  }
  [[nodiscard]] std::string Path(const std::string& path) const { return m_folder.File(path); }
  [[nodiscard]] const std::string& Root() const { return m_folder.Path(); }

 private:
  test::CTempFolder m_folder;
};

TEST(HardwareProviders, DiskDrivesFromTheBlockDevicesOfSys) {
  CFakeTree sys;
  // A USB stick with 4 KiB sectors and two partitions, an NVMe disk whose model is not told,
  // and the virtual devices that are no drives.
  sys.Link("block/sdb/device", "devices/pci0000:00/usb1/1-1/host6/target6:0:0/6:0:0:0");
  sys.File("block/sdb/size", "2048\n");
  sys.File("block/sdb/removable", "1\n");
  sys.File("block/sdb/queue/logical_block_size", "4096\n");
  sys.File("block/sdb/device/model", "Flash Disk      \n");
  sys.File("block/sdb/device/vendor", "Generic \n");
  sys.File("block/sdb/device/rev", "8.07\n");
  sys.File("block/sdb/sdb1/partition", "1\n");
  sys.File("block/sdb/sdb2/partition", "2\n");
  sys.Link("block/nvme0n1/device", "devices/pci0000:00/0000:00:1d.0/nvme/nvme0");
  sys.File("block/nvme0n1/size", "1000215216\n");
  sys.File("block/nvme0n1/removable", "0\n");
  sys.File("block/nvme0n1/device/vendor", "0x144d\n");
  sys.File("block/nvme0n1/device/serial", "S4EWNX0N\n");
  sys.File("block/loop0/size", "100\n");
  sys.Link("block/nvme0c0n1/device", "devices/pci0000:00/0000:00:1d.0/nvme/nvme0/nvme0c0n1");
  sys.File("block/nvme0c0n1/hidden", "1\n");  // one path of the multipath disk nvme0n1
  sys.Link("block/mmcblk0boot0/device", "devices/platform/mmc0/mmc0:0001");
  sys.Link("block/zram0/device", "devices/virtual/block/zram0");
  CDiskDriveProvider provider(sys.Root());
  const WbemInstances disks = Enumerate(provider, u"Win32_DiskDrive");
  ASSERT_EQ(disks.size(), 2u);
  const std::initializer_list<std::u16string_view> kShown = {
      u"DeviceID", u"Index",  u"InterfaceType", u"MediaType",  u"Model",          u"Manufacturer",
      u"SerialNumber", u"FirmwareRevision", u"Size", u"BytesPerSector", u"TotalSectors", u"Partitions"};
  EXPECT_EQ(Values(*disks[0], kShown),
            "\\\\.\\PHYSICALDRIVE0|0|SCSI|Fixed hard disk media|Null|Null|S4EWNX0N|Null|512110190592|512|1000215216|0");
  EXPECT_EQ(Values(*disks[1], kShown),
            "\\\\.\\PHYSICALDRIVE1|1|USB|Removable Media|Flash Disk|Generic|Null|8.07|1048576|4096|256|2");
  const CVariant& capabilities = disks[1]->Get(u"Capabilities");
  ASSERT_TRUE(capabilities.IsArray());
  EXPECT_EQ(capabilities.AsArray()->Size(), 3u);
}

TEST(HardwareProviders, DiskDrivesOfThisMachineAgreeWithSys) {
  // The whole disks with a device behind them, and their sizes, as /sys counts them.
  std::multiset<std::string> expected;
  for (const auto& entry : fs::directory_iterator("/sys/block")) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("loop", 0) == 0 || name.rfind("zram", 0) == 0 || name.rfind("dm-", 0) == 0 ||
        name.rfind("sr", 0) == 0 || name.rfind("md", 0) == 0 || !fs::exists(entry.path() / "device")) {
      continue;
    }
    std::ifstream size(entry.path() / "size");
    unsigned long long sectors = 0;
    size >> sectors;
    expected.insert(std::to_string(sectors * 512));
  }
  const std::string out = RunLogged(
      u"For Each d In GetObject(\"winmgmts:\\\\.\\root\\cimv2\").ExecQuery(\"Select * from Win32_DiskDrive\")\n"
      u"  Log d.Size\n"
      u"  If d.DeviceID <> \"\\\\.\\PHYSICALDRIVE\" & d.Index Then Log \"bad id\", d.DeviceID\n"
      u"Next\n");
  std::multiset<std::string> got;
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) got.insert(line);
  EXPECT_EQ(got, expected) << out;
}

TEST(HardwareProviders, RootVolumeAgreesWithDfAndTheDriveMap) {
  test::CTempFolder home;
  home.IsolateUserFolders();
  // "Filesystem Type 1-blocks ..." of df for /.
  std::istringstream df(FirstLineOf("df -P -T -B1 / | tail -1"));
  std::string device, type;
  unsigned long long size = 0;
  ASSERT_TRUE(df >> device >> type >> size);
  const std::u16string script =
      u"For Each v In GetObject(\"winmgmts:\").ExecQuery(\"Select * from Win32_Volume Where DeviceID = '/'\")\n"
      u"  Log v.Name, v.DriveLetter, v.Capacity, v.FileSystem, CDbl(v.FreeSpace) <= CDbl(v.Capacity), v.BootVolume\n"
      u"Next\n";
  const std::string rest = " " + std::to_string(size) + " " + type + " True True\n";
  EXPECT_EQ(RunLogged(script), "Z:\\ Z:" + rest);
  // The letters follow the user's drive map: another letter for /, or none at all.
  const auto mapDrives = [&](const std::string& values) {
    fs::create_directories(home.File("home/.config/Kelmarsh/Quillet"));
    test::WriteFile(home.File("home/.config/Kelmarsh/Quillet/settings.reg"),
                    "Windows Registry Editor Version 5.00\n\n"
                    "[HKEY_CURRENT_USER\\Software\\Kelmarsh\\Quillet\\Drives]\n" +
                        values);
  };
  mapDrives("\"Z\"=\"" + home.Path() + "\"\n\"Y\"=\"/\"\n");
  EXPECT_EQ(RunLogged(script), "Y:\\ Y:" + rest);
  mapDrives("\"Z\"=\"" + home.Path() + "\"\n");
  EXPECT_EQ(RunLogged(script), "/ Null" + rest);
}

TEST(HardwareProviders, OneVolumePerFileSystem) {
  CFakeTree mounts;
  fs::create_directories(mounts.Path("data/shared"));
  fs::create_directories(mounts.Path("srv"));
  mounts.File("hostname", "box\n");
  const auto mount = [&](const char* device, const std::string& folder) {
    return machine::SMount{device, mounts.Path(folder), "ext4", machine::kLocalDrive};
  };
  // /dev/b is bound again at a longer and a shorter path; /dev/c only over a file.
  const std::vector<machine::SMount> volumes = VolumeMounts({mount("/dev/a", "data"), mount("/dev/b", "data/shared"),
                                                             mount("/dev/b", "srv"), mount("/dev/c", "hostname")});
  std::string got;
  for (const machine::SMount& volume : volumes) got += volume.device + " " + volume.mountPoint + "\n";
  EXPECT_EQ(got, "/dev/a " + mounts.Path("data") + "\n/dev/b " + mounts.Path("srv") + "\n");
}

TEST(HardwareProviders, VolumeLabelsAsUdevWritesThem) {
  // udev links each labelled device under its label, writing a space as \x20.
  std::istringstream df(FirstLineOf("df -P / | tail -1"));
  std::string device;
  ASSERT_TRUE(df >> device);
  if (device.rfind("/dev/", 0) != 0) GTEST_SKIP() << "/ is not on a block device";
  test::CTempFolder home;  // the volumes' names read the drive map, never the user's own
  home.IsolateUserFolders();
  CFakeTree labels;
  fs::create_symlink(device, labels.Path("Root\\x20disk"));
  fs::create_symlink("/dev/no-such-device", labels.Path("Other"));
  CVolumeProvider provider(labels.Root());
  std::string got;
  for (const auto& volume : Enumerate(provider, u"Win32_Volume")) {
    if (Values(*volume, {u"DeviceID"}) == "/") got = Values(*volume, {u"Label"});
  }
  EXPECT_EQ(got, "Root disk");
}

TEST(HardwareProviders, FirmwareAndBoardFromTheMachineTables) {
  CFakeTree dmi;
  dmi.File("bios_vendor", "Example Firmware Ltd.\n");
  dmi.File("bios_version", "1.21.0\n");
  dmi.File("bios_date", "03/14/2023\n");
  dmi.File("bios_release", "5.17\n");
  fs::create_directories(dmi.Path("product_serial"));  // a file that cannot be read as text
  dmi.File("board_vendor", "Example Boards\n");
  dmi.File("board_name", "X570 Pro\n");
  dmi.File("board_version", "   \n");  // blank: the maker left it empty
  CBiosProvider bios(dmi.Root());
  const WbemInstances firmware = Enumerate(bios, u"Win32_BIOS");
  ASSERT_EQ(firmware.size(), 1u);
  EXPECT_EQ(Values(*firmware[0], {u"Manufacturer", u"Version", u"SMBIOSBIOSVersion", u"ReleaseDate", u"SerialNumber",
                                  u"SystemBiosMajorVersion", u"SystemBiosMinorVersion", u"PrimaryBIOS"}),
            "Example Firmware Ltd.|1.21.0|1.21.0|20230314000000.000000+000|Null|5|17|True");
  EXPECT_EQ(platform::Utf16ToUtf8(RelativePathOf(*firmware[0])),
            "Win32_BIOS.SoftwareElementID=\"1.21.0\",SoftwareElementState=3,TargetOperatingSystem=0,"
            "Version=\"1.21.0\"");
  CBaseBoardProvider board(dmi.Root());
  const WbemInstances boards = Enumerate(board, u"Win32_BaseBoard");
  ASSERT_EQ(boards.size(), 1u);
  EXPECT_EQ(Values(*boards[0], {u"Manufacturer", u"Product", u"Version", u"SerialNumber", u"Tag", u"HostingBoard"}),
            "Example Boards|X570 Pro|Null|Null|Base Board|True");
  // A date the firmware wrote wrongly is no date at all.
  dmi.File("bios_date", "13/45/2023\n");
  EXPECT_EQ(Values(*Enumerate(bios, u"Win32_BIOS")[0], {u"ReleaseDate"}), "Null");
  // A machine without the tables has neither.
  CBiosProvider noBios(dmi.Path("missing"));
  CBaseBoardProvider noBoard(dmi.Path("missing"));
  EXPECT_TRUE(Enumerate(noBios, u"Win32_BIOS").empty());
  EXPECT_TRUE(Enumerate(noBoard, u"Win32_BaseBoard").empty());
}

// A memory device entry: the formatted part (length 0x28), then its strings.
std::string MemoryEntry(uint16_t size, uint32_t extendedSize, const std::string& strings) {
  std::string raw(0x28, '\0');
  raw[0] = 17;
  raw[1] = 0x28;
  raw[0x08] = 64;  // total width
  raw[0x0A] = 64;  // data width
  raw[0x0C] = static_cast<char>(size & 0xFF);
  raw[0x0D] = static_cast<char>(size >> 8);
  raw[0x0E] = 9;     // DIMM
  raw[0x10] = 1;     // device locator: string 1
  raw[0x11] = 2;     // bank: string 2
  raw[0x12] = 0x1A;  // DDR4
  raw[0x15] = static_cast<char>(3200 & 0xFF);
  raw[0x16] = static_cast<char>(3200 >> 8);
  raw[0x17] = 3;  // manufacturer: string 3
  raw[0x18] = 9;  // serial: a string the entry does not have
  raw[0x1A] = 4;  // part number
  for (int i = 0; i < 4; ++i) raw[0x1C + i] = static_cast<char>(extendedSize >> (8 * i));
  return raw + strings + std::string(1, '\0');
}

TEST(HardwareProviders, MemoryModulesFromTheMachineTables) {
  CFakeTree sys;
  const std::string strings = std::string("DIMM 0\0BANK 0\0Samsung\0M378A1K43  \0", 35);
  sys.File("firmware/dmi/entries/17-0/raw", MemoryEntry(0x2000, 0, strings));       // 8 GiB
  sys.File("firmware/dmi/entries/17-1/raw", MemoryEntry(0, 0, strings));            // an empty socket
  sys.File("firmware/dmi/entries/17-10/raw", MemoryEntry(0x7FFF, 0x8000, strings));  // 32 GiB, in the wide field
  sys.File("firmware/dmi/entries/17-2/raw", std::string("\x11\x28\x00", 3));         // cut short
  sys.File("firmware/dmi/entries/16-0/raw", MemoryEntry(0x2000, 0, strings));       // not a memory device
  CPhysicalMemoryProvider provider(sys.Root());
  const WbemInstances modules = Enumerate(provider, u"Win32_PhysicalMemory");
  ASSERT_EQ(modules.size(), 2u);
  const std::initializer_list<std::u16string_view> kShown = {
      u"Tag", u"Capacity", u"DeviceLocator", u"BankLabel", u"Manufacturer", u"SerialNumber", u"PartNumber",
      u"Speed", u"DataWidth", u"FormFactor", u"SMBIOSMemoryType"};
  EXPECT_EQ(Values(*modules[0], kShown),
            "Physical Memory 0|8589934592|DIMM 0|BANK 0|Samsung|Null|M378A1K43|3200|64|9|26");
  EXPECT_EQ(Values(*modules[1], {u"Tag", u"Capacity"}), "Physical Memory 1|34359738368");
  // Where the tables cannot be read, the memory controllers tell sizes and sockets.
  CFakeTree controllers;
  controllers.File("firmware/dmi/entries/17-0/raw", "");
  controllers.File("devices/system/edac/mc/mc0/dimm0/size", "16384\n");
  controllers.File("devices/system/edac/mc/mc0/dimm0/dimm_label", "CPU_SrcID#0_Ha#0_Chan#0_DIMM#0\n");
  controllers.File("devices/system/edac/mc/mc0/dimm0/dimm_mem_type", "Registered-DDR4\n");
  controllers.File("devices/system/edac/mc/mc0/dimm1/size", "0\n");  // an empty socket
  CPhysicalMemoryProvider fromControllers(controllers.Root());
  const WbemInstances listed = Enumerate(fromControllers, u"Win32_PhysicalMemory");
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(Values(*listed[0], {u"Tag", u"Capacity", u"DeviceLocator", u"BankLabel", u"SMBIOSMemoryType", u"Speed"}),
            "Physical Memory 0|17179869184|CPU_SrcID#0_Ha#0_Chan#0_DIMM#0|Null|26|Null");
  // Strings that run off the end of the entry are not read past it.
  std::string truncated = MemoryEntry(0x2000, 0, "DIMM 0");
  truncated.pop_back();
  const auto device = machine::ParseMemoryDevice(truncated);
  ASSERT_TRUE(device.has_value());
  EXPECT_EQ(device->deviceLocator, "");
  EXPECT_FALSE(machine::ParseMemoryDevice(std::string(0x28, '\x11')).has_value());
}

TEST(HardwareProviders, AdapterStatesFromSys) {
  CFakeTree sys;
  const auto adapter = [&](const std::string& name, const std::string& index, const std::string& flags,
                           const std::string& state, const std::string& carrier, const std::string& speed) {
    sys.File("class/net/" + name + "/ifindex", index + "\n");
    sys.File("class/net/" + name + "/type", name == "lo" ? "772\n" : "1\n");
    sys.File("class/net/" + name + "/flags", flags + "\n");
    sys.File("class/net/" + name + "/operstate", state + "\n");
    sys.File("class/net/" + name + "/carrier", carrier + "\n");
    sys.File("class/net/" + name + "/speed", speed + "\n");
    sys.File("class/net/" + name + "/duplex", "full\n");
    sys.File("class/net/" + name + "/address", "52:54:00:ab:cd:" + index + "\n");
  };
  adapter("lo", "1", "0x9", "unknown", "1", "-1");
  adapter("eth0", "2", "0x1003", "up", "1", "1000");
  adapter("eth1", "3", "0x1003", "down", "0", "-1");  // switched on, cable out
  adapter("eth2", "4", "0x1002", "down", "0", "-1");  // switched off
  adapter("tun0", "5", "0x1091", "unknown", "1", "10");
  sys.Link("class/net/eth0/device", "devices/pci0000:00/0000:00:03.0");
  CNetworkAdapterProvider provider(sys.Root());
  const WbemInstances adapters = Enumerate(provider, u"Win32_NetworkAdapter");
  std::string got;
  for (const auto& a : adapters) {
    got += Values(*a, {u"Name", u"Index", u"DeviceID", u"NetConnectionStatus", u"NetEnabled", u"Speed", u"FullDuplex",
                       u"MACAddress", u"PhysicalAdapter"}) + "\n";
  }
  EXPECT_EQ(got,
            "eth0|2|2|2|True|1000000000|True|52:54:00:AB:CD:2|True\n"
            "eth1|3|3|7|True|Null|Null|52:54:00:AB:CD:3|False\n"
            "eth2|4|4|0|False|Null|Null|52:54:00:AB:CD:4|False\n"
            "tun0|5|5|2|True|10000000|True|52:54:00:AB:CD:5|False\n");
}

TEST(HardwareProviders, AdaptersPairWithTheirConfigurations) {
  // Every adapter other than loopback, by the kernel's index, with its hardware address.
  std::set<std::string> expected;
  for (const auto& entry : fs::directory_iterator("/sys/class/net")) {
    std::ifstream type(entry.path() / "type"), index(entry.path() / "ifindex");
    int kind = 0, number = 0;
    type >> kind;
    index >> number;
    if (kind != 772) expected.insert(std::to_string(number) + " " + entry.path().filename().string());
  }
  const std::string out = RunLogged(
      u"Set svc = GetObject(\"winmgmts:\")\n"
      u"For Each a In svc.ExecQuery(\"Select * from Win32_NetworkAdapter\")\n"
      u"  Set cfg = svc.Get(\"Win32_NetworkAdapterConfiguration.Index=\" & a.Index)\n"
      u"  If a.MACAddress <> cfg.MACAddress Or a.InterfaceIndex <> cfg.InterfaceIndex Then Log \"differ\", a.Name\n"
      u"  Log a.Index, a.NetConnectionID\n"
      u"Next\n");
  std::set<std::string> got;
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) got.insert(line);
  EXPECT_EQ(got, expected) << out;
}

// Local time in a zone of the database for the duration of a test.
TEST(HardwareProviders, TimeZonesAsWindowsStatesThem) {
  if (!fs::exists("/usr/share/zoneinfo/Europe/Berlin")) GTEST_SKIP() << "no time zone database";
  const std::u16string script =
      u"For Each z In GetObject(\"winmgmts:\").InstancesOf(\"Win32_TimeZone\")\n"
      u"  Log z.Caption, z.Bias, z.StandardName, z.DaylightName, z.DaylightBias, z.DaylightMonth, z.DaylightDay,"
      u" z.DaylightDayOfWeek, z.DaylightHour, z.StandardMonth, z.StandardDay, z.StandardHour\n"
      u"Next\n";
  const std::map<std::string, std::string> expected = {
      // Clocks go forward on the last Sunday of March at 2:00 and back on the last of October at 3:00.
      {"Europe/Berlin", "(UTC+01:00) Europe/Berlin -60 CET CEST -60 3 5 0 2 10 5 3\n"},
      {"America/New_York", "(UTC-05:00) America/New_York 300 EST EDT -60 3 2 0 2 11 1 2\n"},
      // Summer at the turn of the year: the change into it comes after the change out of it.
      {"Australia/Sydney", "(UTC+10:00) Australia/Sydney -600 AEST AEDT -60 10 1 0 2 4 1 3\n"},
      // Winter time is the database's "summer" flag here (a negative saving): the clock decides.
      {"Europe/Dublin", "(UTC+00:00) Europe/Dublin 0 GMT IST -60 3 5 0 1 10 5 2\n"},
      {"Asia/Kolkata", "(UTC+05:30) Asia/Kolkata -330 IST IST 0 0 0 0 0 0 0 0\n"},
      {":UTC", "(UTC+00:00) UTC 0 UTC UTC 0 0 0 0 0 0 0 0\n"},
  };
  for (const auto& [zone, line] : expected) {
    const quillet::test::CTimeZoneForTest fixed(zone.c_str());
    EXPECT_EQ(RunLogged(script), line) << zone;
  }
}

bool EchoPossibleHere() {
  for (const int type : {SOCK_DGRAM, SOCK_RAW}) {
    const int fd = socket(AF_INET, type, IPPROTO_ICMP);
    if (fd >= 0) {
      close(fd);
      return true;
    }
  }
  return !FirstLineOf("command -v ping").empty();
}

TEST(HardwareProviders, PingTheLoopbackAddresses) {
  const std::string status = EchoPossibleHere() ? "0" : "11050";
  const std::string out = RunLogged(
      u"Set svc = GetObject(\"winmgmts:{impersonationLevel=impersonate}\")\n"
      u"For Each p In svc.ExecQuery(\"Select * From Win32_PingStatus\""
      u" & \" Where Address = '127.0.0.1' Or Address = '::1'\")\n"
      u"  Log p.Address, p.StatusCode, p.ProtocolAddress, p.PrimaryAddressResolutionStatus, p.BufferSize,"
      u" p.StatusCode <> 0 Or (p.ResponseTime >= 0 And p.ResponseTime < 1000)\n"
      u"Next\n"
      u"Set one = svc.ExecQuery(\"Select * From Win32_PingStatus Where Address = '127.0.0.1' And BufferSize = 64"
      u" And Timeout = 500\")\n"
      u"For Each p In one : Log p.StatusCode, p.Timeout, p.ReplySize = 64 Or p.StatusCode <> 0 : Next\n"
      u"Set p = svc.Get(\"Win32_PingStatus.Address='::1',Timeout=700\")\n"
      u"Log p.StatusCode, p.Timeout, p.Path_.Class\n"
      u"On Error Resume Next\n"
      u"n = svc.ExecQuery(\"Select * From Win32_PingStatus\").Count\n"
      u"Log Hex(Err.Number)\n"
      u"Err.Clear\n"
      u"n = svc.ExecQuery(\"Select * From Win32_PingStatus Where Not Address = '127.0.0.1'\").Count\n"
      u"Log Hex(Err.Number)\n");
  EXPECT_EQ(out, "127.0.0.1 " + status + " 127.0.0.1 0 32 True\n::1 " + status + " ::1 0 32 True\n" + status +
                     " 500 True\n" + status + " 700 Win32_PingStatus\n80041024\n80041024\n");
}

// PATH holding only a folder with a made-up ping program, for the duration of a test.
class CFakePing {
 public:
  explicit CFakePing(const std::string& script) {
    if (const char* old = std::getenv("PATH")) m_oldPath = old;
    const std::string record = "printf '%s\\n' \"$*\" > " + m_folder.File("args") + "\n";
    test::WriteFile(m_folder.File("ping"), "#!/bin/sh\n" + record + script);
    fs::permissions(m_folder.File("ping"), fs::perms::owner_all);
    setenv("PATH", (m_folder.Path() + ":/usr/bin:/bin").c_str(), 1);
  }
  ~CFakePing() { setenv("PATH", m_oldPath.c_str(), 1); }
  [[nodiscard]] std::string Arguments() const { return FirstLineOf("cat " + m_folder.File("args")); }

 private:
  test::CTempFolder m_folder;
  std::string m_oldPath;
};

TEST(HardwareProviders, PingThroughTheSystemsProgram) {
  machine::SEchoRequest request;
  request.address = "::1";
  request.timeoutMs = 1500;
  {
    const CFakePing ping("echo '64 bytes from ::1: icmp_seq=1 ttl=63 time=3.42 ms'\nexit 0\n");
    const auto reply = machine::SendEchoRequestThroughProgram(request);
    ASSERT_TRUE(reply.has_value());
    EXPECT_EQ(reply->status, machine::kEchoSuccess);
    EXPECT_EQ(reply->responseTimeMs, 3u);
    EXPECT_EQ(reply->timeToLive, 63u);
    EXPECT_EQ(reply->protocolAddress, "::1");
    // One request, a bounded wait, to the address the script named and nowhere else.
    EXPECT_EQ(ping.Arguments(), "-n -c 1 -W 2 -s 32 ::1");
  }
  {
    const CFakePing ping("exit 1\n");  // no answer
    EXPECT_EQ(machine::SendEchoRequestThroughProgram(request)->status, machine::kEchoTimedOut);
  }
  {
    // A program that never ends is killed once the time-out has passed by its margin.
    const CFakePing ping("exec sleep 60\n");
    request.timeoutMs = 100;
    const auto start = std::chrono::steady_clock::now();
    const auto reply = machine::SendEchoRequestThroughProgram(request);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_EQ(reply->status, machine::kEchoGeneralFailure);
  }
}

TEST(HardwareProviders, PrintersAsThePrintSystemListsThem) {
  const platform::SWmiClass* cls = platform::CWmiCatalog::Installed().Find(u"root\\cimv2", u"Win32_Printer");
  ASSERT_NE(cls, nullptr);
  wsh::SPrinter office{u"ipp://printhost:631/printers/office", u"office", true,
                       {{"printer-location", "Second floor"},
                        {"printer-make-and-model", "Generic PostScript"},
                        {"printer-state", "5"},
                        {"printer-is-shared", "false"}}};
  EXPECT_EQ(Values(*PrinterInstance(*cls, office), {u"DeviceID", u"Name", u"PortName", u"Default", u"Network", u"Local",
                                                     u"Location", u"DriverName", u"Comment", u"PrinterStatus",
                                                     u"WorkOffline", u"Shared"}),
            "office|office|ipp://printhost:631/printers/office|True|True|False|Second floor|Generic PostScript|Null|"
            "6|True|False");
  wsh::SPrinter local{u"usb://Maker/Model", u"desk", false, {{"printer-state", "3"}}};
  EXPECT_EQ(Values(*PrinterInstance(*cls, local), {u"Default", u"Local", u"PrinterStatus", u"WorkOffline", u"Shared"}),
            "False|True|3|False|Null");
}

}  // namespace
}  // namespace quillet::engine

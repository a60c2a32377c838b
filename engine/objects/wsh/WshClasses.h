#pragma once
// IWshRuntimeLibrary as the object model declares it: WScript.Shell, WScript.Network and the
// objects they hand out, with Windows' GUIDs and DISPIDs, so that compiled clients, a Wine
// prefix's library and ours agree.

#include <cstdint>

#include "engine/runtime/ObjectModel.h"

namespace quillet::engine {

namespace wsh_shell_id {
enum : int32_t {
  SpecialFolders = 100, Environment = 200, Run = 1000, Popup = 1001, CreateShortcut = 1002,
  ExpandEnvironmentStrings = 1006, RegRead = 2000, RegWrite = 2001, RegDelete = 2002, LogEvent = 3000,
  AppActivate = 3010, SendKeys = 3011, Exec = 3012, CurrentDirectory = 3013,
};
}  // namespace wsh_shell_id

namespace wsh_network_id {
enum : int32_t {
  UserDomain = 0x60020000, UserName = 0x60020001, UserProfile = 0x60020002, ComputerName = 0x60020003,
  Organization = 0x60020004, Site = 0x60020005, MapNetworkDrive = 1000, RemoveNetworkDrive = 1001,
  EnumNetworkDrives = 1002, AddPrinterConnection = 2000, RemovePrinterConnection = 2001,
  EnumPrinterConnections = 2002, SetDefaultPrinter = 2003, AddWindowsPrinterConnection = 2004,
};
}  // namespace wsh_network_id

// WshCollection and WshEnvironment share their first DISPIDs.
namespace wsh_collection_id {
enum : int32_t { Item = 0, Count = 1, Length = 2, Remove = 1001, NewEnum = om::kDispIdNewEnum };
}  // namespace wsh_collection_id

namespace wsh_exec_id {
enum : int32_t { Status = 1, StdIn = 3, StdOut = 4, StdErr = 5, ProcessID = 6, ExitCode = 7, Terminate = 8 };
}  // namespace wsh_exec_id

namespace wsh_shortcut_id {
enum : int32_t {
  FullName = 0, Arguments = 1000, Description = 1001, Hotkey = 1002, IconLocation = 1003, RelativePath = 1004,
  TargetPath = 1005, WindowStyle = 1006, WorkingDirectory = 1007, Load = 2000, Save = 2001,
};
}  // namespace wsh_shortcut_id

extern const om::SInterface kWshShellInterface, kWshShell2Interface, kWshShell3Interface, kWshNetworkInterface,
    kWshNetwork2Interface, kWshCollectionInterface, kWshEnvironmentInterface, kWshExecInterface,
    kWshShortcutInterface, kWshUrlShortcutInterface;
extern const om::SClass kWshShellClass, kWshShellCompatibleClass, kWshNetworkClass, kWshNetworkCompatibleClass,
    kWshExecClass, kWshCollectionClass, kWshEnvironmentClass, kWshShortcutClass, kWshUrlShortcutClass;

// Exec's streams: Scripting's ITextStream, listed in this library too.
extern const om::SClass kWshTextStreamClass;
extern const om::SEnum kWshExecStatus, kWshDriveTypeConst, kWshFileAttribute, kWshIoMode, kWshTristate;

}  // namespace quillet::engine

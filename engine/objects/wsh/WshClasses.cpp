#include "engine/objects/wsh/WshClasses.h"

#include <algorithm>
#include <array>

#include "engine/objects/wsh/WshLibrary.h"
#include "engine/objects/wsh/WshNetworkObject.h"
#include "engine/objects/wsh/WshShellObject.h"

namespace quillet::engine {

namespace {

using namespace om;
using namespace om::types;

constexpr uint8_t kPure = member::kSideEffectFree;

// IWshShell2 and IWshShell3 extend IWshShell; each interface lists its inherited members too,
// because a dual interface's table is what Invoke and the type library read.
template <size_t A, size_t B>
consteval std::array<SMember, A + B> Join(const std::array<SMember, A>& first, const SMember (&second)[B]) {
  std::array<SMember, A + B> joined{};
  std::copy(first.begin(), first.end(), joined.begin());
  std::copy(std::begin(second), std::end(second), joined.begin() + A);
  return joined;
}

constexpr SParam kEnvironmentType[] = {Optional(u"type", VariantRef, {})};
constexpr SParam kRun[] = {In(u"Command", Bstr), Optional(u"WindowStyle", VariantRef, {}),
                           Optional(u"WaitOnReturn", VariantRef, {})};
constexpr SParam kPopup[] = {In(u"Text", Bstr), Optional(u"SecondsToWait", VariantRef, {}),
                             Optional(u"Title", VariantRef, {}), Optional(u"type", VariantRef, {})};
constexpr SParam kPathLink[] = {In(u"PathLink", Bstr)};
constexpr SParam kSource[] = {In(u"Src", Bstr)};
constexpr SParam kRegName[] = {In(u"Name", Bstr)};
constexpr SParam kRegWrite[] = {In(u"Name", Bstr), In(u"Value", VariantRef), Optional(u"type", VariantRef, {})};
constexpr SParam kLogEvent[] = {In(u"type", VariantRef), In(u"Message", Bstr),
                                Optional(u"Target", Bstr, TextDefault(u""))};
constexpr SParam kAppActivate[] = {In(u"App", VariantRef), Optional(u"Wait", VariantRef, {})};
constexpr SParam kSendKeys[] = {In(u"Keys", Bstr), Optional(u"Wait", VariantRef, {})};
constexpr SParam kCommand[] = {In(u"Command", Bstr)};
constexpr SParam kText[] = {In(u"", Bstr)};
constexpr SParam kNumber[] = {In(u"", Int)};

constexpr std::array<SMember, 9> kShellMembers{{
    Get(u"SpecialFolders", wsh_shell_id::SpecialFolders, Object(u"IWshCollection"), {},
        u"The folders the desktop names, by their Windows names.", kPure),
    Get(u"Environment", wsh_shell_id::Environment, Object(u"IWshEnvironment"), kEnvironmentType,
        u"The environment variables of the process, the user, the system or this run."),
    Method(u"Run", wsh_shell_id::Run, Int, kRun,
           u"Starts a program; returns 0 at once, or its exit code when told to wait."),
    Method(u"Popup", wsh_shell_id::Popup, Int, kPopup,
           u"Shows a message box that closes itself after a number of seconds; -1 when it timed out."),
    Method(u"CreateShortcut", wsh_shell_id::CreateShortcut, Dispatch, kPathLink,
           u"A shortcut (.lnk) or Internet shortcut (.url) to fill in and save."),
    Method(u"ExpandEnvironmentStrings", wsh_shell_id::ExpandEnvironmentStrings, Bstr, kSource,
           u"The text with each %NAME% replaced by that environment variable."),
    Method(u"RegRead", wsh_shell_id::RegRead, Variant, kRegName,
           u"Reads a value or a key's default value from the registry."),
    Method(u"RegWrite", wsh_shell_id::RegWrite, Void, kRegWrite, u"Writes a value or a key to the registry."),
    Method(u"RegDelete", wsh_shell_id::RegDelete, Void, kRegName, u"Deletes a value or a key from the registry."),
}};

constexpr SMember kShell2Additions[] = {
    Method(u"LogEvent", wsh_shell_id::LogEvent, Bool, kLogEvent, u"Writes a message to the system log."),
    Method(u"AppActivate", wsh_shell_id::AppActivate, Bool, kAppActivate,
           u"Brings a window to the front, found by its title or process; False when none is found."),
    Method(u"SendKeys", wsh_shell_id::SendKeys, Void, kSendKeys, u"Sends key strokes to the active window."),
};

constexpr SMember kShell3Additions[] = {
    Method(u"Exec", wsh_shell_id::Exec, Object(u"IWshExec"), kCommand,
           u"Starts a program with its standard streams connected to the script."),
    Get(u"CurrentDirectory", wsh_shell_id::CurrentDirectory, Bstr, {}, u"The current folder of the script.", kPure),
    Let(u"CurrentDirectory", wsh_shell_id::CurrentDirectory, kText, u"Changes the current folder of the script."),
};

constexpr auto kShell2Members = Join(kShellMembers, kShell2Additions);
constexpr auto kShell3Members = Join(kShell2Members, kShell3Additions);

constexpr SParam kMapDrive[] = {In(u"LocalName", Bstr), In(u"RemoteName", Bstr),
                                Optional(u"UpdateProfile", VariantRef, {}), Optional(u"UserName", VariantRef, {}),
                                Optional(u"Password", VariantRef, {})};
constexpr SParam kRemoveConnection[] = {In(u"Name", Bstr), Optional(u"force", VariantRef, {}),
                                        Optional(u"UpdateProfile", VariantRef, {})};
constexpr SParam kPrinterName[] = {In(u"Name", Bstr)};
constexpr SParam kWindowsPrinter[] = {In(u"PrinterName", Bstr), Optional(u"DriverName", Bstr, TextDefault(u"")),
                                      Optional(u"Port", Bstr, TextDefault(u"LPT1"))};

constexpr std::array<SMember, 13> kNetworkMembers{{
    Get(u"UserDomain", wsh_network_id::UserDomain, Bstr, {}, u"The domain of the machine, or its name.", kPure),
    Get(u"UserName", wsh_network_id::UserName, Bstr, {}, u"The name of the user running the script.", kPure),
    Get(u"UserProfile", wsh_network_id::UserProfile, Bstr, {}, u"The home folder of the user.", kPure),
    Get(u"ComputerName", wsh_network_id::ComputerName, Bstr, {}, u"The name of the machine.", kPure),
    Get(u"Organization", wsh_network_id::Organization, Bstr, {}, u"The organisation of the user; empty here.",
        kPure | member::kHidden),
    Get(u"Site", wsh_network_id::Site, Bstr, {}, u"The site of the machine; empty here.", kPure | member::kHidden),
    Method(u"MapNetworkDrive", wsh_network_id::MapNetworkDrive, Void, kMapDrive,
           u"Maps a shared network folder to a drive letter."),
    Method(u"RemoveNetworkDrive", wsh_network_id::RemoveNetworkDrive, Void, kRemoveConnection,
           u"Removes a mapped network drive."),
    Method(u"EnumNetworkDrives", wsh_network_id::EnumNetworkDrives, Object(u"IWshCollection"), {},
           u"Pairs of local name and remote share of the network drives."),
    Method(u"AddPrinterConnection", wsh_network_id::AddPrinterConnection, Void, kMapDrive,
           u"Connects a printer port to a network printer."),
    Method(u"RemovePrinterConnection", wsh_network_id::RemovePrinterConnection, Void, kRemoveConnection,
           u"Removes a printer connection."),
    Method(u"EnumPrinterConnections", wsh_network_id::EnumPrinterConnections, Object(u"IWshCollection"), {},
           u"Pairs of port and printer name of the printers."),
    Method(u"SetDefaultPrinter", wsh_network_id::SetDefaultPrinter, Void, kPrinterName,
           u"Makes a printer the default one."),
}};

constexpr SMember kNetwork2Additions[] = {
    Method(u"AddWindowsPrinterConnection", wsh_network_id::AddWindowsPrinterConnection, Void, kWindowsPrinter,
           u"Connects a network printer without a port."),
};

constexpr auto kNetwork2Members = Join(kNetworkMembers, kNetwork2Additions);

constexpr SParam kIndex[] = {In(u"Index", VariantRef)};
constexpr SMember kCollectionMembers[] = {
    Method(u"Item", wsh_collection_id::Item, Variant, kIndex, u"One item, by position from 0 or by name."),
    Method(u"Count", wsh_collection_id::Count, Long, {}, u"The number of items."),
    Get(u"length", wsh_collection_id::Length, Long, {}, u"The number of items.", kPure),
    Method(u"_NewEnum", wsh_collection_id::NewEnum, Unknown, {}, u"Walks the items for For Each.",
           member::kRestricted),
};

constexpr SParam kVariableName[] = {In(u"Name", Bstr)};
constexpr SParam kVariableValue[] = {In(u"Name", Bstr), In(u"", Bstr)};
constexpr SMember kEnvironmentMembers[] = {
    Get(u"Item", wsh_collection_id::Item, Bstr, kVariableName, u"The value of a variable; empty when it is not set."),
    Let(u"Item", wsh_collection_id::Item, kVariableValue, u"Sets a variable."),
    Method(u"Count", wsh_collection_id::Count, Long, {}, u"The number of variables."),
    Get(u"length", wsh_collection_id::Length, Long, {}, u"The number of variables.", kPure),
    Method(u"_NewEnum", wsh_collection_id::NewEnum, Unknown, {}, u"Walks the variables as NAME=value.",
           member::kRestricted),
    Method(u"Remove", wsh_collection_id::Remove, Void, kVariableName, u"Removes a variable."),
};

constexpr SMember kExecMembers[] = {
    Get(u"Status", wsh_exec_id::Status, Enum(u"WshExecStatus"), {}, u"0 while the program runs, 1 once it ended.",
        kPure),
    Get(u"StdIn", wsh_exec_id::StdIn, Object(u"ITextStream"), {}, u"The standard input of the program.", kPure),
    Get(u"StdOut", wsh_exec_id::StdOut, Object(u"ITextStream"), {}, u"The standard output of the program.", kPure),
    Get(u"StdErr", wsh_exec_id::StdErr, Object(u"ITextStream"), {}, u"The standard error of the program.", kPure),
    Get(u"ProcessID", wsh_exec_id::ProcessID, Int, {}, u"The process id of the program.", kPure),
    Get(u"ExitCode", wsh_exec_id::ExitCode, Int, {}, u"The exit code of the program; 0 while it runs.", kPure),
    Method(u"Terminate", wsh_exec_id::Terminate, Void, {}, u"Ends the program."),
};

constexpr SMember kShortcutMembers[] = {
    Get(u"FullName", wsh_shortcut_id::FullName, Bstr, {}, u"The full path of the shortcut file.", kPure),
    Get(u"Arguments", wsh_shortcut_id::Arguments, Bstr, {}, u"The arguments given to the target.", kPure),
    Let(u"Arguments", wsh_shortcut_id::Arguments, kText, u"Sets the arguments given to the target."),
    Get(u"Description", wsh_shortcut_id::Description, Bstr, {}, u"The comment of the shortcut.", kPure),
    Let(u"Description", wsh_shortcut_id::Description, kText, u"Sets the comment of the shortcut."),
    Get(u"Hotkey", wsh_shortcut_id::Hotkey, Bstr, {}, u"The key combination that opens the shortcut.", kPure),
    Let(u"Hotkey", wsh_shortcut_id::Hotkey, kText, u"Sets the key combination that opens the shortcut."),
    Get(u"IconLocation", wsh_shortcut_id::IconLocation, Bstr, {}, u"The icon, as path,index.", kPure),
    Let(u"IconLocation", wsh_shortcut_id::IconLocation, kText, u"Sets the icon, as path,index."),
    Let(u"RelativePath", wsh_shortcut_id::RelativePath, kText,
        u"Sets the path of the target relative to the shortcut."),
    Get(u"TargetPath", wsh_shortcut_id::TargetPath, Bstr, {}, u"The path of the target.", kPure),
    Let(u"TargetPath", wsh_shortcut_id::TargetPath, kText, u"Sets the path of the target."),
    Get(u"WindowStyle", wsh_shortcut_id::WindowStyle, Int, {}, u"How the target's window opens: 1, 3 or 7.", kPure),
    Let(u"WindowStyle", wsh_shortcut_id::WindowStyle, kNumber, u"Sets how the target's window opens."),
    Get(u"WorkingDirectory", wsh_shortcut_id::WorkingDirectory, Bstr, {}, u"The folder the target starts in.", kPure),
    Let(u"WorkingDirectory", wsh_shortcut_id::WorkingDirectory, kText, u"Sets the folder the target starts in."),
    Method(u"Load", wsh_shortcut_id::Load, Void, kPathLink, u"Reads a shortcut file.", member::kHidden),
    Method(u"Save", wsh_shortcut_id::Save, Void, {}, u"Writes the shortcut file."),
};

constexpr SMember kUrlShortcutMembers[] = {
    Get(u"FullName", wsh_shortcut_id::FullName, Bstr, {}, u"The full path of the shortcut file.", kPure),
    Get(u"TargetPath", wsh_shortcut_id::TargetPath, Bstr, {}, u"The address the shortcut opens.", kPure),
    Let(u"TargetPath", wsh_shortcut_id::TargetPath, kText, u"Sets the address the shortcut opens."),
    Method(u"Load", wsh_shortcut_id::Load, Void, kPathLink, u"Reads an Internet shortcut file.", member::kHidden),
    Method(u"Save", wsh_shortcut_id::Save, Void, {}, u"Writes the Internet shortcut file."),
};

constexpr std::u16string_view kShellProgIds[] = {u"WScript.Shell"};
constexpr std::u16string_view kNetworkProgIds[] = {u"WScript.Network"};

}  // namespace

constinit const SInterface kWshShellInterface{u"IWshShell", Guid("F935DC21-1CF0-11D0-ADB9-00C04FD58A0B"),
                                              kShellMembers, u"Starts programs and reads the machine's settings.",
                                              iface::kHidden};
constinit const SInterface kWshShell2Interface{u"IWshShell2", Guid("24BE5A30-EDFE-11D2-B933-00104B365C9F"),
                                               kShell2Members, u"The shell, with the system log and windows.",
                                               iface::kHidden};
constinit const SInterface kWshShell3Interface{u"IWshShell3", Guid("41904400-BE18-11D3-A28B-00104BD35090"),
                                               kShell3Members,
                                               u"The shell, with programs whose streams the script reads."};
constinit const SInterface kWshNetworkInterface{u"IWshNetwork", Guid("F935DC25-1CF0-11D0-ADB9-00C04FD58A0B"),
                                                kNetworkMembers, u"The user, the machine and its network connections.",
                                                iface::kHidden};
constinit const SInterface kWshNetwork2Interface{u"IWshNetwork2", Guid("24BE5A31-EDFE-11D2-B933-00104B365C9F"),
                                                 kNetwork2Members,
                                                 u"The user, the machine and its network connections."};
constinit const SInterface kWshCollectionInterface{u"IWshCollection", Guid("F935DC27-1CF0-11D0-ADB9-00C04FD58A0B"),
                                                   kCollectionMembers, u"A list of items the shell hands out."};
constinit const SInterface kWshEnvironmentInterface{u"IWshEnvironment",
                                                    Guid("F935DC29-1CF0-11D0-ADB9-00C04FD58A0B"), kEnvironmentMembers,
                                                    u"One set of environment variables."};
constinit const SInterface kWshExecInterface{u"IWshExec", Guid("08FED190-BE19-11D3-A28B-00104BD35090"), kExecMembers,
                                             u"A program started by Exec, and its standard streams."};
constinit const SInterface kWshShortcutInterface{u"IWshShortcut", Guid("F935DC23-1CF0-11D0-ADB9-00C04FD58A0B"),
                                                 kShortcutMembers, u"A shortcut file to a program or document."};

// Not in the listing we follow; declared under the name Windows uses, with a GUID of our own.
constinit const SInterface kWshUrlShortcutInterface{u"IWshURLShortcut", Guid("E282033E-5F32-4A12-A154-37690AA38549"),
                                                    kUrlShortcutMembers, u"An Internet shortcut file (.url)."};

constinit const SClass kWshShellClass{
    .name = u"WshShell",
    .clsid = Guid("72C24DD5-D70A-438B-8A42-98424B88AFB8"),
    .library = &kWshLibrary,
    .defaultInterface = &kWshShell3Interface,
    .typeName = u"IWshShell3",
    .progIds = kShellProgIds,
    .versionedProgId = u"WScript.Shell.1",
    .server = EServer::InProcess,
    .create = NewWshShell,
    .help = u"Starts programs, reads the environment, the registry and the special folders.",
};
constinit const SClass kWshShellCompatibleClass{
    .name = u"IWshShell_Class",
    .clsid = Guid("F935DC22-1CF0-11D0-ADB9-00C04FD58A0B"),
    .library = &kWshLibrary,
    .defaultInterface = &kWshShell3Interface,
    .typeName = u"IWshShell3",
    .server = EServer::InProcess,
    .help = u"The shell under its earlier class id.",
};
constinit const SClass kWshNetworkClass{
    .name = u"WshNetwork",
    .clsid = Guid("093FF999-1EA0-4079-9525-9614C3504B74"),
    .library = &kWshLibrary,
    .defaultInterface = &kWshNetwork2Interface,
    .typeName = u"IWshNetwork2",
    .progIds = kNetworkProgIds,
    .versionedProgId = u"WScript.Network.1",
    .server = EServer::InProcess,
    .create = NewWshNetwork,
    .help = u"The user, the machine and its network drives and printers.",
};
constinit const SClass kWshNetworkCompatibleClass{
    .name = u"IWshNetwork_Class",
    .clsid = Guid("F935DC26-1CF0-11D0-ADB9-00C04FD58A0B"),
    .library = &kWshLibrary,
    .defaultInterface = &kWshNetwork2Interface,
    .typeName = u"IWshNetwork2",
    .server = EServer::InProcess,
    .help = u"The network object under its earlier class id.",
};
constinit const SClass kWshExecClass{
    .name = u"WshExec",
    .clsid = Guid("08FED191-BE19-11D3-A28B-00104BD35090"),
    .library = &kWshLibrary,
    .defaultInterface = &kWshExecInterface,
    .typeName = u"IWshExec",
    .server = EServer::InProcess,
    .help = u"A program started by Exec.",
};
// The library declares no coclass for these.
constinit const SClass kWshCollectionClass{
    .name = {}, .library = &kWshLibrary, .defaultInterface = &kWshCollectionInterface, .typeName = u"IWshCollection"};
constinit const SClass kWshEnvironmentClass{.name = {},
                                            .library = &kWshLibrary,
                                            .defaultInterface = &kWshEnvironmentInterface,
                                            .typeName = u"IWshEnvironment"};
constinit const SClass kWshShortcutClass{
    .name = {}, .library = &kWshLibrary, .defaultInterface = &kWshShortcutInterface, .typeName = u"IWshShortcut"};
constinit const SClass kWshUrlShortcutClass{.name = {},
                                            .library = &kWshLibrary,
                                            .defaultInterface = &kWshUrlShortcutInterface,
                                            .typeName = u"IWshURLShortcut"};

}  // namespace quillet::engine

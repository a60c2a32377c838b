#include "engine/objects/wsh/WshLibrary.h"

#include "engine/objects/scripting/FileSystemClasses.h"
#include "engine/objects/wsh/WshClasses.h"

namespace quillet::engine {

namespace {

using namespace om;

constexpr const SEnum* kEnums[] = {&kWshExecStatus, &kWshDriveTypeConst, &kWshFileAttribute, &kWshIoMode,
                                   &kWshTristate};
// The file system interfaces are Scripting's own declarations: one table, the same GUIDs and
// DISPIDs in both libraries.
constexpr const SInterface* kInterfaces[] = {
    &kFolderInterface,        &kDriveInterface,          &kFolderCollectionInterface,
    &kFileCollectionInterface, &kFileInterface,          &kTextFileStreamInterface,
    &kWshCollectionInterface, &kWshEnvironmentInterface, &kWshExecInterface,
    &kWshShortcutInterface,   &kWshUrlShortcutInterface, &kWshShellInterface,       &kWshShell2Interface,
    &kWshShell3Interface,     &kWshNetworkInterface,     &kWshNetwork2Interface};
constexpr const SClass* kClasses[] = {
    &kWshShellCompatibleClass, &kWshShellClass,       &kWshNetworkCompatibleClass, &kWshNetworkClass,
    &kWshExecClass,            &kWshCollectionClass,  &kWshEnvironmentClass,       &kWshShortcutClass,
    &kWshUrlShortcutClass,     &kWshTextStreamClass};

}  // namespace

constinit const SLibrary kWshLibrary{
    .name = u"IWshRuntimeLibrary",
    .libid = Guid("F935DC20-1CF0-11D0-ADB9-00C04FD58A0B"),
    .majorVersion = 1,
    .minorVersion = 0,
    .help = u"The shell, the network and the programs scripts start.",
    .interfaces = kInterfaces,
    .enums = kEnums,
    .classes = kClasses,
};

}  // namespace quillet::engine

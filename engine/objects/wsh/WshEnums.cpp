// The enums IWshRuntimeLibrary lists beside its own objects (the file system's are Scripting's
// too), and the class of Exec's text streams, whose interface is Scripting's ITextStream.
#include "engine/objects/wsh/WshClasses.h"

#include "engine/objects/scripting/FileSystemClasses.h"
#include "engine/objects/wsh/WshLibrary.h"

namespace quillet::engine {

namespace {

using namespace om;

constexpr SEnumValue kExecStates[] = {{u"WshRunning", 0}, {u"WshFinished", 1}, {u"WshFailed", 2}};
constexpr SEnumValue kDriveTypes[] = {{u"UnknownType", 0}, {u"Removable", 1}, {u"Fixed", 2},
                                      {u"Remote", 3},      {u"CDRom", 4},     {u"RamDisk", 5}};
constexpr SEnumValue kFileAttributes[] = {{u"Normal", 0},   {u"ReadOnly", 1}, {u"Hidden", 2},
                                          {u"System", 4},   {u"Volume", 8},   {u"Directory", 16},
                                          {u"Archive", 32}, {u"Alias", 1024}, {u"Compressed", 2048}};
constexpr SEnumValue kIoModes[] = {{u"ForReading", 1}, {u"ForWriting", 2}, {u"ForAppending", 8}};
constexpr SEnumValue kTristates[] = {
    {u"TristateTrue", -1}, {u"TristateFalse", 0}, {u"TristateUseDefault", -2}, {u"TristateMixed", -2}};

}  // namespace

constinit const SEnum kWshExecStatus{u"WshExecStatus", kExecStates, u"Whether a program started by Exec runs."};
constinit const SEnum kWshDriveTypeConst{u"DriveTypeConst", kDriveTypes, u"What kind of device a drive is."};
constinit const SEnum kWshFileAttribute{u"FileAttribute", kFileAttributes, u"Attribute bits of files and folders."};
constinit const SEnum kWshIoMode{u"IOMode", kIoModes, u"What a text file is opened for."};
constinit const SEnum kWshTristate{u"Tristate", kTristates, u"Whether a text file is read or written as Unicode."};

// The library declares no coclass for it; Exec's streams are of this class.
constinit const SClass kWshTextStreamClass{
    .name = {}, .library = &kWshLibrary, .defaultInterface = &kTextFileStreamInterface, .typeName = u"TextStream"};

}  // namespace quillet::engine

#include "engine/objects/scripting/ScriptingLibrary.h"

#include "engine/objects/scripting/DictionaryClass.h"
#include "engine/objects/scripting/FileSystemClasses.h"

namespace quillet::engine {

namespace {

using namespace om;

constexpr SEnumValue kDriveTypes[] = {{u"UnknownType", 0}, {u"Removable", 1}, {u"Fixed", 2},
                                      {u"Remote", 3},      {u"CDRom", 4},     {u"RamDisk", 5}};
constexpr SEnumValue kFileAttributes[] = {{u"Normal", 0},     {u"ReadOnly", 1},  {u"Hidden", 2},
                                          {u"System", 4},     {u"Volume", 8},    {u"Directory", 16},
                                          {u"Archive", 32},   {u"Alias", 1024},  {u"Compressed", 2048}};
constexpr SEnumValue kIoModes[] = {{u"ForReading", 1}, {u"ForWriting", 2}, {u"ForAppending", 8}};
constexpr SEnumValue kTristates[] = {
    {u"TristateTrue", -1}, {u"TristateFalse", 0}, {u"TristateUseDefault", -2}, {u"TristateMixed", -2}};
constexpr SEnumValue kCompareMethods[] = {{u"BinaryCompare", 0}, {u"TextCompare", 1}, {u"DatabaseCompare", 2}};
constexpr SEnumValue kSpecialFolders[] = {{u"WindowsFolder", 0}, {u"SystemFolder", 1}, {u"TemporaryFolder", 2}};
constexpr SEnumValue kStandardStreams[] = {{u"StdIn", 0}, {u"StdOut", 1}, {u"StdErr", 2}};

constexpr SEnum kDriveTypeConst{u"DriveTypeConst", kDriveTypes, u"What kind of device a drive is."};
constexpr SEnum kFileAttribute{u"FileAttribute", kFileAttributes, u"Attribute bits of files and folders."};
constexpr SEnum kIoMode{u"IOMode", kIoModes, u"What a text file is opened for."};
constexpr SEnum kTristate{u"Tristate", kTristates, u"Whether a text file is read or written as Unicode."};
constexpr SEnum kCompareMethod{u"CompareMethod", kCompareMethods, u"How text is compared."};
constexpr SEnum kSpecialFolderConst{u"SpecialFolderConst", kSpecialFolders, u"The folders the system names."};
constexpr SEnum kStandardStreamTypes{u"StandardStreamTypes", kStandardStreams, u"The standard streams of a process."};

constexpr const SEnum* kEnums[] = {&kDriveTypeConst, &kFileAttribute, &kIoMode,           &kTristate,
                                   &kCompareMethod,  &kSpecialFolderConst, &kStandardStreamTypes};
constexpr const SInterface* kInterfaces[] = {
    &kDictionaryInterface,       &kFileSystemInterface,       &kFileSystem3Interface, &kDriveInterface,
    &kDriveCollectionInterface,  &kFolderInterface,           &kFolderCollectionInterface,
    &kFileInterface,             &kFileCollectionInterface,   &kTextFileStreamInterface};
constexpr const SClass* kClasses[] = {&kDictionaryClass, &kFileSystemObjectClass, &kDriveClass, &kDrivesClass,
                                      &kFolderClass,     &kFoldersClass,          &kFileClass,  &kFilesClass,
                                      &kTextStreamFileClass};

}  // namespace

constinit const SLibrary kScriptingLibrary{
    .name = u"Scripting",
    .libid = Guid("420B2830-E718-11CF-893D-00A0C9054228"),
    .majorVersion = 1,
    .minorVersion = 0,
    .help = u"Dictionaries and file system objects for scripts.",
    .interfaces = kInterfaces,
    .enums = kEnums,
    .classes = kClasses,
};

}  // namespace quillet::engine

// The file system interfaces and enums that IWshRuntimeLibrary lists beside its own objects,
// with Scripting's GUIDs and DISPIDs: clients compiled against this library see the same types
// that FileSystemObject hands out.
#include "engine/objects/wsh/WshClasses.h"

#include "engine/objects/wsh/WshLibrary.h"

namespace quillet::engine {

namespace {

using namespace om;
using namespace om::types;

constexpr uint8_t kPure = member::kSideEffectFree;
constexpr SType Date{EVt::Date};

constexpr SEnumValue kExecStates[] = {{u"WshRunning", 0}, {u"WshFinished", 1}, {u"WshFailed", 2}};
constexpr SEnumValue kDriveTypes[] = {{u"UnknownType", 0}, {u"Removable", 1}, {u"Fixed", 2},
                                      {u"Remote", 3},      {u"CDRom", 4},     {u"RamDisk", 5}};
constexpr SEnumValue kFileAttributes[] = {{u"Normal", 0},   {u"ReadOnly", 1}, {u"Hidden", 2},
                                          {u"System", 4},   {u"Volume", 8},   {u"Directory", 16},
                                          {u"Archive", 32}, {u"Alias", 1024}, {u"Compressed", 2048}};
constexpr SEnumValue kIoModes[] = {{u"ForReading", 1}, {u"ForWriting", 2}, {u"ForAppending", 8}};
constexpr SEnumValue kTristates[] = {
    {u"TristateTrue", -1}, {u"TristateFalse", 0}, {u"TristateUseDefault", -2}, {u"TristateMixed", -2}};

constexpr SParam kName[] = {In(u"", Bstr)};
constexpr SParam kAttributes[] = {In(u"", Enum(u"FileAttribute"))};
constexpr SParam kForce[] = {Optional(u"force", Bool, BooleanDefault(false))};
constexpr SParam kCopy[] = {In(u"Destination", Bstr), Optional(u"OverWriteFiles", Bool, BooleanDefault(true))};
constexpr SParam kMove[] = {In(u"Destination", Bstr)};
constexpr SParam kCreateTextFile[] = {In(u"FileName", Bstr), Optional(u"Overwrite", Bool, BooleanDefault(true)),
                                      Optional(u"Unicode", Bool, BooleanDefault(false))};
constexpr SParam kOpenAsTextStream[] = {Optional(u"IOMode", Enum(u"IOMode"), IntegerDefault(1)),
                                        Optional(u"Format", Enum(u"Tristate"), IntegerDefault(0))};
constexpr SParam kKey[] = {In(u"Key", Variant)};
constexpr SParam kFolderName[] = {In(u"Name", Bstr)};

// Members Folder and File share, in the order the listing gives them.
#define QUILLET_FILE_ITEM_MEMBERS(kind)                                                                          \
  Get(u"Path", 0, Bstr, {}, u"The path of the " kind u".", kPure),                                               \
      Get(u"Name", 1000, Bstr, {}, u"The name of the " kind u".", kPure),                                        \
      Let(u"Name", 1000, kName, u"Renames the " kind u"."),                                                      \
      Get(u"ShortPath", 1002, Bstr, {}, u"The short path of the " kind u".", kPure),                             \
      Get(u"ShortName", 1001, Bstr, {}, u"The short name of the " kind u".", kPure),                             \
      Get(u"Drive", 1004, Object(u"IDrive"), {}, u"The drive that holds the " kind u".", kPure),                 \
      Get(u"ParentFolder", 1005, Object(u"IFolder"), {}, u"The folder that holds the " kind u".", kPure),        \
      Get(u"Attributes", 1003, Enum(u"FileAttribute"), {}, u"The attribute bits of the " kind u".", kPure),      \
      Let(u"Attributes", 1003, kAttributes, u"Sets the attribute bits of the " kind u"."),                       \
      Get(u"DateCreated", 1006, Date, {}, u"When the " kind u" was made.", kPure),                               \
      Get(u"DateLastModified", 1007, Date, {}, u"When the " kind u" last changed.", kPure),                      \
      Get(u"DateLastAccessed", 1008, Date, {}, u"When the " kind u" was last read.", kPure)

constexpr SMember kFolderMembers[] = {
    QUILLET_FILE_ITEM_MEMBERS(u"folder"),
    Get(u"type", 1010, Bstr, {}, u"The kind of folder, as the desktop names it.", kPure),
    Method(u"Delete", 1201, Void, kForce, u"Deletes the folder and what it holds."),
    Method(u"Copy", 1203, Void, kCopy, u"Copies the folder."),
    Method(u"Move", 1205, Void, kMove, u"Moves the folder."),
    Get(u"IsRootFolder", 10000, Bool, {}, u"Whether the folder is the root of its drive.", kPure),
    Get(u"Size", 1009, Variant, {}, u"The bytes of every file the folder holds."),
    Get(u"SubFolders", 10001, Object(u"IFolderCollection"), {}, u"The folders inside the folder."),
    Get(u"Files", 10002, Object(u"IFileCollection"), {}, u"The files inside the folder."),
    Method(u"CreateTextFile", 1101, Object(u"ITextStream"), kCreateTextFile, u"Makes a text file in the folder."),
};

constexpr SMember kFileMembers[] = {
    QUILLET_FILE_ITEM_MEMBERS(u"file"),
    Get(u"Size", 1009, Variant, {}, u"The bytes the file holds.", kPure),
    Get(u"type", 1010, Bstr, {}, u"The kind of file, as the desktop names it.", kPure),
    Method(u"Delete", 1200, Void, kForce, u"Deletes the file."),
    Method(u"Copy", 1202, Void, kCopy, u"Copies the file."),
    Method(u"Move", 1204, Void, kMove, u"Moves the file."),
    Method(u"OpenAsTextStream", 1100, Object(u"ITextStream"), kOpenAsTextStream, u"Opens the file as text."),
};

#undef QUILLET_FILE_ITEM_MEMBERS

constexpr SMember kDriveMembers[] = {
    Get(u"Path", 0, Bstr, {}, u"The path of the drive.", kPure),
    Get(u"DriveLetter", 10000, Bstr, {}, u"The letter of the drive.", kPure),
    Get(u"ShareName", 10001, Bstr, {}, u"The network share of the drive.", kPure),
    Get(u"DriveType", 10002, Enum(u"DriveTypeConst"), {}, u"What kind of device the drive is.", kPure),
    Get(u"RootFolder", 10003, Object(u"IFolder"), {}, u"The root folder of the drive.", kPure),
    Get(u"AvailableSpace", 10005, Variant, {}, u"The bytes the user may still write.", kPure),
    Get(u"FreeSpace", 10004, Variant, {}, u"The bytes still free.", kPure),
    Get(u"TotalSize", 10006, Variant, {}, u"The bytes the drive holds.", kPure),
    Get(u"VolumeName", 10007, Bstr, {}, u"The label of the drive.", kPure),
    Let(u"VolumeName", 10007, kName, u"Sets the label of the drive."),
    Get(u"FileSystem", 10008, Bstr, {}, u"The file system of the drive.", kPure),
    Get(u"SerialNumber", 10009, Long, {}, u"The serial number of the volume.", kPure),
    Get(u"IsReady", 10010, Bool, {}, u"Whether the drive can be read.", kPure),
};

constexpr SMember kFolderCollectionMembers[] = {
    Method(u"Add", 2, Object(u"IFolder"), kFolderName, u"Makes a folder in the collection's folder."),
    Get(u"Item", 0, Object(u"IFolder"), kKey, u"One folder, by name."),
    Get(u"_NewEnum", kDispIdNewEnum, Unknown, {}, u"Walks the folders for For Each.",
        member::kRestricted | member::kHidden),
    Get(u"Count", 1, Long, {}, u"The number of folders."),
};

constexpr SMember kFileCollectionMembers[] = {
    Get(u"Item", 0, Object(u"IFile"), kKey, u"One file, by name."),
    Get(u"_NewEnum", kDispIdNewEnum, Unknown, {}, u"Walks the files for For Each.",
        member::kRestricted | member::kHidden),
    Get(u"Count", 1, Long, {}, u"The number of files."),
};

constexpr SParam kCharacters[] = {In(u"Characters", Long)};
constexpr SParam kText[] = {In(u"Text", Bstr)};
constexpr SParam kLineText[] = {Optional(u"Text", Bstr, TextDefault(u""))};
constexpr SParam kLines[] = {In(u"Lines", Long)};

constexpr SMember kTextStreamMembers[] = {
    Get(u"Line", 10000, Long, {}, u"The line the stream is at, counted from 1.", kPure),
    Get(u"Column", -529, Long, {}, u"The column the stream is at, counted from 1.", kPure),
    Get(u"AtEndOfStream", 10002, Bool, {}, u"Whether nothing is left to read."),
    Get(u"AtEndOfLine", 10003, Bool, {}, u"Whether the next character ends a line."),
    Method(u"Read", 10004, Bstr, kCharacters, u"Reads a number of characters."),
    Method(u"ReadLine", 10005, Bstr, {}, u"Reads one line, without its line break."),
    Method(u"ReadAll", 10006, Bstr, {}, u"Reads everything that is left."),
    Method(u"Write", 10007, Void, kText, u"Writes a text."),
    Method(u"WriteLine", 10008, Void, kLineText, u"Writes a text and a line break."),
    Method(u"WriteBlankLines", 10009, Void, kLines, u"Writes a number of line breaks."),
    Method(u"Skip", 10010, Void, kCharacters, u"Reads past a number of characters."),
    Method(u"SkipLine", 10011, Void, {}, u"Reads past one line."),
    Method(u"Close", 10012, Void, {}, u"Closes the stream."),
};

constexpr uint8_t kFileSystemFlags = iface::kHidden | iface::kNonExtensible;

}  // namespace

constinit const SEnum kWshExecStatus{u"WshExecStatus", kExecStates, u"Whether a program started by Exec runs."};
constinit const SEnum kWshDriveTypeConst{u"DriveTypeConst", kDriveTypes, u"What kind of device a drive is."};
constinit const SEnum kWshFileAttribute{u"FileAttribute", kFileAttributes, u"Attribute bits of files and folders."};
constinit const SEnum kWshIoMode{u"IOMode", kIoModes, u"What a text file is opened for."};
constinit const SEnum kWshTristate{u"Tristate", kTristates, u"Whether a text file is read or written as Unicode."};

constinit const SInterface kWshFolderInterface{u"IFolder", Guid("C7C3F5A2-88A3-11D0-ABCB-00A0C90FFFC0"),
                                               kFolderMembers, u"A folder.", kFileSystemFlags};
constinit const SInterface kWshDriveInterface{u"IDrive", Guid("C7C3F5A0-88A3-11D0-ABCB-00A0C90FFFC0"), kDriveMembers,
                                              u"A drive.", kFileSystemFlags};
constinit const SInterface kWshFolderCollectionInterface{u"IFolderCollection",
                                                         Guid("C7C3F5A3-88A3-11D0-ABCB-00A0C90FFFC0"),
                                                         kFolderCollectionMembers, u"The folders inside a folder.",
                                                         kFileSystemFlags};
constinit const SInterface kWshFileCollectionInterface{u"IFileCollection",
                                                       Guid("C7C3F5A5-88A3-11D0-ABCB-00A0C90FFFC0"),
                                                       kFileCollectionMembers, u"The files inside a folder.",
                                                       kFileSystemFlags};
constinit const SInterface kWshFileInterface{u"IFile", Guid("C7C3F5A4-88A3-11D0-ABCB-00A0C90FFFC0"), kFileMembers,
                                             u"A file.", kFileSystemFlags};
constinit const SInterface kWshTextStreamInterface{u"ITextStream", Guid("53BAD8C1-E718-11CF-893D-00A0C9054228"),
                                                   kTextStreamMembers, u"A stream of text read or written in order.",
                                                   kFileSystemFlags};

// The library declares no coclass for it; Exec's streams are of this class.
constinit const SClass kWshTextStreamClass{
    .name = {}, .library = &kWshLibrary, .defaultInterface = &kWshTextStreamInterface, .typeName = u"TextStream"};

}  // namespace quillet::engine

#include "engine/objects/scripting/FileSystemClasses.h"

#include "engine/objects/scripting/FileSystemObject.h"
#include "engine/objects/scripting/ScriptingLibrary.h"

namespace quillet::engine {

namespace {

using namespace om;
using namespace om::types;

constexpr uint8_t kPure = member::kSideEffectFree;
constexpr SType kDate{EVt::Date};
constexpr uint8_t kInterfaceFlags = iface::kHidden | iface::kNonExtensible;

constexpr SParam kPath[] = {In(u"Path", Bstr)};
constexpr SParam kBuildPath[] = {In(u"Path", Bstr), In(u"Name", Bstr)};
constexpr SParam kDriveSpec[] = {In(u"DriveSpec", Bstr)};
constexpr SParam kFileSpec[] = {In(u"FileSpec", Bstr)};
constexpr SParam kFolderSpec[] = {In(u"FolderSpec", Bstr)};
constexpr SParam kFilePath[] = {In(u"FilePath", Bstr)};
constexpr SParam kFolderPath[] = {In(u"FolderPath", Bstr)};
constexpr SParam kSpecialFolder[] = {In(u"SpecialFolder", Enum(u"SpecialFolderConst"))};
constexpr SParam kDeleteFile[] = {In(u"FileSpec", Bstr), Optional(u"Force", Bool, BooleanDefault(false))};
constexpr SParam kDeleteFolder[] = {In(u"FolderSpec", Bstr), Optional(u"Force", Bool, BooleanDefault(false))};
constexpr SParam kMove[] = {In(u"Source", Bstr), In(u"Destination", Bstr)};
constexpr SParam kCopy[] = {In(u"Source", Bstr), In(u"Destination", Bstr),
                            Optional(u"OverWriteFiles", Bool, BooleanDefault(true))};
constexpr SParam kCreateTextFile[] = {In(u"FileName", Bstr), Optional(u"Overwrite", Bool, BooleanDefault(true)),
                                      Optional(u"Unicode", Bool, BooleanDefault(false))};
constexpr SParam kOpenTextFile[] = {In(u"FileName", Bstr), Optional(u"IOMode", Enum(u"IOMode"), IntegerDefault(1)),
                                    Optional(u"Create", Bool, BooleanDefault(false)),
                                    Optional(u"Format", Enum(u"Tristate"), IntegerDefault(0))};
constexpr SParam kStandardStream[] = {In(u"StandardStreamType", Enum(u"StandardStreamTypes")),
                                      Optional(u"Unicode", Bool, BooleanDefault(false))};
constexpr SParam kFileName[] = {In(u"FileName", Bstr)};

#define QUILLET_FILE_SYSTEM_MEMBERS                                                                                    \
  Get(u"Drives", file_system_id::Drives, Object(u"IDriveCollection"), {}, u"The drives scripts can reach.", kPure),  \
      Method(u"BuildPath", file_system_id::BuildPath, Bstr, kBuildPath,                                                \
             u"A path and a name joined with one separator between them."),                                            \
      Method(u"GetDriveName", file_system_id::GetDriveName, Bstr, kPath, u"The drive part of a path."),               \
      Method(u"GetParentFolderName", file_system_id::GetParentFolderName, Bstr, kPath,                                 \
             u"The path of the folder that holds the last part of a path."),                                          \
      Method(u"GetFileName", file_system_id::GetFileName, Bstr, kPath, u"The last part of a path."),                  \
      Method(u"GetBaseName", file_system_id::GetBaseName, Bstr, kPath,                                                 \
             u"The last part of a path without its extension."),                                                      \
      Method(u"GetExtensionName", file_system_id::GetExtensionName, Bstr, kPath,                                       \
             u"The extension of the last part of a path."),                                                           \
      Method(u"GetAbsolutePathName", file_system_id::GetAbsolutePathName, Bstr, kPath,                                 \
             u"A path made complete from the current folder."),                                                       \
      Method(u"GetTempName", file_system_id::GetTempName, Bstr, {}, u"A random name for a temporary file."),          \
      Method(u"DriveExists", file_system_id::DriveExists, Bool, kDriveSpec, u"Tells whether a drive exists."),        \
      Method(u"FileExists", file_system_id::FileExists, Bool, kFileSpec, u"Tells whether a file exists."),            \
      Method(u"FolderExists", file_system_id::FolderExists, Bool, kFolderSpec, u"Tells whether a folder exists."),    \
      Method(u"GetDrive", file_system_id::GetDrive, Object(u"IDrive"), kDriveSpec, u"The drive a path names."),       \
      Method(u"GetFile", file_system_id::GetFile, Object(u"IFile"), kFilePath, u"The file at a path."),               \
      Method(u"GetFolder", file_system_id::GetFolder, Object(u"IFolder"), kFolderPath, u"The folder at a path."),     \
      Method(u"GetSpecialFolder", file_system_id::GetSpecialFolder, Object(u"IFolder"), kSpecialFolder,               \
             u"The Windows folder (0), the system folder (1) or the temporary folder (2)."),                         \
      Method(u"DeleteFile", file_system_id::DeleteFile, Void, kDeleteFile,                                             \
             u"Deletes a file, or every file a wildcard matches."),                                                  \
      Method(u"DeleteFolder", file_system_id::DeleteFolder, Void, kDeleteFolder,                                       \
             u"Deletes a folder and all it holds, or every folder a wildcard matches."),                             \
      Method(u"MoveFile", file_system_id::MoveFile, Void, kMove, u"Moves files to another place."),                  \
      Method(u"MoveFolder", file_system_id::MoveFolder, Void, kMove, u"Moves folders to another place."),            \
      Method(u"CopyFile", file_system_id::CopyFile, Void, kCopy, u"Copies files to another place."),                 \
      Method(u"CopyFolder", file_system_id::CopyFolder, Void, kCopy,                                                   \
             u"Copies folders and all they hold to another place."),                                                 \
      Method(u"CreateFolder", file_system_id::CreateFolder, Object(u"IFolder"), kPath, u"Makes a new folder."),       \
      Method(u"CreateTextFile", file_system_id::CreateTextFile, Object(u"ITextStream"), kCreateTextFile,             \
             u"Makes a text file and opens it for writing."),                                                        \
      Method(u"OpenTextFile", file_system_id::OpenTextFile, Object(u"ITextStream"), kOpenTextFile,                   \
             u"Opens a text file for reading, writing or appending.")

constexpr SMember kFileSystemMembers[] = {QUILLET_FILE_SYSTEM_MEMBERS};
constexpr SMember kFileSystem3Members[] = {
    QUILLET_FILE_SYSTEM_MEMBERS,
    Method(u"GetStandardStream", file_system_id::GetStandardStream, Object(u"ITextStream"), kStandardStream,
           u"The standard input (0), output (1) or error (2) of the process as a text stream."),
    Method(u"GetFileVersion", file_system_id::GetFileVersion, Bstr, kFileName,
           u"The version a program file declares; empty when it declares none."),
};
#undef QUILLET_FILE_SYSTEM_MEMBERS

constexpr SParam kVolumeName[] = {In(u"", Bstr)};

// Only the names are free to read: the rest asks the file system, which a dead network mount can
// keep waiting, and makes C:'s folder on first use.
constexpr SMember kDriveMembers[] = {
    Get(u"Path", drive_id::Path, Bstr, {}, u"The drive's name, such as C:.", kPure),
    Get(u"DriveLetter", drive_id::DriveLetter, Bstr, {}, u"The drive's letter.", kPure),
    Get(u"ShareName", drive_id::ShareName, Bstr, {}, u"The network share of a network drive.", kPure),
    Get(u"DriveType", drive_id::DriveType, Enum(u"DriveTypeConst"), {}, u"What kind of device the drive is."),
    Get(u"RootFolder", drive_id::RootFolder, Object(u"IFolder"), {}, u"The drive's root folder."),
    Get(u"AvailableSpace", drive_id::AvailableSpace, Variant, {}, u"The bytes this user may still write."),
    Get(u"FreeSpace", drive_id::FreeSpace, Variant, {}, u"The bytes free on the drive."),
    Get(u"TotalSize", drive_id::TotalSize, Variant, {}, u"The size of the drive in bytes."),
    Get(u"VolumeName", drive_id::VolumeName, Bstr, {}, u"The drive's label."),
    Let(u"VolumeName", drive_id::VolumeName, kVolumeName, u"Sets the drive's label."),
    Get(u"FileSystem", drive_id::FileSystem, Bstr, {}, u"The kind of file system on the drive."),
    Get(u"SerialNumber", drive_id::SerialNumber, Long, {}, u"The number that tells the volume apart."),
    Get(u"IsReady", drive_id::IsReady, Bool, {}, u"Whether the drive can be used."),
};

constexpr SParam kKey[] = {In(u"Key", Variant)};
constexpr SParam kName[] = {In(u"Name", Bstr)};

constexpr SMember kDriveCollectionMembers[] = {
    Get(u"Item", file_collection_id::Item, Object(u"IDrive"), kKey, u"The drive with a letter."),
    Get(u"_NewEnum", file_collection_id::NewEnum, Unknown, {}, u"Walks the drives for For Each.",
        member::kRestricted | member::kHidden),
    Get(u"Count", file_collection_id::Count, Long, {}, u"The number of drives.", kPure),
};

constexpr SParam kNewName[] = {In(u"", Bstr)};
constexpr SParam kNewAttributes[] = {In(u"", Enum(u"FileAttribute"))};
constexpr SParam kForce[] = {Optional(u"Force", Bool, BooleanDefault(false))};
constexpr SParam kCopyTo[] = {In(u"Destination", Bstr), Optional(u"OverWriteFiles", Bool, BooleanDefault(true))};
constexpr SParam kMoveTo[] = {In(u"Destination", Bstr)};
constexpr SParam kOpenAs[] = {Optional(u"IOMode", Enum(u"IOMode"), IntegerDefault(1)),
                              Optional(u"Format", Enum(u"Tristate"), IntegerDefault(0))};

#define QUILLET_FILE_ITEM_MEMBERS(what)                                                                               \
  Get(u"Path", file_item_id::Path, Bstr, {}, u"The " what u"'s full path.", kPure),                                   \
      Get(u"Name", file_item_id::Name, Bstr, {}, u"The " what u"'s name.", kPure),                                    \
      Let(u"Name", file_item_id::Name, kNewName, u"Renames the " what u"."),                                          \
      Get(u"ShortPath", file_item_id::ShortPath, Bstr, {}, u"The " what u"'s path (names are never shortened here).", \
          kPure),                                                                                                     \
      Get(u"ShortName", file_item_id::ShortName, Bstr, {}, u"The " what u"'s name (never shortened here).", kPure),   \
      Get(u"Drive", file_item_id::Drive, Object(u"IDrive"), {}, u"The drive that holds the " what u".", kPure),       \
      Get(u"ParentFolder", file_item_id::ParentFolder, Object(u"IFolder"), {},                                        \
          u"The folder that holds the " what u".", kPure),                                                            \
      Get(u"Attributes", file_item_id::Attributes, Enum(u"FileAttribute"), {}, u"The " what u"'s attribute bits.",   \
          kPure),                                                                                                     \
      Let(u"Attributes", file_item_id::Attributes, kNewAttributes,                                                   \
          u"Sets the " what u"'s changeable attribute bits (read-only)."),                                            \
      Get(u"DateCreated", file_item_id::DateCreated, kDate, {},                                     \
          u"When the " what u" was made.", kPure),                                                                    \
      Get(u"DateLastModified", file_item_id::DateLastModified, kDate, {},                           \
          u"When the " what u" last changed.", kPure),                                                                \
      Get(u"DateLastAccessed", file_item_id::DateLastAccessed, kDate, {},                           \
          u"When the " what u" was last read.", kPure),                                                               \
      Get(u"Type", file_item_id::Type, Bstr, {}, u"What kind of " what u" it is.", kPure)

constexpr SParam kCreateInFolder[] = {In(u"FileName", Bstr), Optional(u"Overwrite", Bool, BooleanDefault(true)),
                                      Optional(u"Unicode", Bool, BooleanDefault(false))};

constexpr SMember kFolderMembers[] = {
    QUILLET_FILE_ITEM_MEMBERS(u"folder"),
    Method(u"Delete", file_item_id::FolderDelete, Void, kForce, u"Deletes the folder and all it holds."),
    Method(u"Copy", file_item_id::FolderCopy, Void, kCopyTo, u"Copies the folder and all it holds."),
    Method(u"Move", file_item_id::FolderMove, Void, kMoveTo, u"Moves the folder."),
    Get(u"IsRootFolder", file_item_id::IsRootFolder, Bool, {}, u"Whether the folder is a drive's root.", kPure),
    Get(u"Size", file_item_id::Size, Variant, {}, u"The bytes of every file in the folder's tree."),
    Get(u"SubFolders", file_item_id::SubFolders, Object(u"IFolderCollection"), {}, u"The folders in the folder.",
        kPure),
    Get(u"Files", file_item_id::Files, Object(u"IFileCollection"), {}, u"The files in the folder.", kPure),
    Method(u"CreateTextFile", file_item_id::CreateTextFile, Object(u"ITextStream"), kCreateInFolder,
           u"Makes a text file in the folder and opens it for writing."),
};

constexpr SMember kFolderCollectionMembers[] = {
    Method(u"Add", file_collection_id::Add, Object(u"IFolder"), kName, u"Makes a new folder in the folder."),
    Get(u"Item", file_collection_id::Item, Object(u"IFolder"), kKey, u"The folder of a name."),
    Get(u"_NewEnum", file_collection_id::NewEnum, Unknown, {}, u"Walks the folders for For Each.",
        member::kRestricted | member::kHidden),
    Get(u"Count", file_collection_id::Count, Long, {}, u"The number of folders.", kPure),
};

constexpr SMember kFileCollectionMembers[] = {
    Get(u"Item", file_collection_id::Item, Object(u"IFile"), kKey, u"The file of a name."),
    Get(u"_NewEnum", file_collection_id::NewEnum, Unknown, {}, u"Walks the files for For Each.",
        member::kRestricted | member::kHidden),
    Get(u"Count", file_collection_id::Count, Long, {}, u"The number of files.", kPure),
};

constexpr SMember kFileMembers[] = {
    QUILLET_FILE_ITEM_MEMBERS(u"file"),
    Get(u"Size", file_item_id::Size, Variant, {}, u"The file's length in bytes.", kPure),
    Method(u"Delete", file_item_id::FileDelete, Void, kForce, u"Deletes the file."),
    Method(u"Copy", file_item_id::FileCopy, Void, kCopyTo, u"Copies the file."),
    Method(u"Move", file_item_id::FileMove, Void, kMoveTo, u"Moves the file."),
    Method(u"OpenAsTextStream", file_item_id::OpenAsTextStream, Object(u"ITextStream"), kOpenAs,
           u"Opens the file for reading, writing or appending."),
};
#undef QUILLET_FILE_ITEM_MEMBERS

constexpr SParam kCharacters[] = {In(u"Characters", Long)};
constexpr SParam kText[] = {In(u"Text", Bstr)};
constexpr SParam kLineText[] = {Optional(u"Text", Bstr, TextDefault(u""))};
constexpr SParam kLines[] = {In(u"Lines", Long)};

constexpr SMember kTextStreamMembers[] = {
    Get(u"Line", text_file_id::Line, Long, {}, u"The line the stream is at, counted from 1.", kPure),
    Get(u"Column", text_file_id::Column, Long, {}, u"The column the stream is at, counted from 1.", kPure),
    Get(u"AtEndOfStream", text_file_id::AtEndOfStream, Bool, {}, u"Whether nothing is left to read."),
    Get(u"AtEndOfLine", text_file_id::AtEndOfLine, Bool, {}, u"Whether the next character ends a line."),
    Method(u"Read", text_file_id::Read, Bstr, kCharacters, u"Reads a number of characters."),
    Method(u"ReadLine", text_file_id::ReadLine, Bstr, {}, u"Reads one line, without its line break."),
    Method(u"ReadAll", text_file_id::ReadAll, Bstr, {}, u"Reads everything that is left."),
    Method(u"Write", text_file_id::Write, Void, kText, u"Writes a text."),
    Method(u"WriteLine", text_file_id::WriteLine, Void, kLineText, u"Writes a text and a line break."),
    Method(u"WriteBlankLines", text_file_id::WriteBlankLines, Void, kLines, u"Writes a number of line breaks."),
    Method(u"Skip", text_file_id::Skip, Void, kCharacters, u"Reads past a number of characters."),
    Method(u"SkipLine", text_file_id::SkipLine, Void, {}, u"Reads past one line."),
    Method(u"Close", text_file_id::Close, Void, {}, u"Writes what is pending and closes the file."),
};

constexpr std::u16string_view kProgIds[] = {u"Scripting.FileSystemObject"};

CDispatchObject* NewFileSystemObject() { return new CFileSystemObject(); }

}  // namespace

constinit const SInterface kFileSystemInterface{u"IFileSystem", Guid("0AB5A3D0-E5B6-11D0-ABF5-00A0C90FFFC0"),
                                                kFileSystemMembers, u"Paths, drives, folders and files.",
                                                kInterfaceFlags};
constinit const SInterface kFileSystem3Interface{u"IFileSystem3", Guid("2A0B9D10-4B87-11D3-A97A-00104B365C9F"),
                                                 kFileSystem3Members,
                                                 u"Paths, drives, folders, files, standard streams and versions.",
                                                 iface::kNonExtensible};
constinit const SInterface kDriveInterface{u"IDrive", Guid("C7C3F5A0-88A3-11D0-ABCB-00A0C90FFFC0"), kDriveMembers,
                                           u"A drive and its space.", kInterfaceFlags};
constinit const SInterface kDriveCollectionInterface{u"IDriveCollection", Guid("C7C3F5A1-88A3-11D0-ABCB-00A0C90FFFC0"),
                                                     kDriveCollectionMembers, u"The drives.", kInterfaceFlags};
constinit const SInterface kFolderInterface{u"IFolder", Guid("C7C3F5A2-88A3-11D0-ABCB-00A0C90FFFC0"), kFolderMembers,
                                            u"A folder.", kInterfaceFlags};
constinit const SInterface kFolderCollectionInterface{u"IFolderCollection",
                                                      Guid("C7C3F5A3-88A3-11D0-ABCB-00A0C90FFFC0"),
                                                      kFolderCollectionMembers, u"The folders in a folder.",
                                                      kInterfaceFlags};
constinit const SInterface kFileInterface{u"IFile", Guid("C7C3F5A4-88A3-11D0-ABCB-00A0C90FFFC0"), kFileMembers,
                                          u"A file.", kInterfaceFlags};
constinit const SInterface kFileCollectionInterface{u"IFileCollection", Guid("C7C3F5A5-88A3-11D0-ABCB-00A0C90FFFC0"),
                                                    kFileCollectionMembers, u"The files in a folder.",
                                                    kInterfaceFlags};
constinit const SInterface kTextFileStreamInterface{u"ITextStream", Guid("53BAD8C1-E718-11CF-893D-00A0C9054228"),
                                                    kTextStreamMembers, u"A text file read or written in order.",
                                                    kInterfaceFlags};

constinit const SClass kFileSystemObjectClass{
    .name = u"FileSystemObject",
    .clsid = Guid("0D43FE01-F093-11CF-8940-00A0C9054228"),
    .library = &kScriptingLibrary,
    .defaultInterface = &kFileSystem3Interface,
    .typeName = u"FileSystemObject",
    .progIds = kProgIds,
    .server = EServer::InProcess,
    .create = NewFileSystemObject,
    .help = u"The file system: paths, drives, folders, files and text files.",
};
constinit const SClass kDriveClass{.name = u"Drive", .clsid = Guid("C7C3F5B1-88A3-11D0-ABCB-00A0C90FFFC0"),
                                   .library = &kScriptingLibrary, .defaultInterface = &kDriveInterface,
                                   .typeName = u"Drive", .help = u"A drive."};
constinit const SClass kDrivesClass{.name = u"Drives", .clsid = Guid("C7C3F5B2-88A3-11D0-ABCB-00A0C90FFFC0"),
                                    .library = &kScriptingLibrary, .defaultInterface = &kDriveCollectionInterface,
                                    .typeName = u"Drives", .help = u"The drives scripts can reach."};
constinit const SClass kFolderClass{.name = u"Folder", .clsid = Guid("C7C3F5B3-88A3-11D0-ABCB-00A0C90FFFC0"),
                                    .library = &kScriptingLibrary, .defaultInterface = &kFolderInterface,
                                    .typeName = u"Folder", .help = u"A folder."};
constinit const SClass kFoldersClass{.name = u"Folders", .clsid = Guid("C7C3F5B4-88A3-11D0-ABCB-00A0C90FFFC0"),
                                     .library = &kScriptingLibrary, .defaultInterface = &kFolderCollectionInterface,
                                     .typeName = u"Folders", .help = u"The folders in a folder."};
constinit const SClass kFileClass{.name = u"File", .clsid = Guid("C7C3F5B5-88A3-11D0-ABCB-00A0C90FFFC0"),
                                  .library = &kScriptingLibrary, .defaultInterface = &kFileInterface,
                                  .typeName = u"File", .help = u"A file."};
constinit const SClass kFilesClass{.name = u"Files", .clsid = Guid("C7C3F5B6-88A3-11D0-ABCB-00A0C90FFFC0"),
                                   .library = &kScriptingLibrary, .defaultInterface = &kFileCollectionInterface,
                                   .typeName = u"Files", .help = u"The files in a folder."};
constinit const SClass kTextStreamFileClass{.name = u"TextStream", .clsid = Guid("0BB02EC0-EF49-11CF-8940-00A0C9054228"),
                                            .library = &kScriptingLibrary,
                                            .defaultInterface = &kTextFileStreamInterface, .typeName = u"TextStream",
                                            .help = u"A text file read or written in order."};

}  // namespace quillet::engine

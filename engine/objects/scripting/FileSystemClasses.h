#pragma once
// The FileSystemObject family as the object model declares it: FileSystemObject, Drive, Drives,
// Folder, Folders, File, Files and TextStream with their interfaces and Windows' DISPIDs.

#include <cstdint>

#include "engine/runtime/ObjectModel.h"

namespace quillet::engine {

namespace file_system_id {
enum : int32_t {
  BuildPath = 10000, GetAbsolutePathName = 10002, GetTempName = 10003, GetDriveName = 10004,
  GetParentFolderName = 10005, GetFileName = 10006, GetBaseName = 10007, GetExtensionName = 10008,
  Drives = 10010, GetDrive = 10011, GetFile = 10012, GetFolder = 10013, GetSpecialFolder = 10014,
  DriveExists = 10015, FileExists = 10016, FolderExists = 10017, OpenTextFile = 1100, CreateTextFile = 1101,
  CreateFolder = 1120, DeleteFile = 1200, DeleteFolder = 1201, CopyFile = 1202, CopyFolder = 1203,
  MoveFile = 1204, MoveFolder = 1205, GetStandardStream = 20000, GetFileVersion = 20010,
};
}  // namespace file_system_id

namespace drive_id {
enum : int32_t {
  Path = 0, DriveLetter = 10000, ShareName = 10001, DriveType = 10002, RootFolder = 10003, FreeSpace = 10004,
  AvailableSpace = 10005, TotalSize = 10006, VolumeName = 10007, FileSystem = 10008, SerialNumber = 10009,
  IsReady = 10010,
};
}  // namespace drive_id

// File and Folder share these numbers; Delete, Copy and Move differ by one between the two.
namespace file_item_id {
enum : int32_t {
  Path = 0, Name = 1000, ShortName = 1001, ShortPath = 1002, Attributes = 1003, Drive = 1004, ParentFolder = 1005,
  DateCreated = 1006, DateLastModified = 1007, DateLastAccessed = 1008, Size = 1009, Type = 1010,
  OpenAsTextStream = 1100, CreateTextFile = 1101, FileDelete = 1200, FolderDelete = 1201, FileCopy = 1202,
  FolderCopy = 1203, FileMove = 1204, FolderMove = 1205, IsRootFolder = 10000, SubFolders = 10001, Files = 10002,
};
}  // namespace file_item_id

// Drives, Folders and Files.
namespace file_collection_id {
enum : int32_t { Item = 0, Count = 1, Add = 2, NewEnum = om::kDispIdNewEnum };
}  // namespace file_collection_id

namespace text_file_id {
enum : int32_t {
  Line = 10000, Column = -529, AtEndOfStream = 10002, AtEndOfLine = 10003, Read = 10004, ReadLine = 10005,
  ReadAll = 10006, Write = 10007, WriteLine = 10008, WriteBlankLines = 10009, Skip = 10010, SkipLine = 10011,
  Close = 10012,
};
}  // namespace text_file_id

extern const om::SInterface kFileSystemInterface, kFileSystem3Interface, kDriveInterface, kDriveCollectionInterface,
    kFolderInterface, kFolderCollectionInterface, kFileInterface, kFileCollectionInterface, kTextFileStreamInterface;
extern const om::SClass kFileSystemObjectClass, kDriveClass, kDrivesClass, kFolderClass, kFoldersClass, kFileClass,
    kFilesClass, kTextStreamFileClass;

}  // namespace quillet::engine

// What scripts learn of files, folders and drives: attributes, dates in local time, sizes,
// type names, version resources and volume facts, read from real files.

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "FileTestSupport.h"
#include "TempFolder.h"
#include "TimeZoneForTest.h"
#include "Unprivileged.h"
#include "engine/library/CivilDate.h"
#include "engine/objects/scripting/FileFacts.h"
#include "engine/objects/scripting/FileTypeNames.h"
#include "engine/objects/scripting/VolumeFacts.h"
#include "platform/PeFileVersion.h"

namespace quillet::engine {
namespace {

namespace fs = std::filesystem;
using quillet::engine::test::ErrorOf;
using quillet::test::CTempFolder;
using quillet::test::WriteFile;

CFileFacts FactsOf(const std::string& path) {
  int error = 0;
  const auto facts = CFileFacts::Read(path, error);
  if (!facts) throw std::runtime_error("no facts for " + path);
  return *facts;
}

TEST(FileFacts, AttributesAsWindowsReportsThem) {
  CTempFolder folder;
  WriteFile(folder.File("plain.txt"), "x");
  WriteFile(folder.File(".hidden"), "x");
  WriteFile(folder.File("ro.txt"), "x");
  ::chmod(folder.File("ro.txt").c_str(), 0444);
  fs::create_directory(folder.File("dir"));
  fs::create_directory(folder.File("rodir"));
  ::chmod(folder.File("rodir").c_str(), 0555);
  fs::create_symlink("plain.txt", folder.File("link"));
  EXPECT_EQ(FactsOf(folder.File("plain.txt")).Attributes(u"plain.txt"), attr::Archive);
  EXPECT_EQ(FactsOf(folder.File(".hidden")).Attributes(u".hidden"), attr::Archive | attr::Hidden);
  EXPECT_EQ(FactsOf(folder.File("ro.txt")).Attributes(u"ro.txt"), attr::Archive | attr::ReadOnly);
  EXPECT_EQ(FactsOf(folder.File("dir")).Attributes(u"dir"), attr::Directory);
  EXPECT_EQ(FactsOf(folder.File("rodir")).Attributes(u"rodir"), attr::Directory | attr::ReadOnly);
  EXPECT_EQ(FactsOf(folder.File("link")).Attributes(u"link"), attr::Archive | attr::Alias);
  EXPECT_TRUE(FactsOf(folder.File("dir")).IsFolder());

  EXPECT_EQ(SetReadOnly(folder.File("plain.txt"), true), 0);
  EXPECT_EQ(FactsOf(folder.File("plain.txt")).Attributes(u"plain.txt") & attr::ReadOnly, attr::ReadOnly);
  EXPECT_EQ(SetReadOnly(folder.File("plain.txt"), false), 0);
  EXPECT_EQ(FactsOf(folder.File("plain.txt")).Attributes(u"plain.txt") & attr::ReadOnly, 0);

  int error = 0;
  EXPECT_FALSE(CFileFacts::Read(folder.File("missing"), error));
  EXPECT_EQ(error, ENOENT);
}

TEST(FileFacts, DatesAreAutomationDatesInLocalTime) {
  const quillet::test::CTimeZoneForTest zone("UTC");
  EXPECT_DOUBLE_EQ(AutomationDateFromUnix(0), 25569.0);
  quillet::test::CTimeZoneForTest::Switch("EST5");
  EXPECT_DOUBLE_EQ(AutomationDateFromUnix(0), 25568.0 + 19.0 / 24);

  CTempFolder folder;
  const std::string path = folder.File("dated.txt");
  WriteFile(path, "x");
  // 2021-03-04 05:06:07 in the EST5 zone.
  const timespec times[2] = {{1614852367, 0}, {1614852367, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
  const double expected = static_cast<double>(DaysFromCivil(2021, 3, 4)) + (5 * 3600 + 6 * 60 + 7) / 86400.0;
  const CFileFacts facts = FactsOf(path);
  EXPECT_DOUBLE_EQ(facts.DateLastModified(), expected);
  EXPECT_DOUBLE_EQ(facts.DateLastAccessed(), expected);
  EXPECT_GT(facts.DateCreated(), expected) << "made now, whether from the birth or the change time";
  EXPECT_EQ(facts.Size(), 1u);
}

TEST(FileFacts, FolderSizeIsTheSumOfItsTree) {
  CTempFolder folder;
  fs::create_directories(folder.File("t/a/b"));
  WriteFile(folder.File("t/one"), std::string(100, 'x'));
  WriteFile(folder.File("t/a/two"), std::string(20, 'x'));
  WriteFile(folder.File("t/a/b/three"), std::string(3, 'x'));
  fs::create_directory_symlink(folder.Path(), folder.File("t/a/loop"));
  EXPECT_EQ(FolderTreeSize(folder.File("t")), 123u) << "links are not followed";
  EXPECT_EQ(ErrorOf([&] { (void)FolderTreeSize(folder.File("none")); }), 76);

  ::chmod(folder.File("t/a").c_str(), 0);
  const int status = quillet::test::RunUnprivileged([&] {
    return ErrorOf([&] { (void)FolderTreeSize(folder.File("t")); }) == 70 ? 0 : 1;
  });
  EXPECT_EQ(status, 0);
}

TEST(FileFacts, TypeNamesByExtension) {
  EXPECT_EQ(FileTypeName(u"notes.txt", false), u"Text Document");
  EXPECT_EQ(FileTypeName(u"Run.VBS", false), u"VBScript Script File");
  EXPECT_EQ(FileTypeName(u"anything.txt", true), u"File folder");
  EXPECT_EQ(FileTypeName(u"data.XyZ", false), u"XYZ File");
  EXPECT_EQ(FileTypeName(u"Makefile", false), u"File");
  EXPECT_EQ(FileTypeName(u"trailing.", false), u"File");
}

TEST(FileFacts, VersionsComeFromPeVersionResources) {
  CTempFolder folder;
  for (const bool is64Bit : {false, true}) {
    const std::string image = platform::BuildPeWithFileVersion(10, 0, 19041, 1, is64Bit);
    WriteFile(folder.File("lib.dll"), image);
    int error = 0;
    EXPECT_EQ(platform::ReadPeFileVersion(folder.File("lib.dll"), error), "10.0.19041.1");
    // Every cut of the image reads without a fault, as a version or as none.
    for (size_t length = 0; length < image.size(); length += 7) {
      WriteFile(folder.File("cut.dll"), image.substr(0, length));
      const auto version = platform::ReadPeFileVersion(folder.File("cut.dll"), error);
      ASSERT_TRUE(version);
      EXPECT_TRUE(version->empty() || *version == "10.0.19041.1");
    }
  }
  WriteFile(folder.File("text.txt"), "MZ but nothing more");
  int error = 0;
  EXPECT_EQ(platform::ReadPeFileVersion(folder.File("text.txt"), error), "");
  EXPECT_FALSE(platform::ReadPeFileVersion(folder.File("missing.dll"), error));
  EXPECT_EQ(error, ENOENT);
  EXPECT_FALSE(platform::ReadPeFileVersion(folder.Path(), error));
  EXPECT_EQ(error, EISDIR);
}

TEST(FileFacts, VolumesAndMountTypes) {
  CTempFolder folder;
  int error = 0;
  const auto volume = CVolumeFacts::Read(folder.Path(), error);
  ASSERT_TRUE(volume);
  EXPECT_GT(volume->totalBytes, 0u);
  EXPECT_LE(volume->availableBytes, volume->freeBytes);
  EXPECT_LE(volume->freeBytes, volume->totalBytes);
  EXPECT_FALSE(volume->fileSystem.empty());
  EXPECT_FALSE(CVolumeFacts::Read(folder.File("none"), error));

  const std::string mountInfo =
      "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
      "30 22 0:26 / /media/my\\040stick rw - vfat /dev/sdb1 rw\n"
      "31 22 0:27 / /mnt/share rw - cifs //server/share rw\n"
      "32 31 0:28 / /mnt/share rw - tmpfs tmpfs rw\n";
  EXPECT_EQ(CVolumeFacts::MountTypeOf(mountInfo, "/home/u"), "ext4");
  EXPECT_EQ(CVolumeFacts::MountTypeOf(mountInfo, "/media/my stick/x"), "vfat");
  EXPECT_EQ(CVolumeFacts::MountTypeOf(mountInfo, "/media/my"), "ext4");
  EXPECT_EQ(CVolumeFacts::MountTypeOf(mountInfo, "/mnt/share"), "tmpfs") << "the mount on top counts";
  EXPECT_EQ(CVolumeFacts::MountTypeOf("garbage without fields", "/"), "");
  EXPECT_EQ(CVolumeFacts::WindowsFileSystemName("vfat"), u"FAT32");
  EXPECT_EQ(CVolumeFacts::WindowsFileSystemName("ext4"), u"EXT4");
  EXPECT_EQ(CVolumeFacts::WindowsFileSystemName("fuse.sshfs"), u"SSHFS");
  EXPECT_EQ(CVolumeFacts::DriveTypeOf("cifs"), EDriveType::Remote);
  EXPECT_EQ(CVolumeFacts::DriveTypeOf("tmpfs"), EDriveType::RamDisk);
  EXPECT_EQ(CVolumeFacts::DriveTypeOf("ext4"), EDriveType::Fixed);
}

}  // namespace
}  // namespace quillet::engine

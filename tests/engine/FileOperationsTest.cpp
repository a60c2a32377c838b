// FileSystemObject's copy, move, delete and create on real files in a temporary folder, through
// drive letters: the Windows rules for wildcards and destinations, and the errors scripts test.

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "FileTestSupport.h"
#include "TempFolder.h"
#include "Unprivileged.h"
#include "engine/objects/scripting/FileOperations.h"
#include "engine/objects/scripting/SpecialFolders.h"
#include "platform/AppPaths.h"

namespace quillet::engine {
namespace {

namespace fs = std::filesystem;
using quillet::engine::test::ErrorOf;
using quillet::test::CTempFolder;
using quillet::test::ReadFile;
using quillet::test::WriteFile;

class FileOperations : public ::testing::Test {
 protected:
  FileOperations() {
    drives.Map(u'Z', "/");
    drives.Map(u'T', folder.Path());
    fs::create_directories(folder.File("src/sub"));
    fs::create_directories(folder.File("dst"));
    WriteFile(folder.File("src/a.txt"), "A");
    WriteFile(folder.File("src/B.TXT"), "B");
    WriteFile(folder.File("src/c.log"), "C");
    WriteFile(folder.File("src/sub/deep.txt"), "D");
  }
  [[nodiscard]] bool Exists(const std::string& name) const { return fs::exists(fs::symlink_status(folder.File(name))); }

  CTempFolder folder;
  platform::CDriveMap drives;
  CFileOperations ops{drives};
};

TEST_F(FileOperations, CopyFileFollowsWindowsDestinationRules) {
  ops.CopyFile(u"T:\\src\\a.txt", u"T:\\dst\\renamed.txt", true);
  EXPECT_EQ(ReadFile(folder.File("dst/renamed.txt")), "A");
  ops.CopyFile(u"T:/src/a.txt", u"T:\\dst\\", true);
  EXPECT_EQ(ReadFile(folder.File("dst/a.txt")), "A");
  ops.CopyFile(u"T:\\src\\*.txt", u"T:\\dst", true);
  EXPECT_TRUE(Exists("dst/B.TXT")) << "wildcards ignore case";
  EXPECT_FALSE(Exists("dst/c.log"));
  EXPECT_FALSE(Exists("dst/sub")) << "CopyFile matches files only";

  WriteFile(folder.File("dst/a.txt"), "old");
  EXPECT_EQ(ErrorOf([&] { ops.CopyFile(u"T:\\src\\a.txt", u"T:\\dst\\a.txt", false); }), 58);
  EXPECT_EQ(ReadFile(folder.File("dst/a.txt")), "old");
  EXPECT_EQ(ErrorOf([&] { ops.CopyFile(u"T:\\src\\a.txt", u"T:\\dst", true); }), 70) << "an existing folder";
  EXPECT_EQ(ErrorOf([&] { ops.CopyFile(u"T:\\src\\none.txt", u"T:\\dst\\", true); }), 53);
  EXPECT_EQ(ErrorOf([&] { ops.CopyFile(u"T:\\nowhere\\a.txt", u"T:\\dst\\", true); }), 76);
  EXPECT_EQ(ErrorOf([&] { ops.CopyFile(u"T:\\src\\*.none", u"T:\\dst\\", true); }), 53);
  EXPECT_EQ(ErrorOf([&] { ops.CopyFile(u"T:\\src\\a.txt", u"T:\\nowhere\\", true); }), 76);
  EXPECT_EQ(ErrorOf([&] { ops.CopyFile(u"T:\\src\\sub", u"T:\\dst\\x", true); }), 53) << "a folder is no file";
  EXPECT_EQ(ErrorOf([&] { ops.CopyFile(u"T:\\src\\a.txt", u"T:\\src\\a.txt", true); }), 70);
  EXPECT_EQ(ReadFile(folder.File("src/a.txt")), "A") << "copying a file onto itself leaves it whole";
  EXPECT_EQ(ErrorOf([&] { ops.CopyFile(u"Q:\\a.txt", u"T:\\dst\\", true); }), 71);
  EXPECT_EQ(ErrorOf([&] { ops.CopyFile(u"\\\\server\\share\\a.txt", u"T:\\dst\\", true); }), 76);

  // Overwriting replaces; a read-only target refuses; permissions and time come along.
  ::chmod(folder.File("src/c.log").c_str(), 0750);
  const timespec times[2] = {{0, UTIME_OMIT}, {1000000000, 0}};
  ::utimensat(AT_FDCWD, folder.File("src/c.log").c_str(), times, 0);
  ops.CopyFile(u"T:\\src\\c.log", u"T:\\dst\\a.txt", true);
  EXPECT_EQ(ReadFile(folder.File("dst/a.txt")), "C");
  struct stat info{};
  ASSERT_EQ(::stat(folder.File("dst/a.txt").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0750u);
  EXPECT_EQ(info.st_mtim.tv_sec, 1000000000);
  ::chmod(folder.File("dst/a.txt").c_str(), 0444);
  EXPECT_EQ(ErrorOf([&] { ops.CopyFile(u"T:\\src\\B.TXT", u"T:\\dst\\a.txt", true); }), 70);
  EXPECT_EQ(ReadFile(folder.File("dst/a.txt")), "C");
}

TEST_F(FileOperations, CopyFolderCopiesAndMergesTrees) {
  ops.CopyFolder(u"T:\\src", u"T:\\copy", true);
  EXPECT_EQ(ReadFile(folder.File("copy/sub/deep.txt")), "D");
  WriteFile(folder.File("src/sub/deep.txt"), "D2");
  ops.CopyFolder(u"T:\\src", u"T:\\copy", true);
  EXPECT_EQ(ReadFile(folder.File("copy/sub/deep.txt")), "D2") << "merged into the existing folder";
  EXPECT_EQ(ErrorOf([&] { ops.CopyFolder(u"T:\\src", u"T:\\copy", false); }), 58);
  ops.CopyFolder(u"T:\\s*", u"T:\\dst\\", true);
  EXPECT_TRUE(Exists("dst/src/sub/deep.txt"));
  EXPECT_EQ(ErrorOf([&] { ops.CopyFolder(u"T:\\src", u"T:\\src\\a.txt", true); }), 58) << "a file is in the way";
  EXPECT_EQ(ErrorOf([&] { ops.CopyFolder(u"T:\\src", u"T:\\src\\sub\\inner", true); }), 70);
  EXPECT_FALSE(Exists("src/sub/inner")) << "copying a folder into itself starts nothing";
  EXPECT_EQ(ErrorOf([&] { ops.CopyFolder(u"T:\\none", u"T:\\dst\\", true); }), 76);
  EXPECT_EQ(ErrorOf([&] { ops.CopyFolder(u"T:\\x*", u"T:\\dst\\", true); }), 76);

  // Links are copied as links, so a link to an outside folder does not drag it in.
  fs::create_directory_symlink(folder.Path(), folder.File("src/up"));
  ops.CopyFolder(u"T:\\src", u"T:\\linked", true);
  EXPECT_TRUE(fs::is_symlink(folder.File("linked/up")));
}

TEST_F(FileOperations, MoveFileAndFolderNeverReplace) {
  ops.MoveFile(u"T:\\src\\a.txt", u"T:\\dst\\moved.txt");
  EXPECT_FALSE(Exists("src/a.txt"));
  EXPECT_EQ(ReadFile(folder.File("dst/moved.txt")), "A");
  WriteFile(folder.File("dst/B.TXT"), "kept");
  EXPECT_EQ(ErrorOf([&] { ops.MoveFile(u"T:\\src\\B.TXT", u"T:\\dst\\"); }), 58);
  EXPECT_EQ(ReadFile(folder.File("dst/B.TXT")), "kept");
  EXPECT_EQ(ErrorOf([&] { ops.MoveFile(u"T:\\src\\c.log", u"T:\\dst"); }), 58) << "a folder is in the way";
  ops.MoveFile(u"T:\\src\\*.log", u"T:\\dst");
  EXPECT_TRUE(Exists("dst/c.log"));
  EXPECT_EQ(ErrorOf([&] { ops.MoveFile(u"T:\\src\\*.log", u"T:\\dst"); }), 53);

  ops.MoveFolder(u"T:\\src\\sub", u"T:\\dst\\sub2");
  EXPECT_TRUE(Exists("dst/sub2/deep.txt"));
  EXPECT_EQ(ErrorOf([&] { ops.MoveFolder(u"T:\\src", u"T:\\dst"); }), 58);
  EXPECT_EQ(ErrorOf([&] { ops.MoveFolder(u"T:\\dst", u"T:\\dst\\sub2\\x"); }), 70);
  EXPECT_EQ(ErrorOf([&] { ops.MoveFolder(u"T:\\gone", u"T:\\x"); }), 76);
}

// A move between file systems copies and removes; the shared-memory file system is another one
// on most machines.
TEST_F(FileOperations, MovesAcrossFileSystems) {
  struct stat here{}, shm{};
  if (::stat("/dev/shm", &shm) != 0 || ::stat(folder.Path().c_str(), &here) != 0 || shm.st_dev == here.st_dev ||
      ::access("/dev/shm", W_OK) != 0) {
    GTEST_SKIP() << "no second file system to move to";
  }
  const std::string name = "quillet-move-" + std::to_string(::getpid());
  const std::string away = "/dev/shm/" + name;
  struct SRemover {
    std::string path;
    ~SRemover() {
      std::error_code ignored;
      fs::remove_all(path, ignored);
    }
  } remover{away};
  drives.Map(u'S', "/dev/shm");
  const std::u16string awayText = u"S:\\" + std::u16string(name.begin(), name.end());
  ASSERT_EQ(ErrorOf([&] { ops.MoveFolder(u"T:\\src", awayText); }), 0);
  EXPECT_FALSE(Exists("src"));
  EXPECT_EQ(ReadFile(away + "/sub/deep.txt"), "D");
  ASSERT_EQ(ErrorOf([&] { ops.MoveFile(awayText + u"\\a.txt", u"T:\\dst\\"); }), 0);
  EXPECT_EQ(ReadFile(folder.File("dst/a.txt")), "A");
  EXPECT_FALSE(fs::exists(away + "/a.txt"));
}

TEST_F(FileOperations, DeletingHonoursReadOnlyAndForce) {
  ::chmod(folder.File("src/a.txt").c_str(), 0444);
  EXPECT_EQ(ErrorOf([&] { ops.DeleteFile(u"T:\\src\\a.txt", false); }), 70);
  EXPECT_TRUE(Exists("src/a.txt"));
  ops.DeleteFile(u"T:\\src\\a.txt", true);
  EXPECT_FALSE(Exists("src/a.txt"));
  ops.DeleteFile(u"T:\\src\\*.TXT", false);
  EXPECT_FALSE(Exists("src/B.TXT"));
  EXPECT_TRUE(Exists("src/c.log"));
  EXPECT_EQ(ErrorOf([&] { ops.DeleteFile(u"T:\\src\\*.txt", false); }), 53);
  EXPECT_EQ(ErrorOf([&] { ops.DeleteFile(u"T:\\src\\c.log\\", false); }), 53);
  EXPECT_EQ(ErrorOf([&] { ops.DeleteFile(u"T:\\src\\sub", false); }), 53);

  fs::create_directories(folder.File("outside/keep"));
  fs::create_directory_symlink(folder.File("outside"), folder.File("src/sub/link"));
  ::chmod(folder.File("src/sub/deep.txt").c_str(), 0444);
  EXPECT_EQ(ErrorOf([&] { ops.DeleteFolder(u"T:\\src", false); }), 70);
  EXPECT_EQ(ErrorOf([&] { ops.DeleteFolder(u"T:\\src\\", true); }), 76);
  ops.DeleteFolder(u"T:\\src", true);
  EXPECT_FALSE(Exists("src"));
  EXPECT_TRUE(Exists("outside/keep")) << "a link is removed, not what it points to";
  EXPECT_EQ(ErrorOf([&] { ops.DeleteFolder(u"T:\\src", true); }), 76);
  EXPECT_EQ(ErrorOf([&] { ops.DeleteFolder(u"T:\\", true); }), 76);
  EXPECT_EQ(ErrorOf([&] { ops.DeleteFolder(u"T:\\dst\\..\\..", true); }), 70) << "never a root";
  ops.DeleteFolder(u"T:\\ou*", false);
  EXPECT_FALSE(Exists("outside"));

  fs::create_symlink(folder.File("gone"), folder.File("dst/dangling"));
  ops.DeleteFile(u"T:\\dst\\dangling", false);
  EXPECT_FALSE(Exists("dst/dangling")) << "a link whose target is gone can still be deleted";
}

TEST_F(FileOperations, SpecialFoldersAreMadeWhereTheREADMESays) {
  folder.IsolateUserFolders();
  const platform::CDriveMap user = platform::CDriveMap::ForUser();
  EXPECT_EQ(SpecialFolderPath(0, user).Text(), u"C:\\Windows");
  EXPECT_EQ(SpecialFolderPath(1, user).Text(), u"C:\\Windows\\System32");
  EXPECT_TRUE(fs::is_directory(platform::DataFolder() + "/drive_c/Windows/System32"));
  const platform::CScriptPath temp = SpecialFolderPath(2, user);
  EXPECT_EQ(temp.Root(), u"Z:");
  EXPECT_EQ(user.ToHost(temp).path, platform::TempFolderPath());
  EXPECT_TRUE(fs::is_directory(platform::TempFolderPath()));
  EXPECT_EQ(ErrorOf([&] { (void)SpecialFolderPath(3, user); }), 5);
}

TEST_F(FileOperations, CreateFolderAndExistence) {
  EXPECT_EQ(ops.CreateFolder(u"t:\\dst\\new\\").Text(), u"t:\\dst\\new");
  EXPECT_TRUE(fs::is_directory(folder.File("dst/new")));
  EXPECT_EQ(ErrorOf([&] { (void)ops.CreateFolder(u"T:\\dst\\new"); }), 58);
  EXPECT_EQ(ErrorOf([&] { (void)ops.CreateFolder(u"T:\\src\\a.txt"); }), 58);
  EXPECT_EQ(ErrorOf([&] { (void)ops.CreateFolder(u"T:\\no\\such"); }), 76);
  EXPECT_EQ(ErrorOf([&] { (void)ops.CreateFolder(u"Q:\\x"); }), 71);
  EXPECT_EQ(ErrorOf([&] { (void)ops.CreateFolder(std::u16string(u"T:\\a\0b", 6)); }), 52);
  EXPECT_EQ(ErrorOf([&] { (void)ops.CreateFolder(u"T:\\" + std::u16string(10000, u'x')); }), 76);

  EXPECT_TRUE(ops.FileExists(u"T:\\src\\a.txt"));
  EXPECT_FALSE(ops.FileExists(u"T:\\src\\sub"));
  EXPECT_FALSE(ops.FileExists(u"T:\\src\\*.txt"));
  EXPECT_FALSE(ops.FileExists(u"Q:\\src\\a.txt"));
  EXPECT_TRUE(ops.FolderExists(u"T:\\src\\sub\\"));
  EXPECT_FALSE(ops.FolderExists(u"T:\\src\\a.txt"));
  EXPECT_TRUE(ops.FolderExists(u"Z:\\"));
  EXPECT_TRUE(ops.DriveExists(u"t"));
  EXPECT_TRUE(ops.DriveExists(u"T:\\src"));
  EXPECT_FALSE(ops.DriveExists(u"Q:"));
  EXPECT_FALSE(ops.DriveExists(u"\\\\server\\share"));

  // Relative paths are read against the current folder.
  const fs::path before = fs::current_path();
  fs::current_path(folder.File("src"));
  EXPECT_TRUE(ops.FileExists(u"a.txt"));
  EXPECT_TRUE(ops.FileExists(u"sub\\..\\B.TXT"));
  EXPECT_TRUE(ops.FileExists(u"T:a.txt")) << "T:'s current folder is where the process is";
  fs::current_path(before);
}

TEST_F(FileOperations, RefusalsOfAReadOnlyFolder) {
  fs::create_directories(folder.File("locked/in"));
  WriteFile(folder.File("locked/f.txt"), "f");
  ::chmod(folder.File("locked").c_str(), 0555);
  const int status = quillet::test::RunUnprivileged([&] {
    if (ErrorOf([&] { ops.CopyFile(u"T:\\src\\a.txt", u"T:\\locked\\", true); }) != 70) return 1;
    if (ErrorOf([&] { (void)ops.CreateFolder(u"T:\\locked\\x"); }) != 70) return 2;
    if (ErrorOf([&] { ops.DeleteFile(u"T:\\locked\\f.txt", true); }) != 70) return 3;
    if (ErrorOf([&] { ops.MoveFile(u"T:\\locked\\f.txt", u"T:\\dst\\"); }) != 70) return 4;
    return 0;
  });
  EXPECT_EQ(status, 0);
}

// A copy that fills the disk reports 61 and leaves the file it was replacing as it was.
TEST_F(FileOperations, FullDiskLeavesTheTargetWhole) {
  const std::string small = folder.File("small");
  fs::create_directory(small);
  if (::geteuid() != 0 || ::mount("quillet-test", small.c_str(), "tmpfs", 0, "size=64k") != 0) {
    GTEST_SKIP() << "cannot mount a small file system here";
  }
  struct SUnmounter {
    std::string path;
    ~SUnmounter() { ::umount(path.c_str()); }
  } unmounter{small};
  drives.Map(u'F', small);
  WriteFile(small + "/target.txt", "precious");
  WriteFile(folder.File("big.bin"), std::string(1 << 20, 'x'));
  EXPECT_EQ(ErrorOf([&] { ops.CopyFile(u"T:\\big.bin", u"F:\\target.txt", true); }), 61);
  EXPECT_EQ(ReadFile(small + "/target.txt"), "precious");
  EXPECT_EQ(std::distance(fs::directory_iterator(small), {}), 1) << "no temporary file left";
}

}  // namespace
}  // namespace quillet::engine

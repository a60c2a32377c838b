// Saves that fail for real: a folder the user may not write, a full file system, a file size
// limit, a target that became a folder. Each must leave the old file exactly as it was, keep
// the document modified and say that it failed.

#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "DocumentFixture.h"
#include "Unprivileged.h"

using namespace quillet::document;
using quillet::test::CDocumentTest;
using quillet::test::ReadFile;
using quillet::test::RunUnprivileged;
using quillet::test::WriteFile;

class SaveFailure : public CDocumentTest {
 protected:
  void TypeLots(size_t count) {
    int32_t endLine = 0, endChar = 0;
    doc.InsertText(nullptr, 0, 0, std::u16string(count, u'z'), endLine, endChar, ActionPaste);
  }
};

TEST_F(SaveFailure, ReadOnlyFolder) {
  const std::string dir = Path("locked");
  std::filesystem::create_directory(dir);
  WriteFile(dir + "/script.vbs", "old text");
  ::chmod(folder.Path().c_str(), 0755);
  ::chmod(dir.c_str(), 0555);
  ::chmod((dir + "/script.vbs").c_str(), 0666);
  TypeLots(10);
  const int status = RunUnprivileged([&] {
    if (doc.SaveToFile(dir + "/script.vbs", EolCrLf, true)) return 1;
    if (!doc.IsModified()) return 2;
    if (doc.LastFileError() != EACCES) return 3;
    return 0;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(ReadFile(dir + "/script.vbs"), "old text");
  EXPECT_EQ(LeftoverTempFiles(dir), 0u);
}

TEST_F(SaveFailure, FileSizeLimitMidWrite) {
  WriteFile(Path("big.vbs"), "old text");
  ::chmod(folder.Path().c_str(), 0777);
  ::chmod(Path("big.vbs").c_str(), 0666);
  TypeLots(200000);
  const int status = RunUnprivileged([&] {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{65536, 65536};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 10;
    if (doc.SaveToFile(Path("big.vbs"), EolCrLf, true)) return 1;
    if (!doc.IsModified()) return 2;
    return doc.LastFileError() == EFBIG ? 0 : 100 + doc.LastFileError();
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(ReadFile(Path("big.vbs")), "old text");
  EXPECT_EQ(LeftoverTempFiles(folder.Path()), 0u);
}

TEST_F(SaveFailure, FullFileSystem) {
  const std::string mountPoint = Path("small");
  std::filesystem::create_directory(mountPoint);
  if (::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=64k") != 0) {
    GTEST_SKIP() << "mounting a small file system needs privileges this run does not have";
  }
  WriteFile(mountPoint + "/script.vbs", "old text");
  TypeLots(100000);
  EXPECT_FALSE(doc.SaveToFile(mountPoint + "/script.vbs", EolCrLf, true));
  EXPECT_EQ(doc.LastFileError(), ENOSPC);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(ReadFile(mountPoint + "/script.vbs"), "old text");
  EXPECT_EQ(LeftoverTempFiles(mountPoint), 0u);
  ::umount(mountPoint.c_str());
}

TEST_F(SaveFailure, TargetReplacedByAFolder) {
  WriteFile(Path("gone.vbs"), "x");
  ASSERT_TRUE(doc.OnOpenDocument(Path("gone.vbs")));
  TypeLots(3);
  std::filesystem::remove(Path("gone.vbs"));
  std::filesystem::create_directory(Path("gone.vbs"));
  WriteFile(Path("gone.vbs") + "/inside.txt", "kept");
  EXPECT_FALSE(doc.SaveToFile(doc.GetPathName(), EolCrLf, true));
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(ReadFile(Path("gone.vbs") + "/inside.txt"), "kept");
  EXPECT_EQ(LeftoverTempFiles(folder.Path()), 0u);
}

// Replacing a file by renaming over it needs only the folder's permission; the file's own must
// still be asked, directly and through a link to it.
TEST_F(SaveFailure, ReadOnlyFileInAWritableFolder) {
  WriteFile(Path("locked.vbs"), "old text");
  ASSERT_EQ(::symlink("locked.vbs", Path("link.vbs").c_str()), 0);
  ::chmod(folder.Path().c_str(), 0777);
  ::chmod(Path("locked.vbs").c_str(), 0444);
  TypeLots(10);
  const int status = RunUnprivileged([&] {
    if (doc.SaveToFile(Path("locked.vbs"), EolCrLf, true)) return 1;
    if (doc.LastFileError() != EACCES) return 2;
    if (!doc.IsModified()) return 3;
    if (doc.SaveToFile(Path("link.vbs"), EolCrLf, true)) return 4;
    if (doc.LastFileError() != EACCES) return 5;
    return 0;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(ReadFile(Path("locked.vbs")), "old text");
  struct stat info{};
  ASSERT_EQ(::lstat(Path("link.vbs").c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode));
  ASSERT_EQ(::stat(Path("locked.vbs").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0444u);
  EXPECT_EQ(LeftoverTempFiles(folder.Path()), 0u);
}

// The superuser may write any file, but one that nobody may write was marked read-only on
// purpose and is refused to him as well; another user's writable file is his to save.
TEST_F(SaveFailure, SuperuserKeepsReadOnlyFilesAndSavesOthersFiles) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs the superuser";
  WriteFile(Path("locked.vbs"), "old text");
  ::chmod(Path("locked.vbs").c_str(), 0444);
  WriteFile(Path("theirs.vbs"), "their text");
  ::chmod(Path("theirs.vbs").c_str(), 0600);
  ASSERT_EQ(::chown(Path("theirs.vbs").c_str(), 65534, 65534), 0);
  TypeLots(3);
  EXPECT_FALSE(doc.SaveToFile(Path("locked.vbs"), EolCrLf, true));
  EXPECT_EQ(doc.LastFileError(), EACCES);
  EXPECT_EQ(ReadFile(Path("locked.vbs")), "old text");
  EXPECT_TRUE(doc.SaveToFile(Path("theirs.vbs"), EolCrLf, true));
  EXPECT_EQ(ReadFile(Path("theirs.vbs")), "zzz");
  struct stat info{};
  ASSERT_EQ(::stat(Path("theirs.vbs").c_str(), &info), 0);
  EXPECT_EQ(info.st_uid, 65534u);
  EXPECT_EQ(info.st_mode & 07777, 0600u);
  EXPECT_EQ(LeftoverTempFiles(folder.Path()), 0u);
}

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

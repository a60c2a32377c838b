#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "TempFolder.h"
#include "app/TempFolderCleaner.h"

using namespace quillet::app;
using quillet::test::CTempFolder;
using quillet::test::WriteFile;

namespace {

void Age(const std::string& path, std::chrono::hours age) {
  const auto when = std::filesystem::file_time_type::clock::now() - age;
  std::filesystem::last_write_time(path, when);
}

}  // namespace

TEST(TempFolderCleaner, DeletesOnlyStaleRunnerCopies) {
  CTempFolder folder;
  const std::string names[] = {"abcdefgh.vbs", "ABCDEFGH.RTF", "script.vbs", "abcdefgh.txt",
                               "abcdefghi.vbs", "fresh123.vbs"};
  for (const std::string& name : names) WriteFile(folder.File(name), "x");
  for (const std::string& name : names) Age(folder.File(name), std::chrono::hours(48));
  Age(folder.File("fresh123.vbs"), std::chrono::hours(23));
  std::filesystem::create_directory(folder.File("folder12.vbs"));
  Age(folder.File("folder12.vbs"), std::chrono::hours(48));

  EXPECT_EQ(CleanTemporaryFolder(folder.Path(), std::chrono::system_clock::now()), 2);
  EXPECT_FALSE(std::filesystem::exists(folder.File("abcdefgh.vbs")));
  EXPECT_FALSE(std::filesystem::exists(folder.File("ABCDEFGH.RTF")));
  for (const char* kept : {"script.vbs", "abcdefgh.txt", "abcdefghi.vbs", "fresh123.vbs",
                           "folder12.vbs"}) {
    EXPECT_TRUE(std::filesystem::exists(folder.File(kept))) << kept;
  }
  EXPECT_EQ(CleanTemporaryFolder(folder.File("missing"), std::chrono::system_clock::now()), 0);
}

TEST(TempFolderCleaner, PreparesTheFolderUnderTheDataFolder) {
  CTempFolder folder;
  folder.IsolateUserFolders();
  const std::string path = PrepareTemporaryFolder();
  EXPECT_EQ(path, folder.File("home/.local/share/Kelmarsh/Quillet/Temp"));
  EXPECT_TRUE(std::filesystem::is_directory(path));
  EXPECT_EQ(PrepareTemporaryFolder(), path) << "an existing folder is fine";

  std::filesystem::remove(path);
  WriteFile(path, "a file in the way");
  EXPECT_EQ(PrepareTemporaryFolder(), path) << "kept, as when a file of that name exists";

  ::setenv("XDG_DATA_HOME", (path + "/below-a-file").c_str(), 1);
  EXPECT_EQ(PrepareTemporaryFolder(), "");
}

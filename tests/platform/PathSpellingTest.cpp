#include <gtest/gtest.h>

#include <filesystem>

#include "TempFolder.h"
#include "platform/PathSpelling.h"

using namespace quillet::platform;

TEST(PathSpelling, AbsoluteNormalAndMissingPartsKept) {
  quillet::test::CTempFolder folder;
  std::filesystem::create_directories(folder.File("Dir/Sub"));
  EXPECT_EQ(OnDiskSpelling(folder.Path() + "/Dir/./Sub/../Sub"), folder.File("Dir/Sub"));
  EXPECT_EQ(OnDiskSpelling(folder.Path() + "/Dir/NotThere.vbs"), folder.File("Dir/NotThere.vbs"));
  EXPECT_EQ(OnDiskSpelling(""), "");
  EXPECT_EQ(OnDiskSpelling(std::string(5000, 'a')), std::string(5000, 'a'));
  const std::string relative = OnDiskSpelling("x.vbs");
  EXPECT_EQ(relative, (std::filesystem::current_path() / "x.vbs").string());
}

// ".." after a symbolic link leads out of the link's target, as the system resolves it; a link
// that no ".." follows keeps the name it was reached by.
TEST(PathSpelling, DotDotAfterALinkLeavesTheLinksTarget) {
  quillet::test::CTempFolder folder;
  std::filesystem::create_directories(folder.File("p"));
  std::filesystem::create_directories(folder.File("q/d/e"));
  std::filesystem::create_directory_symlink(folder.File("q/d"), folder.File("p/link"));
  std::filesystem::create_directory_symlink("../q/d/e", folder.File("p/relative"));
  std::filesystem::create_directory_symlink("relative", folder.File("p/chain"));
  const std::string real = std::filesystem::canonical(folder.Path()).string();
  EXPECT_EQ(OnDiskSpelling(folder.File("p/link/../x.vbs")), real + "/q/x.vbs");
  EXPECT_EQ(OnDiskSpelling(folder.File("p/link/./e/../../x.vbs")), real + "/q/x.vbs");
  EXPECT_EQ(OnDiskSpelling(folder.File("p/relative/../x.vbs")), real + "/q/d/x.vbs");
  EXPECT_EQ(OnDiskSpelling(folder.File("p/chain/../../x.vbs")), real + "/q/x.vbs");
  EXPECT_EQ(OnDiskSpelling(folder.File("p/link/x.vbs")), folder.File("p/link/x.vbs"));
  EXPECT_EQ(OnDiskSpelling(folder.File("p/gone/../x.vbs")), folder.File("p/x.vbs"));
}

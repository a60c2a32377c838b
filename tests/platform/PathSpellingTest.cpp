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

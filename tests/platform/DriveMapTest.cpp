#include <gtest/gtest.h>

#include <filesystem>

#include "TempFolder.h"
#include "platform/AppPaths.h"
#include "platform/DriveMap.h"
#include "platform/SettingsStore.h"
#include "platform/TextConvert.h"

using namespace quillet::platform;
using quillet::test::CTempFolder;

namespace {

CDriveMap ThreeDrives() {
  CDriveMap map;
  map.Map(u'Z', "/");
  map.Map(u'c', "/data/drive_c/");
  map.Map(u'D', "/mnt/d");
  return map;
}

std::u16string AbsoluteText(const CDriveMap& map, std::u16string_view text, std::string_view current = "/home/u/work") {
  return map.Absolute(text, current).Text();
}

}  // namespace

// Paths are read as Windows reads a path string: both separators, "." and ".." resolved in the
// string, the trailing dots and spaces of the last name dropped; each keeps its form.
TEST(DriveMap, PathStringsResolveAsWindowsReadsThem) {
  const CDriveMap map = ThreeDrives();
  EXPECT_EQ(AbsoluteText(map, u"a\\b/c"), u"/home/u/work/a/b/c");
  EXPECT_EQ(AbsoluteText(map, u""), u"/home/u/work");
  EXPECT_EQ(AbsoluteText(map, u"..\\..\\..\\..\\x"), u"/x");
  EXPECT_EQ(AbsoluteText(map, u"\\tmp\\..\\etc\\\\passwd"), u"/etc/passwd");
  EXPECT_EQ(AbsoluteText(map, u"C:\\a\\.\\b\\..\\c. ."), u"C:\\a\\c");
  EXPECT_EQ(AbsoluteText(map, u"c:/a. /b/"), u"c:\\a. \\b") << "only the last name is trimmed";
  EXPECT_EQ(AbsoluteText(map, u"C:\\.."), u"C:\\");
  EXPECT_EQ(AbsoluteText(map, u"C:"), u"C:\\") << "the current folder is not on C:";
  EXPECT_EQ(AbsoluteText(map, u"C:x", "/data/drive_c/w"), u"C:\\w\\x");
  EXPECT_EQ(AbsoluteText(map, u"Z:x"), u"Z:\\home\\u\\work\\x");
  EXPECT_EQ(AbsoluteText(map, u"Q:x"), u"Q:\\x") << "no mapping is needed to read a string";
  EXPECT_EQ(AbsoluteText(map, u"\\\\server\\share\\a\\..\\..\\b"), u"\\\\server\\share\\b");
  EXPECT_EQ(AbsoluteText(map, u"\\\\?\\C:\\a"), u"C:\\a");
  EXPECT_EQ(AbsoluteText(map, u"//?/UNC/srv/sh/x"), u"\\\\srv\\sh\\x");
  EXPECT_EQ(AbsoluteText(map, u"\\\\."), u"/home/u/work") << "the bare device prefix names nothing";
  EXPECT_EQ(AbsoluteText(map, u"x", ""), u"/x") << "no current folder reads as the root";
}

TEST(DriveMap, ScriptPathsBecomeLinuxNamesAndBack) {
  const CDriveMap map = ThreeDrives();
  const auto host = [&map](std::u16string_view text) { return map.ToHost(map.Absolute(text, "/w")); };
  EXPECT_EQ(host(u"C:\\a\\b.txt").path, "/data/drive_c/a/b.txt");
  EXPECT_EQ(host(u"c:\\").path, "/data/drive_c");
  EXPECT_EQ(host(u"z:\\etc").path, "/etc");
  EXPECT_EQ(host(u"rel").path, "/w/rel");
  EXPECT_EQ(host(u"Q:\\x").problem, EHostPathProblem::UnmappedDrive);
  EXPECT_EQ(host(u"\\\\srv\\share\\x").problem, EHostPathProblem::NetworkShare);
  EXPECT_EQ(host(std::u16string(u"/a\0b", 4)).problem, EHostPathProblem::BadName);
  // A name that is no UTF-8 on disk comes back byte for byte.
  const std::string odd = "/data/drive_c/\xFF\xFE.txt";
  const CScriptPath seen = map.FromHost(odd);
  EXPECT_EQ(seen.Root(), u"C:");
  EXPECT_EQ(map.ToHost(map.Absolute(seen.Text(), "/")).path, odd);

  EXPECT_EQ(map.FromHost("/data/drive_c/x/y").Text(), u"C:\\x\\y");
  EXPECT_EQ(map.FromHost("/data/drive_c").Text(), u"C:\\");
  EXPECT_EQ(map.FromHost("/data/drive_cc").Text(), u"Z:\\data\\drive_cc") << "names compare whole";
  EXPECT_EQ(map.FromHost("/mnt/d/q").Text(), u"D:\\q");
  EXPECT_EQ(map.LetterHolding("/etc"), u'Z');
  CDriveMap withoutZ;
  withoutZ.Map(u'C', "/data/drive_c");
  EXPECT_EQ(withoutZ.FromHost("/etc/x").Text(), u"/etc/x");
  EXPECT_EQ(withoutZ.LetterHolding("/etc"), u'\0');
}

// The user's map: Z: and C: always, more letters (or other folders for these) from the settings
// section "Drives"; C:'s folder is made the first time a path needs it, not before.
TEST(DriveMap, UserMapComesFromTheSettingsAndMakesDriveCOnFirstUse) {
  CTempFolder folder;
  folder.IsolateUserFolders();
  CSettingsStore settings(SettingsFilePath(), CSettingsStore::RootKeyFor(u"Kelmarsh", u"Quillet"));
  ASSERT_TRUE(settings.WriteString(u"Drives", u"d:", u"/srv/data/"));
  ASSERT_TRUE(settings.WriteString(u"Drives", u"E", u"relative/folder"));
  ASSERT_TRUE(settings.WriteString(u"Drives", u"FG", u"/srv/fg"));
  ASSERT_TRUE(settings.WriteInt(u"Drives", u"H", 1));

  const CDriveMap map = CDriveMap::ForUser();
  EXPECT_EQ(map.Letters(), u"CDZ");
  ASSERT_NE(map.FolderOf(u'd'), nullptr);
  EXPECT_EQ(*map.FolderOf(u'd'), "/srv/data");
  EXPECT_EQ(*map.FolderOf(u'Z'), "/");
  EXPECT_EQ(map.FolderOf(u'E'), nullptr);

  const std::string driveC = DataFolder() + "/drive_c";
  EXPECT_FALSE(std::filesystem::exists(driveC));
  EXPECT_EQ(map.ToHost(map.Absolute(u"C:\\x.txt", "/")).path, driveC + "/x.txt");
  EXPECT_TRUE(std::filesystem::is_directory(driveC));
}

TEST(DriveMap, CurrentFolderIsTheProcesssOne) {
  EXPECT_EQ(CDriveMap::CurrentFolder(), std::filesystem::current_path().string());
}

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "app/CommandLine.h"
#include "app/OsVersion.h"
#include "app/RecentFileList.h"
#include "base/SettingsInventory.h"
#include "platform/SettingsStore.h"

using namespace quillet::app;

TEST(CommandLine, FirstNonOptionIsTheScript) {
  EXPECT_FALSE(ParseCommandLine({"quillet"}).fileToOpen);
  EXPECT_EQ(ParseCommandLine({"quillet", "-style", "a.vbs", "b.vbs"}).fileToOpen, "a.vbs");
  EXPECT_EQ(ParseCommandLine({"quillet", "--", "-odd.vbs"}).fileToOpen, "-odd.vbs");
}

TEST(OsVersion, KernelVersionAndOwnPlatform) {
  const SOsVersion version = ReadOsVersion();
  EXPECT_GE(version.major, 2u);
  EXPECT_NE(version.platformId, 1u);
  EXPECT_NE(version.platformId, 2u);
}

TEST(RecentFileList, NewestFirstSixAtMostAndStored) {
  quillet::test::CTempFolder folder;
  quillet::platform::CSettingsStore store(
      folder.File("settings.reg"),
      quillet::platform::CSettingsStore::RootKeyFor(u"Kelmarsh", u"Quillet"));
  CSettings settings(store);
  CRecentFileList list(settings);
  for (int i = 1; i <= 7; ++i) list.Add("/s/" + std::to_string(i) + ".vbs");
  list.Add("/s/4.vbs");
  ASSERT_EQ(list.Entries().size(), 6u);
  EXPECT_EQ(list.Entries().front(), "/s/4.vbs");
  EXPECT_EQ(list.Entries().back(), "/s/2.vbs");
  EXPECT_EQ(store.ReadString(u"Recent File List", u"File1", u""), u"/s/4.vbs");
  list.Remove(0);
  CRecentFileList reloaded(settings);
  reloaded.Load();
  EXPECT_EQ(reloaded.Entries(), list.Entries());
  EXPECT_EQ(store.ReadString(u"Recent File List", u"File6", u"none"), u"none");
}

TEST(SettingsInventory, ListsStopAtTheFirstGapAndFontHeightRoundsLikeMulDiv) {
  quillet::test::CTempFolder folder;
  quillet::platform::CSettingsStore store(
      folder.File("settings.reg"),
      quillet::platform::CSettingsStore::RootKeyFor(u"Kelmarsh", u"Quillet"));
  CSettings settings(store);
  settings.WriteList(settings::RecentFinds, {u"a", u"b"});
  EXPECT_EQ(store.ReadString(u"Recent Find List", u"Arg0", u""), u"a");
  EXPECT_EQ(settings.ReadList(settings::RecentFinds), (std::vector<std::u16string>{u"a", u"b"}));
  EXPECT_EQ(settings::BarSection(settings::ShellBarLayout, settings::kOutputBarId),
            u"ShellBarState-SCBar-123");
  EXPECT_EQ(settings::DefaultFontHeight(96), -13);
  EXPECT_EQ(settings::DefaultFontHeight(72), -10);
  EXPECT_EQ(settings::DefaultFontHeight(120), -17);
}

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempFolder.h"
#include "app/RecentFileList.h"
#include "base/SettingsInventory.h"
#include "platform/SettingsStore.h"

namespace quillet::app {
namespace {

constexpr std::u16string_view kRoot = u"HKEY_CURRENT_USER\\Software\\T";

// Linux file names are bytes; a name in Latin-1 or cut inside a character is as openable as
// any other and must come back from the settings file exactly, while ordinary names stay
// readable text there.
TEST(RecentFileList, NamesThatAreNotUtf8SurviveARestartByteForByte) {
  test::CTempFolder folder;
  const std::vector<std::string> names = {
      "/s/caf\xE9.vbs",                 // Latin-1
      "/s/\xED\xA0\x80 \xFF\xFE.vbs",   // an encoded surrogate, bytes that start nothing
      "/s/\xF0\x9F\x98\x80 \xF0\x9F",   // a whole character, then one cut short at the end
      "/s/\xF0\x90\x82\x80.vbs",        // U+10080, whose second surrogate is U+DC80
      "/s/caf\xC3\xA9.vbs",             // UTF-8
      "/s/plain.vbs",
  };
  {
    platform::CSettingsStore store(folder.File("settings.reg"), std::u16string(kRoot));
    CSettings settings(store);
    CRecentFileList list(settings);
    for (auto name = names.rbegin(); name != names.rend(); ++name) list.Add(*name);
    ASSERT_EQ(list.Entries(), names);
  }
  platform::CSettingsStore store(folder.File("settings.reg"), std::u16string(kRoot));
  CSettings settings(store);
  CRecentFileList list(settings);
  list.Load();
  EXPECT_EQ(list.Entries(), names);
  const std::vector<std::u16string> stored = settings.ReadList(settings::RecentFiles);
  ASSERT_EQ(stored.size(), names.size());
  EXPECT_EQ(stored[4], u"/s/caf\u00E9.vbs");
  EXPECT_EQ(stored[5], u"/s/plain.vbs");

  // A lone surrogate that no saved name produces (a hand-edited file) reads as a replacement.
  settings.WriteList(settings::RecentFiles, {u"/s/\xD800x.vbs"});
  list.Load();
  EXPECT_EQ(list.Entries(), std::vector<std::string>{"/s/\xEF\xBF\xBDx.vbs"});
}

}  // namespace
}  // namespace quillet::app

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "TempFolder.h"
#include "Unprivileged.h"
#include "platform/SettingsStore.h"

using namespace quillet::platform;
using quillet::test::CTempFolder;
using quillet::test::ReadFile;
using quillet::test::RunUnprivileged;
using quillet::test::WriteFile;

class SettingsStore : public ::testing::Test {
 protected:
  [[nodiscard]] std::string File() const { return folder.File("conf/settings.reg"); }
  [[nodiscard]] CSettingsStore Open() const {
    return CSettingsStore(File(), CSettingsStore::RootKeyFor(u"Kelmarsh", u"Quillet"));
  }
  CTempFolder folder;
};

TEST_F(SettingsStore, ReadsGiveDefaultsAndNeverWrite) {
  CSettingsStore store = Open();
  EXPECT_EQ(store.ReadInt(u"Options", u"TabSize", 4), 4);
  EXPECT_EQ(store.ReadString(u"Font", u"Face2", u"Courier New"), u"Courier New");
  EXPECT_FALSE(std::filesystem::exists(File()));
}

TEST_F(SettingsStore, WritesTypedValuesInRegeditFormat) {
  CSettingsStore store = Open();
  ASSERT_TRUE(store.WriteInt(u"Options", u"TabSize", 8));
  ASSERT_TRUE(store.WriteString(u"Recent File List", u"File1", u"/tmp/a \"b\".vbs"));
  EXPECT_EQ(store.ReadInt(u"options", u"TABSIZE", 4), 8);
  EXPECT_EQ(store.ReadString(u"Recent File List", u"file1", u""), u"/tmp/a \"b\".vbs");
  EXPECT_EQ(store.ReadString(u"Options", u"TabSize", u"text"), u"text") << "wrong type";
  EXPECT_EQ(store.ReadInt(u"Recent File List", u"File1", -1), -1) << "wrong type";
  store.WriteInt(u"Options", u"tabsize", -3);
  EXPECT_EQ(Open().ReadInt(u"Options", u"TabSize", 4), -3);
  EXPECT_EQ(store.ValueNames(u"Options"), std::vector<std::u16string>{u"TabSize"})
      << "the first spelling stays";
  store.DeleteValue(u"Options", u"TabSize");
  EXPECT_EQ(Open().ReadInt(u"Options", u"TabSize", 4), 4);
  const std::string bytes = ReadFile(File());
  const std::string header = "\xFF\xFEW\0i\0n\0d\0o\0w\0s\0";
  EXPECT_EQ(bytes.substr(0, header.size()), header);
}

TEST_F(SettingsStore, TwoInstancesKeepEachOthersChanges) {
  CSettingsStore first = Open();
  CSettingsStore second = Open();
  EXPECT_EQ(second.ReadInt(u"View", u"Tabs", 0), 0);  // second has read the (absent) file
  first.WriteInt(u"View", u"Tabs", 1);
  second.WriteInt(u"View", u"LineNumbers", 0);
  CSettingsStore third = Open();
  EXPECT_EQ(third.ReadInt(u"View", u"Tabs", 0), 1);
  EXPECT_EQ(third.ReadInt(u"View", u"LineNumbers", 1), 0);
  EXPECT_EQ(first.ReadInt(u"View", u"LineNumbers", 1), 0) << "reads see the other's write";
}

TEST_F(SettingsStore, UnreadableFileIsKeptAsideAndDefaultsApply) {
  std::filesystem::create_directories(folder.File("conf"));
  const std::string garbage[] = {"\x01\x02garbage", "REGEDIT4\n[HKEY_CURRENT_USER\\Soft"};
  std::vector<std::string> keptAside;
  for (const std::string& bytes : garbage) {
    WriteFile(File(), bytes);
    CSettingsStore store = Open();
    EXPECT_EQ(store.ReadInt(u"Options", u"TabSize", 4), 4);
    EXPECT_EQ(ReadFile(File()), bytes) << "reading leaves the bad file alone";
    ASSERT_TRUE(store.WriteInt(u"Options", u"TabSize", 2));
    EXPECT_EQ(Open().ReadInt(u"Options", u"TabSize", 4), 2) << "a fresh file";
    keptAside.push_back(store.SetAsidePath());
    EXPECT_EQ(ReadFile(keptAside.back()), bytes);
  }
  EXPECT_NE(keptAside[0], keptAside[1]) << "an earlier copy is never overwritten";
  EXPECT_EQ(ReadFile(keptAside[0]), garbage[0]);
}

TEST_F(SettingsStore, FailedWriteIsStillSeenAndRetried) {
  std::filesystem::create_directories(folder.File("conf"));
  ::chmod(folder.Path().c_str(), 0777);
  ::chmod(folder.File("conf").c_str(), 0555);
  const int status = RunUnprivileged([&] {
    CSettingsStore store = Open();
    if (store.WriteInt(u"Options", u"TabSize", 7)) return 1;
    return store.ReadInt(u"Options", u"TabSize", 4) == 7 ? 0 : 2;
  });
  EXPECT_EQ(status, 0);
  EXPECT_FALSE(std::filesystem::exists(File()));
}

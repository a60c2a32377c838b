// The script registry's hive file: two scripts writing at once both keep their values, a reader
// sees another's write, reads never write, and a damaged file is kept aside, never overwritten.

#include <gtest/gtest.h>

#include <filesystem>

#include "TempFolder.h"
#include "platform/ScriptHive.h"

using namespace quillet::platform;
using quillet::test::CTempFolder;
using quillet::test::ReadFile;
using quillet::test::WriteFile;

namespace {

bool Put(CScriptHive& hive, std::u16string_view key, std::u16string_view name, std::u16string_view text) {
  return hive.Write([&](CRegKey& root) {
    root.OpenOrCreatePath(key).SetValue(CRegValue::MakeString(name, text));
    return true;
  });
}

std::u16string Get(const CScriptHive& hive, std::u16string_view key, std::u16string_view name) {
  std::u16string text = u"<none>";
  hive.Read([&](const CRegKey& root) {
    const CRegKey* found = root.FindPath(key);
    const CRegValue* value = found != nullptr ? found->FindValue(name) : nullptr;
    if (value != nullptr) text = value->AsString().value_or(u"<not text>");
  });
  return text;
}

}  // namespace

TEST(ScriptHive, WritesMergeAndReadersSeeOthersWrites) {
  CTempFolder folder;
  const std::string path = folder.File("Registry/HKCU.reg");
  CScriptHive first(path);
  CScriptHive second(path);
  EXPECT_EQ(Get(first, u"HKEY_CURRENT_USER\\Software\\A", u"x"), u"<none>");
  EXPECT_FALSE(std::filesystem::exists(path)) << "reading never writes";

  EXPECT_EQ(Get(second, u"HKEY_CURRENT_USER\\Software\\A", u"x"), u"<none>");  // second has read the old state
  ASSERT_TRUE(Put(first, u"HKEY_CURRENT_USER\\Software\\A", u"x", u"1"));
  ASSERT_TRUE(Put(second, u"HKEY_CURRENT_USER\\Software\\B", u"y", u"2"));
  EXPECT_EQ(Get(first, u"HKEY_CURRENT_USER\\Software\\B", u"y"), u"2");
  EXPECT_EQ(Get(second, u"HKEY_CURRENT_USER\\Software\\A", u"x"), u"1");
  EXPECT_EQ(Get(CScriptHive(path), u"hkey_current_user\\software\\a", u"X"), u"1");

  // A refused change leaves the file as it was.
  const std::string before = ReadFile(path);
  EXPECT_FALSE(first.Write([](CRegKey& root) {
    root.OpenOrCreatePath(u"HKEY_CURRENT_USER\\Gone");
    return false;
  }));
  EXPECT_EQ(ReadFile(path), before);
}

TEST(ScriptHive, DamagedFileIsKeptAsideAndACleanOneStarted) {
  CTempFolder folder;
  const std::string path = folder.File("HKLM.reg");
  WriteFile(path, "REGEDIT4\n[HKEY_LOCAL_MACHINE\\x]\n\"a\"=dword:zz\n");
  CScriptHive hive(path);
  EXPECT_EQ(Get(hive, u"HKEY_LOCAL_MACHINE\\x", u"a"), u"<none>");
  EXPECT_EQ(hive.SetAsidePath(), "");
  ASSERT_TRUE(Put(hive, u"HKEY_LOCAL_MACHINE\\y", u"b", u"c"));
  ASSERT_FALSE(hive.SetAsidePath().empty());
  EXPECT_EQ(ReadFile(hive.SetAsidePath()), "REGEDIT4\n[HKEY_LOCAL_MACHINE\\x]\n\"a\"=dword:zz\n");
  EXPECT_EQ(Get(CScriptHive(path), u"HKEY_LOCAL_MACHINE\\y", u"b"), u"c");
}

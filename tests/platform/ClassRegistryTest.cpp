#include <gtest/gtest.h>

#include <filesystem>

#include "TempFolder.h"
#include "platform/ClassRegistry.h"
#include "platform/RegFileWriter.h"
#include "platform/TextConvert.h"

using namespace quillet::platform;
using quillet::test::CTempFolder;
using quillet::test::WriteFile;

namespace {

constexpr char kSystemReg[] =
    "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win32\n\n"
    "[Software\\\\Classes\\\\Word.Application\\\\CLSID] 1600000000\n"
    "@=\"{000209FF-0000-0000-C000-000000000046}\"\n\n"
    "[Software\\\\Classes\\\\CLSID\\\\{000209FF-0000-0000-C000-000000000046}\\\\TypeLib]\n"
    "@=\"{00020905-0000-0000-C000-000000000046}\"\n\n"
    "[Software\\\\Classes\\\\TypeLib\\\\{00020905-0000-0000-C000-000000000046}\\\\8.0\\\\0\\\\win32]\n"
    "@=str(2):\"%ProgramFiles%\\\\Office\\\\MSWORD.OLB\"\n\n"
    "[Software\\\\Classes\\\\Shared.Thing\\\\CLSID]\n@=\"{machine}\"\n";

constexpr char kUserReg[] =
    "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n\n"
    "[Software\\\\Classes\\\\Shared.Thing\\\\CLSID]\n@=\"{user}\"\n"
    "[Software\\\\Classes\\\\TypeLib\\\\{00020905-0000-0000-C000-000000000046}\\\\9.0]\n";

constexpr char kQuilletHive[] =
    "Windows Registry Editor Version 5.00\r\n\r\n"
    "[HKEY_CLASSES_ROOT\\Scripting.Dictionary\\CLSID]\r\n@=\"{EE09B103-97E0-11CF-978F-00A02463E06F}\"\r\n"
    "[HKEY_CLASSES_ROOT\\Shared.Thing]\r\n\"Note\"=\"ours\"\r\n";

class ClassRegistryTest : public ::testing::Test {
 protected:
  ClassRegistryTest() {
    prefix = folder.File("wine");
    std::filesystem::create_directories(prefix + "/drive_c/Program Files/office");
    WriteFile(prefix + "/drive_c/Program Files/office/msword.olb", "x");
    WriteFile(prefix + "/system.reg", kSystemReg);
    WriteFile(prefix + "/user.reg", kUserReg);
    WriteFile(folder.File("classes.reg"), kQuilletHive);
    EXPECT_TRUE(registry.AddQuilletHive(folder.File("classes.reg")));
    EXPECT_TRUE(registry.AddWinePrefix(prefix));
  }
  CTempFolder folder;
  std::string prefix;
  CClassRegistry registry;
};

}  // namespace

TEST_F(ClassRegistryTest, HivesMergeInOrderWithPerUserFirst) {
  EXPECT_EQ(registry.ReadDefaultString(u"word.application\\CLSID"),
            u"{000209FF-0000-0000-C000-000000000046}");
  EXPECT_EQ(registry.ReadDefaultString(u"Scripting.Dictionary\\CLSID"),
            u"{EE09B103-97E0-11CF-978F-00A02463E06F}");
  EXPECT_EQ(registry.ReadDefaultString(u"Shared.Thing\\CLSID"), u"{user}");
  EXPECT_EQ(registry.ReadString(u"Shared.Thing", u"note"), u"ours");
  EXPECT_EQ(registry.SubkeyNames(u"TypeLib\\{00020905-0000-0000-C000-000000000046}"),
            (std::vector<std::u16string>{u"9.0", u"8.0"}));
  EXPECT_FALSE(registry.KeyExists(u"No.Such\\CLSID"));
  EXPECT_FALSE(registry.ReadDefaultString(u"No.Such\\CLSID"));
}

TEST_F(ClassRegistryTest, ExpandableLibraryPathMapsIntoThePrefix) {
  const auto path = registry.ReadDefaultString(
      u"TypeLib\\{00020905-0000-0000-C000-000000000046}\\8.0\\0\\win32");
  ASSERT_TRUE(path);
  EXPECT_EQ(*path, u"C:\\Program Files\\Office\\MSWORD.OLB");
  EXPECT_EQ(registry.MapToLinuxPath(*path), prefix + "/drive_c/Program Files/office/msword.olb")
      << "components match without regard to case";
  EXPECT_EQ(registry.MapToLinuxPath(u"Z:\\usr\\lib\\x.tlb"), "/usr/lib/x.tlb");
  EXPECT_EQ(registry.MapToLinuxPath(u"/already/linux.tlb"), "/already/linux.tlb");
}

TEST(ClassRegistry, EnvironmentExpansion) {
  const auto lookup = [](std::u16string_view name) -> std::optional<std::u16string> {
    if (name == u"A") return u"alpha";
    return std::nullopt;
  };
  EXPECT_EQ(ExpandEnvironmentText(u"%A%\\x", lookup), u"alpha\\x");
  EXPECT_EQ(ExpandEnvironmentText(u"%NONE%\\%A%", lookup), u"%NONE%\\alpha");
  EXPECT_EQ(ExpandEnvironmentText(u"50% off", lookup), u"50% off");
  CClassRegistry empty;
  EXPECT_FALSE(empty.AddWinePrefix("/nonexistent/prefix"));
  EXPECT_FALSE(empty.ReadDefaultString(u"x"));
}

// Quillet's generated hive names its files by the folder it is read from, so that one hive
// serves a build folder and any installed tree; a Wine hive's values are not ours to rewrite.
TEST_F(ClassRegistryTest, QuilletHiveFolderIsTheFolderTheHiveWasReadFrom) {
  CRegKey root;
  CRegKey& version = root.OpenOrCreatePath(u"HKEY_CLASSES_ROOT\\TypeLib\\{L}\\1.0\\0\\win32");
  version.SetValue(CRegValue::MakeString(u"", u"%QuilletHiveFolder%/lib.tlb", ERegType::ExpandString));
  std::filesystem::create_directories(folder.File("elsewhere/share"));
  WriteFile(folder.File("elsewhere/share/classes.reg"), CRegFileWriter::Write(root));
  CClassRegistry moved;
  // Read through a relative, roundabout path: the folder is still spelled absolute and plain.
  const std::string cwd = std::filesystem::current_path().string();
  std::filesystem::current_path(folder.Path());
  const bool added = moved.AddQuilletHive("elsewhere/./share/../share/classes.reg");
  std::filesystem::current_path(cwd);
  ASSERT_TRUE(added);
  EXPECT_EQ(moved.ReadDefaultString(u"TypeLib\\{L}\\1.0\\0\\win32"),
            Utf8ToUtf16(folder.File("elsewhere/share/lib.tlb")));

  WriteFile(prefix + "/system.reg",
            "WINE REGISTRY Version 2\n\n[Software\\\\Classes\\\\Odd]\n@=str(2):\"%QuilletHiveFolder%/x\"\n");
  CClassRegistry wine;
  ASSERT_TRUE(wine.AddWinePrefix(prefix));
  EXPECT_EQ(wine.ReadDefaultString(u"Odd"), u"%QuilletHiveFolder%/x");
}

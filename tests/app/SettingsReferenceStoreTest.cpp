#include <gtest/gtest.h>

#include "TempFolder.h"
#include "base/SettingsInventory.h"
#include "app/SettingsReferenceStore.h"
#include "platform/SettingsStore.h"

namespace quillet::app {
namespace {

TEST(SettingsReferenceStore, ReadsStringsOnlyAndReplacesTheWholeSection) {
  test::CTempFolder folder;
  platform::CSettingsStore store(folder.File("settings.reg"), u"HKEY_CURRENT_USER\\Software\\T");
  CSettings settings(store);
  CSettingsReferenceStore references(settings);

  EXPECT_EQ(references.Read(u"Shapes.Canvas"), u"");
  EXPECT_TRUE(references.ReadAll().empty());
  EXPECT_TRUE(references.Write(u"Shapes.Canvas", u"/libs/shapes.tlb"));
  EXPECT_TRUE(references.Write(u"Lost.Thing", u"unknown"));
  EXPECT_TRUE(settings.WriteInt(settings::TypeLibSection, u"Stray.Number", 7));
  EXPECT_EQ(references.Read(u"Shapes.Canvas"), u"/libs/shapes.tlb");
  EXPECT_EQ(references.ReadAll(), (std::map<std::u16string, std::u16string>{
                                      {u"Lost.Thing", u"unknown"}, {u"Shapes.Canvas", u"/libs/shapes.tlb"}}))
      << "values of other types are not references";

  EXPECT_TRUE(references.ReplaceAll({{u"Shapes.Canvas", u"/other/shapes.tlb"}, {u"New.One", u"/libs/new.olb"}}));
  // A second store on the same file sees what was written, not this instance's memory.
  platform::CSettingsStore reread(folder.File("settings.reg"), u"HKEY_CURRENT_USER\\Software\\T");
  CSettings rereadSettings(reread);
  EXPECT_EQ(CSettingsReferenceStore(rereadSettings).ReadAll(),
            (std::map<std::u16string, std::u16string>{{u"New.One", u"/libs/new.olb"},
                                                      {u"Shapes.Canvas", u"/other/shapes.tlb"}}));
  EXPECT_EQ(rereadSettings.ReadInt(settings::TypeLibSection, u"Stray.Number", -1), -1);
}

}  // namespace
}  // namespace quillet::app

// The placement rules of the main window and its bars, against a settings store in a temporary
// folder.

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "app/FrameLayout.h"
#include "base/SettingsInventory.h"
#include "platform/SettingsStore.h"

using namespace quillet;
using namespace quillet::app;

namespace {

class FrameLayoutTest : public ::testing::Test {
 protected:
  test::CTempFolder m_folder;
  platform::CSettingsStore m_store{m_folder.File("settings.reg"), u"HKEY_CURRENT_USER\\Software\\T"};
  CSettings m_settings{m_store};
};

TEST_F(FrameLayoutTest, StoredPlacementIsUsedOnlyWhenItReachesAScreen) {
  const SRect screens[] = {{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};
  const SRect current{10, 10, 800, 600};
  EXPECT_EQ(RestorablePlacement(m_settings, current, screens), current);  // fresh store

  SavePlacement(m_settings, {3000, 900, 400, 300});  // on the second screen only
  EXPECT_EQ(RestorablePlacement(m_settings, current, screens), (SRect{3000, 900, 400, 300}));

  SavePlacement(m_settings, {-5000, -4000, 800, 600});
  EXPECT_EQ(RestorablePlacement(m_settings, current, screens), std::nullopt);
  SavePlacement(m_settings, {1920 + 1280, 0, 400, 300});  // touching the right edge is outside
  EXPECT_EQ(RestorablePlacement(m_settings, current, screens), std::nullopt);
  SavePlacement(m_settings, {100, 100, 0, 300});
  EXPECT_EQ(RestorablePlacement(m_settings, current, screens), std::nullopt);
  // Sums that overflow 32 bits must not wrap round onto the screen.
  SavePlacement(m_settings, {2147483000, 0, 2147483000, 300});
  EXPECT_EQ(RestorablePlacement(m_settings, current, screens), std::nullopt);
}

TEST_F(FrameLayoutTest, ArgumentsBoxReachesTheToolbarEdgeButKeepsFiftyPixels) {
  EXPECT_EQ(ArgumentsBoxWidth(1000, 600), 390);
  EXPECT_EQ(ArgumentsBoxWidth(640, 600), 50);
}

TEST_F(FrameLayoutTest, BarSizesRoundTripUnderTheirLayoutWithTheMinimumApplied) {
  SBarSizes sizes;
  sizes.horizontal = {500, 120};
  sizes.vertical = {10, 400};
  sizes.floating = {300, 5};
  sizes.Save(m_settings, settings::ShellBarLayout, settings::kOutputBarId);
  EXPECT_EQ(m_settings.ReadInt(u"ShellBarState-SCBar-123", u"sizeHorzCY", 0), 120);

  SBarSizes loaded;
  loaded.Load(m_settings, settings::ShellBarLayout, settings::kOutputBarId);
  EXPECT_EQ(loaded.horizontal, (SSize{500, 120}));
  EXPECT_EQ(loaded.vertical, (SSize{33, 400}));
  EXPECT_EQ(loaded.floating, (SSize{300, 32}));

  SBarSizes other;  // nothing stored for the variables bar: its sizes stay
  other.Load(m_settings, settings::VariableBarLayout, settings::kVariablesBarId);
  EXPECT_EQ(other.horizontal, SBarSizes::kInitial);
}

TEST_F(FrameLayoutTest, ObjectBrowserPlacementDefaultsAndSaveRules) {
  const SRect workArea{0, 30, 1920, 1050};
  auto placement = SObjectBrowserPlacement::Load(m_settings, workArea);
  EXPECT_TRUE(placement.show);
  EXPECT_FALSE(placement.floating);
  EXPECT_EQ(placement.side, EDockSide::Right);
  EXPECT_EQ(placement.dockedWidth, 250);
  EXPECT_EQ(placement.x, 1520);
  EXPECT_EQ(placement.y, 30);

  placement.side = EDockSide::Left;
  placement.dockedWidth = 321;
  placement.Save(m_settings);
  EXPECT_EQ(m_settings.Read(settings::ObjectBrowserDockSide), settings::kDockedLeft);
  placement.side = EDockSide::Other;  // docked elsewhere keeps the stored side
  placement.Save(m_settings);
  EXPECT_EQ(m_settings.Read(settings::ObjectBrowserDockSide), settings::kDockedLeft);

  placement.floating = true;
  placement.x = 77;
  placement.Save(m_settings);
  placement.show = false;
  placement.x = 99;
  placement.Save(m_settings);  // hidden: only the flag is written
  const auto reloaded = SObjectBrowserPlacement::Load(m_settings, workArea);
  EXPECT_FALSE(reloaded.show);
  EXPECT_TRUE(reloaded.floating);
  EXPECT_EQ(reloaded.x, 77);
  EXPECT_EQ(reloaded.dockedWidth, 321);
}

TEST_F(FrameLayoutTest, NonEmptyListSkipsGaps) {
  m_settings.WriteString(u"Recent Arg List", u"Arg0", u"/a");
  m_settings.WriteString(u"Recent Arg List", u"Arg3", u"/b");
  EXPECT_EQ(m_settings.ReadNonEmptyList(settings::RecentArguments),
            (std::vector<std::u16string>{u"/a", u"/b"}));
}

}  // namespace

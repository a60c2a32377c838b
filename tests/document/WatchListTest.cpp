#include <gtest/gtest.h>

#include "document/WatchList.h"

using namespace quillet::document;

namespace {

// Replies come back level by level, not in the order of the rows: a member of an opened object
// in the first frame arrives after the second frame's variables, yet sits above them.
TEST(WatchList, KeepsTheRowsOrderAndAnswersTheTopmostNameInAnyCase) {
  CWatchList list;
  list.Add({0, 0}, u"Count", u"1");
  list.Add({0, 1}, u"Shape", u"{...}");
  list.Add({1, 0}, u"count", u"99");
  list.Add({0, 1, 0}, u"COUNT", u"7");
  EXPECT_EQ(list.Pairs(), (std::vector<std::u16string>{u"count", u"1", u"shape", u"{...}", u"count", u"7",
                                                        u"count", u"99"}));
  EXPECT_EQ(list.ValueTip(u"cOuNt"), u"1");
  EXPECT_EQ(list.ValueTip(u"SHAPE"), u"{...}");
  EXPECT_EQ(list.ValueTip(u"shap"), std::nullopt);
  EXPECT_EQ(list.ValueTip(u""), std::nullopt);

  // The same row reported again (its value changed at this stop) replaces its entry.
  list.Add({0, 0}, u"Count", u"2");
  EXPECT_EQ(list.ValueTip(u"count"), u"2");
  EXPECT_EQ(list.Pairs().size(), 8u);

  list.Clear();
  EXPECT_TRUE(list.Pairs().empty());
  EXPECT_EQ(list.ValueTip(u"count"), std::nullopt);
}

TEST(WatchList, CutsLongValuesToATipWithoutSplittingACharacter) {
  CWatchList list;
  const std::u16string longText(200, u'x');
  list.Add({0, 0}, u"Text", longText);
  EXPECT_EQ(list.ValueTip(u"text"), longText.substr(0, CWatchList::kTipLength));
  EXPECT_EQ(list.Pairs()[1], longText);  // the list itself keeps the whole value

  // A character beyond the basic plane straddling the cut is left out whole.
  std::u16string straddling(CWatchList::kTipLength - 1, u'y');
  straddling += u"\U0001F600z";
  list.Add({0, 1}, u"Face", straddling);
  EXPECT_EQ(list.ValueTip(u"face"), std::u16string(CWatchList::kTipLength - 1, u'y'));
  // Exactly a tip long: nothing is cut.
  const std::u16string exact(CWatchList::kTipLength, u'z');
  list.Add({0, 2}, u"Exact", exact);
  EXPECT_EQ(list.ValueTip(u"exact"), exact);
}

}  // namespace

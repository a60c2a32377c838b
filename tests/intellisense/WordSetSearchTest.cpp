// The raw-line test of the declaration scans: which words occur, without regard to case, also at
// the ends of a line and beside characters outside ASCII.

#include <gtest/gtest.h>

#include "intellisense/WordSetSearch.h"

namespace quillet::intellisense {
namespace {

constexpr CWordSetSearch kWords{u"dim", u"private", u"sub", u"x"};

TEST(WordSetSearch, FindsEachWordAnywhereWithoutRegardToCase) {
  EXPECT_EQ(kWords.Find(u""), 0u);
  EXPECT_EQ(kWords.Find(u"DIM a"), 0b0001u);
  EXPECT_EQ(kWords.Find(u"  Private Sub Go"), 0b0110u);
  EXPECT_EQ(kWords.Find(u"objFSO.SubFolders"), 0b0100u);  // inside a longer word counts
  EXPECT_EQ(kWords.Find(u"end sub"), 0b0100u);            // at the very end
  EXPECT_EQ(kWords.Find(u"di"), 0u);                      // cut short
  EXPECT_EQ(kWords.Find(u"a = X"), 0b1000u);              // a one-character word, last
  EXPECT_EQ(kWords.Find(u"\u00E9dim\u00E9"), 0b0001u);
  EXPECT_EQ(kWords.Find(u"d\u0130m prvate su b"), 0u);
  EXPECT_EQ(kWords.Find(u"dim sub", true), 0b0001u);  // stops at the first
  EXPECT_TRUE(kWords.ContainsAny(u"Call PRIVATEthing"));
  EXPECT_FALSE(kWords.ContainsAny(u"Call Go(1)"));
}

}  // namespace
}  // namespace quillet::intellisense

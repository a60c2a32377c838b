// The line scanner: which colour each character ends up with, and which state reaches the next
// line.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/SyntaxScanner.h"

using namespace quillet::editor;

namespace {

// One colour index per character, resolved from the blocks the way the painter reads them.
std::vector<int32_t> ColoursOf(std::u16string_view line, uint32_t cookie = 0,
                               uint32_t* endCookie = nullptr) {
  std::vector<SColorBlock> blocks;
  const uint32_t end = ScanLine(cookie, line, &blocks);
  if (endCookie != nullptr) *endCookie = end;
  std::vector<int32_t> colours(line.size(), ColorNormalText);
  for (size_t b = 0; b < blocks.size(); ++b) {
    const size_t to = b + 1 < blocks.size() ? static_cast<size_t>(blocks[b + 1].start) : line.size();
    for (size_t i = static_cast<size_t>(blocks[b].start); i < to; ++i) colours[i] = blocks[b].color;
  }
  return colours;
}

// A compact picture of the colours: one letter per character.
std::string Picture(std::u16string_view line, uint32_t cookie = 0) {
  std::string picture;
  for (const int32_t colour : ColoursOf(line, cookie)) {
    switch (colour) {
      case ColorKeyword: picture += 'K'; break;
      case ColorComment: picture += 'C'; break;
      case ColorNumber: picture += 'N'; break;
      case ColorField: picture += 'F'; break;
      case ColorString: picture += 'S'; break;
      default: picture += '.'; break;
    }
  }
  return picture;
}

}  // namespace

TEST(SyntaxScanner, ClassesOfTypicalStatements) {
  EXPECT_EQ(Picture(u"Dim x ' note"), "KKK...CCCCCC");
  EXPECT_EQ(Picture(u"s = \"it's\" & x"), "....SSSSSS....");
  EXPECT_EQ(Picture(u"a = \"say \"\"hi\"\"\""), "....SSSSSSSSSSSS");
  EXPECT_EQ(Picture(u"WScript.Echo wscript"), ".............KKKKKKK");
  EXPECT_EQ(Picture(u"x = 1.5e3 + 123abc"), "....NNNNN.........");
  // An exponent sign ends the word, so both halves colour as numbers around a plain "+".
  EXPECT_EQ(Picture(u"1e+5"), "NN.N");
  EXPECT_EQ(Picture(u"{Name} {} { a}"), "FFFFFF.FF.....");
  EXPECT_EQ(Picture(u"IF"), "KK");
}

TEST(SyntaxScanner, RemOnlyAtTheStartOfAStatement) {
  EXPECT_EQ(Picture(u"Dim x: rem note"), "KKK....CCCCCCCC");
  EXPECT_EQ(Picture(u"\t REM"), "..CCC");
  EXPECT_EQ(Picture(u"x = rem"), ".......");
  EXPECT_EQ(Picture(u"Remark = 1"), ".........N");
  std::vector<SColorBlock> blocks;
  std::vector<int32_t> fixes;
  (void)ScanLine(0, u"x = 1: rEm hi : Rem", &blocks, &fixes);
  EXPECT_EQ(fixes, std::vector<int32_t>{7});
  fixes.clear();
  (void)ScanLine(0, u"Rem ok", &blocks, &fixes);
  EXPECT_TRUE(fixes.empty());
}

TEST(SyntaxScanner, StateCarriesOnlyPastATrailingBackslash) {
  uint32_t end = 0;
  (void)ColoursOf(u"' comment \\", 0, &end);
  EXPECT_EQ(end, CookieComment);
  EXPECT_EQ(Picture(u"x = 1", end), "CCCCC");
  (void)ColoursOf(u"' comment", 0, &end);
  EXPECT_EQ(end, 0u);
  // An open string colours the rest of its line and stops there...
  EXPECT_EQ(Picture(u"s = \"open"), "....SSSSS");
  EXPECT_EQ(ScanLine(0, u"s = \"open", nullptr), 0u);
  // ...unless the line ends in a backslash.
  EXPECT_EQ(ScanLine(0, u"s = \"C:\\", nullptr), CookieString);
  EXPECT_EQ(Picture(u"x\" & y", CookieString), "SS....");
  EXPECT_EQ(ScanLine(CookieComment, u"", nullptr), 0u);
}

TEST(SyntaxScanner, CookieWithoutBlocksAgreesWithColouring) {
  // The cache fills cookies without blocks; a Rem comment ending in a backslash must still
  // reach the next line, or its colours would depend on what was painted first.
  for (std::u16string_view line : {u"rem note \\", u"a: Rem \\", u"x = \"a\" ' c \\", u"{x} \\", u"rem{x} \\"}) {
    std::vector<SColorBlock> blocks;
    EXPECT_EQ(ScanLine(0, line, nullptr), ScanLine(0, line, &blocks)) << std::string(line.begin(), line.end());
  }
  // Every line of up to four of these pieces, with and without a trailing backslash, from
  // every starting state: fields, words, Rem, strings and comments next to each other.
  const std::u16string_view pieces[] = {u"rem", u"{x}", u"{}", u"{", u"}", u"a", u".", u" ",
                                        u":", u"'", u"\"", u"\\"};
  std::vector<std::u16string> lines{u""};
  for (size_t from = 0, length = 0; length < 4; ++length) {
    const size_t to = lines.size();
    for (size_t i = from; i < to; ++i) {
      for (const std::u16string_view piece : pieces) lines.push_back(lines[i] + std::u16string(piece));
    }
    from = to;
  }
  int failures = 0;
  for (const std::u16string& base : lines) {
    for (const std::u16string& line : {base, base + u" \\"}) {
      for (const uint32_t cookie : {0u, CookieComment, CookieString}) {
        std::vector<SColorBlock> blocks;
        if (ScanLine(cookie, line, nullptr) == ScanLine(cookie, line, &blocks) || ++failures > 5) continue;
        ADD_FAILURE() << std::string(line.begin(), line.end()) << " from " << cookie;
      }
    }
  }
  EXPECT_EQ(failures, 0);
}

TEST(SyntaxScanner, BlocksNeverGoBackwards) {
  for (std::u16string_view line :
       {u"x\"a\"'c", u"If'c", u"a{b}c", u"1\"2\"3", u"rem", u"..", u"\"\"\"", u"{", u"x = {ab"}) {
    std::vector<SColorBlock> blocks;
    (void)ScanLine(0, line, &blocks);
    for (size_t i = 1; i < blocks.size(); ++i) EXPECT_LE(blocks[i - 1].start, blocks[i].start);
    for (const SColorBlock& block : blocks) {
      EXPECT_GE(block.start, 0);
      EXPECT_LE(block.start, static_cast<int32_t>(line.size()));
    }
  }
}

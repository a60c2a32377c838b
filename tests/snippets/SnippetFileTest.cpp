#include <gtest/gtest.h>

#include "SnippetBytes.h"
#include "snippets/SnippetFileFormat.h"

using namespace quillet::snippets;
using quillet::test::CSnippetBytes;

namespace {

// One folder "Files" holding snippet A, then snippet B in the root.
CSnippetFolder SmallTree() {
  CSnippetFolder root;
  root.AddFolder(u"Files").AddSnippet({u"A", u"fa", u"Line 1\r\nLine 2"});
  root.AddSnippet({u"B", u"", u"x = {Name}"});
  return root;
}

std::string SmallTreeBytes() {
  return CSnippetBytes()
      .Magic().Int(10)
      .Int(1).Int(1)
      .Wide(u"Files").Int(0).Int(1).Wide(u"A").Wide(u"fa").Wide(u"Line 1\r\nLine 2")
      .Wide(u"B").Wide(u"").Wide(u"x = {Name}")
      .Bytes();
}

}  // namespace

TEST(SnippetFile, WritesTheCurrentLayoutByteForByte) {
  EXPECT_EQ(WriteSnippetFile(CSnippetFolder()),
            CSnippetBytes().Magic().Int(10).Int(0).Int(0).Bytes())
      << "an empty library is 16 bytes";
  EXPECT_EQ(WriteSnippetFile(CSnippetFolder()).substr(0, 8),
            std::string("\x1D\x4A\xD0\x23\x0A\x00\x00\x00", 8));
  EXPECT_EQ(WriteSnippetFile(SmallTree()), SmallTreeBytes());

  // Folders depth first, each complete body straight after its name, before the snippets.
  CSnippetFolder nested;
  CSnippetFolder& outer = nested.AddFolder(u"Outer");
  outer.AddFolder(u"Inner").AddSnippet({u"I", u"i", u"1"});
  outer.AddSnippet({u"O", u"o", u"2"});
  nested.AddFolder(u"Second");
  EXPECT_EQ(WriteSnippetFile(nested),
            CSnippetBytes()
                .Magic().Int(10).Int(2).Int(0)
                .Wide(u"Outer").Int(1).Int(1)
                .Wide(u"Inner").Int(0).Int(1).Wide(u"I").Wide(u"i").Wide(u"1")
                .Wide(u"O").Wide(u"o").Wide(u"2")
                .Wide(u"Second").Int(0).Int(0)
                .Bytes());
}

TEST(SnippetFile, ReadsBothFormsIntoTheSameTree) {
  const SSnippetFileContent current = ParseSnippetFile(SmallTreeBytes());
  EXPECT_TRUE(current.sound);
  EXPECT_TRUE(current.IsCurrent());
  EXPECT_EQ(current.root, SmallTree());

  // The older form: no magic, byte lengths of ANSI text; "é" is one byte there.
  const std::string old = CSnippetBytes()
                              .Int(1).Int(1)
                              .Ansi("Files").Int(0).Int(1).Ansi("A").Ansi("fa").Ansi("Line 1\r\nLine 2")
                              .Ansi("B\xE9").Ansi("").Ansi("x = {Name}")
                              .Bytes();
  const SSnippetFileContent older = ParseSnippetFile(old);
  EXPECT_TRUE(older.sound);
  EXPECT_FALSE(older.hasMagic);
  EXPECT_FALSE(older.IsCurrent());
  CSnippetFolder expected = SmallTree();
  expected.snippets[0]->name = u"B\u00E9";
  EXPECT_EQ(older.root, expected);

  // Another version keeps its tree for the dialogs but is not the menus' form.
  std::string otherVersion = SmallTreeBytes();
  otherVersion[4] = 11;
  const SSnippetFileContent eleven = ParseSnippetFile(otherVersion);
  EXPECT_FALSE(eleven.IsCurrent());
  EXPECT_EQ(eleven.version, 11u);
  EXPECT_EQ(eleven.root, SmallTree());
}

TEST(SnippetFile, DamagedFilesLoadAsFarAsTheyAreSound) {
  // Truncated inside the root's second snippet: the folder and its snippet survive.
  const std::string whole = SmallTreeBytes();
  const SSnippetFileContent cut = ParseSnippetFile(whole.substr(0, whole.size() - 3));
  EXPECT_FALSE(cut.sound);
  ASSERT_EQ(cut.root.folders.size(), 1u);
  EXPECT_EQ(cut.root.folders[0]->snippets.size(), 1u);
  EXPECT_TRUE(cut.root.snippets.empty());

  // A count of 2^31 - 1 with nothing behind it ends at the data's end, without reserving.
  const SSnippetFileContent huge =
      ParseSnippetFile(CSnippetBytes().Magic().Int(10).Int(0).Int(0x7FFFFFFF).Bytes());
  EXPECT_FALSE(huge.sound);
  EXPECT_TRUE(huge.root.snippets.empty());

  // Negative counts and lengths past the end are damage.
  EXPECT_FALSE(ParseSnippetFile(CSnippetBytes().Magic().Int(10).Int(0x80000000).Int(0).Bytes()).sound);
  const SSnippetFileContent pastEnd = ParseSnippetFile(
      CSnippetBytes().Magic().Int(10).Int(0).Int(1).Int(0x7FFFFFFF).Raw("ab").Bytes());
  EXPECT_FALSE(pastEnd.sound);
  EXPECT_TRUE(pastEnd.root.snippets.empty());
  EXPECT_FALSE(ParseSnippetFile(std::string("\x1D\x4A\xD0\x23\x0A", 5)).sound);
  EXPECT_FALSE(ParseSnippetFile(SmallTreeBytes() + "x").sound) << "bytes after the tree";
  EXPECT_FALSE(ParseSnippetFile("").sound);

  // Nesting 100,000 deep stops at the depth bound with what lay above it.
  CSnippetBytes deep;
  deep.Magic().Int(10);
  for (int i = 0; i < 100000; ++i) deep.Int(1).Int(0).Wide(u"d");
  deep.Int(0).Int(0);
  const SSnippetFileContent tooDeep = ParseSnippetFile(deep.Bytes());
  EXPECT_FALSE(tooDeep.sound);
  EXPECT_EQ(tooDeep.root.Depth(), kMaxSnippetFolderDepth);
}

TEST(SnippetFile, MenuOrderIsFoldersFirstDepthFirst) {
  std::u16string order;
  SmallTree().ForEachSnippet([&](const SSnippet& snippet) { order += snippet.name; });
  EXPECT_EQ(order, u"AB");
}

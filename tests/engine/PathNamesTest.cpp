// The string-only path functions and the wildcard rules, with Windows' results for drive,
// network and POSIX paths.

#include <gtest/gtest.h>

#include <set>

#include "engine/objects/scripting/NameMatcher.h"
#include "engine/objects/scripting/PathNames.h"

namespace quillet::engine {
namespace {

TEST(PathNames, BuildPathJoinsWithOneSeparator) {
  EXPECT_EQ(BuildPath(u"C:\\path", u"name.tmp"), u"C:\\path\\name.tmp");
  EXPECT_EQ(BuildPath(u"C:\\path\\", u"name.tmp"), u"C:\\path\\name.tmp");
  EXPECT_EQ(BuildPath(u"C:\\path", u"\\name.tmp"), u"C:\\path\\name.tmp");
  EXPECT_EQ(BuildPath(u"C:\\path\\", u"\\name.tmp"), u"C:\\path\\name.tmp");
  EXPECT_EQ(BuildPath(u"C:\\path\\\\", u"\\\\name.tmp"), u"C:\\path\\\\\\name.tmp") << "only one is dropped";
  EXPECT_EQ(BuildPath(u"C:\\path", u"..\\name.tmp"), u"C:\\path\\..\\name.tmp");
  EXPECT_EQ(BuildPath(u"C:", u"name.tmp"), u"C:name.tmp");
  EXPECT_EQ(BuildPath(u"/tmp/", u"x"), u"/tmp/x");
  EXPECT_EQ(BuildPath(u"/tmp", u"x"), u"/tmp\\x");
  EXPECT_EQ(BuildPath(u"", u"x"), u"x");
  EXPECT_EQ(BuildPath(u"C:\\a", u""), u"C:\\a");
}

TEST(PathNames, NamesOfDrivePosixAndNetworkPaths) {
  struct SCase {
    std::u16string_view path, drive, parent, file, base, extension;
  };
  const SCase cases[] = {
      {u"C:\\a\\b.txt", u"C:", u"C:\\a", u"b.txt", u"b", u"txt"},
      {u"c:\\a\\b\\", u"c:", u"c:\\a", u"b", u"b", u""},
      {u"C:\\a", u"C:", u"C:\\", u"a", u"a", u""},
      {u"C:\\\\a", u"C:", u"C:\\", u"a", u"a", u""},
      {u"C:\\", u"C:", u"", u"", u"", u""},
      {u"C:", u"C:", u"", u"", u"", u""},
      {u"C:a.b.c", u"C:", u"C:", u"a.b.c", u"a.b", u"c"},
      {u"a/b\\c", u"", u"a/b", u"c", u"c", u""},
      {u"a", u"", u"", u"a", u"a", u""},
      {u"", u"", u"", u"", u"", u""},
      {u"/tmp/x.tar.gz", u"", u"/tmp", u"x.tar.gz", u"x.tar", u"gz"},
      {u"/tmp", u"", u"/", u"tmp", u"tmp", u""},
      {u"/", u"", u"", u"", u"", u""},
      {u"/home/u/.profile", u"", u"/home/u", u".profile", u"", u"profile"},
      {u"name.", u"", u"", u"name.", u"name", u""},
      {u"\\\\srv\\share\\dir\\f.log", u"\\\\srv\\share", u"\\\\srv\\share\\dir", u"f.log", u"f", u"log"},
      {u"\\\\srv\\share\\dir", u"\\\\srv\\share", u"\\\\srv\\share", u"dir", u"dir", u""},
      {u"\\\\srv\\share", u"\\\\srv\\share", u"", u"", u"", u""},
  };
  for (const SCase& c : cases) {
    SCOPED_TRACE(std::string(c.path.begin(), c.path.end()));
    EXPECT_EQ(GetDriveName(c.path), c.drive);
    EXPECT_EQ(GetParentFolderName(c.path), c.parent);
    EXPECT_EQ(GetFileName(c.path), c.file);
    EXPECT_EQ(GetBaseName(c.path), c.base);
    EXPECT_EQ(GetExtensionName(c.path), c.extension);
  }
}

TEST(PathNames, TempNamesHaveWindowsFormAndDiffer) {
  std::set<std::u16string> seen;
  for (int i = 0; i < 50; ++i) {
    const std::u16string name = NewTempName();
    ASSERT_EQ(name.size(), 12u);
    EXPECT_EQ(name.substr(0, 3), u"rad");
    EXPECT_EQ(name.substr(8), u".tmp");
    for (size_t k = 3; k < 8; ++k) EXPECT_TRUE((name[k] >= u'0' && name[k] <= u'9') || (name[k] >= u'A' && name[k] <= u'F'));
    seen.insert(name);
  }
  EXPECT_GT(seen.size(), 40u);
}

// The wildcard rules Windows applies when it lists a folder, not those of a Unix shell.
TEST(NameMatcher, MatchesAsWindowsListsAFolder) {
  struct SCase {
    std::u16string_view pattern, name;
    bool matches;
  };
  const SCase cases[] = {
      {u"*", u"anything.at.all", true},
      {u"*.*", u"README", true},
      {u"*.*", u"a.b", true},
      {u"*.", u"README", true},
      {u"*.", u"a.b", false},
      {u"*.txt", u"Notes.TXT", true},
      {u"*.txt", u"a.b.txt", true},
      {u"*.txt", u"a.txt.bak", false},
      {u"*.txt", u"txt", false},
      {u"file?.txt", u"file1.txt", true},
      {u"file?.txt", u"file.txt", true},
      {u"file?.txt", u"file12.txt", false},
      {u"a??", u"a", true},
      {u"a??", u"abc", true},
      {u"a??", u"abcd", false},
      {u"a?c", u"a.c", false},
      {u"readme.*", u"readme", true},
      {u"readme.*", u"readme.md", true},
      {u"data*", u"DATA_2024.csv", true},
      {u"*2024*", u"report-2024-q1.xls", true},
      {u"*2024*", u"report-2023.xls", false},
      {u"\u00E9t\u00E9*", u"\u00C9T\u00C9.txt", true},
      {u"\u0444*", u"\u0424\u0430\u0439\u043B", true},
      {u"x", u"X", true},
      {u"x", u"xy", false},
  };
  for (const SCase& c : cases) {
    EXPECT_EQ(CNameMatcher(c.pattern).Matches(c.name), c.matches)
        << std::string(c.pattern.begin(), c.pattern.end()) << " / " << std::string(c.name.begin(), c.name.end());
  }
  EXPECT_TRUE(CNameMatcher::HasWildcards(u"a?"));
  EXPECT_FALSE(CNameMatcher::HasWildcards(u"a.b"));
}

// Many stars against a long name that almost matches: the set of states keeps this linear.
TEST(NameMatcher, StarsAgainstALongNameStayFast) {
  const std::u16string pattern = u"*a*a*a*a*a*a*a*a*a*a*a*a*b";
  const std::u16string name(250, u'a');
  EXPECT_FALSE(CNameMatcher(pattern).Matches(name));
}

}  // namespace
}  // namespace quillet::engine

#include <gtest/gtest.h>

#include <filesystem>

#include "SnippetBytes.h"
#include "TempFolder.h"
#include "Unprivileged.h"
#include "snippets/SnippetFileFormat.h"
#include "snippets/SnippetLibrary.h"

using namespace quillet::snippets;
using quillet::test::CSnippetBytes;
using quillet::test::CTempFolder;
using quillet::test::ReadFile;
using quillet::test::RunUnprivileged;
using quillet::test::WriteFile;
namespace fs = std::filesystem;

class SnippetLibrary : public ::testing::Test {
 protected:
  void SetUp() override {
    folder.IsolateUserFolders();
    fs::create_directories(shipped);
  }
  [[nodiscard]] std::string UserFile() const {
    return folder.Path() + "/home/.local/share/Kelmarsh/Quillet/quillet_snippets.dat";
  }
  [[nodiscard]] std::vector<std::string> SetAsideFiles() const {
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator(fs::path(UserFile()).parent_path())) {
      if (entry.path().filename().string().find(".unreadable-") != std::string::npos) {
        found.push_back(entry.path().string());
      }
    }
    return found;
  }
  CTempFolder folder;
  std::string shipped = folder.File("program");
};

TEST_F(SnippetLibrary, PathGivesANewUserTheShippedLibraryAndConvertsTheOlderForm) {
  CSnippetFolder first;
  first.AddSnippet({u"Hello", u"hi", u"MsgBox \"Hello\""});
  WriteFile(shipped + "/quillet_snippets.dat", WriteSnippetFile(first));
  SSnippetsPathResult path = GetSnippetsFilePath(shipped);
  ASSERT_TRUE(path.ok);
  ASSERT_TRUE(fs::path(path.path).is_absolute());
  EXPECT_EQ(fs::canonical(path.path), fs::canonical(UserFile()));
  EXPECT_EQ(ReadFile(UserFile()), WriteSnippetFile(first));

  // A user's own library is never replaced by the shipped one; an older one is rewritten.
  WriteFile(UserFile(), CSnippetBytes().Int(0).Int(1).Ansi("Old").Ansi("o").Ansi("x\xE9").Bytes());
  path = GetSnippetsFilePath(shipped);
  CSnippetFolder converted;
  converted.AddSnippet({u"Old", u"o", u"x\u00E9"});
  EXPECT_EQ(ReadFile(UserFile()), WriteSnippetFile(converted));
  EXPECT_TRUE(SetAsideFiles().empty());
}

TEST_F(SnippetLibrary, PathReportsAFolderThatCannotBeMade) {
  WriteFile(folder.File("home/.local/share/Kelmarsh"), "a file where the folder should be");
  const SSnippetsPathResult path = GetSnippetsFilePath(shipped);
  EXPECT_FALSE(path.ok);
  EXPECT_EQ(path.failedFolder, folder.Path() + "/home/.local/share/Kelmarsh/Quillet");
}

TEST_F(SnippetLibrary, SaveAndLoadRoundTripAndKeepADamagedLibraryAside) {
  const std::string path = GetSnippetsFilePath(shipped).path;
  CSnippetFolder tree;
  tree.AddFolder(u"F").AddSnippet({u"S", u"s", u"code\r\nmore"});
  ASSERT_TRUE(SaveSnippets(tree, path));
  CSnippetFolder loaded;
  EXPECT_TRUE(LoadSnippets(loaded, path));
  EXPECT_EQ(loaded, tree);

  // Damage: the loader keeps what it could read, and saving keeps the damaged bytes aside.
  const std::string damaged = WriteSnippetFile(tree).substr(0, 30);
  WriteFile(path, damaged);
  EXPECT_FALSE(LoadSnippets(loaded, path));
  ASSERT_EQ(loaded.folders.size(), 1u);
  ASSERT_TRUE(SaveSnippets(tree, path));
  ASSERT_EQ(SetAsideFiles().size(), 1u);
  EXPECT_EQ(ReadFile(SetAsideFiles()[0]), damaged);
  EXPECT_EQ(ReadFile(path), WriteSnippetFile(tree));

  // A second damage in the same second gets a name of its own.
  WriteFile(path, "junk");
  ASSERT_TRUE(SaveSnippets(tree, path));
  EXPECT_EQ(SetAsideFiles().size(), 2u);

  // A missing file loads as an empty tree.
  EXPECT_FALSE(LoadSnippets(loaded, folder.File("none.dat")));
  EXPECT_EQ(loaded, CSnippetFolder());
}

TEST_F(SnippetLibrary, AFailedSaveLeavesTheOldLibrary) {
  const std::string path = GetSnippetsFilePath(shipped).path;
  CSnippetFolder tree;
  tree.AddSnippet({u"S", u"s", u"x"});
  ASSERT_TRUE(SaveSnippets(tree, path));
  // Someone who may not write the folder fails to save, and says so.
  EXPECT_EQ(RunUnprivileged([&] { return SaveSnippets(CSnippetFolder(), path) ? 1 : 0; }), 0);
  EXPECT_EQ(ReadFile(path), WriteSnippetFile(tree));
  EXPECT_TRUE(SetAsideFiles().empty());
}

TEST_F(SnippetLibrary, FindsSnippetsByNumberAndShortcutInMenuOrder) {
  const std::string path = GetSnippetsFilePath(shipped).path;
  CSnippetFolder tree;
  tree.AddFolder(u"F").AddSnippet({u"A", u"Loop", u"a"});
  tree.AddSnippet({u"B", u"loop", u"b"});
  ASSERT_TRUE(SaveSnippets(tree, path));
  EXPECT_EQ(FindSnippetByNumber(path, 0)->code, u"a");
  EXPECT_EQ(FindSnippetByNumber(path, 1)->code, u"b");
  EXPECT_FALSE(FindSnippetByNumber(path, 2));
  EXPECT_EQ(FindSnippetByShortcut(path, u"LOOP")->code, u"a") << "first in menu order, any case";
  EXPECT_FALSE(FindSnippetByShortcut(path, u"loo"));
  EXPECT_FALSE(FindSnippetByShortcut(path, u""));

  // Another version is not used by insertion or expansion.
  std::string bytes = ReadFile(path);
  bytes[4] = 9;
  WriteFile(path, bytes);
  EXPECT_FALSE(FindSnippetByNumber(path, 0));
  EXPECT_FALSE(FindSnippetByShortcut(path, u"loop"));
}

// Which file a run executes, the command line it builds and the arguments history it keeps.

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "TempFolder.h"
#include "base/SettingsInventory.h"
#include "debug/RecentArguments.h"
#include "debug/RunCommandLine.h"
#include "debug/ScriptPreparer.h"
#include "document/QuilletDoc.h"
#include "platform/AnsiCodePage.h"
#include "platform/SettingsStore.h"
#include "platform/TextConvert.h"

namespace quillet::debug {
namespace {

class CScriptedPrompts : public IRunPrompts {
 public:
  bool SaveDocument() override { ++saves; return saveSucceeds; }
  ESaveAnswer AskSaveChanges() override { ++questions; return answer; }
  void ShowError(const std::u16string& message) override { errors.push_back(message); }

  bool saveSucceeds = true;
  ESaveAnswer answer = ESaveAnswer::Yes;
  int saves = 0;
  int questions = 0;
  std::vector<std::u16string> errors;
};

class RunPreparation : public ::testing::Test {
 protected:
  RunPreparation()
      : m_codePage(platform::CAnsiCodePage::ForCodePage(1252)),
        store(folder.File("settings.reg"), platform::CSettingsStore::RootKeyFor(u"Kelmarsh", u"Quillet")),
        settings(store) {
    folder.IsolateUserFolders();
    doc.SetCodePage(m_codePage.get());
  }

  void Insert(std::u16string_view text) {
    int32_t endLine = 0, endChar = 0;
    ASSERT_TRUE(doc.InsertText(nullptr, 0, 0, text, endLine, endChar, 0));
  }

  [[nodiscard]] CScriptPreparer Preparer(const std::string& temporaryFolder) {
    return CScriptPreparer(doc, settings, prompts, temporaryFolder);
  }

  test::CTempFolder folder;
  document::CQuilletDoc doc;
  std::unique_ptr<platform::CAnsiCodePage> m_codePage;
  platform::CSettingsStore store;
  app::CSettings settings;
  CScriptedPrompts prompts;
};

TEST_F(RunPreparation, UntitledTextRunsFromATemporaryCopyAndStaysUntitledAndModified) {
  Insert(u"WScript.Echo \"\u20AC\"");
  doc.SetModifiedFlag(true);
  const std::string temporary = folder.File("data/Kelmarsh/Quillet/Temp");
  CScriptPreparer preparer = Preparer(temporary);
  ASSERT_TRUE(preparer.PrepareScriptFile());

  const std::filesystem::path runPath(preparer.RunPath());
  EXPECT_EQ(runPath.parent_path(), temporary);
  EXPECT_TRUE(std::regex_match(runPath.filename().string(), std::regex("[A-Z]{8}\\.vbs")));
  EXPECT_EQ(test::ReadFile(preparer.RunPath()), "WScript.Echo \"\x80\"");
  EXPECT_TRUE(doc.GetPathName().empty());
  EXPECT_TRUE(doc.IsModified());

  doc.SetModifiedFlag(false);
  ASSERT_TRUE(preparer.PrepareScriptFile());
  EXPECT_FALSE(doc.IsModified());

  // A character outside the code page makes the copy Unicode rather than lose it.
  Insert(u"\u4E00");
  ASSERT_TRUE(preparer.PrepareScriptFile());
  EXPECT_EQ(test::ReadFile(preparer.RunPath()).substr(0, 2), "\xFF\xFE");
  EXPECT_TRUE(prompts.errors.empty());
}

TEST_F(RunPreparation, TemporaryFolderThatCannotBeMadeAbandonsTheRun) {
  test::WriteFile(folder.File("blocker"), "a file where the folder should be");
  CScriptPreparer preparer = Preparer(folder.File("blocker"));
  EXPECT_FALSE(preparer.PrepareScriptFile());
  ASSERT_EQ(prompts.errors.size(), 1u);
  EXPECT_EQ(prompts.errors[0], u"Could not create the following temporary directory :\n" +
                                   platform::Utf8ToUtf16(folder.File("blocker")));
}

TEST_F(RunPreparation, ModifiedFileIsSavedOrAskedAbout) {
  doc.SetPathName(folder.File("script.vbs"));
  CScriptPreparer preparer = Preparer(folder.File("temp"));

  doc.SetModifiedFlag(false);
  ASSERT_TRUE(preparer.PrepareScriptFile());
  EXPECT_EQ(prompts.saves + prompts.questions, 0);
  EXPECT_EQ(preparer.RunPath(), folder.File("script.vbs"));

  doc.SetModifiedFlag(true);
  ASSERT_TRUE(preparer.PrepareScriptFile());  // automatic saving is on by default
  EXPECT_EQ(prompts.saves, 1);
  EXPECT_EQ(prompts.questions, 0);
  prompts.saveSucceeds = false;
  EXPECT_FALSE(preparer.PrepareScriptFile());

  settings.Write(app::settings::AutomaticallySave, 0);
  prompts.answer = ESaveAnswer::No;
  EXPECT_TRUE(preparer.PrepareScriptFile());
  prompts.answer = ESaveAnswer::Cancel;
  EXPECT_FALSE(preparer.PrepareScriptFile());
  EXPECT_EQ(prompts.questions, 2);
  EXPECT_EQ(prompts.saves, 2);
}

TEST(RunCommandLine, EveryModeCharacterForCharacter) {
  const std::u16string path = u"/home/u/my script.vbs";
  SRunMode mode;
  EXPECT_EQ(BuildRunCommandLine(mode, path, u"a \"b c\""), u"CScript.exe //U \"/home/u/my script.vbs\" a \"b c\"");
  mode.displayLogo = false;
  EXPECT_EQ(BuildRunCommandLine(mode, path, u""), u"CScript.exe //U //nologo \"/home/u/my script.vbs\" ");
  mode.redirect = false;
  EXPECT_EQ(BuildRunCommandLine(mode, path, u"x"), u"CScript.exe //nologo \"/home/u/my script.vbs\" x");
  mode.displayLogo = true;
  mode.consoleHost = u"MyHost";
  EXPECT_EQ(BuildRunCommandLine(mode, path, u"x"), u"MyHost.exe \"/home/u/my script.vbs\" x");
  mode.consoleMode = false;
  mode.displayLogo = false;
  EXPECT_EQ(BuildRunCommandLine(mode, path, u""), u"wscript.exe \"/home/u/my script.vbs\" ");
  mode.redirect = true;
  EXPECT_EQ(BuildRunCommandLine(mode, path, u"y"), u"wscript.exe \"/home/u/my script.vbs\" y");
}

TEST(RunCommandLine, TheDebuggingLinesOfEveryMode) {
  const std::u16string path = u"/home/u/my script.vbs";
  SRunMode mode;
  mode.consoleHost = u"MyHost";
  EXPECT_EQ(BuildDebugCommandLine(mode, path, u"a"), u"MyHost.exe //U //D \"/home/u/my script.vbs\" a");
  mode.displayLogo = false;
  EXPECT_EQ(BuildDebugCommandLine(mode, path, u""), u"MyHost.exe //U //nologo //D \"/home/u/my script.vbs\" ");
  // Not redirected: always the console host itself, whatever host the settings name.
  mode.redirect = false;
  EXPECT_EQ(BuildDebugCommandLine(mode, path, u"x"), u"cscript.exe  //nologo //D \"/home/u/my script.vbs\" x");
  mode.displayLogo = true;
  EXPECT_EQ(BuildDebugCommandLine(mode, path, u"x"), u"cscript.exe  //D \"/home/u/my script.vbs\" x");
  mode.consoleMode = false;
  mode.redirect = true;
  mode.displayLogo = false;
  EXPECT_EQ(BuildDebugCommandLine(mode, path, u"y"), u"wscript.exe //D \"/home/u/my script.vbs\" y");
}

TEST_F(RunPreparation, ModeComesFromTheSettings) {
  SRunMode mode = SRunMode::FromSettings(settings);
  EXPECT_TRUE(mode.consoleMode && mode.redirect && mode.displayLogo && mode.IsRedirected());
  EXPECT_EQ(mode.consoleHost, u"CScript");
  settings.Write(app::settings::RedirectConsole, 0);
  settings.Write(app::settings::DisplayLogo, 0);
  settings.Write(app::settings::ConsoleHost, u"Other");
  mode = SRunMode::FromSettings(settings);
  EXPECT_FALSE(mode.redirect || mode.displayLogo || mode.IsRedirected());
  EXPECT_EQ(mode.consoleHost, u"Other");
}

TEST_F(RunPreparation, RecentArgumentsNewestFirstCaseInsensitiveTwentyAtMost) {
  EXPECT_TRUE(RecordRecentArguments(settings, u"").empty());
  RecordRecentArguments(settings, u"ABC");
  const auto afterLower = RecordRecentArguments(settings, u"abc");
  EXPECT_EQ(afterLower, std::vector<std::u16string>{u"abc"});
  EXPECT_EQ(RecordRecentArguments(settings, u""), afterLower);

  for (int i = 0; i < 25; ++i) RecordRecentArguments(settings, u"arg" + platform::Utf8ToUtf16(std::to_string(i)));
  const auto stored = settings.ReadNonEmptyList(app::settings::RecentArguments);
  ASSERT_EQ(stored.size(), 20u);
  EXPECT_EQ(stored.front(), u"arg24");
  EXPECT_EQ(stored.back(), u"arg5");
  const auto moved = RecordRecentArguments(settings, u"ARG10");
  EXPECT_EQ(moved.size(), 20u);
  EXPECT_EQ(moved.front(), u"ARG10");
  EXPECT_EQ(std::count(moved.begin(), moved.end(), u"arg10"), 0);
}

}  // namespace
}  // namespace quillet::debug

// The script outline's periodic scan, seen from the browser's side: what it finds in a script
// and which tree operations each tick asks for, recorded as lists.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "AnalysisFixtures.h"
#include "ScriptSource.h"
#include "document/QuilletDoc.h"
#include "editor/DocumentAnalysisSource.h"
#include "intellisense/ScriptOutline.h"
#include "intellisense/ScriptOutlineBrowser.h"
#include "platform/AnsiCodePage.h"
#include "platform/TextConvert.h"
#include "typeinfo/TypeLib.h"

namespace quillet::intellisense {
namespace {

using typeinfo::CTypeLib;
using typeinfo::CTypeLibGroup;
using typeinfo::CTypeLibMember;
using typeinfo::ECatalogueKind;

std::string Text(std::u16string_view text) { return platform::Utf16ToUtf8(text); }

// Mirrors the operations as lines of text; libraries are records without a file behind them.
class CRecordingBrowser final : public IScriptOutlineBrowser {
 public:
  CRecordingBrowser() : m_script(MakeScriptLibrary()) {
    auto host = std::make_unique<CTypeLib>();
    host->path = kScriptHostLibraryPath;
    m_libraries.push_back(std::move(host));
  }

  CTypeLib& ScriptLibrary() override { return *m_script; }
  void InsertScriptGroup(CTypeLibGroup& group) override { operations.push_back("+group " + Text(group.name)); }
  void InsertScriptMember(CTypeLibGroup& group, CTypeLibMember& member) override {
    operations.push_back("+member " + Text(group.name) + "." + Text(member.name));
  }
  void RemoveScriptGroup(CTypeLibGroup& group) override { operations.push_back("-group " + Text(group.name)); }
  void RemoveScriptMember(CTypeLibGroup& group, CTypeLibMember& member) override {
    operations.push_back("-member " + Text(group.name) + "." + Text(member.name));
  }
  void RefreshDescription() override { operations.push_back("description"); }
  std::vector<CTypeLib*> LoadedLibraries() override {
    std::vector<CTypeLib*> libraries;
    for (const auto& library : m_libraries) libraries.push_back(library.get());
    return libraries;
  }
  CTypeLib& AddLibrary(const std::u16string& path) override {
    operations.push_back("+library " + Text(path));
    auto library = std::make_unique<CTypeLib>();
    library->path = path;
    m_libraries.push_back(std::move(library));
    return *m_libraries.back();
  }
  void RemoveLibrary(CTypeLib& library) override {
    operations.push_back("-library " + Text(library.path));
    std::erase_if(m_libraries, [&](const auto& held) { return held.get() == &library; });
  }

  std::vector<std::string> Take() { return std::exchange(operations, {}); }
  [[nodiscard]] std::vector<std::string> Paths() const {
    std::vector<std::string> paths;
    for (const auto& library : m_libraries) paths.push_back(Text(library->path));
    return paths;
  }
  [[nodiscard]] const CTypeLibGroup* Find(std::u16string_view name) const {
    for (const auto& group : m_script->groups)
      if (group->name == name) return group.get();
    return nullptr;
  }

  std::vector<std::string> operations;

 private:
  std::unique_ptr<CTypeLib> m_script;
  std::vector<std::unique_ptr<CTypeLib>> m_libraries;
};

// Paths by ProgID; every question is counted.
struct SFakeResolver {
  std::u16string operator()(std::u16string_view progId) {
    ++(*calls);
    if (progId == u"scripting.dictionary" || progId == u"scripting.filesystemobject") return u"/libs/scrrun.tlb";
    if (progId == u"wscript.shell") return u"/libs/wshom.tlb";
    return {};
  }
  std::shared_ptr<int> calls = std::make_shared<int>(0);
};

class ScriptOutlineTest : public ::testing::Test {
 protected:
  std::vector<std::string> Tick(std::u16string_view script, std::u16string_view path = u"/s/a.vbs") {
    test::CScriptSource source(script);
    outline.Refresh(source, u"a.vbs", path, browser);
    return browser.Take();
  }

  SFakeResolver resolver;
  CScriptOutline outline{resolver};
  CRecordingBrowser browser;
};

constexpr std::u16string_view kTwoClasses =
    u"Option Explicit\n"
    u"Sub Main()\n"
    u"End Sub\n"
    u"Private Function Helper(a, b) ' Sub NotThis\n"
    u"End Function\n"
    u"Class Shape\n"
    u"  Private m_x\n"
    u"  Public Property Get X\n"
    u"  End Property\n"
    u"  Public Property Let X(value)\n"
    u"  End Property\n"
    u"  Public Sub Move(dx)\n"
    u"  End Sub\n"
    u"End Class\n"
    u"s = \"Sub InAString\"\n"
    u"Class Painter\n"
    u"  Function Paint()\n"
    u"  End Function\n"
    u"End Class\n"
    u"Sub Cleanup\n"
    u"End Sub\n";

TEST_F(ScriptOutlineTest, ClassesAndGlobalProceduresAppearOnceAndAQuietTickTouchesNothing) {
  EXPECT_EQ(Tick(kTwoClasses),
            (std::vector<std::string>{"description", "+member Global code.Main", "+member Global code.Helper",
                                      "+group Shape", "+member Shape.X", "+member Shape.Move", "+group Painter",
                                      "+member Painter.Paint", "+member Global code.Cleanup", "description"}));
  const CTypeLibGroup* shape = browser.Find(u"Shape");
  ASSERT_NE(shape, nullptr);
  EXPECT_EQ(shape->kind, ECatalogueKind::Class);
  EXPECT_EQ(shape->line, 5);
  ASSERT_EQ(shape->members.size(), 2u);
  const CTypeLibMember& x = *shape->members[0];
  EXPECT_EQ(x.kind, ECatalogueKind::Property);
  // Get and Let of one name are one member, described by its first definition.
  EXPECT_EQ(x.line, 7);
  EXPECT_EQ(Text(x.description), "Public Property Get X");
  EXPECT_EQ(x.nameStart, 20);
  EXPECT_EQ(x.nameEnd, 21);
  const CTypeLibGroup* global = browser.Find(kGlobalCodeGroupName);
  ASSERT_NE(global, nullptr);
  EXPECT_EQ(global->kind, ECatalogueKind::ScriptCode);
  ASSERT_EQ(global->members.size(), 3u);
  EXPECT_EQ(global->members[1]->kind, ECatalogueKind::Method);
  EXPECT_EQ(Text(global->members[1]->description), "Private Function Helper(a, b) ' Sub NotThis");
  EXPECT_EQ(global->members[1]->nameStart, 17);

  EXPECT_TRUE(Tick(kTwoClasses).empty());
  // Another document: the selected item's description is shown again, nothing else.
  EXPECT_EQ(Tick(kTwoClasses, u"/s/b.vbs"), std::vector<std::string>{"description"});
}

TEST_F(ScriptOutlineTest, EditsAddAndRemoveOnlyWhatChanged) {
  (void)Tick(kTwoClasses);
  std::u16string script(kTwoClasses);

  // Renaming a Sub replaces its item; nothing else is touched.
  auto renamed = script;
  renamed.replace(renamed.find(u"Sub Main()"), 10, u"Sub Start()");
  EXPECT_EQ(Tick(renamed), (std::vector<std::string>{"+member Global code.Start", "-member Global code.Main",
                                                     "description"}));
  // Only the parameters changed: the same item, a new description.
  auto parameters = renamed;
  parameters.replace(parameters.find(u"Start()"), 7, u"Start(verbose)");
  EXPECT_EQ(Tick(parameters), std::vector<std::string>{"description"});
  EXPECT_EQ(Text(browser.Find(kGlobalCodeGroupName)->FindMember(u"Start")->description), "Sub Start(verbose)");

  // Class names keep their case: Painter and painter are two classes.
  auto recased = parameters;
  recased.replace(recased.find(u"Class Painter"), 13, u"Class painter");
  EXPECT_EQ(Tick(recased), (std::vector<std::string>{"+group painter", "+member painter.Paint", "-group Painter",
                                                     "description"}));

  // Deleting a class removes its group with its members in one operation.
  auto deleted = recased;
  const size_t from = deleted.find(u"Class Shape");
  deleted.erase(from, deleted.find(u"End Class\n") + 10 - from);
  EXPECT_EQ(Tick(deleted), (std::vector<std::string>{"-group Shape", "description"}));
  EXPECT_EQ(browser.Find(u"Shape"), nullptr);

  // Tabs separate words as blanks do; a keyword inside a longer name defines nothing.
  EXPECT_EQ(Tick(deleted + u"\tSub\tTabbed()\nSubmit = 1\nx = SubTotal(Functions)\n"),
            (std::vector<std::string>{"+member Global code.Tabbed", "description"}));
}

TEST_F(ScriptOutlineTest, LiteralProgIdsLoadTheirLibrariesAndTheLastUseUnloadsThem) {
  EXPECT_EQ(Tick(u"Set d = CreateObject ( \"Scripting.Dictionary\" )\n"
                 u"Set f = WScript.CreateObject(\"Scripting.FileSystemObject\")\n"
                 u"Set o = CreateObject(progId)\n"
                 u"Set w = GetObject(\"winmgmts:\\\\.\\root\\cimv2\")\n"
                 u"Set d2 = CreateObject(\"SCRIPTING.DICTIONARY\")\n"),
            (std::vector<std::string>{"description", "+library /libs/scrrun.tlb"}));
  EXPECT_EQ(outline.UsedProgIdList(),
            (std::vector<std::u16string>{u"scripting.dictionary", u"scripting.filesystemobject", u"winmgmts"}));
  EXPECT_EQ(*resolver.calls, 3);

  // The same ProgIDs again: nothing is resolved, loaded or unloaded.
  EXPECT_TRUE(Tick(u"Set f = CreateObject(\"Scripting.FileSystemObject\")\n"
                   u"Set w = GetObject(\"winmgmts:\")\n"
                   u"Set d = CreateObject(\"Scripting.Dictionary\")\n")
                  .empty());
  EXPECT_EQ(*resolver.calls, 3);

  // One library serves two ProgIDs: it stays while either is used.
  EXPECT_EQ(Tick(u"Set f = CreateObject(\"Scripting.FileSystemObject\")\nSet s = CreateObject(\"WScript.Shell\")\n"),
            std::vector<std::string>{"+library /libs/wshom.tlb"});
  // The last use gone: unloaded; the host's own library always stays.
  EXPECT_EQ(Tick(u"Set s = CreateObject(\"WScript.Shell\")\n"), std::vector<std::string>{"-library /libs/scrrun.tlb"});
  EXPECT_EQ(Tick(u"x = 1\n"), std::vector<std::string>{"-library /libs/wshom.tlb"});
  EXPECT_EQ(browser.Paths(), std::vector<std::string>{"wscript.exe"});

  // What is not a literal ends the line's examination; a ProgID that resolves nowhere loads nothing.
  EXPECT_EQ(Tick(u"Set a = CreateObject(\"Unknown.Thing\") : Set b = CreateObject(\"WScript.Shell\")\n"
                 u"Set c = CreateObject(name) : Set d = CreateObject(\"Scripting.Dictionary\")\n"
                 u"Set e = CreateObject(\"Unclosed.Thing)\n"),
            std::vector<std::string>{"+library /libs/wshom.tlb"});
  EXPECT_EQ(outline.UsedProgIdList(), (std::vector<std::u16string>{u"unknown.thing", u"wscript.shell"}));
}

TEST_F(ScriptOutlineTest, TheScanStopsAtTheProgIdLimitTheSameWayEveryTick) {
  std::u16string script;
  for (int i = 0; i < 300; ++i) {
    script += u"Set o = CreateObject(\"Lib" + platform::Utf8ToUtf16(std::to_string(i)) + u".Thing\")\n";
  }
  script += u"Class AfterTheLimit\nEnd Class\n";
  EXPECT_EQ(Tick(script), std::vector<std::string>{"description"});
  EXPECT_EQ(outline.UsedProgIdList().size(), kMaxUsedProgIds);
  EXPECT_EQ(outline.UsedProgIdList().back(), u"lib255.thing");
  EXPECT_EQ(browser.Find(u"AfterTheLimit"), nullptr);
  EXPECT_EQ(*resolver.calls, 256);
  // A full list from the last tick does not stop this one before it starts.
  EXPECT_TRUE(Tick(script).empty());
  EXPECT_EQ(outline.UsedProgIdList().size(), kMaxUsedProgIds);
  EXPECT_EQ(*resolver.calls, 256);
}

// Resolution may show a dialog whose event loop runs the view's timer: the tick it asks for
// must not reconcile the libraries again underneath the running one.
TEST(ScriptOutline, ATickAskedForDuringATickDoesNothing) {
  CRecordingBrowser browser;
  std::unique_ptr<CScriptOutline> outline;
  test::CScriptSource source(u"Set s = CreateObject(\"WScript.Shell\")\n");
  // What the user typed while the dialog was up.
  test::CScriptSource typed(u"Class Typed\nEnd Class\n");
  int resolutions = 0;
  outline = std::make_unique<CScriptOutline>([&](std::u16string_view) {
    ++resolutions;
    outline->Refresh(typed, u"a.vbs", u"", browser);
    return std::u16string(u"/libs/wshom.tlb");
  });
  outline->Refresh(source, u"a.vbs", u"", browser);
  EXPECT_EQ(resolutions, 1);
  EXPECT_EQ(browser.Take(), (std::vector<std::string>{"description", "+library /libs/wshom.tlb"}));
}

TEST(ScriptOutline, ACreatedDictionaryLoadsTheGeneratedScriptingLibrary) {
  test::SGeneratedClasses classes;
  ASSERT_TRUE(classes.loaded);
  CScriptOutline outline([&](std::u16string_view progId) { return classes.resolver->ResolveProgID(progId).path; });
  CRecordingBrowser browser;
  test::CScriptSource source(u"Set d = CreateObject(\"Scripting.Dictionary\")\n");
  outline.Refresh(source, u"", u"", browser);
  const auto operations = browser.Take();
  ASSERT_EQ(operations.size(), 1u);
  EXPECT_EQ(operations.front(), "+library " + Text(classes.resolver->ResolveProgID(u"Scripting.Dictionary").path));
  EXPECT_NE(operations.front().find(".tlb"), std::string::npos);
}

TEST(ScriptOutline, EveryCorpusScriptRefreshesWithoutFault) {
  const std::filesystem::path corpus = QUILLET_CORPUS_DIR;
  if (!std::filesystem::is_directory(corpus)) GTEST_SKIP() << "no corpus at " << corpus;
  const auto codePage = platform::CAnsiCodePage::ForCodePage(1252);
  size_t scripts = 0, groups = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    document::CQuilletDoc doc;
    doc.SetCodePage(codePage.get());
    ASSERT_TRUE(doc.LoadFromFile(entry.path().string(), document::EolDetect)) << entry.path();
    editor::CSyntaxColorizer colorizer(doc);
    editor::CDocumentAnalysisSource source(doc, colorizer);
    CScriptOutline outline([](std::u16string_view) { return std::u16string(); });
    CRecordingBrowser browser;
    outline.Refresh(source, u"a.vbs", u"", browser);
    groups += browser.ScriptLibrary().groups.size();
    (void)browser.Take();
    outline.Refresh(source, u"a.vbs", u"", browser);
    EXPECT_TRUE(browser.Take().empty()) << entry.path();
    ++scripts;
  }
  EXPECT_GT(scripts, 1000u);
  EXPECT_GT(groups, scripts);
}

}  // namespace
}  // namespace quillet::intellisense

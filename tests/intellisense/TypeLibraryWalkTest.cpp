// The walk from a class and the rest of a chain to the type to list or the function to describe,
// on the engine's generated libraries and on a library written here.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AnalysisFixtures.h"
#include "TempFolder.h"
#include "intellisense/CompletionSet.h"
#include "intellisense/TypeLibraryWalk.h"
#include "platform/TextConvert.h"
#include "typeinfo/MsftWriter.h"

namespace quillet::intellisense {
namespace {

using namespace typeinfo;
using test::GeneratedLibrary;

std::vector<std::string> Listed(const SWalkResult& walk) {
  CCompletionSet set;
  set.AddTypeFunctions(walk.type);
  std::vector<std::string> names;
  for (const auto& name : set.Names()) names.push_back(platform::Utf16ToUtf8(name));
  return names;
}

class GeneratedLibraryWalk : public ::testing::Test {
 protected:
  SWalkResult List(std::u16string_view clsid, std::u16string_view chain) {
    return WalkTypeLibraryChain(clsid, GeneratedLibrary("Scripting.tlb"), chain, EWalkMode::MemberList,
                                classes.registry);
  }
  SWalkResult Tip(std::u16string_view chain) {
    return WalkTypeLibraryChain(test::kFileSystemClsid, GeneratedLibrary("Scripting.tlb"), chain,
                                EWalkMode::ParameterTip, classes.registry);
  }
  test::SGeneratedClasses classes;
};

TEST(NormaliseChain, RemovesBlanksAndTurnsAnIndexOnACallIntoTheDefaultMember) {
  EXPECT_EQ(NormaliseChain(u" .GetFolder(  )\t. Files ."), u".GetFolder().Files.");
  EXPECT_EQ(NormaliseChain(u".Items( ) ( ) ( )."), u".Items().*().*().");
  EXPECT_EQ(NormaliseChain(u""), u"");
}

TEST_F(GeneratedLibraryWalk, ListsTheDefaultInterfaceWithoutInheritedMembersTheEnumeratorOrRepeats) {
  const SWalkResult walk = List(u"{ee09b103-97e0-11cf-978f-00a02463e06f}", u"");
  ASSERT_TRUE(walk.Found());
  EXPECT_EQ(Listed(walk), (std::vector<std::string>{"Item", "Add", "Count", "Exists", "Items", "Key", "Keys",
                                                    "Remove", "RemoveAll", "CompareMode", "HashVal"}));
}

TEST_F(GeneratedLibraryWalk, FollowsReturnTypesCallsAndTheDefaultMember) {
  EXPECT_EQ(Listed(List(test::kFileSystemClsid, u".GetFolder(   ).Files.")),
            (std::vector<std::string>{"Item", "Count"}));
  // Drives takes no index: the parentheses index its default member, Item, which gives a drive.
  const SWalkResult drive = List(test::kFileSystemClsid, u".Drives(   ).");
  ASSERT_TRUE(drive.Found());
  EXPECT_EQ(Listed(drive).at(1), "DriveLetter");
  EXPECT_EQ(Listed(List(test::kFileSystemClsid, u".drives.ITEM( ).rootfolder.")).at(0), "Path");
  // Only the first argument list was blanked upstream: a segment with arguments matches no name.
  EXPECT_FALSE(List(test::kFileSystemClsid, u".GetFolder( ).SubFolders(2).").Found());
  EXPECT_FALSE(List(test::kFileSystemClsid, u".NoSuchMember.").Found());
  EXPECT_FALSE(List(u"{00000000-0000-0000-0000-000000000001}", u"").Found());
  EXPECT_FALSE(WalkTypeLibraryChain(test::kFileSystemClsid, u"/nonexistent/lib.tlb", u"", EWalkMode::MemberList,
                                    classes.registry)
                   .Found());
}

TEST_F(GeneratedLibraryWalk, ALibraryThatDoesNotLoadEndsQuietly) {
  quillet::test::CTempFolder folder;
  std::string damaged = quillet::test::ReadFile(std::string(QUILLET_CLASSES_DIR) + "/Scripting.tlb");
  damaged.resize(damaged.size() / 3);
  quillet::test::WriteFile(folder.File("damaged.tlb"), damaged);
  quillet::test::WriteFile(folder.File("text.tlb"), "MSFT but not really");
  for (const char* name : {"damaged.tlb", "text.tlb"}) {
    const std::u16string path = platform::Utf8ToUtf16(folder.File(name));
    EXPECT_FALSE(WalkTypeLibraryChain(test::kFileSystemClsid, path, u".GetFolder( ).", EWalkMode::MemberList,
                                      classes.registry).Found()) << name;
    EXPECT_EQ(WalkTypeLibraryChain(test::kFileSystemClsid, path, u".GetFolder", EWalkMode::ParameterTip,
                                   classes.registry).func, nullptr) << name;
  }
}

TEST_F(GeneratedLibraryWalk, ParameterTipEndsOnTheLastSegmentsFunction) {
  const SWalkResult getFile = Tip(u".GetFile");
  ASSERT_NE(getFile.func, nullptr);
  EXPECT_EQ(getFile.func->name, u"GetFile");
  const SWalkResult copy = Tip(u".GetFolder(    ).Copy(");
  ASSERT_NE(copy.func, nullptr);
  EXPECT_EQ(copy.func->name, u"Copy");
  EXPECT_EQ(copy.func->docString, u"Copies the folder and all it holds.");
  EXPECT_EQ(Tip(u".GetFolder().Nothing").func, nullptr);
  EXPECT_EQ(Tip(u"").func, nullptr);
}

TEST_F(GeneratedLibraryWalk, AThousandSegmentChainEndsQuietly) {
  std::u16string chain = u".GetFolder( )";
  for (int i = 0; i < 999; ++i) chain += u".ParentFolder";
  const SWalkResult walk = List(test::kFileSystemClsid, chain + u".");
  ASSERT_TRUE(walk.Found()) << "every segment is a real member";
  EXPECT_EQ(Listed(walk).at(0), "Path");
  EXPECT_FALSE(List(test::kFileSystemClsid, chain + u".x.").Found());
}

// A part that a widget hands back through a parameter, and a widget whose default member returns
// the widget itself: pure dispatch interfaces, so tips (which want dual ones) find nothing.
SLibraryDesc WidgetLibrary() {
  const auto pointerTo = [](STypeDesc inner) { return STypeDesc{vt::kPtr, {std::move(inner)}, {}, {}}; };
  const auto userType = [](int index) {
    STypeDesc type{vt::kUserDefined, {}, {}, {}};
    type.ref.typeIndex = index;
    return type;
  };
  const auto function = [](std::int32_t id, std::u16string name, STypeDesc result, std::vector<SParamDesc> params,
                           EInvokeKind invoke) {
    SFuncDesc func;
    func.memberId = id;
    func.name = std::move(name);
    func.returnType = std::move(result);
    func.params = std::move(params);
    func.invokeKind = invoke;
    return func;
  };
  SLibraryDesc library;
  library.guid = SGuid{0x51A7E001, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
  library.name = u"Widgets";
  STypeInfoDesc part;
  part.kind = ETypeKind::Dispatch;
  part.name = u"IPart";
  part.guid = SGuid{0x51A7E002, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
  part.funcs.push_back(function(1, u"Label", STypeDesc{vt::kBstr, {}, {}, {}}, {}, EInvokeKind::PropertyGet));
  STypeInfoDesc widget;
  widget.kind = ETypeKind::Dispatch;
  widget.name = u"IWidget";
  widget.guid = SGuid{0x51A7E003, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
  widget.funcs.push_back(function(0, u"Self", pointerTo(userType(1)), {}, EInvokeKind::PropertyGet));
  widget.funcs.push_back(function(2, u"Fetch", STypeDesc{vt::kVoid, {}, {}, {}},
                                  {SParamDesc{u"name", STypeDesc{vt::kBstr, {}, {}, {}}, flags::kParamIn, {}},
                                   SParamDesc{u"part", pointerTo(pointerTo(userType(0))), flags::kParamOut, {}}},
                                  EInvokeKind::Func));
  widget.funcs.push_back(function(3, u"Wrap", STypeDesc{vt::kVoid, {}, {}, {}},
                                  {SParamDesc{u"part", pointerTo(userType(0)), flags::kParamIn, {}}},
                                  EInvokeKind::Func));
  STypeInfoDesc coClass;
  coClass.kind = ETypeKind::CoClass;
  coClass.name = u"Widget";
  coClass.guid = SGuid{0x51A7E004, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
  STypeRef widgetRef;
  widgetRef.typeIndex = 1;
  coClass.implTypes = {SImplType{widgetRef, flags::kImplDefault}};
  library.types = {part, widget, coClass};
  return library;
}

TEST(WrittenLibraryWalk, OutParametersLeadOnAndADefaultMemberLoopEnds) {
  std::shared_ptr<const CTypeLibrary> library = CTypeLibrary::LoadBytes(CMsftWriter::Write(WidgetLibrary()), nullptr);
  ASSERT_TRUE(library);
  const std::u16string clsid = GuidToString(WidgetLibrary().types[2].guid);
  EXPECT_EQ(Listed(WalkLoadedLibrary(library, clsid, u".Fetch(  ).", EWalkMode::MemberList)),
            std::vector<std::string>{"Label"});
  EXPECT_EQ(Listed(WalkLoadedLibrary(library, clsid, u".Wrap(  ).", EWalkMode::MemberList)),
            std::vector<std::string>{"Label"});
  EXPECT_EQ(Listed(WalkLoadedLibrary(library, clsid, u".Self.Self.", EWalkMode::MemberList)).size(), 3u);
  // Self() takes no index, so the index goes to the default member, Self again, and so on.
  EXPECT_FALSE(WalkLoadedLibrary(library, clsid, u".Self(1).", EWalkMode::MemberList).Found());
  EXPECT_EQ(WalkLoadedLibrary(library, clsid, u".Fetch", EWalkMode::ParameterTip).func, nullptr)
      << "tips need a dual interface";
}

}  // namespace
}  // namespace quillet::intellisense

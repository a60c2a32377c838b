#include <gtest/gtest.h>

#include "TempFolder.h"
#include "TypeLibFixtures.h"
#include "platform/TextConvert.h"
#include "typeinfo/MsftWriter.h"
#include "typeinfo/TypeLib.h"

using namespace quillet::typeinfo;
using quillet::platform::Utf8ToUtf16;

namespace {

std::u16string Describe(const CTypeLib& library) {
  std::u16string text;
  for (const auto& group : library.groups) {
    text += group->name + u" " + static_cast<char16_t>(u'0' + static_cast<int>(group->kind)) + u"\n";
    for (const auto& member : group->members)
      text += std::u16string(u"  ") + static_cast<char16_t>(u'0' + static_cast<int>(member->kind)) + u" " + member->description + u"\n";
  }
  return text;
}

}  // namespace

TEST(TypeLibCatalogue, LoadsGroupsAndDescriptionLines) {
  quillet::test::CTempFolder folder;
  quillet::test::WriteFile(folder.File("shapes.tlb"), CMsftWriter::Write(quillet::test::RichLibrary()));
  const CTypeLib library(Utf8ToUtf16(folder.File("shapes.tlb")), nullptr);
  EXPECT_EQ(library.name, u"ShapeLib");
  EXPECT_EQ(library.description, u"Shapes and their \u00e9tats");
  EXPECT_EQ(Describe(library),
            u"Canvas 1\n"
            u"  4 Function Add(ByVal shape As IShape) As IShape\n"
            u"  7 Event Changed(ByVal what As String)\n"
            u"IShape 3\n"
            u"  4 Function Area As Double\r\n\r\nThe area in square units\n"
            u"  4 Function Grid(ByVal cells As Array(String)) As Double[0...2][1...4]\n"
            u"  4 Sub Move(ByVal dx As Long, [ByVal dy As Double = 2.5], [ByVal kind As ShapeKind = skSquare], "
            u"[ByVal label As String = \"here \"now\"\"], [ByVal visible As Boolean = True], "
            u"[ByVal when As Date = 1/1/2000 12:00:00 PM], [ByVal price As Currency = 1.2345], "
            u"[ByVal big As Long = -1234567890123], [ByVal ratio As Double = 0.25], ByRef out)\n"
            u"  5 Property Name As String\n"
            u"  5 Property Parent As Canvas\n"
            u"ShapeKind 2\n"
            u"  6 Const skCircle = 0\n"
            u"  6 Const skLarge = 2147483647\n"
            u"  6 Const skNegative = -5\n"
            u"  6 Const skSquare = 1\n");
  EXPECT_EQ(library.groups[2]->text, u"Const skCircle = 0\r\nConst skLarge = 2147483647\r\nConst skNegative = -5\r\nConst skSquare = 1\r\n");
  const CTypeLibMember& square = *library.groups[2]->members[3];
  EXPECT_EQ(square.description.substr(square.nameStart, square.nameEnd - square.nameStart), u"skSquare");
  const CTypeLibMember& move = *library.groups[1]->members[2];
  EXPECT_EQ(move.description.substr(move.nameStart, move.nameEnd - move.nameStart), u"Move");
  EXPECT_EQ(library.constantsMap.at(u"ShapeKindAlias-1"), u"skSquare") << "aliases of enumerations name constants too";
  EXPECT_EQ(library.interfaceMap.at(u"ICanvasEvents"), library.groups[0].get());

  const CTypeLib missing(u"/no/such/folder/missing.tlb", nullptr);
  EXPECT_EQ(missing.name, u"missing.tlb - Could not load library");
  EXPECT_TRUE(missing.groups.empty());
  EXPECT_EQ(missing.libraryKind, CTypeLib::ELibraryKind::File);
}

// What the automation runtime shows of a dual interface: HRESULTs are not seen, the [out, retval]
// parameter is the return value, a locale parameter is filled in by the runtime. The declared
// form stays available for the printer.
TEST(TypeLibCatalogue, DualInterfacesAreSeenThroughTheirDispatchSide) {
  SLibraryDesc desc;
  desc.name = u"DualLib";
  STypeInfoDesc dual;
  dual.kind = ETypeKind::Interface;
  dual.name = u"IDual";
  dual.guid = quillet::test::MakeGuid(0xD0000001);
  dual.flags = flags::kTypeDual | flags::kTypeOleAutomation;
  const auto func = [](std::int32_t id, const char16_t* name, std::vector<SParamDesc> params) {
    SFuncDesc f;
    f.memberId = id;
    f.name = name;
    f.funcKind = EFuncKind::PureVirtual;
    f.returnType = quillet::test::Simple(vt::kHresult);
    f.params = std::move(params);
    return f;
  };
  const auto param = [](const char16_t* name, STypeDesc type, std::uint16_t paramFlags) {
    return SParamDesc{name, std::move(type), paramFlags, std::nullopt};
  };
  using quillet::test::PointerTo;
  using quillet::test::Simple;
  dual.funcs = {
      func(1, u"Count", {param(u"count", PointerTo(Simple(vt::kI4)), flags::kParamOut | flags::kParamRetval)}),
      func(2, u"Clear", {}),
      func(3, u"Find", {param(u"what", Simple(vt::kBstr), flags::kParamIn), param(u"lcid", Simple(vt::kI4), flags::kParamLcid),
                        param(u"found", PointerTo(Simple(vt::kBool)), flags::kParamOut | flags::kParamRetval)}),
      func(4, u"Swap", {param(u"other", PointerTo(Simple(vt::kVariant)), flags::kParamIn | flags::kParamOut)})};
  dual.funcs[0].invokeKind = EInvokeKind::PropertyGet;
  desc.types.push_back(dual);
  STypeInfoDesc coclass;
  coclass.kind = ETypeKind::CoClass;
  coclass.name = u"Dual";
  coclass.guid = quillet::test::MakeGuid(0xD0000002);
  coclass.implTypes = {SImplType{quillet::test::LocalRef(0), flags::kImplDefault}};
  desc.types.push_back(coclass);
  const std::string bytes = CMsftWriter::Write(desc);

  const auto raw = CTypeLibrary::LoadBytes(bytes, nullptr);
  ASSERT_TRUE(raw);
  EXPECT_EQ(raw->TypeInfo(0)->funcs[2].params.size(), 3u) << "the declared form is kept";
  const SFuncDesc* find = raw->FuncDesc(0, 2);
  ASSERT_TRUE(find);
  EXPECT_EQ(find->funcKind, EFuncKind::Dispatch);
  EXPECT_EQ(find->returnType.vt, vt::kBool);
  ASSERT_EQ(find->params.size(), 1u);
  EXPECT_EQ(raw->Names(0, 3), (std::vector<std::u16string>{u"Find", u"what"}));

  quillet::test::CTempFolder folder;
  quillet::test::WriteFile(folder.File("dual.tlb"), bytes);
  const CTypeLib library(Utf8ToUtf16(folder.File("dual.tlb")), nullptr);
  EXPECT_EQ(Describe(library),
            u"Dual 1\n"
            u"  4 Sub Clear\n"
            u"  5 Property Count As Long\n"
            u"  4 Function Find(ByVal what As String) As Boolean\n"
            u"  4 Sub Swap(ByVal other)\n");
}

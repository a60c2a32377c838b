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

namespace {

// A dispinterface whose functions return the interfaces and enumerations at the given indices.
STypeInfoDesc Dispinterface(std::u16string name, std::uint32_t guid, const std::vector<int>& returned) {
  STypeInfoDesc type;
  type.kind = ETypeKind::Dispatch;
  type.name = std::move(name);
  type.guid = quillet::test::MakeGuid(guid);
  for (const int index : returned) {
    SFuncDesc func;
    func.memberId = static_cast<std::int32_t>(type.funcs.size() + 1);
    func.name = u"Get" + std::u16string(1, static_cast<char16_t>(u'A' + type.funcs.size()));
    func.invokeKind = EInvokeKind::PropertyGet;
    func.returnType = quillet::test::PointerTo(quillet::test::UserType(index));
    type.funcs.push_back(std::move(func));
  }
  return type;
}

STypeInfoDesc Enumeration(std::u16string name, std::u16string constant) {
  STypeInfoDesc type;
  type.kind = ETypeKind::Enum;
  type.name = std::move(name);
  type.guid = quillet::test::MakeGuid(0xE0000000);
  SVarDesc var;
  var.name = std::move(constant);
  var.varKind = EVarKind::Const;
  var.type = quillet::test::Simple(vt::kI4);
  var.value = quillet::test::Int(vt::kI4, 7);
  type.vars.push_back(std::move(var));
  return type;
}

STypeInfoDesc CoClass(std::u16string name, int defaultInterface) {
  STypeInfoDesc type;
  type.kind = ETypeKind::CoClass;
  type.name = std::move(name);
  type.guid = quillet::test::MakeGuid(0xC0000000);
  type.implTypes = {SImplType{quillet::test::LocalRef(defaultInterface), flags::kImplDefault}};
  return type;
}

std::vector<std::u16string> GroupNames(const CTypeLib& library) {
  std::vector<std::u16string> names;
  for (const auto& group : library.groups) names.push_back(group->name);
  return names;
}

CTypeLib WriteAndLoad(const SLibraryDesc& desc, const quillet::test::CTempFolder& folder) {
  quillet::test::WriteFile(folder.File("walk.tlb"), CMsftWriter::Write(desc));
  return CTypeLib(Utf8ToUtf16(folder.File("walk.tlb")), nullptr);
}

}  // namespace

// Interfaces are found through the types their members return, however deep the chain, and a
// chain that comes back on itself is walked once.
TEST(TypeLibCatalogue, EveryInterfaceReachedThroughMembersIsListedOnce) {
  constexpr int kChain = 40;
  SLibraryDesc deep;
  deep.name = u"DeepLib";
  // 0: the class's default interface, 1 .. kChain: a chain of interfaces, each returning the
  // next; the last returns the enumeration and, closing a cycle, the first of the chain.
  for (int i = 0; i <= kChain; ++i) {
    std::vector<int> returned{i + 1};
    if (i == kChain) returned = {kChain + 1, 1};
    deep.types.push_back(Dispinterface(u"ILevel" + Utf8ToUtf16(std::to_string(100 + i)),
                                       0xD1000000 + static_cast<std::uint32_t>(i), returned));
  }
  deep.types.push_back(Enumeration(u"DeepKind", u"dkBottom"));
  deep.types.push_back(CoClass(u"Top", 0));

  quillet::test::CTempFolder folder;
  const CTypeLib library = WriteAndLoad(deep, folder);
  std::vector<std::u16string> expected{u"DeepKind"};
  for (int i = 1; i <= kChain; ++i) expected.push_back(u"ILevel" + Utf8ToUtf16(std::to_string(100 + i)));
  expected.push_back(u"Top");
  ASSERT_EQ(GroupNames(library), expected);
  ASSERT_EQ(library.groups.front()->members.size(), 1u);
  EXPECT_EQ(library.groups.front()->members.front()->description, u"Const dkBottom = 7");
  EXPECT_EQ(library.groups[kChain]->members.size(), 2u) << "the last of the chain keeps both members";

  // Two interfaces that return each other (and themselves), reached from a class.
  SLibraryDesc cycle;
  cycle.name = u"CycleLib";
  cycle.types = {Dispinterface(u"IRoot", 0xD2000000, {1}), Dispinterface(u"IPing", 0xD2000001, {2, 1}),
                 Dispinterface(u"IPong", 0xD2000002, {1, 3}), Enumeration(u"Ball", u"bRound"),
                 CoClass(u"Table", 0)};
  const CTypeLib cyclic = WriteAndLoad(cycle, folder);
  EXPECT_EQ(GroupNames(cyclic), (std::vector<std::u16string>{u"Ball", u"IPing", u"IPong", u"Table"}));
  EXPECT_EQ(Describe(cyclic),
            u"Ball 2\n"
            u"  6 Const bRound = 7\n"
            u"IPing 3\n"
            u"  5 Property GetA As IPong\n"
            u"  5 Property GetB As IPing\n"
            u"IPong 3\n"
            u"  5 Property GetA As IPing\n"
            u"  5 Property GetB As Ball\n"
            u"Table 1\n"
            u"  5 Property GetA As IPing\n");
}

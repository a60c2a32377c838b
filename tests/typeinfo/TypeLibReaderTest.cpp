#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "TempFolder.h"
#include "TypeLibFixtures.h"
#include "platform/ClassRegistry.h"
#include "typeinfo/MsftReader.h"
#include "typeinfo/MsftWriter.h"
#include "typeinfo/PeResource.h"
#include "typeinfo/TypeLibrary.h"

using namespace quillet::typeinfo;
using namespace quillet::test;

namespace {

std::unique_ptr<CTypeLibrary> LoadRich() {
  return CTypeLibrary::LoadBytes(CMsftWriter::Write(RichLibrary()), nullptr);
}

}  // namespace

TEST(TypeLibWriter, EveryRecordReadsBackAsWritten) {
  for (const SLibraryDesc& library : {RichLibrary(), AutomationLibrary(), SLibraryDesc{}}) {
    const std::string bytes = CMsftWriter::Write(library);
    const auto read = CMsftReader::Read(bytes);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->types.size(), library.types.size());
    for (std::size_t i = 0; i < library.types.size() && i < read->types.size(); ++i) {
      const auto& expected = library.types[i];
      const auto& actual = read->types[i];
      EXPECT_EQ(actual.funcs, expected.funcs) << "type " << i;
      EXPECT_EQ(actual.vars, expected.vars) << "type " << i;
      EXPECT_EQ(actual.implTypes, expected.implTypes) << "type " << i;
      EXPECT_EQ(actual, expected) << "type " << i;
    }
    EXPECT_EQ(*read, library);
    EXPECT_EQ(CMsftWriter::Write(*read), bytes) << "writing what was read gives the same bytes";
  }
}

TEST(TypeLibrary, QueriesAnswerAsTheAutomationInterfacesDo) {
  const auto library = LoadRich();
  ASSERT_TRUE(library);
  EXPECT_EQ(library->TypeInfoCount(), 7);
  const auto doc = library->Documentation(-1);
  ASSERT_TRUE(doc);
  EXPECT_EQ(doc->name, u"ShapeLib");
  EXPECT_EQ(doc->docString, u"Shapes and their \u00e9tats");
  EXPECT_EQ(doc->helpFile, u"shapes.chm");
  EXPECT_EQ(library->Documentation(4)->docString, u"A drawing surface");
  EXPECT_FALSE(library->Documentation(7));

  EXPECT_EQ(library->TypeKind(0), ETypeKind::Enum);
  EXPECT_EQ(library->TypeKind(2), ETypeKind::Dispatch) << "a dual interface shows as dispatch";
  EXPECT_EQ(library->TypeKind(4), ETypeKind::CoClass);
  EXPECT_FALSE(library->TypeKind(-2));

  EXPECT_EQ(library->Names(1, 3), (std::vector<std::u16string>{u"Move", u"dx", u"dy", u"kind", u"label", u"visible",
                                                                 u"when", u"price", u"big", u"ratio", u"out"}));
  EXPECT_EQ(library->Names(1, 7), (std::vector<std::u16string>{u"Colour"}));
  EXPECT_TRUE(library->Names(1, 99).empty());
  EXPECT_EQ(library->MemberDocumentation(1, 1)->docString, u"The area in square units");
  EXPECT_EQ(library->MemberDocumentation(1, 1)->helpContext, 42u);

  const SFuncDesc* move = library->FuncDesc(1, 3);
  ASSERT_TRUE(move);
  EXPECT_EQ(move->optionalCount, 8);
  EXPECT_EQ(move->params[2].type.vt, vt::kUserDefined);
  EXPECT_EQ(move->params[3].defaultValue->text, u"here \"now\"");
  EXPECT_FALSE(library->FuncDesc(1, 99));
  EXPECT_EQ(library->VarDesc(0, 2)->value->integer, -5);
  EXPECT_EQ(library->VarDesc(0, 3)->value->integer, 0x7FFFFFFF);

  EXPECT_EQ(library->ImplTypeFlags(4, 1), flags::kImplDefault | flags::kImplSource);
  const STypeRef* source = library->RefTypeOfImplType(4, 1);
  ASSERT_TRUE(source);
  const auto events = library->ResolveRef(*source);
  ASSERT_TRUE(events);
  EXPECT_EQ(events->library->Documentation(events->index)->name, u"ICanvasEvents");
  EXPECT_FALSE(library->ImplTypeFlags(4, 3));
  EXPECT_FALSE(library->ResolveRef(*library->RefTypeOfImplType(1, 0))) << "no registry: the import stays unresolved";
}

TEST(TypeLibrary, ImportsResolveThroughTheClassRegistry) {
  CTempFolder folder;
  const std::string prefix = folder.File("wine");
  std::filesystem::create_directories(prefix + "/drive_c/windows/system32");
  WriteFile(prefix + "/drive_c/windows/system32/stdole2.tlb", CMsftWriter::Write(AutomationLibrary()));
  WriteFile(prefix + "/system.reg",
            "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n"
            "[Software\\\\Classes\\\\TypeLib\\\\{00020430-0000-0000-C000-000000000046}\\\\2.0\\\\0\\\\win32] 1\n"
            "@=\"C:\\\\Windows\\\\System32\\\\STDOLE2.TLB\"\n");
  WriteFile(prefix + "/user.reg", "WINE REGISTRY Version 2\n");
  auto registry = std::make_shared<quillet::platform::CClassRegistry>();
  ASSERT_TRUE(registry->AddWinePrefix(prefix));
  WriteFile(folder.File("shapes.tlb"), CMsftWriter::Write(RichLibrary()));

  ELoadError error = ELoadError::CannotRead;
  const auto library = CTypeLibrary::LoadFile(folder.File("shapes.tlb"), registry, &error);
  ASSERT_TRUE(library);
  EXPECT_EQ(error, ELoadError::None);
  const auto base = library->ResolveRef(*library->RefTypeOfImplType(1, 0));
  ASSERT_TRUE(base);
  EXPECT_NE(base->library, library.get());
  EXPECT_EQ(base->library->Documentation(base->index)->name, u"IDispatch");
  const auto grandBase = base->library->ResolveRef(*base->library->RefTypeOfImplType(base->index, 0));
  ASSERT_TRUE(grandBase);
  EXPECT_EQ(grandBase->library->Documentation(grandBase->index)->name, u"IUnknown");

  EXPECT_FALSE(CTypeLibrary::LoadFile(folder.File("missing.tlb"), registry, &error));
  EXPECT_EQ(error, ELoadError::CannotRead);
}

TEST(PeResource, TypeLibComesOutOf32And64BitImages) {
  const std::string typeLib = CMsftWriter::Write(RichLibrary());
  for (const bool is64 : {false, true}) {
    const std::string image = BuildPeWithTypeLib(typeLib, is64);
    EXPECT_TRUE(CPeResource::LooksLikePe(image));
    const auto found = CPeResource::FindTypeLib(image);
    ASSERT_TRUE(found) << is64;
    EXPECT_EQ(*found, typeLib);
    EXPECT_FALSE(CPeResource::FindTypeLib(image, 2)) << "only resource 1 is there";
    const auto library = CTypeLibrary::LoadBytes(image, nullptr);
    ASSERT_TRUE(library);
    EXPECT_EQ(library->Documentation(-1)->name, u"ShapeLib");
  }
  ELoadError error = ELoadError::None;
  std::string noResource = BuildPeWithTypeLib("x", false);
  noResource[0x200 + 88 + 2] = 'X';  // the resource type's name no longer reads TYPELIB
  EXPECT_FALSE(CTypeLibrary::LoadBytes(noResource, nullptr, &error));
  EXPECT_EQ(error, ELoadError::NoTypeLibResource);
  EXPECT_FALSE(CTypeLibrary::LoadBytes("plain text", nullptr, &error));
  EXPECT_EQ(error, ELoadError::NotATypeLibrary);
}

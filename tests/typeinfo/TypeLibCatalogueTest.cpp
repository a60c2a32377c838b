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
            u"  4 Function Add(ByVal shape As IShape, ByRef result As IShape) As Long\n"
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

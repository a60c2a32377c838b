// What the object browser writes below its tree for each kind of item, and which part is bold.

#include <gtest/gtest.h>

#include "typeinfo/BrowserDescription.h"
#include "typeinfo/TypeLib.h"

namespace quillet::typeinfo {
namespace {

std::u16string Bold(const SBrowserDescription& description) {
  if (description.boldStart < 0) return u"";
  return description.text.substr(static_cast<size_t>(description.boldStart),
                                 static_cast<size_t>(description.boldEnd - description.boldStart));
}

TEST(BrowserDescription, EachKindHasItsWordAndItsNameInBold) {
  CTypeLib library;
  library.name = u"Shapes";
  library.path = u"/libs/shapes.tlb";
  library.description = u"Shapes and canvases";
  auto described = DescribeBrowserItem(0, &library, nullptr, nullptr);
  EXPECT_EQ(described.text, u"Library Shapes\r\n/libs/shapes.tlb\r\n\r\nShapes and canvases");
  EXPECT_EQ(Bold(described), u"Shapes");

  CTypeLibGroup plainClass(u"Canvas", ECatalogueKind::Class);
  described = DescribeBrowserItem(1, nullptr, &plainClass, nullptr);
  EXPECT_EQ(described.text, u"Class Canvas");
  EXPECT_EQ(Bold(described), u"Canvas");
  plainClass.text = u"Draws";
  EXPECT_EQ(DescribeBrowserItem(1, nullptr, &plainClass, nullptr).text, u"Class Canvas\r\n\r\nDraws");

  CTypeLibGroup enumeration(u"ShapeKind", ECatalogueKind::Enumeration);
  enumeration.text = u"Const skSquare = 0\r\n";
  described = DescribeBrowserItem(2, nullptr, &enumeration, nullptr);
  EXPECT_EQ(described.text, u"Enum ShapeKind\r\n\r\nConst skSquare = 0\r\n");
  EXPECT_EQ(Bold(described), u"ShapeKind");

  CTypeLibGroup dispatch(u"IPen", ECatalogueKind::Interface);
  described = DescribeBrowserItem(3, nullptr, &dispatch, nullptr);
  EXPECT_EQ(described.text, u"Interface IPen");
  EXPECT_EQ(Bold(described), u"IPen");

  CTypeLibMember member;
  member.description = u"Sub Move(ByVal dx As Long)\r\n\r\nMoves it.";
  member.nameStart = 4;
  member.nameEnd = 8;
  described = DescribeBrowserItem(4, nullptr, nullptr, &member);
  EXPECT_EQ(described.text, member.description);
  EXPECT_EQ(Bold(described), u"Move");
  // A range that does not fit the text is not applied.
  member.nameEnd = 400;
  EXPECT_EQ(DescribeBrowserItem(5, nullptr, nullptr, &member).boldStart, -1);

  library.name = u"Active Script";
  library.description.clear();
  described = DescribeBrowserItem(8, &library, nullptr, nullptr);
  EXPECT_EQ(described.text, u"Script Active Script\r\n\r\n");
  EXPECT_EQ(Bold(described), u"Active Script");
  // The script's global code, and an item that shows nothing.
  EXPECT_EQ(DescribeBrowserItem(9, &library, nullptr, nullptr).text, u"");
  EXPECT_EQ(DescribeBrowserItem(1, nullptr, nullptr, nullptr).text, u"");
}

}  // namespace
}  // namespace quillet::typeinfo

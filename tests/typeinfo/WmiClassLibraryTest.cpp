// The object browser's WMI library: which classes it lists, how their members read, its order,
// and what a damaged catalogue or an early stop leaves behind.

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <stop_token>
#include <string>

#include "TempFolder.h"
#include "platform/TextConvert.h"
#include "platform/WmiCatalog.h"
#include "typeinfo/WmiClassLibrary.h"
#include "typeinfo/WmiClassText.h"

namespace quillet::typeinfo {
namespace {

using platform::CWmiCatalog;
using platform::Utf16ToUtf8;

constexpr std::string_view kMof = R"(
#pragma namespace("\\\\.\\root\\cimv2")
[Description("Not listed: another prefix.")]
class CIM_Base
{
  [Description("Inherited.")] string Name;
  uint32 Reset();
};
[Description("A listed class.")]
class Win32_Gadget : CIM_Base
{
  [read, Description("Fixed at birth.")] string Serial;
  [Description("Changeable.")] uint32 alpha;
  string Undescribed;
  Win32_Gadget ref Parent;
  [Description("Moves it.")] uint32 Move([in] sint32 Dx, [in] string Where, [out] uint32 Moved, [in, out] datetime When);
};
[Description("Not listed: the prefix differs in case.")]
class WIN32_Shouting
{
  string Name;
};
class Win32_Undescribed : Win32_Gadget
{
};
#pragma namespace("\\\\.\\root\\default")
class Win32_Elsewhere
{
  string Name;
};
)";

const CTypeLibMember& Member(const CTypeLibGroup& group, std::u16string_view name) {
  const CTypeLibMember* member = group.FindMember(name);
  if (member == nullptr) throw std::runtime_error("no member " + Utf16ToUtf8(name));
  return *member;
}

TEST(WmiClassLibrary, ListsWin32ClassesWithDescribedMembersInOrder) {
  CWmiCatalog catalogue;
  ASSERT_TRUE(catalogue.AddMof(kMof)) << catalogue.Error();
  CTypeLib library;
  EXPECT_EQ(FillWmiClassLibrary(library, catalogue, {}), u"");
  EXPECT_EQ(library.name, u"WMI Classes");
  EXPECT_EQ(library.libraryKind, CTypeLib::ELibraryKind::Wmi);
  ASSERT_EQ(library.groups.size(), 2u);
  const CTypeLibGroup& gadget = *library.groups[0];
  EXPECT_EQ(gadget.name, u"Win32_Gadget");
  EXPECT_EQ(gadget.kind, ECatalogueKind::Class);
  EXPECT_EQ(gadget.text, u"A listed class.");
  // Its own description only, not the one the catalogue lends from the base class.
  EXPECT_EQ(library.groups[1]->name, u"Win32_Undescribed");
  EXPECT_EQ(library.groups[1]->text, u"");

  // Members by name without regard to case; inherited properties are listed, inherited methods not.
  std::u16string names;
  for (const auto& member : gadget.members) names += member->name + u",";
  EXPECT_EQ(names, u"alpha,Move,Name,Parent,Serial,Undescribed,");
  EXPECT_EQ(library.groups[1]->members.size(), 5u);  // the properties; Move belongs to Win32_Gadget

  const CTypeLibMember& serial = Member(gadget, u"Serial");
  EXPECT_EQ(serial.kind, ECatalogueKind::Property);
  EXPECT_EQ(serial.description, u"Property Serial As string (read-only)\r\n\r\nFixed at birth.");
  EXPECT_EQ(serial.nameStart, 9);
  EXPECT_EQ(serial.nameEnd, 15);
  EXPECT_EQ(Member(gadget, u"alpha").description, u"Property alpha As uint32\r\n\r\nChangeable.");
  EXPECT_EQ(Member(gadget, u"Undescribed").description, u"Property Undescribed As string");
  EXPECT_EQ(Member(gadget, u"Parent").description, u"Property Parent As Win32_Gadget");

  const CTypeLibMember& move = Member(gadget, u"Move");
  EXPECT_EQ(move.kind, ECatalogueKind::Method);
  EXPECT_EQ(move.description,
            u"Function Move ([in]Dx As sint32, [in]Where As string, [in]When As datetime, [out]Moved As uint32, "
            u"[out]When As datetime) As uint32\r\n\r\nMoves it.\r\n\r\n");
  EXPECT_EQ(move.nameStart, -1);
  EXPECT_EQ(move.nameEnd, -1);
}

TEST(WmiClassLibrary, ShippedCatalogueListsItsWin32Classes) {
  CTypeLib library;
  FillWmiClassLibrary(library, {});
  EXPECT_EQ(library.description, u"");
  ASSERT_GT(library.groups.size(), 20u);
  for (size_t i = 0; i < library.groups.size(); ++i) {
    EXPECT_TRUE(library.groups[i]->name.starts_with(u"Win32_")) << Utf16ToUtf8(library.groups[i]->name);
    if (i > 0) {
      EXPECT_TRUE(NameLessIgnoringCase(library.groups[i - 1]->name, library.groups[i]->name));
    }
  }
  const auto process = std::find_if(library.groups.begin(), library.groups.end(),
                                    [](const auto& group) { return group->name == u"Win32_Process"; });
  ASSERT_NE(process, library.groups.end());
  EXPECT_EQ(Member(**process, u"Terminate").description,
            u"Function Terminate ([in]Reason As uint32) As uint32\r\n\r\nEnds the process; 0 when it ended.\r\n\r\n");
  EXPECT_EQ(Member(**process, u"Handle").description,
            u"Property Handle As string\r\n\r\nThe process id as text: what identifies the process.");
}

TEST(WmiClassLibrary, DamagedCatalogueGivesNoClassesAndSaysWhy) {
  test::CTempFolder folder;
  test::WriteFile(folder.File("a.mof"), "class Win32_Fine { string Name; };");
  test::WriteFile(folder.File("b.mof"), "class Win32_Broken {\n  strang Name;\n};");
  test::WriteFile(folder.File("c.mof"), "class Win32_AlsoFine { string Name; };");
  CWmiCatalog catalogue;
  catalogue.AddMofFolder(folder.Path());
  EXPECT_EQ(catalogue.LoadError(), "b.mof: line 2: unknown type strang");

  CTypeLib library;
  library.groups.push_back(std::make_unique<CTypeLibGroup>(u"Stale", ECatalogueKind::Class));
  const std::u16string message = FillWmiClassLibrary(library, catalogue, {});
  EXPECT_EQ(message, u"The WMI classes could not be read: b.mof: line 2: unknown type strang");
  EXPECT_EQ(library.description, message);
  EXPECT_TRUE(library.groups.empty());

  CWmiCatalog missing;
  missing.AddMofFolder(folder.File("no-such-folder"));
  EXPECT_FALSE(missing.LoadError().empty());
  EXPECT_FALSE(FillWmiClassLibrary(library, missing, {}).empty());
}

TEST(WmiClassLibrary, StopsWhenAsked) {
  std::stop_source source;
  source.request_stop();
  CTypeLib library;
  FillWmiClassLibrary(library, source.get_token());
  EXPECT_TRUE(library.groups.empty());
}

}  // namespace
}  // namespace quillet::typeinfo

// "Insert a WMI script": the classes offered, and the script written for one, compared with the
// template line by line for shipped classes and for a class without properties.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "platform/WmiCatalog.h"
#include "typeinfo/WmiScriptGenerator.h"

namespace quillet::typeinfo {
namespace {

using platform::CWmiCatalog;

// The template written out by hand, so that a change to the generator cannot change both sides.
std::u16string Expected(std::u16string_view className, std::initializer_list<std::u16string_view> properties) {
  std::u16string text = u"On Error Resume Next\r\n";
  text += u"strComputer = \".\"\r\n";
  text += u"Set objWMIService = GetObject(\"winmgmts:\\\\\" & strComputer & \"\\root\\cimv2\")\r\n";
  text += u"Set colItems = objWMIService.ExecQuery(\"Select * from " + std::u16string(className) + u"\",,48)\r\n";
  text += u"\r\n";
  text += u"For Each objItem in colItems\r\n";
  for (const std::u16string_view p : properties) {
    text += u"\tWScript.Echo \"" + std::u16string(p) + u": \" & objItem." + std::u16string(p) + u"\r\n";
  }
  text += u"\tWScript.Echo \"\"\r\n";
  text += u"Next\r\n";
  return text;
}

TEST(WmiScriptGenerator, WritesTheTemplateWithEveryPropertyInClassOrder) {
  const CWmiCatalog& shipped = CWmiCatalog::Installed();
  EXPECT_EQ(GenerateWmiScript(u"Win32_LocalTime", shipped),
            Expected(u"Win32_LocalTime", {u"Day", u"DayOfWeek", u"Hour", u"Milliseconds", u"Minute", u"Month",
                                          u"Quarter", u"Second", u"WeekInMonth", u"Year"}));
  // Inherited properties first; one the class declares again keeps its inherited place.
  EXPECT_EQ(GenerateWmiScript(u"Win32_Group", shipped),
            Expected(u"Win32_Group", {u"Caption", u"Description", u"InstallDate", u"Name", u"Status", u"Domain",
                                      u"LocalAccount", u"SID", u"SIDType"}));
  EXPECT_EQ(GenerateWmiScript(u"Win32_UTCTime"), GenerateWmiScript(u"Win32_UTCTime", shipped));

  CWmiCatalog small;
  ASSERT_TRUE(small.AddMof("#pragma namespace(\"\\\\\\\\.\\\\root\\\\cimv2\")\nclass Win32_Bare { };")) << small.Error();
  EXPECT_EQ(GenerateWmiScript(u"Win32_Bare", small), Expected(u"Win32_Bare", {}));
  EXPECT_EQ(GenerateWmiScript(u"Win32_Missing", small), u"");
}

TEST(WmiScriptGenerator, OffersWin32ClassesInAlphabeticalOrder) {
  CWmiCatalog catalogue;
  ASSERT_TRUE(catalogue.AddMof(R"(
class Win32_beta { };
class Win32_Alpha { };
class WIN32_Loud { };
class CIM_Other { };
class Win32_Gamma { };
#pragma namespace("\\\\.\\root\\default")
class Win32_Elsewhere { };
)")) << catalogue.Error();
  EXPECT_EQ(WmiScriptClassNames(catalogue), (std::vector<std::u16string>{u"Win32_Alpha", u"Win32_beta", u"Win32_Gamma"}));

  CWmiCatalog damaged;
  damaged.AddMofFolder("/nonexistent-folder-of-class-files");
  EXPECT_TRUE(WmiScriptClassNames(damaged).empty());
}

}  // namespace
}  // namespace quillet::typeinfo

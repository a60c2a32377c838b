// The script host object's library: registered through its class id, or else the library inside
// the program the class names as its server (how a Wine prefix's host program is found).

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "AnalysisFixtures.h"
#include "TempFolder.h"
#include "intellisense/ScriptHostLibrary.h"
#include "platform/TextConvert.h"

namespace quillet::intellisense {
namespace {

std::string HostServerHive(const std::string& serverValue) {
  return "Windows Registry Editor Version 5.00\r\n\r\n"
         "[HKEY_CLASSES_ROOT\\CLSID\\{60254CA2-953B-11CF-8C96-00AA00B8708C}\\LocalServer32]\r\n"
         "@=\"" + serverValue + "\"\r\n";
}

TEST(ScriptHostLibrary, RegisteredLibraryFirstThenTheServerProgramsOwnLibrary) {
  test::SGeneratedClasses classes;
  ASSERT_TRUE(classes.loaded);
  EXPECT_EQ(FindScriptHostLibrary(*classes.registry), test::GeneratedLibrary("IHost.tlb"));

  quillet::test::CTempFolder folder;
  // A host program that carries the library declaring the class, named with switches after it.
  const std::string program = folder.File("wscript.exe");
  std::filesystem::copy_file(std::string(QUILLET_CLASSES_DIR) + "/IHost.tlb", program);
  quillet::test::WriteFile(folder.File("server.reg"), HostServerHive("\\\"" + program + "\\\" //nologo"));
  platform::CClassRegistry server;
  ASSERT_TRUE(server.AddQuilletHive(folder.File("server.reg")));
  EXPECT_EQ(FindScriptHostLibrary(server), platform::Utf8ToUtf16(program));

  // A server program without such a library, and no registration at all: nothing.
  quillet::test::WriteFile(folder.File("other.exe"), "not a library");
  quillet::test::WriteFile(folder.File("other.reg"), HostServerHive(folder.File("other.exe")));
  platform::CClassRegistry other;
  ASSERT_TRUE(other.AddQuilletHive(folder.File("other.reg")));
  EXPECT_EQ(FindScriptHostLibrary(other), u"");
  EXPECT_EQ(FindScriptHostLibrary(platform::CClassRegistry()), u"");
}

}  // namespace
}  // namespace quillet::intellisense

// Shortcut files: what a script saves reads back through CreateShortcut, the bytes carry the
// format's fixed facts where another system looks for them, and a link laid out by hand from the
// format's description (ANSI, with an item list to skip) reads as its target.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "TempFolder.h"
#include "engine/objects/wsh/ShellLink.h"
#include "engine/runtime/DispatchObject.h"
#include "engine/runtime/ScriptError.h"
#include "engine/vm/ScriptEngine.h"
#include "platform/TextConvert.h"
#include "LogObject.h"

namespace quillet::engine {
namespace {

std::string RunScript(const std::string& source) {
  CScriptEngine engine;
  auto* log = new CLogObject();
  engine.AddNamedItem(u"Log", CVariant::Object(log));
  std::string tail;
  try {
    engine.Run(u"Set sh = CreateObject(\"WScript.Shell\")\n" + platform::Utf8ToUtf16(source));
  } catch (const CScriptError& e) {
    tail = "error " + std::to_string(e.Number()) + ": " + platform::Utf16ToUtf8(e.Description());
  }
  std::string out = platform::Utf16ToUtf8(log->lines) + tail;
  engine.Close();
  return out;
}

std::string Hex(std::string_view hex) {
  std::string bytes;
  for (size_t i = 0; i + 1 < hex.size();) {
    if (hex[i] == ' ') {
      ++i;
      continue;
    }
    bytes += static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16));
    i += 2;
  }
  return bytes;
}

uint32_t U32(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value |= static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + i])) << (8 * i);
  return value;
}

TEST(ShellLink, WhatAScriptSavesReadsBack) {
  test::CTempFolder folder;
  const std::string path = folder.File("Editor.lnk");
  EXPECT_EQ(RunScript("Set s = sh.CreateShortcut(\"" + path + "\")\n"
                      "s.TargetPath = \"/usr/bin/env\"\ns.Arguments = \"-i \"\"a b\"\"\"\n"
                      "s.WorkingDirectory = \"/tmp\"\ns.Description = \"Caf\u00e9 editor\"\n"
                      "s.IconLocation = \"/usr/share/icons/e.png, 2\"\ns.Hotkey = \"CTRL+ALT+F\"\ns.WindowStyle = 3\n"
                      "s.Save\n"
                      "Set t = sh.CreateShortcut(\"" + path + "\")\n"
                      "Log t.FullName\nLog t.TargetPath, t.Arguments, t.WorkingDirectory\n"
                      "Log t.Description, t.IconLocation, t.Hotkey, t.WindowStyle, TypeName(t)\n"
                      "t.Hotkey = \"Ctrl+Nothing\""),
            path + "\n/usr/bin/env -i \"a b\" /tmp\nCaf\u00e9 editor /usr/share/icons/e.png,2 Alt+Ctrl+F 3 IWshShortcut\n"
                   "error 5: Invalid procedure call or argument");

  const std::string bytes = test::ReadFile(path);
  ASSERT_GT(bytes.size(), 0x4Cu);
  EXPECT_EQ(bytes.substr(0, 20), Hex("4C000000 0114020000000000C000000000000046"));
  EXPECT_EQ(U32(bytes, 20), 0x2u | 0x4u | 0x10u | 0x20u | 0x40u | 0x80u) << "link info, strings, Unicode";
  EXPECT_EQ(U32(bytes, 56), 2u) << "icon index";
  EXPECT_EQ(U32(bytes, 60), 3u) << "show command";
  EXPECT_EQ(bytes.substr(64, 2), Hex("4606")) << "F with Ctrl and Alt";
  EXPECT_NE(bytes.find("Z:\\usr\\bin\\env"), std::string::npos) << "the target as the other system spells it";
  EXPECT_EQ(bytes.substr(bytes.size() - 4), std::string(4, '\0')) << "the terminal block";

  EXPECT_EQ(RunScript("sh.CreateShortcut \"" + folder.File("x.txt") + "\""),
            "error -2147352567: The shortcut pathname must end with .lnk or .url.");
  test::WriteFile(folder.File("bad.lnk"), "not a link");
  EXPECT_EQ(RunScript("sh.CreateShortcut \"" + folder.File("bad.lnk") + "\""),
            "error -2147352567: The shortcut \"" + folder.File("bad.lnk") + "\" is not a valid shortcut file.");
}

TEST(ShellLink, ShortcutsInTheApplicationsFolderGetADesktopEntry) {
  test::CTempFolder folder;
  folder.IsolateUserFolders();
  const std::string applications = std::string(std::getenv("XDG_DATA_HOME")) + "/applications";
  std::filesystem::create_directories(applications);
  EXPECT_EQ(RunScript("Set s = sh.CreateShortcut(sh.SpecialFolders(\"Programs\") & \"/My Editor.lnk\")\n"
                      "s.TargetPath = \"/opt/my editor/run\"\ns.Arguments = \"--at 100%\"\ns.Description = \"Edits\"\n"
                      "s.Save\n"
                      "Set t = sh.CreateShortcut(\"" + folder.File("elsewhere.lnk") + "\")\nt.TargetPath = \"/bin/true\"\nt.Save"),
            "");
  const std::string entry = applications + "/My Editor.desktop";
  EXPECT_EQ(test::ReadFile(entry),
            "[Desktop Entry]\nType=Application\nExec=\"/opt/my editor/run\" --at 100%%\n"
            "Comment=Edits\nTerminal=false\nName=My Editor\n");
  EXPECT_TRUE((std::filesystem::status(entry).permissions() & std::filesystem::perms::owner_exec) !=
              std::filesystem::perms::none);
  EXPECT_TRUE(std::filesystem::exists(applications + "/My Editor.lnk"));
  EXPECT_FALSE(std::filesystem::exists(folder.File("elsewhere.desktop")));

  // Scripts join folders with a backslash; the file goes into the folder all the same.
  EXPECT_EQ(RunScript("Set j = sh.CreateShortcut(sh.SpecialFolders(\"Programs\") & \"\\Joined.lnk\")\n"
                      "j.TargetPath = \"/bin/true\"\nj.Save\nLog j.FullName"),
            applications + "/Joined.lnk\n");
  EXPECT_TRUE(std::filesystem::exists(applications + "/Joined.desktop"));

  // An Internet shortcut, as Windows writes it, read back; on the desktop, a Link entry beside it.
  const std::string desktop = std::string(std::getenv("HOME")) + "/Desktop";
  std::filesystem::create_directories(desktop);
  EXPECT_EQ(RunScript("Set u = sh.CreateShortcut(sh.SpecialFolders(\"Desktop\") & \"/Site.URL\")\n"
                      "u.TargetPath = \"https://example.org/a?b=1\"\nu.Save\n"
                      "Set v = sh.CreateShortcut(sh.SpecialFolders(\"Desktop\") & \"/Site.URL\")\n"
                      "Log TypeName(v), v.TargetPath, v.FullName"),
            "IWshURLShortcut https://example.org/a?b=1 " + desktop + "/Site.URL\n");
  EXPECT_EQ(test::ReadFile(desktop + "/Site.URL"), "[InternetShortcut]\r\nURL=https://example.org/a?b=1\r\n");
  EXPECT_EQ(test::ReadFile(desktop + "/Site.desktop"),
            "[Desktop Entry]\nType=Link\nURL=https://example.org/a?b=1\nName=Site\n");
}

TEST(ShellLink, ReadsALinkLaidOutByHand) {
  const std::string bytes = Hex(
      "4C000000 0114020000000000C000000000000046 03000000 20000000"
      "000000000000000000000000000000000000000000000000 00000000 00000000 01000000 0000 00000000000000000000"
      "0200 0000"                                               // an item list holding only its end
      "3C000000 1C000000 01000000 1C000000 2D000000 00000000 3B000000"  // LinkInfo, ANSI only
      "11000000 03000000 78563412 10000000 00"                  // the volume: fixed, no label
      "433A5C746573745C612E74787400 00"                         // C:\test\a.txt, then an empty suffix
      "00000000");
  const auto link = wsh::CShellLink::Read(bytes);
  ASSERT_TRUE(link);
  EXPECT_EQ(platform::Utf16ToUtf8(link->targetPath), "C:\\test\\a.txt");
  EXPECT_EQ(link->showCommand, 1u);

  // Cut anywhere, it is refused rather than read past its end.
  for (size_t size = 0; size < 0x4C + 4 + 0x3C; ++size) {
    EXPECT_FALSE(wsh::CShellLink::Read(bytes.substr(0, size))) << size;
  }
  std::string lying = bytes;
  lying[0x4C + 4] = '\x7F';  // a LinkInfo size far past the end
  EXPECT_FALSE(wsh::CShellLink::Read(lying));
}

}  // namespace
}  // namespace quillet::engine

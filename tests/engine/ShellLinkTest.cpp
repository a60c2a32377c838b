// Shortcut files: what a script saves reads back through CreateShortcut, the bytes carry the
// format's fixed facts where another system looks for them, and a shortcut Windows made (its
// bytes written here from a hex table) reads as Windows saw it and matches what we write.

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

// A shortcut to C:\test\a.txt made by Windows, as the format's published example gives its
// bytes: an item list, link info in the ANSI form, a relative path and a working folder, and a
// tracker block before the terminal one.
constexpr std::string_view kWindowsShortcut =
    "4C000000 01140200 00000000 C0000000"   // 0000
    "00000046 9B000800 20000000 D0E9EEF2"   // 0010
    "1515C901 D0E9EEF2 1515C901 D0E9EEF2"   // 0020
    "1515C901 00000000 00000000 01000000"   // 0030
    "00000000 00000000 00000000 BD001400"   // 0040
    "1F50E04F D020EA3A 6910A2D8 08002B30"   // 0050
    "309D1900 2F433A5C 00000000 00000000"   // 0060
    "00000000 00000000 00000000 00310000"   // 0070
    "0000002C 3969A310 00746573 74000032"   // 0080
    "00070004 00EFBE2C 3965A32C 3969A326"   // 0090
    "00000003 1E000000 00F51E00 00000000"   // 00A0
    "00000000 00740065 00730074 00000014"   // 00B0
    "00480032 00000000 002C3969 A3200061"   // 00C0
    "2E747874 00340007 000400EF BE2C3969"   // 00D0
    "A32C3969 A3260000 002D6E00 00000096"   // 00E0
    "01000000 00000000 00000061 002E0074"   // 00F0
    "00780074 00000014 0000003C 0000001C"   // 0100
    "00000001 0000001C 0000002D 00000000"   // 0110
    "0000003B 00000011 00000003 00000081"   // 0120
    "8A7A3010 00000000 433A5C74 6573745C"   // 0130
    "612E7478 74000007 002E005C 0061002E"   // 0140
    "00740078 00740007 0043003A 005C0074"   // 0150
    "00650073 00740060 00000003 0000A058"   // 0160
    "00000000 00000063 68726973 2D787073"   // 0170
    "00000000 00000040 78C79447 FAC746B3"   // 0180
    "565C2DC6 B6D115EC 46CD7B22 7FDD1194"   // 0190
    "99001372 16874A40 78C79447 FAC746B3"   // 01A0
    "565C2DC6 B6D115EC 46CD7B22 7FDD1194"   // 01B0
    "99001372 16874A00 000000";             // 01C0

constexpr size_t kFixtureLinkInfo = 0x10B;
constexpr size_t kFixtureStrings = 0x147;  // the relative path, then the working folder
constexpr size_t kFixtureStringsSize = 0x20;
constexpr uint64_t kFixtureTime = 0x01C91515F2EEE9D0;  // 12 September 2008, 20:27:17 UTC

TEST(ShellLink, ReadsAShortcutWindowsMade) {
  const std::string fixture = Hex(kWindowsShortcut);
  ASSERT_EQ(fixture.size(), 0x1CBu);
  const auto link = wsh::CShellLink::Read(fixture);
  ASSERT_TRUE(link);
  EXPECT_EQ(platform::Utf16ToUtf8(link->targetPath), "C:\\test\\a.txt");
  EXPECT_EQ(platform::Utf16ToUtf8(link->relativePath), ".\\a.txt");
  EXPECT_EQ(platform::Utf16ToUtf8(link->workingDirectory), "C:\\test");
  EXPECT_EQ(link->linkFlags, 0x0008009Bu) << "item list, link info, relative path, working folder, Unicode, metadata";
  EXPECT_EQ(link->fileAttributes, 0x20u) << "archive";
  EXPECT_EQ(link->creationTime, kFixtureTime);
  EXPECT_EQ(link->accessTime, kFixtureTime);
  EXPECT_EQ(link->writeTime, kFixtureTime);
  EXPECT_EQ(link->fileSize, 0u);
  EXPECT_EQ(link->showCommand, 1u);
  EXPECT_EQ(link->hotkey, 0u);
  EXPECT_EQ(link->iconIndex, 0);
  EXPECT_TRUE(link->description.empty() && link->arguments.empty() && link->iconPath.empty());

  // Cut anywhere before its last string, it is refused rather than read past its end.
  for (size_t size = 0; size < kFixtureStrings + kFixtureStringsSize; ++size) {
    EXPECT_FALSE(wsh::CShellLink::Read(fixture.substr(0, size))) << size;
  }
  std::string lying = fixture;
  lying[kFixtureLinkInfo + 1] = '\x7F';  // a link info size far past the end
  EXPECT_FALSE(wsh::CShellLink::Read(lying));
}

// Given the same fields, our writer lays out what it writes as Windows did: the header after
// the flags, and the strings, byte for byte. It leaves out the item list, the metadata flag and
// the tracker block, and writes its link info in both forms, with the volume's serial unknown.
TEST(ShellLink, WritesWhatWindowsWroteForTheSameFields) {
  const std::string fixture = Hex(kWindowsShortcut);
  wsh::SShellLink fields = *wsh::CShellLink::Read(fixture);
  const std::string ours = wsh::CShellLink::Write(fields);

  EXPECT_EQ(ours.substr(0, 20), fixture.substr(0, 20)) << "header size and class";
  EXPECT_EQ(U32(ours, 20), U32(fixture, 20) & ~(0x1u | 0x80000u)) << "the same flags but the two left out";
  EXPECT_EQ(ours.substr(24, 0x4C - 24), fixture.substr(24, 0x4C - 24))
      << "attributes, times, size, icon, show command, hotkey, reserved";

  const size_t info = 0x4C;
  EXPECT_EQ(U32(ours, info + 8), U32(fixture, kFixtureLinkInfo + 8)) << "a volume and a local path";
  EXPECT_EQ(U32(ours, info + U32(ours, info + 12) + 4), 3u) << "a fixed drive, as in the fixture";
  const std::string localPath = fixture.substr(kFixtureLinkInfo + U32(fixture, kFixtureLinkInfo + 16), 14);
  EXPECT_EQ(localPath, std::string("C:\\test\\a.txt") + '\0');
  EXPECT_EQ(ours.substr(info + U32(ours, info + 16), 14), localPath) << "the ANSI local path";

  const size_t strings = info + U32(ours, info);
  EXPECT_EQ(ours.substr(strings, kFixtureStringsSize), fixture.substr(kFixtureStrings, kFixtureStringsSize));
  EXPECT_EQ(ours.substr(strings + kFixtureStringsSize), std::string(4, '\0')) << "then the terminal block";

  // And both read back as the same shortcut.
  const auto again = wsh::CShellLink::Read(ours);
  ASSERT_TRUE(again);
  EXPECT_EQ(again->targetPath, fields.targetPath);
  EXPECT_EQ(again->relativePath, fields.relativePath);
  EXPECT_EQ(again->workingDirectory, fields.workingDirectory);
  EXPECT_EQ(again->writeTime, kFixtureTime);
  EXPECT_EQ(again->fileAttributes, 0x20u);
}

}  // namespace
}  // namespace quillet::engine

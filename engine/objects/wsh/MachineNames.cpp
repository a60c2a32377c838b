#include "engine/objects/wsh/MachineNames.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

#include <netdb.h>
#include <pwd.h>
#include <unistd.h>

#include "platform/AppPaths.h"
#include "platform/TextConvert.h"

extern char** environ;

namespace quillet::engine::wsh {

namespace {

using platform::Utf16ToUtf8;
using platform::Utf8ToUtf16;

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

std::string Home() {
  std::string home = Variable("HOME");
  if (home.empty()) {
    const passwd* entry = ::getpwuid(::getuid());
    if (entry != nullptr && entry->pw_dir != nullptr) home = entry->pw_dir;
  }
  return home;
}

std::string XdgBase(const char* variable, const char* fallback) {
  const std::string value = Variable(variable);
  return value.empty() ? Home() + fallback : value;
}

std::string HostName() {
  char name[256] = {};
  if (::gethostname(name, sizeof name - 1) != 0) return "localhost";
  return name;
}

// A user folder from xdg-user-dirs (user-dirs.dirs), else the folder its tool would make.
std::string XdgUserFolder(std::string_view key, const std::string& fallback) {
  std::ifstream file(XdgBase("XDG_CONFIG_HOME", "/.config") + "/user-dirs.dirs");
  std::string line;
  const std::string prefix = "XDG_" + std::string(key) + "_DIR=\"";
  while (std::getline(file, line)) {
    if (!line.starts_with(prefix) || !line.ends_with('"')) continue;
    std::string value = line.substr(prefix.size(), line.size() - prefix.size() - 1);
    if (value.starts_with("$HOME")) value = Home() + value.substr(5);
    // A folder set to the home folder itself means the user turned it off.
    if (!value.empty() && value != Home() && value != Home() + "/") return value;
  }
  return Home() + "/" + fallback;
}

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && ::strncasecmp(a.data(), b.data(), a.size()) == 0;
}

std::optional<std::string> EnvironmentValue(const std::string& name) {
  if (const char* exact = std::getenv(name.c_str()); exact != nullptr) return std::string(exact);
  for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
    const std::string_view text(*entry);
    const size_t equals = text.find('=');
    if (equals != std::string_view::npos && SameNameIgnoringCase(text.substr(0, equals), name)) {
      return std::string(text.substr(equals + 1));
    }
  }
  return std::nullopt;
}

// The names Windows always sets that Linux spells differently or not at all.
std::optional<std::string> WindowsVariable(const std::string& name) {
  const auto is = [&](std::string_view known) { return SameNameIgnoringCase(name, known); };
  if (is("USERNAME")) return Utf16ToUtf8(UserName());
  if (is("USERDOMAIN")) return Utf16ToUtf8(UserDomain());
  if (is("COMPUTERNAME")) return Utf16ToUtf8(ComputerName());
  if (is("USERPROFILE") || is("HOMEPATH")) return Home();
  if (is("TEMP") || is("TMP")) return platform::SystemTempFolder();
  if (is("APPDATA")) return XdgBase("XDG_CONFIG_HOME", "/.config");
  if (is("LOCALAPPDATA")) return XdgBase("XDG_DATA_HOME", "/.local/share");
  // The Windows folder FileSystemObject names too; drive C: maps it to a folder of our own.
  if (is("SystemRoot") || is("windir")) return std::string("C:\\Windows");
  if (is("ComSpec")) return std::string("/bin/sh");
  if (is("ProgramFiles")) return std::string("/opt");
  if (is("OS")) return std::string("Windows_NT");
  if (is("NUMBER_OF_PROCESSORS")) return std::to_string(std::max(1u, std::thread::hardware_concurrency()));
  return std::nullopt;
}

}  // namespace

std::u16string UserName() {
  if (const passwd* entry = ::getpwuid(::geteuid()); entry != nullptr && entry->pw_name != nullptr) {
    return Utf8ToUtf16(entry->pw_name);
  }
  return Utf8ToUtf16(Variable("USER"));
}

std::u16string ComputerName() {
  std::string name = HostName();
  name = name.substr(0, name.find('.'));
  return Utf8ToUtf16(name);
}

std::u16string UserDomain() {
  const std::string name = HostName();
  const size_t dot = name.find('.');
  if (dot != std::string::npos && dot + 1 < name.size()) return Utf8ToUtf16(name.substr(dot + 1));
  return ComputerName();
}

std::u16string UserProfile() { return Utf8ToUtf16(Home()); }

std::optional<std::u16string> ProcessVariable(std::u16string_view name) {
  const std::string utf8 = Utf16ToUtf8(name);
  if (utf8.empty() || utf8.find('=') != std::string::npos) return std::nullopt;
  if (auto value = EnvironmentValue(utf8)) return Utf8ToUtf16(*value);
  if (auto value = WindowsVariable(utf8)) return Utf8ToUtf16(*value);
  return std::nullopt;
}

std::u16string ExpandVariables(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  size_t at = 0;
  while (at < text.size()) {
    const size_t open = text.find(u'%', at);
    if (open == std::u16string_view::npos) break;
    const size_t close = text.find(u'%', open + 1);
    if (close == std::u16string_view::npos) break;
    out.append(text.substr(at, open - at));
    const auto value = ProcessVariable(text.substr(open + 1, close - open - 1));
    if (value) {
      out += *value;
      at = close + 1;
    } else {
      out.append(text.substr(open, close - open + 1));
      at = close + 1;
    }
  }
  out.append(text.substr(at));
  return out;
}

std::vector<SSpecialFolder> SpecialFolders() {
  const std::string data = XdgBase("XDG_DATA_HOME", "/.local/share");
  const std::string config = XdgBase("XDG_CONFIG_HOME", "/.config");
  const std::string desktop = XdgUserFolder("DESKTOP", "Desktop");
  const std::string ours = platform::DataFolder();
  const std::pair<const char*, std::string> folders[] = {
      {"AllUsersDesktop", desktop},
      {"AllUsersStartMenu", "/usr/share/applications"},
      {"AllUsersPrograms", "/usr/share/applications"},
      {"AllUsersStartup", "/etc/xdg/autostart"},
      {"Desktop", desktop},
      {"Favorites", ours + "/Favorites"},
      {"Fonts", data + "/fonts"},
      {"MyDocuments", XdgUserFolder("DOCUMENTS", "Documents")},
      {"NetHood", ours + "/NetHood"},
      {"PrintHood", ours + "/PrintHood"},
      {"Programs", data + "/applications"},
      {"Recent", data + "/RecentDocuments"},
      {"SendTo", ours + "/SendTo"},
      {"StartMenu", data + "/applications"},
      {"Startup", config + "/autostart"},
      {"Templates", XdgUserFolder("TEMPLATES", "Templates")},
      {"AppData", config},
      {"MyMusic", XdgUserFolder("MUSIC", "Music")},
      {"MyPictures", XdgUserFolder("PICTURES", "Pictures")},
      {"MyVideos", XdgUserFolder("VIDEOS", "Videos")},
  };
  std::vector<SSpecialFolder> list;
  for (const auto& [name, path] : folders) list.push_back({Utf8ToUtf16(name), Utf8ToUtf16(path)});
  return list;
}

}  // namespace quillet::engine::wsh

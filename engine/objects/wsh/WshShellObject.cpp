#include "engine/objects/wsh/WshShellObject.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <syslog.h>
#include <unistd.h>

#include "engine/objects/wsh/DetachedChildren.h"
#include "engine/objects/wsh/MachineNames.h"
#include "engine/objects/wsh/ScriptFile.h"
#include "engine/objects/wsh/ScriptRegistry.h"
#include "engine/objects/wsh/WshClasses.h"
#include "engine/objects/wsh/WshCollectionObject.h"
#include "engine/objects/wsh/WshEnvironmentObject.h"
#include "engine/objects/wsh/WshErrors.h"
#include "engine/objects/wsh/WshExecObject.h"
#include "engine/objects/wsh/WshShortcutObject.h"
#include "engine/objects/wsh/WshUrlShortcutObject.h"
#include "engine/vm/RuntimeState.h"
#include "platform/CommandLineSplit.h"
#include "platform/DriveMap.h"
#include "platform/ProcessLauncher.h"
#include "platform/TextConvert.h"

namespace quillet::engine {

namespace {

bool Given(const CVariant& arg) { return !arg.Deref().IsMissing(); }

// The user's registry folder is read at each call, so that a host that changes the user's
// folders (tests) is followed.
wsh::CScriptRegistry Registry() { return wsh::CScriptRegistry(wsh::CScriptRegistry::DefaultFolder()); }

// The levels LogEvent's types stand for: success, error, warning, information, audit
// success, audit failure.
int SyslogPriority(int32_t type) {
  switch (type) {
    case 1: return LOG_ERR;
    case 2: return LOG_WARNING;
    case 16: return LOG_WARNING;
    case 8: return LOG_NOTICE;
    default: return LOG_INFO;
  }
}

// The message box with a time-out needs a display; without one nobody can answer, so the
// message goes to standard error and the answer is the time-out's, at once.
bool HasDisplay() {
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 != nullptr && *x11 != 0) || (wayland != nullptr && *wayland != 0);
}

bool IsDrivePath(std::u16string_view word) {
  return word.size() >= 3 && ((word[0] >= u'A' && word[0] <= u'Z') || (word[0] >= u'a' && word[0] <= u'z')) &&
         word[1] == u':' && (word[2] == u'\\' || word[2] == u'/');
}

// A program named by a drive path (W:\tools\prog.exe) is the file the drive map puts there, as
// FileSystemObject would open it. The arguments go to the program as they were written: only
// the program knows which of them are paths, and it may well expect the drive form.
std::u16string ProgramOnThisSystem(const std::u16string& command) {
  const std::vector<std::u16string> words = platform::SplitCommandLine(command);
  if (words.empty() || !IsDrivePath(words.front())) return command;
  const platform::CDriveMap drives = platform::CDriveMap::ForUser();
  const platform::SHostPath host =
      drives.ToHost(drives.Absolute(words.front(), platform::CDriveMap::CurrentFolder()));
  // A quote cannot be written inside a quoted program name.
  if (host.problem != platform::EHostPathProblem::None || host.path.find('"') != std::string::npos) {
    throw CScriptError(wsh::kFileNotFound, u"The system cannot find the file specified.");
  }
  return u"\"" + platform::Utf8ToUtf16(host.path) + u"\"" + command.substr(platform::ProgramNameLength(command));
}

}  // namespace

CWshShellObject::CWshShellObject() : CAutomationObject(DispatchTableOf<kWshShellClass>()) {}

CDispatchObject* NewWshShell() { return new CWshShellObject(); }

CVariant CWshShellObject::InvokeMember(const om::SMember& member, std::span<CVariant> args) {
  namespace id = wsh_shell_id;
  switch (member.dispId) {
    case id::SpecialFolders: return SpecialFolders();
    case id::Environment: return Environment(args[0]);
    case id::Run: return Run(args);
    case id::Popup: return Popup(args);
    case id::CreateShortcut: return CreateShortcut(args[0].Deref().ToString());
    case id::ExpandEnvironmentStrings: return CVariant::String(wsh::ExpandVariables(args[0].Deref().ToString()));
    case id::RegRead: return Registry().Read(args[0].Deref().ToString());
    case id::RegWrite: {
      const std::u16string type = Given(args[2]) ? args[2].Deref().ToString() : std::u16string();
      Registry().Write(args[0].Deref().ToString(), args[1], type);
      return {};
    }
    case id::RegDelete: Registry().Delete(args[0].Deref().ToString()); return {};
    case id::LogEvent: return LogEvent(args);
    // No window of this system can be found by a title the script knows.
    case id::AppActivate: return CVariant::Boolean(false);
    case id::SendKeys: wsh::ThrowNotAvailable(u"SendKeys");
    case id::Exec: return Exec(args[0].Deref().ToString());
    case id::CurrentDirectory:
      if (member.kind == om::EMemberKind::PropertyGet) return CurrentDirectory();
      SetCurrentDirectory(args[0]);
      return {};
    default: ThrowNoSuchMember();
  }
}

CVariant CWshShellObject::SpecialFolders() {
  std::vector<CWshCollectionObject::SItem> items;
  for (wsh::SSpecialFolder& folder : wsh::SpecialFolders()) items.push_back({folder.name, folder.path});
  return CVariant::Object(new CWshCollectionObject(std::move(items)));
}

// Without an argument Windows hands out the System variables.
CVariant CWshShellObject::Environment(const CVariant& scope) {
  const auto named = Given(scope) ? CWshEnvironmentObject::ScopeNamed(scope.Deref().ToString())
                                  : CWshEnvironmentObject::EScope::System;
  return CVariant::Object(new CWshEnvironmentObject(named));
}

platform::CChildProcess CWshShellObject::Start(const std::u16string& given, bool streams) {
  wsh::ReapDetachedChildren();
  const platform::CProcessLauncher launcher;
  const std::u16string command = ProgramOnThisSystem(given);
  const std::vector<std::u16string> words = platform::SplitCommandLine(command);
  if (words.empty() || launcher.FindProgram(words.front()).empty()) {
    throw CScriptError(wsh::kFileNotFound, u"The system cannot find the file specified.");
  }
  auto started = streams ? launcher.LaunchWithSeparateError(command) : launcher.Launch(command, false);
  if (auto* failure = std::get_if<std::u16string>(&started)) throw CScriptError(wsh::kUnspecifiedError, *failure);
  return std::move(std::get<platform::CChildProcess>(started));
}

// Only .lnk and .url name shortcuts.
CVariant CWshShellObject::CreateShortcut(const std::u16string& path) {
  const std::u16string lower = platform::LowerAscii(path);
  const bool internet = lower.ends_with(u".url");
  if (!internet && !lower.ends_with(u".lnk")) {
    throw CScriptError(static_cast<int>(0x80020009u), u"The shortcut pathname must end with .lnk or .url.");
  }
  std::u16string fullName = wsh::ResolveScriptFile(path).scriptPath;
  if (internet) return CVariant::Object(new CWshUrlShortcutObject(std::move(fullName)));
  return CVariant::Object(new CWshShortcutObject(std::move(fullName)));
}

CVariant CWshShellObject::Exec(const std::u16string& command) {
  return CVariant::Object(new CWshExecObject(Start(command, true)));
}

CVariant CWshShellObject::Run(std::span<CVariant> args) {
  const std::u16string command = args[0].Deref().ToString();
  if (Given(args[1])) (void)args[1].Deref().ToLong();  // the window style: checked; there is no window to style
  const bool wait = Given(args[2]) && args[2].Deref().ToBool();
  platform::CChildProcess child = Start(command, false);
  if (!wait) {
    wsh::AdoptDetachedChild(child.Detach());
    return CVariant::Long(0);
  }
  while (!child.HasEnded(60'000)) {
  }
  return CVariant::Long(child.ExitCode());
}

CVariant CWshShellObject::Popup(std::span<CVariant> args) {
  const std::u16string text = args[0].Deref().ToString();
  const int32_t seconds = Given(args[1]) ? args[1].Deref().ToLong() : 0;
  const std::u16string title = Given(args[2]) ? args[2].Deref().ToString() : CurrentRuntime().hostName;
  const int32_t type = Given(args[3]) ? args[3].Deref().ToLong() : 0;
  if (CurrentRuntime().dialogs == nullptr || !HasDisplay()) {
    const std::string line = platform::Utf16ToUtf8(title + u": " + text) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
    return CVariant::Long(-1);
  }
  if (seconds <= 0) return CVariant::Long(CurrentDialogs().MessageBox(text, type, title));
  return CVariant::Long(CurrentDialogs().MessageBoxWithTimeout(text, type, title, seconds));
}

CVariant CWshShellObject::LogEvent(std::span<CVariant> args) {
  const int32_t type = args[0].Deref().ToLong();
  const std::string message = platform::Utf16ToUtf8(args[1].Deref().ToString());
  ::syslog(LOG_USER | SyslogPriority(type), "%s", message.c_str());
  return CVariant::Boolean(true);
}

CVariant CWshShellObject::CurrentDirectory() {
  std::vector<char> buffer(4096);
  while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE) throw CScriptError(wsh::kUnspecifiedError, u"The current folder cannot be read.");
    buffer.resize(buffer.size() * 2);
  }
  return CVariant::String(platform::Utf8ToUtf16(buffer.data()));
}

void CWshShellObject::SetCurrentDirectory(const CVariant& folder) {
  const std::u16string text = folder.Deref().ToString();
  if (text.empty() || ::chdir(wsh::ResolveScriptFile(text).hostPath.c_str()) != 0) {
    throw CScriptError(static_cast<int>(0x80070003u), u"The system cannot find the path specified.");
  }
}

}  // namespace quillet::engine

#include "engine/objects/wsh/WshUrlShortcutObject.h"

#include <filesystem>
#include <sstream>

#include "engine/objects/wsh/DesktopEntry.h"
#include "engine/objects/wsh/ScriptFile.h"
#include "engine/objects/wsh/WshClasses.h"
#include "engine/objects/wsh/WshErrors.h"
#include "platform/AtomicFileWriter.h"
#include "platform/FileBytes.h"
#include "platform/TextConvert.h"

namespace quillet::engine {

namespace {

constexpr int kDispatchException = static_cast<int>(0x80020009u);

}  // namespace

CWshUrlShortcutObject::CWshUrlShortcutObject(std::u16string fullName)
    : CAutomationObject(DispatchTableOf<kWshUrlShortcutClass>()), m_fullName(std::move(fullName)) {
  std::error_code error;
  if (std::filesystem::exists(wsh::ResolveScriptFile(m_fullName).hostPath, error)) Load(m_fullName);
}

CVariant CWshUrlShortcutObject::InvokeMember(const om::SMember& member, std::span<CVariant> args) {
  namespace id = wsh_shortcut_id;
  switch (member.dispId) {
    case id::FullName: return CVariant::String(m_fullName);
    case id::TargetPath:
      if (member.kind == om::EMemberKind::PropertyGet) return CVariant::String(m_target);
      m_target = args[0].Deref().ToString();
      return {};
    case id::Load: Load(args[0].Deref().ToString()); return {};
    case id::Save: Save(); return {};
    default: ThrowNoSuchMember();
  }
}

// The URL line of the [InternetShortcut] section; other sections and keys are left alone.
void CWshUrlShortcutObject::Load(const std::u16string& path) {
  std::string bytes;
  if (!platform::ReadFileBytes(wsh::ResolveScriptFile(path).hostPath, bytes)) {
    throw CScriptError(wsh::kFileNotFound, u"The system cannot find the file specified.");
  }
  std::istringstream lines(bytes);
  std::string line;
  bool inSection = false;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.starts_with('[')) {
      inSection = platform::EqualsIgnoringAsciiCase(platform::Utf8ToUtf16(line), u"[InternetShortcut]");
    } else if (inSection && line.size() > 4 &&
               platform::EqualsIgnoringAsciiCase(platform::Utf8ToUtf16(line.substr(0, 4)), u"URL=")) {
      m_target = platform::Utf8ToUtf16(line.substr(4));
    }
  }
}

void CWshUrlShortcutObject::Save() const {
  const std::string text = "[InternetShortcut]\r\nURL=" + wsh::EntryValue(m_target) + "\r\n";
  platform::CAtomicFileWriter writer(wsh::ResolveScriptFile(m_fullName).hostPath, "url");
  if (!writer.Open() || !writer.Write(text) || !writer.Commit()) {
    throw CScriptError(kDispatchException, u"Unable to save shortcut \"" + m_fullName + u"\".");
  }
  if (wsh::InDesktopFolder(wsh::ResolveScriptFile(m_fullName).hostPath)) {
    wsh::WriteDesktopEntry(wsh::ResolveScriptFile(m_fullName).hostPath, "Type=Link\nURL=" + wsh::EntryValue(m_target) + "\n");
  }
}

}  // namespace quillet::engine

#include "engine/objects/wsh/WshShortcutObject.h"

#include <filesystem>

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

CWshShortcutObject::CWshShortcutObject(std::u16string fullName)
    : CAutomationObject(DispatchTableOf<kWshShortcutClass>()), m_fullName(std::move(fullName)) {
  std::error_code error;
  if (std::filesystem::exists(wsh::ResolveScriptFile(m_fullName).hostPath, error)) Load(m_fullName);
}

CVariant CWshShortcutObject::InvokeMember(const om::SMember& member, std::span<CVariant> args) {
  namespace id = wsh_shortcut_id;
  const bool get = member.kind == om::EMemberKind::PropertyGet;
  const auto text = [&] { return args[0].Deref().ToString(); };
  const auto property = [&](std::u16string& field) -> CVariant {
    if (get) return CVariant::String(field);
    field = text();
    return {};
  };
  switch (member.dispId) {
    case id::FullName: return CVariant::String(m_fullName);
    case id::Arguments: return property(m_link.arguments);
    case id::Description: return property(m_link.description);
    case id::TargetPath: return property(m_link.targetPath);
    case id::WorkingDirectory: return property(m_link.workingDirectory);
    case id::RelativePath: m_link.relativePath = text(); return {};
    case id::IconLocation:
      if (get) return CVariant::String(IconLocation());
      SetIconLocation(text());
      return {};
    case id::Hotkey: {
      if (get) return CVariant::String(wsh::CShellLink::HotkeyText(m_link.hotkey));
      const auto hotkey = wsh::CShellLink::ParseHotkey(text());
      if (!hotkey) throw CScriptError(err::InvalidCall);
      m_link.hotkey = *hotkey;
      return {};
    }
    case id::WindowStyle:
      if (get) return CVariant::Long(static_cast<int32_t>(m_link.showCommand));
      m_link.showCommand = static_cast<uint32_t>(args[0].Deref().ToLong());
      return {};
    case id::Load: Load(text()); return {};
    case id::Save: Save(); return {};
    default: ThrowNoSuchMember();
  }
}

void CWshShortcutObject::Load(const std::u16string& path) {
  std::string bytes;
  if (!platform::ReadFileBytes(wsh::ResolveScriptFile(path).hostPath, bytes)) {
    throw CScriptError(wsh::kFileNotFound, u"The system cannot find the file specified.");
  }
  auto link = wsh::CShellLink::Read(bytes);
  if (!link) throw CScriptError(kDispatchException, u"The shortcut \"" + path + u"\" is not a valid shortcut file.");
  m_link = std::move(*link);
}

void CWshShortcutObject::Save() const {
  platform::CAtomicFileWriter writer(wsh::ResolveScriptFile(m_fullName).hostPath, "lnk");
  if (!writer.Open() || !writer.Write(wsh::CShellLink::Write(m_link)) || !writer.Commit()) {
    throw CScriptError(kDispatchException, u"Unable to save shortcut \"" + m_fullName + u"\".");
  }
  if (wsh::InDesktopFolder(wsh::ResolveScriptFile(m_fullName).hostPath)) SaveDesktopEntry();
}

void CWshShortcutObject::SaveDesktopEntry() const {
  // In Exec a % starts a field code and a path with blanks is quoted.
  std::string target = wsh::EntryValue(m_link.targetPath);
  if (target.find(' ') != std::string::npos) target = "\"" + target + "\"";
  const std::string command = target + (m_link.arguments.empty() ? "" : " " + wsh::EntryValue(m_link.arguments));
  std::string escaped;
  for (const char c : command) escaped += c == '%' ? std::string("%%") : std::string(1, c);
  std::string lines = "Type=Application\nExec=" + escaped + "\n";
  if (!m_link.description.empty()) lines += "Comment=" + wsh::EntryValue(m_link.description) + "\n";
  if (!m_link.workingDirectory.empty()) lines += "Path=" + wsh::EntryValue(m_link.workingDirectory) + "\n";
  if (!m_link.iconPath.empty()) lines += "Icon=" + wsh::EntryValue(m_link.iconPath) + "\n";
  lines += "Terminal=false\n";
  wsh::WriteDesktopEntry(wsh::ResolveScriptFile(m_fullName).hostPath, lines);
}

// "path,index", as the property reads on Windows.
std::u16string CWshShortcutObject::IconLocation() const {
  return m_link.iconPath + u"," + platform::Utf8ToUtf16(std::to_string(m_link.iconIndex));
}

void CWshShortcutObject::SetIconLocation(std::u16string_view text) {
  const size_t comma = text.rfind(u',');
  m_link.iconIndex = 0;
  if (comma != std::u16string_view::npos) {
    const std::u16string index(text.substr(comma + 1));
    m_link.iconIndex = CVariant::String(index).ToLong();
    text = text.substr(0, comma);
  }
  m_link.iconPath = std::u16string(text);
}

}  // namespace quillet::engine

#include "engine/objects/wsh/WshShortcutObject.h"

#include <filesystem>

#include "engine/objects/wsh/MachineNames.h"
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
  if (std::filesystem::exists(platform::TextToFileName(m_fullName), error)) Load(m_fullName);
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
  if (!platform::ReadFileBytes(platform::TextToFileName(path), bytes)) {
    throw CScriptError(wsh::kFileNotFound, u"The system cannot find the file specified.");
  }
  auto link = wsh::CShellLink::Read(bytes);
  if (!link) throw CScriptError(kDispatchException, u"The shortcut \"" + path + u"\" is not a valid shortcut file.");
  m_link = std::move(*link);
}

void CWshShortcutObject::Save() const {
  platform::CAtomicFileWriter writer(platform::TextToFileName(m_fullName), "lnk");
  if (!writer.Open() || !writer.Write(wsh::CShellLink::Write(m_link)) || !writer.Commit()) {
    throw CScriptError(kDispatchException, u"Unable to save shortcut \"" + m_fullName + u"\".");
  }
  if (InDesktopFolder()) SaveDesktopEntry();
}

// The Linux desktop shows neither .lnk files on the desktop nor in its menus: a shortcut saved
// in one of those folders gets a desktop entry beside it.
bool CWshShortcutObject::InDesktopFolder() const {
  std::error_code error;
  const auto folder = std::filesystem::weakly_canonical(
      std::filesystem::path(platform::TextToFileName(m_fullName)).parent_path(), error);
  if (error) return false;
  for (const wsh::SSpecialFolder& special : wsh::SpecialFolders()) {
    if (special.name != u"Desktop" && special.name != u"Programs") continue;
    const auto candidate = std::filesystem::weakly_canonical(platform::TextToFileName(special.path), error);
    if (!error && candidate == folder) return true;
  }
  return false;
}

void CWshShortcutObject::SaveDesktopEntry() const {
  const std::filesystem::path link(platform::TextToFileName(m_fullName));
  const auto entryText = [](std::u16string_view text) {
    std::string out;
    for (const char c : platform::Utf16ToUtf8(text)) {
      if (c == '\n' || c == '\r') continue;
      out += c;
    }
    return out;
  };
  // In Exec a % starts a field code and a path with blanks is quoted.
  std::string target = entryText(m_link.targetPath);
  if (target.find(' ') != std::string::npos) target = "\"" + target + "\"";
  std::string command = target + (m_link.arguments.empty() ? "" : " " + entryText(m_link.arguments));
  std::string escaped;
  for (const char c : command) escaped += c == '%' ? std::string("%%") : std::string(1, c);
  std::string entry = "[Desktop Entry]\nType=Application\nName=" + link.stem().string() + "\nExec=" + escaped + "\n";
  if (!m_link.description.empty()) entry += "Comment=" + entryText(m_link.description) + "\n";
  if (!m_link.workingDirectory.empty()) entry += "Path=" + entryText(m_link.workingDirectory) + "\n";
  if (!m_link.iconPath.empty()) entry += "Icon=" + entryText(m_link.iconPath) + "\n";
  entry += "Terminal=false\n";
  const auto path = link.parent_path() / (link.stem().string() + ".desktop");
  platform::CAtomicFileWriter writer(path.string(), "desktop");
  if (!writer.Open() || !writer.Write(entry) || !writer.Commit()) {
    throw CScriptError(kDispatchException, u"Unable to save shortcut \"" + platform::FileNameToText(path.string()) + u"\".");
  }
  // Desktops launch only entries marked executable.
  std::error_code ignored;
  std::filesystem::permissions(path, std::filesystem::perms::owner_exec | std::filesystem::perms::group_exec |
                                         std::filesystem::perms::others_exec,
                               std::filesystem::perm_options::add, ignored);
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

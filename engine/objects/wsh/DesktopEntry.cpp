#include "engine/objects/wsh/DesktopEntry.h"

#include <filesystem>

#include "engine/objects/wsh/MachineNames.h"
#include "engine/runtime/ScriptError.h"
#include "platform/AtomicFileWriter.h"
#include "platform/TextConvert.h"

namespace quillet::engine::wsh {

bool InDesktopFolder(const std::string& shortcutHostPath) {
  std::error_code error;
  const auto folder = std::filesystem::weakly_canonical(std::filesystem::path(shortcutHostPath).parent_path(), error);
  if (error) return false;
  for (const SSpecialFolder& special : SpecialFolders()) {
    if (special.name != u"Desktop" && special.name != u"Programs") continue;
    const auto candidate = std::filesystem::weakly_canonical(platform::TextToFileName(special.path), error);
    if (!error && candidate == folder) return true;
  }
  return false;
}

std::string EntryValue(std::u16string_view text) {
  std::string out;
  for (const char c : platform::Utf16ToUtf8(text)) {
    if (c != '\n' && c != '\r') out += c;
  }
  return out;
}

void WriteDesktopEntry(const std::string& shortcutHostPath, const std::string& lines) {
  const std::filesystem::path link(shortcutHostPath);
  const auto path = link.parent_path() / (link.stem().string() + ".desktop");
  const std::string entry = "[Desktop Entry]\n" + lines + "Name=" + link.stem().string() + "\n";
  platform::CAtomicFileWriter writer(path.string(), "desktop");
  if (!writer.Open() || !writer.Write(entry) || !writer.Commit()) {
    throw CScriptError(static_cast<int>(0x80020009u),
                       u"Unable to save shortcut \"" + platform::FileNameToText(path.string()) + u"\".");
  }
  std::error_code ignored;
  std::filesystem::permissions(path,
                               std::filesystem::perms::owner_exec | std::filesystem::perms::group_exec |
                                   std::filesystem::perms::others_exec,
                               std::filesystem::perm_options::add, ignored);
}

}  // namespace quillet::engine::wsh

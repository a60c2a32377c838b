#pragma once
// The drive letters scripts see on Linux. Z: is the root of the file system; C: is the folder
// drive_c of the application-data folder, made the first time a path needs it; the settings
// section "Drives" adds letters (a value named "D" or "D:" holding an absolute folder) or moves
// these two. Every object that takes paths from scripts reads them through here, so that all of
// them agree on what "C:\x" is.

#include <string>
#include <string_view>
#include <vector>

#include "platform/ScriptPath.h"

namespace quillet::platform {

enum class EHostPathProblem {
  None,
  UnmappedDrive,  // a letter that names no folder: Windows' "Disk not ready"
  NetworkShare,   // "\\server\share": no shares are reached from here
  BadName,        // a name no file can have (a NUL character)
};

struct SHostPath {
  std::string path;  // the file's name on Linux, empty when there is a problem
  EHostPathProblem problem = EHostPathProblem::None;
};

class CDriveMap {
 public:
  // No letters at all; Map adds them.
  CDriveMap() = default;
  // Z:, C: and the user's settings.
  [[nodiscard]] static CDriveMap ForUser();
  // The process's current folder; empty when it cannot be named (it was removed).
  [[nodiscard]] static std::string CurrentFolder();

  // folder: an absolute Linux path. A later mapping of a letter replaces an earlier one.
  void Map(char16_t letter, std::string folder, bool makeOnFirstUse = false);
  // The mapped letters, upper case, in alphabetical order.
  [[nodiscard]] std::u16string Letters() const;
  // The folder behind a letter (either case); null when the letter names none. A folder that is
  // to be made on first use is made here.
  [[nodiscard]] const std::string* FolderOf(char16_t letter) const;

  // Windows' reading of a path string, made absolute: relative paths against currentFolder (a
  // Linux path, "/" when empty), "C:x" against the current folder when that lies on C:, else
  // against C:'s root. Nothing is looked up on disk.
  [[nodiscard]] CScriptPath Absolute(std::u16string_view text, std::string_view currentFolder) const;
  // The Linux name of a script path.
  [[nodiscard]] SHostPath ToHost(const CScriptPath& path) const;
  // The letter whose folder holds hostPath most closely (Z: holds everything); 0 when none does.
  [[nodiscard]] char16_t LetterHolding(std::string_view hostPath) const;
  // A Linux path as a drive path under that letter; a POSIX path when no letter holds it.
  [[nodiscard]] CScriptPath FromHost(std::string_view hostPath) const;

 private:
  struct SDrive {
    char16_t letter;
    std::string folder;
    bool makeOnFirstUse;
  };
  [[nodiscard]] const SDrive* Find(char16_t letter) const;
  [[nodiscard]] std::vector<std::u16string> NamesBelowDriveFolder(char16_t letter, std::string_view hostPath) const;

  std::vector<SDrive> m_drives;
};

}  // namespace quillet::platform

#pragma once
// Where Quillet keeps its files on Linux, following the XDG base-directory rules.

#include <string>

namespace quillet::platform {

// $XDG_CONFIG_HOME/Kelmarsh/Quillet (~/.config/... when unset).
[[nodiscard]] std::string ConfigFolder();
// ConfigFolder()/settings.reg
[[nodiscard]] std::string SettingsFilePath();
// $XDG_DATA_HOME/Kelmarsh/Quillet (~/.local/share/... when unset): the application-data folder.
[[nodiscard]] std::string DataFolder();
// DataFolder()/Temp: copies of scripts being run.
[[nodiscard]] std::string TempFolderPath();
// The system's temporary folder ($TMPDIR or /tmp).
[[nodiscard]] std::string SystemTempFolder();

}  // namespace quillet::platform

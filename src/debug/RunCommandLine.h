#pragma once
// The host command line of a run, from the run mode, the logo option and the arguments box. The
// debugger's start builds its own line and shares everything else.

#include <string>
#include <string_view>

namespace quillet::app {
class CSettings;
}

namespace quillet::debug {

struct SRunMode {
  bool consoleMode = true;
  bool redirect = true;
  bool displayLogo = true;
  std::u16string consoleHost = u"CScript";  // the console host's name without ".exe"

  // "Debug"/"ConsoleMode", "Debug"/"RedirectConsole", "Options"/"DisplayLogo", "Engine"/"CScript".
  [[nodiscard]] static SRunMode FromSettings(const app::CSettings& settings);
  // Whether the output goes through the output window.
  [[nodiscard]] bool IsRedirected() const { return consoleMode && redirect; }
};

// The script path is always quoted and followed by one blank, also without arguments.
[[nodiscard]] std::u16string BuildRunCommandLine(const SRunMode& mode, std::u16string_view runPath,
                                                 std::u16string_view arguments);

// The same with the debugging switch: a host that looks for the editor's debugger. Without
// redirection the console host is always cscript, whatever host the settings name.
[[nodiscard]] std::u16string BuildDebugCommandLine(const SRunMode& mode, std::u16string_view runPath,
                                                   std::u16string_view arguments);

}  // namespace quillet::debug

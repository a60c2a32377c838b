#include "debug/RunCommandLine.h"

#include "base/SettingsInventory.h"

namespace quillet::debug {

SRunMode SRunMode::FromSettings(const app::CSettings& settings) {
  SRunMode mode;
  mode.consoleMode = settings.Read(app::settings::ConsoleMode) != 0;
  mode.redirect = settings.Read(app::settings::RedirectConsole) != 0;
  mode.displayLogo = settings.Read(app::settings::DisplayLogo) != 0;
  mode.consoleHost = settings.Read(app::settings::ConsoleHost);
  return mode;
}

std::u16string BuildRunCommandLine(const SRunMode& mode, std::u16string_view runPath,
                                   std::u16string_view arguments) {
  std::u16string line;
  if (!mode.consoleMode) {
    // The windowed host shows its logo nowhere, so the option does not reach it.
    line = u"wscript.exe ";
  } else {
    line = mode.consoleHost + u".exe ";
    // Redirected output is read as UTF-16, whatever the user's code page.
    if (mode.redirect) line += u"//U ";
    if (!mode.displayLogo) line += u"//nologo ";
  }
  line += u'"';
  line += runPath;
  line += u"\" ";
  line += arguments;
  return line;
}

std::u16string BuildDebugCommandLine(const SRunMode& mode, std::u16string_view runPath,
                                     std::u16string_view arguments) {
  std::u16string line;
  if (!mode.consoleMode) {
    line = u"wscript.exe";
  } else if (!mode.redirect) {
    line = u"cscript.exe ";
    if (!mode.displayLogo) line += u" //nologo";
  } else {
    line = mode.consoleHost + u".exe //U";
    if (!mode.displayLogo) line += u" //nologo";
  }
  line += u" //D \"";
  line += runPath;
  line += u"\" ";
  line += arguments;
  return line;
}

}  // namespace quillet::debug

#pragma once
// The host's command line: switches (//name, before the script path), the script path, then
// the script's own arguments, which are never read as switches.

#include <string>
#include <vector>

namespace quillet::engine::host {

struct SHostCommandLine {
  bool logo = true;
  bool unicodeOutput = false;  // //U: UTF-16LE on standard output and error
  bool debug = false;          // //D
  bool batch = false;          // //B: no user interaction, errors are not shown
  bool help = false;           // //?
  int timeoutSeconds = 0;      // //T:nn, 0 for none
  std::string scriptPath;
  std::vector<std::string> arguments;
  std::string error;           // set when the line is not usable; the message to show
};

[[nodiscard]] SHostCommandLine ParseHostCommandLine(const std::vector<std::string>& args);

}  // namespace quillet::engine::host

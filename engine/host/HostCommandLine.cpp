#include "engine/host/HostCommandLine.h"

#include <cctype>

namespace quillet::engine::host {

namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool ParseSwitch(const std::string& arg, SHostCommandLine& line) {
  const std::string name = Lower(arg.substr(2));
  if (name == "nologo") line.logo = false;
  else if (name == "logo") line.logo = true;
  else if (name == "u") line.unicodeOutput = true;
  else if (name == "d" || name == "x") line.debug = true;
  else if (name == "b") line.batch = true;
  else if (name == "i") line.batch = false;
  else if (name == "?") line.help = true;
  else if (name == "e:vbscript" || name == "e:vbs") return true;
  else if (name == "s" || name == "h:cscript") return true;  // settings and host choice: nothing to keep
  else if (name.rfind("t:", 0) == 0) {
    const std::string digits = name.substr(2);
    if (digits.empty() || digits.size() > 5) return false;
    for (char c : digits) {
      if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    }
    line.timeoutSeconds = std::stoi(digits);
  } else {
    return false;
  }
  return true;
}

}  // namespace

SHostCommandLine ParseHostCommandLine(const std::vector<std::string>& args) {
  SHostCommandLine line;
  size_t i = 0;
  for (; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.size() >= 2 && arg[0] == '/' && arg[1] == '/') {
      if (!ParseSwitch(arg, line)) {
        line.error = "Input Error: Unknown option \"" + arg + "\" specified.";
        return line;
      }
      continue;
    }
    line.scriptPath = arg;
    ++i;
    break;
  }
  for (; i < args.size(); ++i) line.arguments.push_back(args[i]);
  return line;
}

}  // namespace quillet::engine::host

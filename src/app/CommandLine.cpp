#include "app/CommandLine.h"

namespace quillet::app {

SCommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  SCommandLine result;
  bool optionsEnded = false;
  // The first argument is the program.
  for (size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (!optionsEnded && argument == "--") {
      optionsEnded = true;
      continue;
    }
    if (!optionsEnded && argument.size() > 1 && argument[0] == '-') continue;
    if (!result.fileToOpen) result.fileToOpen = argument;
  }
  return result;
}

}  // namespace quillet::app

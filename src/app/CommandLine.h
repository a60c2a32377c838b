#pragma once
// The command line: an optional script to open. Options (anything starting with "-") belong to
// the toolkit or are ignored; "--" ends them, so that a script named "-x.vbs" can be opened.

#include <optional>
#include <string>
#include <vector>

namespace quillet::app {

struct SCommandLine {
  std::optional<std::string> fileToOpen;
};

[[nodiscard]] SCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

}  // namespace quillet::app

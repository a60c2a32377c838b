#pragma once
// The printers of the print system (CUPS), read through its library when it is installed; none
// when it is not, or when no print server answers.

#include <string>
#include <utility>
#include <vector>

namespace quillet::engine::wsh {

struct SPrinter {
  std::u16string port;  // the device the print system sends to, else the printer's name
  std::u16string name;
  bool isDefault = false;
  // The print system's settings of the printer ("printer-location", "printer-make-and-model"...).
  std::vector<std::pair<std::string, std::string>> options;
};

[[nodiscard]] std::vector<SPrinter> Printers();

}  // namespace quillet::engine::wsh

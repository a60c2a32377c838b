#pragma once
// The printers of the print system (CUPS), read through its library when it is installed; none
// when it is not, or when no print server answers.

#include <string>
#include <vector>

namespace quillet::engine::wsh {

struct SPrinter {
  std::u16string port;  // the device the print system sends to, else the printer's name
  std::u16string name;
};

[[nodiscard]] std::vector<SPrinter> Printers();

}  // namespace quillet::engine::wsh

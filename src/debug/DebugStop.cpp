#include "debug/DebugStop.h"

#include <cstdio>

namespace quillet::debug {

std::string SErrorStop::MessageText() const {
  // Script errors are shown as the automation status codes their numbers stand for.
  const unsigned code = number < 0 || number > 0xFFFF ? static_cast<unsigned>(number)
                                                      : 0x800A0000u | static_cast<unsigned>(number);
  char hex[16];
  std::snprintf(hex, sizeof hex, "%X", code);
  return "Line:\t" + std::to_string(line) + "\nColumn:\t" + std::to_string(column) + "\nError:\t" + description +
         "\nCode:\t" + hex + "\nSource:\t" + source;
}

}  // namespace quillet::debug

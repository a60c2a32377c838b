#pragma once
// Where and why the debugged script stopped, as the editor shows it.

#include <optional>
#include <string>

namespace quillet::debug {

struct SErrorStop {
  int line = 0;
  int column = 0;
  std::string description;
  int number = 0;
  std::string source;  // the text of the line in error

  // The message box text: line, column, description, the status code in hexadecimal, source.
  [[nodiscard]] std::string MessageText() const;
};

struct SDebugStop {
  std::string reason;  // "entry", "step", "breakpoint", "pause" or "exception"
  int line = 0;        // counted from 1; 0 when the host could not say
  std::optional<SErrorStop> error;
};

}  // namespace quillet::debug

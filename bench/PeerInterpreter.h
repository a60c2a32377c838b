#pragma once
// Another language's interpreter on this machine (lua5.4, python3), to time the same program
// beside ours in the same run. The program reports its own checksum and the processor time it
// took, so that neither the interpreter's start-up nor a busy machine's waiting counts.

#include <optional>
#include <string>

namespace quillet::bench {

struct SPeerResult {
  std::string checksum;
  double seconds = 0;
};

class CPeerInterpreter {
 public:
  // prologue: code put before every program; it defines report(value), which prints the
  // checksum and then the seconds since the prologue ran, each on a line of its own.
  CPeerInterpreter(std::string command, std::string extension, std::string prologue);

  // Empty when the command is not on PATH: the comparison is then left out quietly.
  [[nodiscard]] static std::optional<CPeerInterpreter> Find(const std::string& command, const std::string& extension,
                                                            const std::string& prologue);

  [[nodiscard]] const std::string& Command() const { return m_command; }
  [[nodiscard]] const std::string& Extension() const { return m_extension; }
  // The prologue and the program, as the interpreter runs it.
  [[nodiscard]] std::string Source(const std::string& program) const { return m_prologue + program; }
  // Empty when the program could not be run or did not report.
  [[nodiscard]] std::optional<SPeerResult> Run(const std::string& program) const;

 private:
  std::string m_command;  // full path
  std::string m_extension;
  std::string m_prologue;
};

}  // namespace quillet::bench

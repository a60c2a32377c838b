#pragma once
// One process as /proc/<pid>/ shows it, read by the rules that every process listing of the
// program shares (the management service's Win32_Process and the editor's running scripts), so
// that both name and describe a process alike.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillet::platform {

// The fields of /proc/<pid>/stat after the command name, which is in parentheses and may hold
// spaces and parentheses itself.
struct SProcStat {
  std::string comm;
  std::vector<std::string> fields;  // fields[0] is the state (field 3 of the file)

  // A numeric field by its number in the file (proc(5) counts from 1); 0 when absent.
  [[nodiscard]] uint64_t Number(size_t fileField) const;
  // Ended but not yet collected by its parent: gone for anyone listing processes.
  [[nodiscard]] bool HasEnded() const { return fields[0] == "Z" || fields[0] == "X"; }
};

// The stat of the process folder ("/proc/123"), or nullopt when the process has gone.
[[nodiscard]] std::optional<SProcStat> ReadProcStat(const std::string& folder);
// The same, but nullopt as soon as the command name shows the process is not wanted: a listing
// that keeps few of a thousand processes then splits few stat lines into fields.
[[nodiscard]] std::optional<SProcStat> ReadProcStatIf(const std::string& folder,
                                                      const std::function<bool(std::string_view comm)>& wanted);

// The arguments joined by spaces, as a command line; empty for kernel threads. firstArgument
// receives the program as it was started.
[[nodiscard]] std::string ReadProcCommandLine(const std::string& folder, std::string& firstArgument);

// The program's name as Windows gives an image name: the name the program was started by when
// the kernel's (cut to 15 characters) is its beginning, else the kernel's.
[[nodiscard]] std::string ProcessImageName(const std::string& comm, const std::string& firstArgument);

// A folder of /proc that is a process: its name is all digits.
[[nodiscard]] bool IsProcessFolderName(const char* name);

}  // namespace quillet::platform

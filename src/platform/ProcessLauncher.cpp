#include "platform/ProcessLauncher.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>

#include "platform/CommandLineSplit.h"
#include "platform/TextConvert.h"

extern char** environ;

namespace quillet::platform {
namespace {

[[nodiscard]] bool IsExecutableFile(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error) && ::access(path.c_str(), X_OK) == 0;
}

[[nodiscard]] std::vector<std::string> Spellings(const std::string& name) {
  std::vector<std::string> names{name};
  const std::string lowerName = Utf16ToUtf8(LowerAscii(Utf8ToUtf16(name)));
  if (lowerName.size() > 4 && lowerName.ends_with(".exe")) {
    names.push_back(name.substr(0, name.size() - 4));
    names.push_back(lowerName.substr(0, lowerName.size() - 4));
  }
  names.push_back(lowerName);
  return names;
}

[[nodiscard]] std::vector<std::string> SearchFolders(const std::string& ownFolder) {
  std::vector<std::string> folders;
  if (!ownFolder.empty()) folders.push_back(ownFolder);
  const char* path = std::getenv("PATH");
  std::string_view rest = path ? path : "";
  while (!rest.empty()) {
    const size_t colon = rest.find(':');
    const std::string_view folder = rest.substr(0, colon);
    if (!folder.empty()) folders.emplace_back(folder);
    rest = colon == std::string_view::npos ? std::string_view{} : rest.substr(colon + 1);
  }
  return folders;
}

struct SPipe {
  int read = -1;
  int write = -1;
};

// Close-on-exec everywhere: dup2 in the child clears the flag on the copies it makes, so no other
// descriptor of the editor leaks into the script.
[[nodiscard]] bool MakePipe(SPipe& pipe) {
  std::array<int, 2> fds{};
  if (::pipe2(fds.data(), O_CLOEXEC) != 0) return false;
  pipe = {fds[0], fds[1]};
  return true;
}

void ClosePipe(SPipe& pipe) {
  if (pipe.read >= 0) ::close(pipe.read);
  if (pipe.write >= 0) ::close(pipe.write);
  pipe = {};
}

class CSpawnSetup {
 public:
  CSpawnSetup() {
    posix_spawn_file_actions_init(&m_actions);
    posix_spawnattr_init(&m_attributes);
  }
  ~CSpawnSetup() {
    posix_spawn_file_actions_destroy(&m_actions);
    posix_spawnattr_destroy(&m_attributes);
  }
  CSpawnSetup(const CSpawnSetup&) = delete;
  CSpawnSetup& operator=(const CSpawnSetup&) = delete;

  void Redirect(const SPipe& input, const SPipe& output, const SPipe& error) {
    posix_spawn_file_actions_adddup2(&m_actions, input.read, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&m_actions, output.write, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&m_actions, error.write >= 0 ? error.write : output.write, STDERR_FILENO);
    // Detached: no controlling terminal, and one group to end on Stop. The editor ignores
    // SIGPIPE so that typing to an ended script is a failed write, not a crash; the script
    // gets the default back.
    std::signal(SIGPIPE, SIG_IGN);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&m_attributes, &defaults);
    posix_spawnattr_setflags(&m_attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGDEF);
  }

  void Silence() {
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
      posix_spawn_file_actions_addopen(&m_actions, fd, "/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY, 0);
    }
    sigset_t defaults;
    sigfillset(&defaults);
    posix_spawnattr_setsigdefault(&m_attributes, &defaults);
    posix_spawnattr_setflags(&m_attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGDEF);
  }

  void WorkIn(const std::string& folder) { posix_spawn_file_actions_addchdir_np(&m_actions, folder.c_str()); }

  [[nodiscard]] int Spawn(pid_t& pid, const std::string& program, const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    return posix_spawn(&pid, program.c_str(), &m_actions, &m_attributes, argv.data(), environ);
  }

 private:
  posix_spawn_file_actions_t m_actions{};
  posix_spawnattr_t m_attributes{};
};

}  // namespace

std::string OwnProgramFolder() {
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : self.parent_path().string();
}

CProcessLauncher::CProcessLauncher() : m_programFolder(OwnProgramFolder()) {}

std::string CProcessLauncher::FindProgram(std::u16string_view name) const {
  const std::string utf8 = Utf16ToUtf8(name);
  if (utf8.empty()) return {};
  if (utf8.find('/') != std::string::npos) {
    for (const std::string& spelling : Spellings(utf8)) {
      if (IsExecutableFile(spelling)) return spelling;
    }
    return {};
  }
  for (const std::string& folder : SearchFolders(m_programFolder)) {
    for (const std::string& spelling : Spellings(utf8)) {
      const std::string candidate = folder + "/" + spelling;
      if (IsExecutableFile(candidate)) return candidate;
    }
  }
  return {};
}

std::variant<CChildProcess, std::u16string> CProcessLauncher::Launch(std::u16string_view commandLine,
                                                                     bool redirect) const {
  return Start(commandLine, redirect ? EStreams::Redirected : EStreams::Inherited, {});
}

std::variant<CChildProcess, std::u16string> CProcessLauncher::LaunchWithSeparateError(
    std::u16string_view commandLine) const {
  return Start(commandLine, EStreams::SeparateError, {});
}

std::variant<CChildProcess, std::u16string> CProcessLauncher::LaunchInTerminal(
    std::u16string_view commandLine) const {
  const std::string terminal = FindProgram(kTerminalProgram);
  if (terminal.empty()) return Start(commandLine, EStreams::Inherited, {});
  return Start(commandLine, EStreams::Inherited, {terminal, "-e"});
}

std::variant<CChildProcess, std::u16string> CProcessLauncher::LaunchDetached(std::u16string_view commandLine,
                                                                             const std::string& workingFolder) const {
  return Start(commandLine, EStreams::Nothing, {}, workingFolder);
}

std::variant<CChildProcess, std::u16string> CProcessLauncher::Start(std::u16string_view commandLine, EStreams streams,
                                                                    std::vector<std::string> argv,
                                                                    const std::string& workingFolder) const {
  const std::vector<std::u16string> args = SplitCommandLine(commandLine);
  if (args.front().empty()) return std::u16string(u"The command line names no program.");
  const std::string host = FindProgram(args.front());
  if (host.empty()) {
    return args.front() + u" was found neither beside the editor nor on the PATH.";
  }
  const size_t hostIndex = argv.size();
  for (const std::u16string& arg : args) argv.push_back(Utf16ToUtf8(arg));
  argv[hostIndex] = host;
  const std::string program = argv.front();

  SPipe input, output, error;
  CSpawnSetup setup;
  if (!workingFolder.empty()) setup.WorkIn(workingFolder);
  if (streams == EStreams::Nothing) {
    setup.Silence();
  } else if (streams != EStreams::Inherited) {
    if (!MakePipe(input) || !MakePipe(output) || (streams == EStreams::SeparateError && !MakePipe(error))) {
      ClosePipe(input);
      ClosePipe(output);
      return std::u16string(u"The pipes for the script's input and output could not be made.");
    }
    setup.Redirect(input, output, error);
  }
  pid_t pid = -1;
  const int spawnError = setup.Spawn(pid, program, argv);
  // The child's ends belong to the child alone from here on.
  if (input.read >= 0) ::close(input.read);
  if (output.write >= 0) ::close(output.write);
  if (error.write >= 0) ::close(error.write);
  if (spawnError != 0) {
    if (input.write >= 0) ::close(input.write);
    if (output.read >= 0) ::close(output.read);
    if (error.read >= 0) ::close(error.read);
    return Utf8ToUtf16(program + ": " + std::strerror(spawnError));
  }
  return CChildProcess(pid, input.write, output.read, error.read);
}

}  // namespace quillet::platform

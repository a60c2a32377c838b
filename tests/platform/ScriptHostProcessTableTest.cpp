// The script hosts of the machine read from /proc: which programs count as hosts, what is read
// of each, and ending one, including one that has ended or whose id was listed long ago.

#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "Unprivileged.h"
#include "platform/ScriptHostProcessTable.h"
#include "platform/TextConvert.h"

extern char** environ;

namespace quillet::platform {
namespace {

// A copy of the test child under the given name, waiting for a signal; killed and collected at
// the end of the test whatever happens.
class CNamedChild {
 public:
  CNamedChild(const test::CTempFolder& folder, const std::string& name) {
    const std::string program = folder.File(name);
    std::filesystem::copy_file(QUILLET_TEST_CHILD, program, std::filesystem::copy_options::overwrite_existing);
    std::vector<char*> argv{const_cast<char*>(program.c_str()), const_cast<char*>("forever"), nullptr};
    if (posix_spawn(&m_pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) m_pid = -1;
  }
  ~CNamedChild() {
    if (m_pid <= 0) return;
    kill(m_pid, SIGKILL);
    (void)Collect();
  }
  CNamedChild(const CNamedChild&) = delete;
  CNamedChild& operator=(const CNamedChild&) = delete;

  [[nodiscard]] pid_t Pid() const { return m_pid; }
  // Waits for the child's end; its wait status.
  int Collect() {
    int status = 0;
    waitpid(m_pid, &status, 0);
    m_pid = -1;
    return status;
  }

 private:
  pid_t m_pid = -1;
};

const SScriptHostProcess* Find(const std::vector<SScriptHostProcess>& list, pid_t pid) {
  const auto found = std::find_if(list.begin(), list.end(), [&](const SScriptHostProcess& p) { return p.processId == pid; });
  return found == list.end() ? nullptr : &*found;
}

// The list once every given child shows in it as the program it runs, not the test's own copy
// still about to exec; bounded, so a missing child fails rather than hangs.
std::vector<SScriptHostProcess> ListShowing(const CScriptHostProcessTable& table, const std::vector<pid_t>& pids) {
  std::vector<SScriptHostProcess> list;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  do {
    int error = 0;
    list = table.List(error).value_or(std::vector<SScriptHostProcess>());
    if (std::all_of(pids.begin(), pids.end(), [&](pid_t pid) { return Find(list, pid) != nullptr; })) break;
  } while (std::chrono::steady_clock::now() < deadline);
  return list;
}

TEST(ScriptHostProcessTable, ListsTheHostsByImageNameWithoutRegardToCase) {
  test::CTempFolder folder;
  CNamedChild console(folder, "cscript");
  CNamedChild windowed(folder, "WScript.exe");
  CNamedChild other(folder, "MyHost");
  CNamedChild longer(folder, "cscripts");
  ASSERT_GT(console.Pid(), 0);

  const CScriptHostProcessTable table(u"CScript");
  EXPECT_TRUE(table.IsScriptHost("CSCRIPT.EXE"));
  EXPECT_FALSE(table.IsScriptHost("cscript.ex"));
  const std::vector<SScriptHostProcess> list = ListShowing(table, {console.Pid(), windowed.Pid()});
  const SScriptHostProcess* found = Find(list, console.Pid());
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->name, u"cscript");
  EXPECT_EQ(found->commandLine, Utf8ToUtf16(folder.File("cscript") + " forever"));
  EXPECT_LE(std::abs(found->creationTime - std::time(nullptr)), 30);
  ASSERT_NE(Find(list, windowed.Pid()), nullptr);
  EXPECT_EQ(Find(list, windowed.Pid())->name, u"WScript.exe");
  EXPECT_EQ(Find(list, other.Pid()), nullptr);
  EXPECT_EQ(Find(list, longer.Pid()), nullptr);

  // Another console host named in the settings takes the place of cscript.
  const CScriptHostProcessTable renamed(u"MyHost");
  const std::vector<SScriptHostProcess> second = ListShowing(renamed, {other.Pid(), windowed.Pid()});
  EXPECT_NE(Find(second, other.Pid()), nullptr);
  EXPECT_NE(Find(second, windowed.Pid()), nullptr);
  EXPECT_EQ(Find(second, console.Pid()), nullptr);
}

TEST(ScriptHostProcessTable, TerminatesOnlyTheProcessThatWasListed) {
  test::CTempFolder folder;
  CNamedChild first(folder, "cscript");
  CNamedChild second(folder, "cscript.exe");
  const CScriptHostProcessTable table(u"cscript");
  const std::vector<SScriptHostProcess> list = ListShowing(table, {first.Pid(), second.Pid()});
  ASSERT_NE(Find(list, first.Pid()), nullptr);
  ASSERT_NE(Find(list, second.Pid()), nullptr);

  // An id listed for a process that started at another time now names a newcomer: left alone.
  SScriptHostProcess stale = *Find(list, second.Pid());
  stale.startTicks += 1;
  EXPECT_EQ(CScriptHostProcessTable::Terminate(stale), ESRCH);
  EXPECT_EQ(kill(second.Pid(), 0), 0);

  const SScriptHostProcess listed = *Find(list, first.Pid());
  EXPECT_EQ(CScriptHostProcessTable::Terminate(listed), 0);
  const int status = first.Collect();
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
  EXPECT_EQ(CScriptHostProcessTable::Terminate(listed), ESRCH);  // ended meanwhile

  // Another user's process is refused with the system's reason.
  if (geteuid() == 0) {
    const SScriptHostProcess theirs = *Find(list, second.Pid());
    EXPECT_EQ(test::RunUnprivileged([&] { return CScriptHostProcessTable::Terminate(theirs) == EPERM ? 0 : 1; }), 0);
    EXPECT_EQ(kill(second.Pid(), 0), 0);
  }
}

}  // namespace
}  // namespace quillet::platform

// "Running scripts" on a crowded machine: the benchmark starts 1,000 idle processes and a few
// script hosts among them, then times one refresh of the dialog's list (the /proc listing and
// the rows brought up to date) and the listing alone, against `ps -eo pid,comm,args` read to
// the end in the same run. Target: one refresh under 20 ms.
//
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_running_scripts [--processes N] [--repeat N]
//      (defaults 1000 and 30; each figure is the median of the repeats)

#include <unistd.h>

#include <QApplication>
#include <QTreeWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "ChildProcesses.h"
#include "ProgramOutput.h"
#include "app/ui/ProcessesDlg.h"
#include "platform/ScriptHostProcessTable.h"

namespace {

using quillet::bench::Median;
using quillet::bench::MillisecondsOf;
using quillet::bench::CountOutputLines;

constexpr double kTargetRefreshMs = 20.0;
constexpr size_t kHosts = 5;

// Copies of the test child named "cscript", each waiting for a signal; they die with the benchmark.
class CHostChildren {
 public:
  explicit CHostChildren(size_t count) {
    m_folder = std::filesystem::temp_directory_path() / ("quillet-bench-hosts-" + std::to_string(getpid()));
    std::filesystem::create_directories(m_folder);
    const std::string program = (m_folder / "cscript").string();
    std::filesystem::copy_file(QUILLET_TEST_CHILD, program, std::filesystem::copy_options::overwrite_existing);
    m_children.Start(count, program, "forever");
  }
  // The folder goes first: a running program's file can be unlinked, and the children follow.
  ~CHostChildren() {
    std::error_code ignored;
    std::filesystem::remove_all(m_folder, ignored);
  }
  CHostChildren(const CHostChildren&) = delete;
  CHostChildren& operator=(const CHostChildren&) = delete;

 private:
  std::filesystem::path m_folder;
  quillet::bench::CChildProcesses m_children;
};

}  // namespace

int main(int argc, char** argv) {
  size_t processes = 1000;
  int repeat = 30;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--processes") == 0) processes = std::strtoul(argv[i + 1], nullptr, 10);
    if (std::strcmp(argv[i], "--repeat") == 0) repeat = std::max(1, std::atoi(argv[i + 1]));
  }
  // The children come before the application, so that none is a copy of a running Qt program.
  quillet::bench::CChildProcesses crowd;
  const size_t started = crowd.Start(processes);
  CHostChildren hosts(kHosts);
  int qtArgc = 1;
  QApplication application(qtArgc, argv);

  quillet::app::CProcessesDlg dialog(u"CScript");
  const quillet::platform::CScriptHostProcessTable table(u"CScript");
  std::vector<double> refresh, listing, ps;
  size_t rows = 0, listed = 0, psLines = 0;
  for (int i = 0; i < repeat; ++i) {
    refresh.push_back(MillisecondsOf([&] { dialog.Refresh(); }));
    rows = static_cast<size_t>(dialog.List()->topLevelItemCount());
    listing.push_back(MillisecondsOf([&] {
      int error = 0;
      listed = table.List(error).value_or(std::vector<quillet::platform::SScriptHostProcess>()).size();
    }));
    ps.push_back(MillisecondsOf([&] { psLines = CountOutputLines({"ps", "-eo", "pid,comm,args"}); }));
  }
  const double refreshMs = Median(refresh);
  std::printf("idle processes started: %zu; hosts listed: %zu (rows %zu); lines ps printed: %zu\n", started, listed,
              rows, psLines);
  std::printf("one refresh of the running scripts list: %.2f ms (target under %.0f ms): %s\n", refreshMs,
              kTargetRefreshMs, refreshMs < kTargetRefreshMs ? "met" : "MISSED");
  std::printf("the /proc listing alone: %.2f ms\n", Median(listing));
  std::printf("baseline, ps -eo pid,comm,args: %.2f ms (ratio refresh / ps %.2f)\n", Median(ps),
              Median(ps) > 0 ? refreshMs / Median(ps) : 0.0);
  return refreshMs < kTargetRefreshMs ? 0 : 1;
}

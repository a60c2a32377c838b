// FileSystemObject against CPython 3 in the same run, each program timing itself in processor
// seconds: reading a 100 MB text file with ReadLine (Python: for line in open(...)), writing
// 1,000,000 lines with WriteLine (Python: f.write(line + "\r\n")) and For Each over a tree of
// 100,000 files reading Name and Size (Python: os.walk with os.stat). Target: at most 2 times
// Python's time for each. Without python3 on PATH, only our times are printed.
//
// Run: build/bench/bench_file_system [--repeat N]   (the files go to a temporary folder that is
//      removed at the end)

#include <fcntl.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "PeerInterpreter.h"
#include "BenchHost.h"
#include "engine/runtime/DispatchObject.h"
#include "engine/runtime/ScriptError.h"
#include "engine/vm/ScriptEngine.h"
#include "platform/AppPaths.h"
#include "platform/TextConvert.h"

namespace {

using quillet::bench::CPeerInterpreter;
using quillet::bench::SPeerResult;
using quillet::engine::CDispatchObject;
using quillet::engine::CScriptEngine;
using quillet::engine::CVariant;
using quillet::engine::EInvokeKind;

constexpr double kMaxRatioToPython = 2.0;
constexpr size_t kReadBytes = 100u << 20;
constexpr int kFolders = 100;
constexpr int kFilesPerFolder = 1000;

const char* const kPythonPrologue = R"py(import time as __time
__start = __time.process_time()
def report(value):
    print(value)
    print("%.6f" % (__time.process_time() - __start))
)py";

struct SCase {
  std::string name;
  std::string vbscript;
  std::string python;
};

double ProcessSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

std::optional<SPeerResult> RunOurs(const SCase& test) {
  CScriptEngine engine;
  auto* host = new quillet::bench::CBenchHost();
  engine.AddNamedItem(u"Bench", CVariant::Object(host));
  const double start = ProcessSeconds();
  try {
    engine.Run(quillet::platform::Utf8ToUtf16(test.vbscript));
  } catch (const quillet::engine::CScriptError& error) {
    std::printf("%-10s error %d at line %d\n", test.name.c_str(), error.Number(), error.Line());
    return std::nullopt;
  }
  return SPeerResult{quillet::platform::Utf16ToUtf8(host->checksum), ProcessSeconds() - start};
}

template <typename RunFn>
std::optional<SPeerResult> Median(int repeat, RunFn&& run) {
  std::vector<SPeerResult> results;
  for (int i = 0; i < repeat; ++i) {
    std::optional<SPeerResult> result = run();
    if (!result) return std::nullopt;
    results.push_back(*result);
  }
  std::sort(results.begin(), results.end(), [](const SPeerResult& a, const SPeerResult& b) { return a.seconds < b.seconds; });
  return results[results.size() / 2];
}

bool MakeTextFile(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  std::string block;
  for (int i = 0; block.size() < (1u << 20); ++i) {
    block += "line " + std::to_string(i) + ": the quick brown fox jumps over the lazy dog\r\n";
  }
  for (size_t written = 0; written < kReadBytes; written += block.size()) std::fwrite(block.data(), 1, block.size(), file);
  return std::fclose(file) == 0;
}

// 100 folders of 1,000 files, in two levels; file i has i % 100 bytes (holes, not data).
bool MakeTree(const std::string& root) {
  for (int folder = 0; folder < kFolders; ++folder) {
    const std::string path = root + "/group" + std::to_string(folder / 10) + "/folder" + std::to_string(folder);
    std::error_code error;
    std::filesystem::create_directories(path, error);
    if (error) return false;
    for (int i = 0; i < kFilesPerFolder; ++i) {
      const std::string file = path + "/file" + std::to_string(i) + ".dat";
      const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (fd < 0 || ::ftruncate(fd, i % 100) != 0) return false;
      ::close(fd);
    }
  }
  return true;
}

std::vector<SCase> Cases(const std::string& folder) {
  const std::string text = folder + "/read.txt";
  const std::string written = folder + "/written.txt";
  const std::string tree = folder + "/tree";
  return {
      {"readline",
       "Set fso = CreateObject(\"Scripting.FileSystemObject\")\n"
       "Set ts = fso.OpenTextFile(\"" + text + "\")\n"
       "n = 0\n"
       "Do Until ts.AtEndOfStream\n"
       "  line = ts.ReadLine\n"
       "  n = n + 1\n"
       "Loop\n"
       "ts.Close\n"
       "Bench.Report n\n",
       "n = 0\n"
       "for line in open(\"" + text + "\"):\n"
       "    n = n + 1\n"
       "report(n)\n"},
      {"writeline",
       "Set fso = CreateObject(\"Scripting.FileSystemObject\")\n"
       "Set ts = fso.CreateTextFile(\"" + written + "\", True)\n"
       "For i = 1 To 1000000\n"
       "  ts.WriteLine \"The quick brown fox jumps over the lazy dog\"\n"
       "Next\n"
       "ts.Close\n"
       "Bench.Report i - 1\n",
       "f = open(\"" + written + "\", \"w\", newline=\"\")\n"
       "line = \"The quick brown fox jumps over the lazy dog\"\n"
       "for i in range(1, 1000001):\n"
       "    f.write(line + \"\\r\\n\")\n"
       "f.close()\n"
       "report(i)\n"},
      {"foreach",
       "Set fso = CreateObject(\"Scripting.FileSystemObject\")\n"
       "Dim count, total, names\n"
       "Sub Walk(folder)\n"
       "  Dim f, s\n"
       "  For Each f In folder.Files\n"
       "    count = count + 1\n"
       "    names = names + Len(f.Name)\n"
       "    total = total + f.Size\n"
       "  Next\n"
       "  For Each s In folder.SubFolders\n"
       "    Walk s\n"
       "  Next\n"
       "End Sub\n"
       "count = 0 : total = 0 : names = 0\n"
       "Walk fso.GetFolder(\"" + tree + "\")\n"
       "Bench.Report count & \" \" & names & \" \" & total\n",
       "import os\n"
       "count = 0\n"
       "names = 0\n"
       "total = 0\n"
       "for folder, subfolders, files in os.walk(\"" + tree + "\"):\n"
       "    for name in files:\n"
       "        count = count + 1\n"
       "        names = names + len(name)\n"
       "        total = total + os.stat(os.path.join(folder, name)).st_size\n"
       "report(str(count) + \" \" + str(names) + \" \" + str(total))\n"},
  };
}

bool RunCase(const SCase& test, const std::optional<CPeerInterpreter>& python, int repeat) {
  const auto ours = Median(repeat, [&] { return RunOurs(test); });
  if (!ours) return false;
  std::printf("%-10s %7.3f s", test.name.c_str(), ours->seconds);
  if (!python) {
    std::printf(" %9s %7s        %s\n", "-", "-", ours->checksum.c_str());
    return true;
  }
  const auto theirs = Median(repeat, [&] { return python->Run(test.python); });
  if (!theirs) {
    std::printf(" %9s %7s        %s\n", "failed", "-", ours->checksum.c_str());
    return true;
  }
  const double ratio = ours->seconds / theirs->seconds;
  const bool same = theirs->checksum == ours->checksum;
  const bool ok = ratio <= kMaxRatioToPython && same;
  std::printf(" %7.3f s %7.2f   %-4s  %s%s\n", theirs->seconds, ratio, ok ? "ok" : "SLOW", ours->checksum.c_str(),
              same ? "" : (" python3 computed " + theirs->checksum).c_str());
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  int repeat = 1;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--repeat") == 0) repeat = std::max(1, std::atoi(argv[++i]));
  }
  std::string folder = quillet::platform::SystemTempFolder() + "/quillet-bench-fso-XXXXXX";
  if (::mkdtemp(folder.data()) == nullptr) {
    std::perror("mkdtemp");
    return 1;
  }
  const bool made = MakeTextFile(folder + "/read.txt") && MakeTree(folder + "/tree");
  if (!made) std::fprintf(stderr, "cannot make the test files in %s\n", folder.c_str());
  bool ok = made;
  const std::optional<CPeerInterpreter> python = CPeerInterpreter::Find("python3", ".py", kPythonPrologue);
  std::printf("%-10s %9s %9s %7s   %-4s  %s\n", "case", "ours", "python3", "ratio", "", "checksum");
  for (const SCase& test : Cases(folder)) {
    if (made) ok = RunCase(test, python, repeat) && ok;
  }
  std::printf("target: at most %.0f times Python's time\n", kMaxRatioToPython);
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  return ok ? 0 : 1;
}

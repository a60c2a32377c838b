// WScript.Shell's two hot paths, each beside a baseline of the same run:
//   - Exec of a child writing 100 MB, read with ReadAll, against the same child writing to
//     /dev/null (limit: 2 times), and against making a fresh string of 100 M characters, the
//     least any reader that hands the script one string must do (our own figure: 2 times);
//   - 10,000 RegRead calls of one value after the first, against the same number of stat calls
//     on the hive file, the least a read that notices another script's write can do (the issue's
//     figure is at most 10 ms in total; the ratio is printed for the record).

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "BenchMain.h"
#include "engine/objects/wsh/ScriptRegistry.h"
#include "engine/vm/ScriptEngine.h"
#include "platform/ProcessLauncher.h"

namespace {

using namespace quillet;

// The tests' child program writes 100 MB in large writes, so that the figure is the reader's.
const std::u16string& Producer() {
  static const std::u16string command = u"\"" QUILLET_TEST_CHILD_U u"\" out-bytes 104857600 x";
  return command;
}

void BM_ExecReadAll100MB(benchmark::State& state) {
  std::u16string quoted;
  for (const char16_t c : Producer()) quoted += c == u'"' ? std::u16string(u"\"\"") : std::u16string(1, c);
  for (auto _ : state) {
    engine::CScriptEngine engine;
    engine.Run(u"Set e = CreateObject(\"WScript.Shell\").Exec(\"" + quoted +
               u"\")\ns = e.StdOut.ReadAll\nIf Len(s) <> 104857600 Then Err.Raise 5\n");
    engine.Close();
  }
}

// The same child with its output on /dev/null: what starting it and writing cost by themselves.
void BM_ChildToDevNull(benchmark::State& state) {
  const platform::CProcessLauncher launcher;
  const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
  const int saved = ::dup(STDOUT_FILENO);
  for (auto _ : state) {
    ::dup2(null, STDOUT_FILENO);
    auto started = launcher.Launch(Producer(), false);
    ::dup2(saved, STDOUT_FILENO);
    auto& child = std::get<platform::CChildProcess>(started);
    while (!child.HasEnded(60'000)) {
    }
  }
  ::close(saved);
  ::close(null);
}

// The least any reader that hands a script 100 MB as one string must do: make a string of
// 100 M characters in fresh memory. On these machines fresh memory is what costs most.
void BM_FreshString100M(benchmark::State& state) {
  for (auto _ : state) {
    std::u16string text(104857600, u'x');
    benchmark::DoNotOptimize(text.data());
  }
}

struct SRegistryFolder {
  std::string path = (std::filesystem::temp_directory_path() / "quillet-bench-registry").string();
  SRegistryFolder() {
    std::filesystem::create_directories(path);
    engine::wsh::CScriptRegistry(path).Write(u"HKCU\\Software\\Bench\\Value", engine::CVariant::String(u"text"),
                                             u"REG_SZ");
  }
  ~SRegistryFolder() { std::filesystem::remove_all(path); }
};

const SRegistryFolder& RegistryFolder() {
  static const SRegistryFolder folder;
  return folder;
}

void BM_RegRead10000(benchmark::State& state) {
  const engine::wsh::CScriptRegistry registry(RegistryFolder().path);
  (void)registry.Read(u"HKCU\\Software\\Bench\\Value");
  for (auto _ : state) {
    for (int i = 0; i < 10000; ++i) benchmark::DoNotOptimize(registry.Read(u"HKCU\\Software\\Bench\\Value"));
  }
}

void BM_Stat10000(benchmark::State& state) {
  const std::string file = RegistryFolder().path + "/HKCU.reg";
  for (auto _ : state) {
    for (int i = 0; i < 10000; ++i) {
      struct stat info{};
      benchmark::DoNotOptimize(::stat(file.c_str(), &info));
    }
  }
}

BENCHMARK(BM_ExecReadAll100MB)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ChildToDevNull)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FreshString100M)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RegRead10000)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Stat10000)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
  return quillet::bench::RunWithRatios(
      argc, argv,
      {{"BM_ExecReadAll100MB/iterations:3", "BM_ChildToDevNull/iterations:3", 2.0},
       {"BM_ExecReadAll100MB/iterations:3", "BM_FreshString100M/iterations:3", 2.0},
       {"BM_RegRead10000/iterations:5", "BM_Stat10000/iterations:5", 10.0}});
}

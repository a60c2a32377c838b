// The software providers of the management service, each beside a baseline of the same run:
//   - 10 queries "Select * from Win32_Service" against reading the same unit files 10 times
//     (listing the folders, reading each file);
//   - 10 queries for the files of /usr/bin (CIM_DataFile, Drive and Path) against listing the
//     folder and reading each entry's facts 10 times (each instance also formats three CIM
//     datetimes and asks for read and write access, which the bare listing does not);
//   - 10,000 StdRegProv GetStringValue calls against as many RegRead calls of the same value;
//   - 100 Win32_Process.Create calls of "true" against the launcher starting it 100 times.
// The user folders are pointed at a temporary folder first: the registry written is a scratch one.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "BenchMain.h"
#include "engine/objects/wsh/DetachedChildren.h"
#include "engine/objects/wsh/ScriptRegistry.h"
#include "engine/vm/ScriptEngine.h"
#include "platform/ProcessLauncher.h"

namespace {

using namespace quillet;

void RunScript(std::u16string_view source) {
  engine::CScriptEngine engine;
  engine.Run(source);
  engine.Close();
}

void BM_ServiceQuery10(benchmark::State& state) {
  for (auto _ : state) {
    RunScript(u"Set svc = GetObject(\"winmgmts:\\\\.\\root\\cimv2\")\n"
              u"For i = 1 To 10 : n = svc.ExecQuery(\"Select * from Win32_Service\").Count : Next\n");
  }
}

void BM_ReadUnitFiles10(benchmark::State& state) {
  for (auto _ : state) {
    for (int i = 0; i < 10; ++i) {
      for (const char* folder : {"/etc/systemd/system", "/run/systemd/system", "/usr/local/lib/systemd/system",
                                 "/lib/systemd/system", "/usr/lib/systemd/system"}) {
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
          if (entry.path().extension() != ".service") continue;
          std::ifstream file(entry.path());
          const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
          benchmark::DoNotOptimize(text.size());
        }
      }
    }
  }
}

void BM_FolderQuery10(benchmark::State& state) {
  for (auto _ : state) {
    RunScript(u"Set svc = GetObject(\"winmgmts:\\\\.\\root\\cimv2\")\n"
              u"For i = 1 To 10\n"
              u"  n = svc.ExecQuery(\"Select * from CIM_DataFile Where Drive = 'Z:' And Path = '\\\\usr\\\\bin\\\\'\").Count\n"
              u"Next\n");
  }
}

void BM_ListFolder10(benchmark::State& state) {
  for (auto _ : state) {
    for (int i = 0; i < 10; ++i) {
      std::error_code error;
      for (const auto& entry : std::filesystem::directory_iterator("/usr/bin", error)) {
        struct statx facts{};
        benchmark::DoNotOptimize(
            statx(AT_FDCWD, entry.path().c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &facts));
      }
    }
  }
}

void BM_GetStringValue10000(benchmark::State& state) {
  for (auto _ : state) {
    RunScript(u"Set reg = GetObject(\"winmgmts:\\\\.\\root\\default:StdRegProv\")\n"
              u"For i = 1 To 10000 : reg.GetStringValue &H80000001, \"Software\\Bench\", \"Value\", s : Next\n");
  }
}

void BM_RegRead10000(benchmark::State& state) {
  for (auto _ : state) {
    RunScript(u"Set sh = CreateObject(\"WScript.Shell\")\n"
              u"For i = 1 To 10000 : s = sh.RegRead(\"HKCU\\Software\\Bench\\Value\") : Next\n");
  }
}

void BM_ProcessCreate100(benchmark::State& state) {
  for (auto _ : state) {
    RunScript(u"Set p = GetObject(\"winmgmts:\").Get(\"Win32_Process\")\n"
              u"For i = 1 To 100 : p.Create \"true\", Null, Null, id : Next\n");
  }
  while (engine::wsh::ReapDetachedChildren() > 0) {
  }
}

void BM_LaunchDetached100(benchmark::State& state) {
  const platform::CProcessLauncher launcher;
  for (auto _ : state) {
    for (int i = 0; i < 100; ++i) {
      auto started = launcher.LaunchDetached(u"true", {});
      engine::wsh::AdoptDetachedChild(std::get<platform::CChildProcess>(started).Detach());
    }
  }
  while (engine::wsh::ReapDetachedChildren() > 0) {
  }
}

BENCHMARK(BM_ServiceQuery10)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ReadUnitFiles10)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_FolderQuery10)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ListFolder10)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_GetStringValue10000)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_RegRead10000)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ProcessCreate100)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LaunchDetached100)->Unit(benchmark::kMillisecond)->Iterations(3);

// A scratch home, so that the registry the benchmark writes is never the user's.
struct SScratchHome {
  std::string path;
  SScratchHome() {
    char pattern[] = "/tmp/quillet-bench-wmi.XXXXXX";
    path = mkdtemp(pattern);
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"}) {
      setenv(name, path.c_str(), 1);
    }
    engine::wsh::CScriptRegistry(engine::wsh::CScriptRegistry::DefaultFolder())
        .Write(u"HKCU\\Software\\Bench\\Value", engine::CVariant::String(u"text"), u"REG_SZ");
  }
  ~SScratchHome() { std::filesystem::remove_all(path); }
};

}  // namespace

int main(int argc, char** argv) {
  const SScratchHome home;
  return quillet::bench::RunWithRatios(
      argc, argv,
      {{"BM_ServiceQuery10/iterations:5", "BM_ReadUnitFiles10/iterations:5", 4.0},
       {"BM_FolderQuery10/iterations:5", "BM_ListFolder10/iterations:5", 8.0},
       {"BM_GetStringValue10000/iterations:5", "BM_RegRead10000/iterations:5", 3.0},
       {"BM_ProcessCreate100/iterations:3", "BM_LaunchDetached100/iterations:3", 3.0}});
}

// Loading, saving and typing in a script of about a million lines, each against a baseline in
// the same run: reading or writing the same bytes with plain system calls, and typing into the
// first line. Also prints the peak memory of a load against the text's UTF-16 size.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <malloc.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "BenchMain.h"
#include "document/QuilletDoc.h"
#include "platform/AnsiCodePage.h"

namespace {

using quillet::document::CQuilletDoc;

struct SFiles {
  std::string folder;
  std::string ansi;
  std::string utf16;
  std::string output;
  size_t ansiBytes = 0;
  size_t utf16Bytes = 0;
};

std::string MakeScript(size_t targetBytes) {
  static const char* const kLines[] = {
      "Dim objShell, objFSO, strComputer, colItems",
      "Set objFSO = CreateObject(\"Scripting.FileSystemObject\")",
      "' Walk every drive and report its free space in megabytes",
      "For Each objItem In colItems",
      "    WScript.Echo \"Name: \" & objItem.Name & vbTab & FormatNumber(objItem.FreeSpace / 1048576, 2)",
      "    If objItem.DriveType = 3 Then intTotal = intTotal + 1",
      "Next",
      "\tstrText = Replace(strText, \"\"\"\", \"'\") ' quotes",
      "",
      "Function GetValue(ByVal strKey, ByRef varDefault)",
      "    GetValue = objShell.RegRead(\"HKCU\\Software\\Example\\\" & strKey)",
      "End Function",
      "With objExcel.ActiveSheet : .Cells(1, 1).Value = \"caf\xE9\" : End With",
  };
  std::mt19937 random(42);
  std::string text;
  text.reserve(targetBytes + 256);
  while (text.size() < targetBytes) {
    text += kLines[random() % std::size(kLines)];
    text += "\r\n";
  }
  return text;
}

const SFiles& Files() {
  static const SFiles files = [] {
    SFiles result;
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/quillet-bench-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    result.folder = pattern;
    result.ansi = pattern + "/big-ansi.vbs";
    result.utf16 = pattern + "/big-utf16.vbs";
    result.output = pattern + "/out.vbs";
    const std::string text = MakeScript(64u << 20);
    std::ofstream(result.ansi, std::ios::binary).write(text.data(), static_cast<std::streamsize>(text.size()));
    std::u16string wide;
    quillet::platform::CAnsiCodePage::ForCodePage(1252)->Decode(text, wide);
    std::string bytes = "\xFF\xFE";
    bytes.append(reinterpret_cast<const char*>(wide.data()), wide.size() * 2);
    std::ofstream(result.utf16, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    result.ansiBytes = text.size();
    result.utf16Bytes = bytes.size();
    return result;
  }();
  return files;
}

void CleanUp() {
  const SFiles& files = Files();
  for (const std::string& path : {files.ansi, files.utf16, files.output}) ::unlink(path.c_str());
  ::rmdir(files.folder.c_str());
}

std::string ReadAll(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat info{};
  ::fstat(fd, &info);
  std::string bytes(static_cast<size_t>(info.st_size), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t count = ::read(fd, bytes.data() + done, bytes.size() - done);
    if (count <= 0) break;
    done += static_cast<size_t>(count);
  }
  ::close(fd);
  return bytes;
}

void BM_ReadBytesAnsi(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ReadAll(Files().ansi));
}

// Freeing the loaded lines is not part of loading.
void Load(benchmark::State& state, const std::string& path) {
  for (auto _ : state) {
    auto doc = std::make_unique<CQuilletDoc>();
    benchmark::DoNotOptimize(doc->LoadFromFile(path, -1));
    state.PauseTiming();
    doc.reset();
    ::malloc_trim(0);  // the allocator's deferred work from the freeing belongs to the freeing
    state.ResumeTiming();
  }
}

void BM_LoadAnsi(benchmark::State& state) { Load(state, Files().ansi); }

void BM_ReadBytesUtf16(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ReadAll(Files().utf16));
}

void BM_LoadUtf16(benchmark::State& state) { Load(state, Files().utf16); }

// Both writes end with fsync: a save is only done when the bytes are on the disk.
void BM_WriteBytesAnsi(benchmark::State& state) {
  const std::string bytes = ReadAll(Files().ansi);
  for (auto _ : state) {
    const int fd = ::open(Files().output.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t count = ::write(fd, bytes.data() + done, bytes.size() - done);
      if (count <= 0) break;
      done += static_cast<size_t>(count);
    }
    ::fsync(fd);
    ::close(fd);
  }
}

void BM_SaveAnsi(benchmark::State& state) {
  CQuilletDoc doc;
  doc.LoadFromFile(Files().ansi, -1);
  for (auto _ : state) benchmark::DoNotOptimize(doc.SaveToFile(Files().output, -1, false));
}

CQuilletDoc& LoadedDocument() {
  static CQuilletDoc doc;
  static const bool loaded = doc.LoadFromFile(Files().ansi, -1);
  (void)loaded;
  return doc;
}

// One typed character and its Backspace, as a user types and corrects.
void TypeAt(benchmark::State& state, int32_t line) {
  CQuilletDoc& doc = LoadedDocument();
  for (auto _ : state) {
    int32_t endLine = 0;
    int32_t endChar = 0;
    doc.InsertText(nullptr, line, 0, u"x", endLine, endChar, quillet::document::ActionTyping);
    doc.DeleteText(nullptr, line, 0, line, 1, quillet::document::ActionBackspace);
  }
}

void BM_TypeAtLine0(benchmark::State& state) { TypeAt(state, 0); }
void BM_TypeAtLine500000(benchmark::State& state) { TypeAt(state, 500000); }

long PeakKilobytes() {
  std::FILE* status = std::fopen("/proc/self/status", "r");
  char line[256];
  long peak = 0;
  while (status != nullptr && std::fgets(line, sizeof line, status)) {
    if (std::sscanf(line, "VmHWM: %ld kB", &peak) == 1) break;
  }
  if (status != nullptr) std::fclose(status);
  return peak;
}

// In a child of its own, so that the parent's earlier runs do not count.
void PrintLoadPeakMemory(const std::string& label, const std::string& path) {
  int channel[2];
  if (::pipe(channel) != 0) return;
  const pid_t child = ::fork();
  if (child == 0) {
    // Start the child's high-water mark at what it holds now, not at what its parent held.
    if (std::FILE* reset = std::fopen("/proc/self/clear_refs", "w")) {
      std::fputs("5", reset);
      std::fclose(reset);
    }
    const long before = PeakKilobytes();
    CQuilletDoc doc;
    doc.LoadFromFile(path, -1);
    const long growth = PeakKilobytes() - before;
    [[maybe_unused]] const ssize_t written = ::write(channel[1], &growth, sizeof growth);
    ::_exit(0);
  }
  long growth = 0;
  [[maybe_unused]] const ssize_t received = ::read(channel[0], &growth, sizeof growth);
  ::waitpid(child, nullptr, 0);
  ::close(channel[0]);
  ::close(channel[1]);
  const double utf16Size = static_cast<double>(Files().utf16Bytes - 2) / 1024.0;
  std::printf("%-44s %10.1fMiB %10.1fMiB %7.2fx %7.2fx %s\n", label.c_str(), growth / 1024.0,
              utf16Size / 1024.0, growth / utf16Size, 2.0, growth / utf16Size <= 2.0 ? "ok" : "OVER");
}

}  // namespace

BENCHMARK(BM_ReadBytesAnsi)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadAnsi)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadBytesUtf16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadUtf16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteBytesAnsi)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveAnsi)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeAtLine0);
BENCHMARK(BM_TypeAtLine500000);

int main(int argc, char** argv) {
  std::printf("script: %zu bytes ANSI, %zu bytes UTF-16\n", Files().ansiBytes, Files().utf16Bytes);
  const int result = quillet::bench::RunWithRatios(
      argc, argv,
      {{"BM_LoadAnsi", "BM_ReadBytesAnsi", 5.0},
       {"BM_LoadUtf16", "BM_ReadBytesUtf16", 5.0},
       {"BM_SaveAnsi", "BM_WriteBytesAnsi", 5.0},
       {"BM_TypeAtLine500000", "BM_TypeAtLine0", 2.0}});
  PrintLoadPeakMemory("peak memory, ANSI load vs UTF-16 size", Files().ansi);
  PrintLoadPeakMemory("peak memory, UTF-16 load vs UTF-16 size", Files().utf16);
  CleanUp();
  return result;
}

// The syntax scanner over realistic script lines, in MB/s of UTF-16 text, against a same-run
// baseline that only looks at every character once (finding quotes and apostrophes).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "BenchMain.h"
#include "editor/SyntaxScanner.h"

namespace {

const std::vector<std::u16string>& Lines() {
  static const std::vector<std::u16string> lines = [] {
    static const char16_t* const kLines[] = {
        u"Dim objShell, objFSO, strComputer, colItems",
        u"Set objFSO = CreateObject(\"Scripting.FileSystemObject\")",
        u"' Walk every drive and report its free space in megabytes",
        u"For Each objItem In colItems",
        u"    WScript.Echo \"Name: \" & objItem.Name & vbTab & FormatNumber(objItem.FreeSpace / 1048576, 2)",
        u"    If objItem.DriveType = 3 Then intTotal = intTotal + 1",
        u"Next",
        u"\tstrText = Replace(strText, \"\"\"\", \"'\") ' quotes",
        u"",
        u"Function GetValue(ByVal strKey, ByRef varDefault)",
        u"    GetValue = objShell.RegRead(\"HKCU\\Software\\Example\\\" & strKey)",
        u"End Function",
        u"Rem {Name} 1.5e3 and more",
        u"With objExcel.ActiveSheet : .Cells(1, 1).Value = 42 : End With",
    };
    std::mt19937 random(7);
    std::vector<std::u16string> result;
    for (int i = 0; i < 10000; ++i) result.emplace_back(kLines[random() % std::size(kLines)]);
    return result;
  }();
  return lines;
}

int64_t TotalBytes() {
  int64_t bytes = 0;
  for (const auto& line : Lines()) bytes += static_cast<int64_t>(line.size() * sizeof(char16_t));
  return bytes;
}

void BM_FindQuotes(benchmark::State& state) {
  for (auto _ : state) {
    int64_t found = 0;
    for (const auto& line : Lines()) {
      found += std::count_if(line.begin(), line.end(),
                             [](char16_t c) { return c == u'"' || c == u'\''; });
    }
    benchmark::DoNotOptimize(found);
  }
  state.SetBytesProcessed(state.iterations() * TotalBytes());
}

void BM_ParseLineColours(benchmark::State& state) {
  std::vector<quillet::editor::SColorBlock> blocks;
  for (auto _ : state) {
    uint32_t cookie = 0;
    for (const auto& line : Lines()) {
      blocks.clear();
      cookie = quillet::editor::ScanLine(cookie, line, &blocks);
    }
    benchmark::DoNotOptimize(cookie);
  }
  state.SetBytesProcessed(state.iterations() * TotalBytes());
}

void BM_ParseLineCookieOnly(benchmark::State& state) {
  for (auto _ : state) {
    uint32_t cookie = 0;
    for (const auto& line : Lines()) cookie = quillet::editor::ScanLine(cookie, line, nullptr);
    benchmark::DoNotOptimize(cookie);
  }
  state.SetBytesProcessed(state.iterations() * TotalBytes());
}

}  // namespace

BENCHMARK(BM_FindQuotes);
BENCHMARK(BM_ParseLineColours);
BENCHMARK(BM_ParseLineCookieOnly);

int main(int argc, char** argv) {
  return quillet::bench::RunWithRatios(argc, argv,
                                       {{"BM_ParseLineColours", "BM_FindQuotes", 8.0},
                                        {"BM_ParseLineCookieOnly", "BM_FindQuotes", 6.0}});
}

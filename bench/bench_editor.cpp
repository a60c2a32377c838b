// The syntax scanner over realistic script lines, in MB/s of UTF-16 text, against a same-run
// baseline that only looks at every character once (finding quotes and apostrophes).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "BenchMain.h"
#include "base/CommandIds.h"
#include "document/QuilletDoc.h"
#include "editor/EditorCore.h"
#include "editor/SyntaxScanner.h"
#include "editor/TextMetrics.h"
#include "editor/ViewHost.h"

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

class CBenchMetrics : public quillet::editor::ITextMetrics {
 public:
  [[nodiscard]] int32_t CharWidth() const override { return 8; }
  [[nodiscard]] int32_t CharWidth(char16_t) const override { return 8; }
  [[nodiscard]] int32_t LineHeight() const override { return 16; }
  [[nodiscard]] int32_t MarginDigitWidth() const override { return 7; }
  [[nodiscard]] int32_t ClientWidth() const override { return 1000; }
  [[nodiscard]] int32_t ClientHeight() const override { return 960; }
};

// Repaints what it is asked to: the colours of every invalidated line that is on screen.
class CRecolouringHost : public quillet::editor::IViewHost {
 public:
  void InvalidateLines(int32_t first, int32_t last) override {
    const int32_t top = std::max(first, core->FirstVisibleLine());
    const int32_t bottom = std::min(last < 0 ? INT32_MAX : last, core->FirstVisibleLine() + 60);
    for (int32_t line = top; line <= bottom && line < core->Document().GetLineCount(); ++line) {
      blocks.clear();
      auto& colorizer = core->Colorizer();
      (void)colorizer.ParseLine(colorizer.GetParseCookie(line - 1), line, &blocks);
    }
  }
  quillet::editor::CEditorCore* core = nullptr;
  std::vector<quillet::editor::SColorBlock> blocks;
};

// One typed character and its Backspace in the middle of a document, through the editing core:
// insert, notification, caret update and re-colouring of the touched line.
void TypeInDocumentOf(benchmark::State& state, int32_t lineCount) {
  quillet::document::CQuilletDoc doc;
  doc.FreeAll();
  for (int32_t i = 0; i < lineCount; ++i) doc.AppendLine(Lines()[static_cast<size_t>(i) % Lines().size()]);
  CBenchMetrics metrics;
  quillet::editor::CEditorCore core(doc, metrics);
  CRecolouringHost host;
  host.core = &core;
  core.SetHost(&host);
  doc.UpdateViews(nullptr, nullptr, quillet::document::UpdateAll, -1);
  core.SetCaret({0, lineCount / 2});
  host.InvalidateLines(0, -1);
  for (auto _ : state) {
    core.OnChar(u'x');
    core.ExecuteCommand(quillet::app::ID_EDIT_DELETE_BACK);
  }
}

void BM_KeystrokeHundredLines(benchmark::State& state) { TypeInDocumentOf(state, 100); }
void BM_KeystrokeMillionLines(benchmark::State& state) { TypeInDocumentOf(state, 1000000); }

}  // namespace

BENCHMARK(BM_KeystrokeHundredLines);
BENCHMARK(BM_KeystrokeMillionLines);
BENCHMARK(BM_FindQuotes);
BENCHMARK(BM_ParseLineColours);
BENCHMARK(BM_ParseLineCookieOnly);

int main(int argc, char** argv) {
  return quillet::bench::RunWithRatios(argc, argv,
                                       {{"BM_KeystrokeMillionLines", "BM_KeystrokeHundredLines", 1.5},
                                        {"BM_ParseLineColours", "BM_FindQuotes", 8.0},
                                        {"BM_ParseLineCookieOnly", "BM_FindQuotes", 6.0}});
}

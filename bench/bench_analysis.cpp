// Source analysis inside a key press: a member list, a parameter tip and Complete Word at the end
// of a 100,000-line script made of corpus lines, where the object was created on the first line,
// so that every line is visited. Each request compiles its patterns afresh and loads its type
// library once, as in the editor. Baseline in the same run: one pass over the same lines with the
// cheapest test a scan can make, a case-insensitive substring search. Prints the 50th and 99th
// percentiles and the line count; the share spent in pattern matching comes from a profile:
//   perf record build/bench/bench_analysis && perf report --no-children
//
// Run: build/bench/bench_analysis [path of the corpus folder]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "document/QuilletDoc.h"
#include "editor/DocumentAnalysisSource.h"
#include "intellisense/AsciiText.h"
#include "intellisense/LanguageWordList.h"
#include "intellisense/PreparedLine.h"
#include "intellisense/SourceAnalysis.h"
#include "platform/AnsiCodePage.h"
#include "platform/ClassRegistry.h"
#include "typeinfo/ProgIdResolver.h"
#include "typeinfo/ReferenceStore.h"

namespace {

using namespace quillet;
using Clock = std::chrono::steady_clock;

constexpr int32_t kScriptLines = 100'000;
constexpr int kRuns = 200;

class CNoReferences final : public typeinfo::IReferenceStore {
 public:
  [[nodiscard]] std::u16string Read(std::u16string_view) const override { return {}; }
  bool Write(std::u16string_view, std::u16string_view) override { return true; }
  [[nodiscard]] std::map<std::u16string, std::u16string> ReadAll() const override { return {}; }
  bool ReplaceAll(const std::map<std::u16string, std::u16string>&) override { return true; }
};

// Corpus lines in file-name order, again from the first file when the corpus runs out, until
// the script is long enough; the first line creates fso.
bool BuildScript(const std::filesystem::path& corpus, document::CQuilletDoc& script) {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  const auto codePage = platform::CAnsiCodePage::ForCodePage(1252);
  script.AppendLine(u"Set fso = CreateObject(\"Scripting.FileSystemObject\")");
  for (int pass = 0; pass < 100; ++pass) {
    for (const auto& file : files) {
      document::CQuilletDoc doc;
      doc.SetCodePage(codePage.get());
      if (!doc.LoadFromFile(file.string(), document::EolDetect)) continue;
      for (int32_t line = 0; line < doc.GetLineCount(); ++line) {
        // Lines that would give fso another meaning would end the scan early.
        if (intellisense::ContainsNoCase(doc.GetLine(line), u"fso")) continue;
        script.AppendLine(doc.GetLine(line));
        if (script.GetLineCount() >= kScriptLines - 1) return true;
      }
    }
  }
  return false;
}

struct SFigures {
  double p50 = 0;
  double p99 = 0;
};

SFigures Measure(const std::function<void()>& request) {
  std::vector<double> times;
  for (int run = 0; run < kRuns; ++run) {
    const auto start = Clock::now();
    request();
    times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return {times[times.size() / 2], times[times.size() * 99 / 100]};
}

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path corpus = argc > 1 ? argv[1] : QUILLET_CORPUS_DIR;
  document::CQuilletDoc script;
  if (!BuildScript(corpus, script)) {
    std::fprintf(stderr, "not enough corpus lines under %s\n", corpus.string().c_str());
    return 1;
  }
  script.AppendLine(u"x = fso.GetFolder(\"c:\\\\\").");
  script.AppendLine(u"fso.CopyFile ");
  const int32_t listLine = script.GetLineCount() - 2;
  const int32_t tipLine = script.GetLineCount() - 1;

  auto hive = std::make_shared<platform::CClassRegistry>();
  if (!hive->AddQuilletHive(std::string(QUILLET_CLASSES_DIR) + "/classes.reg")) return 1;
  const std::shared_ptr<const platform::CClassRegistry> registry = hive;
  CNoReferences references;
  const typeinfo::CProgIdResolver resolver(registry, references, nullptr);
  editor::CSyntaxColorizer colorizer(script);
  editor::CDocumentAnalysisSource source(script, colorizer);

  bool listed = false, tipped = false;
  const SFigures list = Measure([&] {
    intellisense::CSourceAnalysis analysis(source, resolver, registry);
    const auto set = analysis.AnalyseForMemberList(static_cast<int32_t>(script.GetLine(listLine).size()), listLine);
    listed = set && set->Find(u"SubFolders") != nullptr;
  });
  const SFigures tip = Measure([&] {
    intellisense::CSourceAnalysis analysis(source, resolver, registry);
    const auto found = analysis.AnalyseForParameterTip(static_cast<int32_t>(script.GetLine(tipLine).size()), tipLine);
    tipped = found.kind == intellisense::ETipKind::TypeLibraryFunction;
  });
  size_t names = 0;
  const SFigures completeWord = Measure([&] {
    intellisense::CSourceAnalysis analysis(source, resolver, registry);
    names = analysis.Declarations().CollectDeclaredNames(tipLine).size() + intellisense::LanguageWordList.size();
  });
  // What preparing every line costs alone: the rest of a tip request is matching and bookkeeping.
  const SFigures prepare = Measure([&] {
    auto line = std::make_unique<intellisense::CPreparedLine>();
    for (int32_t i = 0; i < script.GetLineCount(); ++i) (void)line->Prepare(source, i, intellisense::CPreparedLine::ELimit::SkipLongLines);
  });
  size_t hits = 0;
  const SFigures baseline = Measure([&] {
    for (int32_t i = 0; i < script.GetLineCount(); ++i) hits += intellisense::ContainsNoCase(script.GetLine(i), u"set");
  });

  std::printf("script: %d lines from %s\n", script.GetLineCount(), corpus.string().c_str());
  std::printf("member list at the end   p50 %7.2f ms  p99 %7.2f ms  (target 16)  %s\n", list.p50, list.p99,
              listed ? "lists the folder" : "LISTS NOTHING");
  std::printf("parameter tip at the end p50 %7.2f ms  p99 %7.2f ms  (target 16)  %s\n", tip.p50, tip.p99,
              tipped ? "describes CopyFile" : "SHOWS NOTHING");
  std::printf("complete word at the end p50 %7.2f ms  p99 %7.2f ms  (target 30)  %zu names\n", completeWord.p50,
              completeWord.p99, names);
  std::printf("preparing every line     p50 %7.2f ms (what the raw-line tests save)\n", prepare.p50);
  std::printf("baseline substring pass  p50 %7.2f ms; member list / baseline %.1f, tip / baseline %.1f (%zu)\n",
              baseline.p50, list.p50 / baseline.p50, tip.p50 / baseline.p50, hits % 2);
  return listed && tipped ? 0 : 1;
}

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
#include "intellisense/AnalysisPatterns.h"
#include "intellisense/AsciiText.h"
#include "intellisense/CompletionDecision.h"
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

// Remembers which lines a scan prepared.
class CRecordingSource final : public intellisense::IAnalysisSource {
 public:
  explicit CRecordingSource(intellisense::IAnalysisSource& source) : m_source(source) {}
  [[nodiscard]] int32_t LineCount() const override { return m_source.LineCount(); }
  [[nodiscard]] std::u16string_view LineText(int32_t line) const override { return m_source.LineText(line); }
  void ScanLine(int32_t line, std::u16string_view text, std::vector<intellisense::SColourRun>& runs) override {
    scanned.push_back(line);
    m_source.ScanLine(line, text, runs);
  }
  std::vector<int32_t> scanned;

 private:
  intellisense::IAnalysisSource& m_source;
};

// Whether "sub" or "function" stands between blanks (or at the line start), as the scan asks
// before it runs the procedure pattern.
bool StandsAsWord(std::u16string_view line) {
  for (std::u16string_view word : {std::u16string_view(u"sub"), std::u16string_view(u"function")}) {
    for (size_t from = 0; from < line.size();) {
      const size_t found = intellisense::FindNoCase(line.substr(from), word);
      if (found == std::u16string_view::npos) break;
      const size_t at = from + found;
      const size_t end = at + word.size();
      if ((at == 0 || intellisense::IsBlank(line[at - 1])) && end < line.size() && intellisense::IsBlank(line[end])) {
        return true;
      }
      from = at + 1;
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
  // As the editor does it: the language words and the declared names in scope, then the decision
  // between inserting at once and showing the list.
  size_t names = 0;
  bool listsCompletions = false;
  const SFigures completeWord = Measure([&] {
    intellisense::CSourceAnalysis analysis(source, resolver, registry);
    intellisense::CCompletionSet set;
    set.AddLanguageWords();
    set.AddDeclaredNames(analysis.Declarations().CollectDeclaredNames(tipLine));
    names = set.Entries().size();
    listsCompletions = intellisense::DecideCompletion(set, u"Ms", false).kind ==
                       intellisense::SCompletionDecision::EKind::ShowList;
  });
  // The pattern matching of Complete Word alone: the lines that its scan prepared (seen through
  // the source), prepared beforehand, and on each the patterns that the scan runs on such a line.
  // Declarations are tried on every prepared line that names one, also inside the bodies the
  // scan passes over, so this is a bound from above.
  CRecordingSource recording(source);
  {
    intellisense::CSourceAnalysis analysis(recording, resolver, registry);
    (void)analysis.Declarations().CollectDeclaredNames(tipLine);
  }
  std::vector<std::u16string> preparedLines;
  {
    auto line = std::make_unique<intellisense::CPreparedLine>();
    for (int32_t i : recording.scanned) {
      if (line->Prepare(source, i, intellisense::CPreparedLine::ELimit::None)) preparedLines.emplace_back(line->Text());
    }
  }
  size_t matched = 0;
  const SFigures matching = Measure([&] {
    intellisense::SAnalysisPatterns patterns;
    for (const std::u16string& line : preparedLines) {
      const bool declares = intellisense::ContainsAnyNoCase(line, {u"dim", u"private", u"const"});
      const bool procedure = intellisense::ContainsAnyNoCase(line, {u"sub", u"function"});
      if (declares && patterns.declaration.Match(line.c_str())) {
        ++matched;
      } else if (procedure && StandsAsWord(line) && patterns.procedure.Match(line.c_str())) {
        ++matched;
      } else if (procedure && patterns.endProcedure.Match(line.c_str())) {
        ++matched;
      }
    }
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
  std::printf("complete word at the end p50 %7.2f ms  p99 %7.2f ms  (target 30)  %zu names%s\n", completeWord.p50,
              completeWord.p99, names, listsCompletions ? "" : " DECIDES WRONGLY");
  std::printf("  of which pattern matching at most %5.2f ms (%.0f%%), on the %zu of %d lines it prepares\n",
              matching.p50, 100.0 * matching.p50 / completeWord.p50, preparedLines.size(), script.GetLineCount());
  std::printf("preparing every line     p50 %7.2f ms (what the raw-line tests save)\n", prepare.p50);
  std::printf("baseline substring pass  p50 %7.2f ms; member list / baseline %.1f, tip / baseline %.1f (%zu)\n",
              baseline.p50, list.p50 / baseline.p50, tip.p50 / baseline.p50, hits % 2);
  return listed && tipped && listsCompletions && matched > 0 ? 0 : 1;
}

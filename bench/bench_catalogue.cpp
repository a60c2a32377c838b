// IsKeyword runs for every word of every line the editor paints, so it is measured over a large
// generated script against the obvious alternative: a hash set of lower-cased words, queried
// after lower-casing each word.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "BenchMain.h"
#include "intellisense/LanguageWordList.h"

namespace {

using quillet::intellisense::IsKeyword;
using quillet::intellisense::LanguageWordList;

constexpr std::size_t kMinimumLines = 100'000;

// A fixed-seed generator, so that every run and every machine measures the same script.
class CScriptGenerator {
 public:
  std::vector<std::u16string> Generate(std::size_t minimumLines) {
    while (m_lines.size() < minimumLines) AddProcedure();
    return std::move(m_lines);
  }

 private:
  std::uint32_t Next() {
    m_state = m_state * 1664525u + 1013904223u;
    return m_state >> 8;
  }
  template <typename T, std::size_t N>
  const T& Pick(const T (&choices)[N]) {
    return choices[Next() % N];
  }

  std::u16string Variable() {
    static constexpr std::u16string_view kPrefixes[] = {u"str", u"obj", u"n", u"arr", u"b", u"dt"};
    static constexpr std::u16string_view kStems[] = {
        u"Path", u"Name", u"Count", u"File", u"Folder", u"Item", u"Result", u"Line", u"Key",
        u"Value", u"Shell", u"Stream", u"Total", u"Index", u"Report", u"Server", u"User"};
    return std::u16string(Pick(kPrefixes)) + std::u16string(Pick(kStems));
  }
  std::u16string Procedure() {
    static constexpr std::u16string_view kVerbs[] = {u"Read", u"Write", u"Check", u"Build",
                                                     u"Copy", u"Log", u"Find", u"Update"};
    static constexpr std::u16string_view kNouns[] = {u"Settings", u"Entry", u"Folder", u"Report",
                                                     u"Account", u"Drive", u"Service"};
    return std::u16string(Pick(kVerbs)) + std::u16string(Pick(kNouns));
  }
  std::u16string Text() {
    static constexpr std::u16string_view kTexts[] = {
        u"Done", u"Cannot open the file", u"Total: ", u"Copying ", u"Select a folder",
        u"Error while reading", u"C:\\Temp\\out.txt", u" items processed"};
    return u"\"" + std::u16string(Pick(kTexts)) + u"\"";
  }
  std::u16string ProgId() {
    static constexpr std::u16string_view kProgIds[] = {
        u"Scripting.FileSystemObject", u"WScript.Shell", u"WScript.Network",
        u"Scripting.Dictionary", u"ADODB.Stream", u"Shell.Application"};
    return u"\"" + std::u16string(Pick(kProgIds)) + u"\"";
  }

  void Add(int depth, std::u16string line) {
    m_lines.push_back(std::u16string(static_cast<std::size_t>(depth) * 4, u' ') + line);
  }

  void AddStatement(int depth) {
    switch (Next() % 14) {
      case 0: Add(depth, u"Dim " + Variable() + u", " + Variable() + u", " + Variable()); break;
      case 1: Add(depth, u"Set " + Variable() + u" = CreateObject(" + ProgId() + u")"); break;
      case 2: Add(depth, Variable() + u" = " + Variable() + u" & " + Text()); break;
      case 3: Add(depth, u"Call " + Procedure() + u"(" + Variable() + u", " + Text() + u")"); break;
      case 4: Add(depth, u"' " + Procedure() + u" keeps the " + Variable() + u" for later"); break;
      case 5:
        Add(depth, u"MsgBox " + Text() + u" & " + Variable() + u", vbOKOnly + vbInformation");
        break;
      case 6: Add(depth, u"WScript.Echo " + Text() + u" & CStr(" + Variable() + u")"); break;
      case 7:
        Add(depth, u"With " + Variable());
        Add(depth + 1, u".WriteLine " + Text() + u" & Now()");
        Add(depth + 1, u".Close");
        Add(depth, u"End With");
        break;
      case 8:
        Add(depth, u"If IsEmpty(" + Variable() + u") Or " + Variable() + u" = \"\" Then");
        AddStatement(depth + 1);
        Add(depth, u"Else");
        AddStatement(depth + 1);
        Add(depth, u"End If");
        break;
      case 9:
        Add(depth, u"For nIndex = 0 To UBound(" + Variable() + u") - 1");
        AddStatement(depth + 1);
        Add(depth, u"Next");
        break;
      case 10:
        Add(depth, u"Do While Not " + Variable() + u".AtEndOfStream");
        Add(depth + 1, Variable() + u" = Trim(" + Variable() + u".ReadLine) ' next record");
        Add(depth, u"Loop");
        break;
      case 11:
        Add(depth, u"On Error Resume Next");
        Add(depth, u"If Err.Number <> 0 Then WScript.Quit 1");
        break;
      case 12: Add(depth, Variable() + u" = Replace(" + Variable() + u", vbCrLf, \" \")"); break;
      default: Add(depth, u"Set " + Variable() + u" = Nothing"); break;
    }
  }

  void AddProcedure() {
    const bool isFunction = Next() % 2 == 0;
    const std::u16string_view kind = isFunction ? u"Function" : u"Sub";
    Add(0, u"' " + Procedure() + u": called from the main part of the script");
    Add(0, std::u16string(kind) + u" " + Procedure() + u"(" + Variable() + u", ByVal " +
               Variable() + u")");
    const std::uint32_t statements = 4 + Next() % 12;
    for (std::uint32_t i = 0; i < statements; ++i) AddStatement(1);
    Add(0, u"End " + std::u16string(kind));
    Add(0, u"");
  }

  std::uint32_t m_state = 20240601u;
  std::vector<std::u16string> m_lines;
};

bool IsWordUnit(char16_t unit) {
  return (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z') ||
         (unit >= u'0' && unit <= u'9') || unit == u'_' || unit == u'.';
}

// The words keyword colouring would test: runs of word characters (a dotted name is one word)
// outside strings and comments.
void CollectWords(std::u16string_view line, std::vector<std::u16string_view>& words) {
  bool inString = false;
  std::size_t start = line.size();
  for (std::size_t i = 0; i <= line.size(); ++i) {
    const char16_t unit = i < line.size() ? line[i] : u' ';
    if (!inString && IsWordUnit(unit)) {
      if (start == line.size()) start = i;
      continue;
    }
    if (start != line.size()) words.push_back(line.substr(start, i - start));
    start = line.size();
    if (unit == u'"') inString = !inString;
    if (unit == u'\'' && !inString) break;
  }
}

struct SCorpus {
  std::vector<std::u16string> lines;
  std::vector<std::u16string_view> words;
};

const SCorpus& Corpus() {
  static const SCorpus corpus = [] {
    SCorpus built;
    built.lines = CScriptGenerator().Generate(kMinimumLines);
    for (const std::u16string& line : built.lines) CollectWords(line, built.words);
    return built;
  }();
  return corpus;
}

void ReportWords(benchmark::State& state, std::size_t keywords) {
  const SCorpus& corpus = Corpus();
  state.counters["lines"] = static_cast<double>(corpus.lines.size());
  state.counters["words"] = static_cast<double>(corpus.words.size());
  state.counters["keywords"] = static_cast<double>(keywords);
  state.counters["words/s"] = benchmark::Counter(static_cast<double>(corpus.words.size()),
                                                 benchmark::Counter::kIsIterationInvariantRate);
}

void BM_IsKeyword(benchmark::State& state) {
  const SCorpus& corpus = Corpus();
  std::size_t keywords = 0;
  for (auto _ : state) {
    keywords = 0;
    for (const std::u16string_view word : corpus.words) keywords += IsKeyword(word) ? 1 : 0;
    benchmark::DoNotOptimize(keywords);
  }
  ReportWords(state, keywords);
}
BENCHMARK(BM_IsKeyword)->Unit(benchmark::kMillisecond);

void LowerInPlace(std::u16string& text) {
  for (char16_t& unit : text) {
    if (unit >= u'A' && unit <= u'Z') unit = static_cast<char16_t>(unit + (u'a' - u'A'));
  }
}

void BM_IsKeywordBaseline(benchmark::State& state) {
  const SCorpus& corpus = Corpus();
  std::unordered_set<std::u16string> lowered;
  for (const std::u16string_view word : LanguageWordList) {
    std::u16string entry(word);
    LowerInPlace(entry);
    lowered.insert(std::move(entry));
  }
  std::u16string buffer;
  std::size_t keywords = 0;
  for (auto _ : state) {
    keywords = 0;
    for (const std::u16string_view word : corpus.words) {
      buffer.assign(word);
      LowerInPlace(buffer);
      keywords += lowered.contains(buffer) ? 1 : 0;
    }
    benchmark::DoNotOptimize(keywords);
  }
  ReportWords(state, keywords);
}
BENCHMARK(BM_IsKeywordBaseline)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // The compile-time index must at least keep up with a general-purpose hash set.
  return quillet::bench::RunWithRatios(argc, argv,
                                       {{"BM_IsKeyword", "BM_IsKeywordBaseline", 1.0}});
}

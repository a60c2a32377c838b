// The pattern engine against std::regex on what source analysis does: every pattern of the
// analysis, compiled once and case-insensitively, matched against every line of a generated
// script of 120,000 lines. Prints nanoseconds per line and pattern for both engines, a table per
// pattern, and the ratio (target: at most 0.2, i.e. at least five times faster).

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "BenchMain.h"
#include "regex/RegExpW.h"

namespace {

using quillet::regex::CRegExpW;
using quillet::regex::ERegCase;

struct SPattern {
  const char* name;
  const char16_t* text;
};

// The analysis patterns, concatenated pieces joined; \t is a real tab.
const SPattern kPatterns[] = {
    {"FirstIdentifier", u"^([a-zA-Z_]+[a-zA-Z_0-9]*)[\t \\(\\.]"},
    {"Chain", u"(([\t ]*[a-zA-Z_]+[a-zA-Z_0-9]*)([\t ]*\\([^\\)]*\\))*\\.)+$"},
    {"LeadingDotChain",
     u"(([\t ]+|^)\\.([\t ]*[a-zA-Z_]+[a-zA-Z_0-9]*)([\t ]*\\([^\\)]*\\))*\\.)+$"},
    {"BareDot", u"[\t ]+\\.$|^\\.$"},
    {"CallChain",
     u"([a-zA-Z_]+[a-zA-Z_0-9]*([ ]*\\([^\\)]*\\))*\\. *)*[a-zA-Z_]+[a-zA-Z_0-9]*( |\\()$"},
    {"CallLeadingDot",
     u"([\t ]+|^)\\.([a-zA-Z_]+[a-zA-Z_0-9]*([ ]*\\([^\\)]*\\))*\\. *)*[a-zA-Z_]+[a-zA-Z_0-9]*"
     u"( |\\()$"},
    {"With", u"^[\t ]*With(([\t ]*[a-zA-Z_]+[a-zA-Z_0-9]*(\\.|[\t ]*\\([^\\)]*\\)[\\.]*)*)+)"},
    {"EndWith", u"[\t ]*End[\t ]*With[\t ]*"},
    {"SetCreateObject",
     u"(Set[\t ]+)([a-zA-Z_]+[a-zA-Z_0-9]*)[\t ]*=[\t ]*(wscript\\.createobject|createobject)"
     u"[\t ]*\\(([^\\)]*)\\)"},
    {"SetNew", u"Set[\t ]+([a-zA-Z_]+[a-zA-Z_0-9]*)[\t ]*=[\t ]*new[\t ]+([a-zA-Z_]+[a-zA-Z_0-9]*)"},
    {"SetAssign",
     u"^([\t ]*set[\t ]+)([a-zA-Z_]+[a-zA-Z_0-9]*)[\t ]*=(([\t ]*[a-zA-Z_]+[a-zA-Z_0-9]*"
     u"(\\.|[\t ]*\\([^\\)]*\\)[\\.]*)*)+)"},
    {"ForEach",
     u"^[\t ]*for[\t ]+each[\t ]+([a-zA-Z_]+[a-zA-Z_0-9]*)[\t ]+in[\t ]+(([\t ]*[a-zA-Z_]+"
     u"[a-zA-Z_0-9]*(\\.|[\t ]*\\([^\\)]*\\)[\\.]*)*)+)"},
    {"ParenArguments", u"\\(([^\\)]*)\\)"},
    {"Procedure", u"(^|[\t ]+)(Sub|Function)[\t ]+([a-zA-Z_]+[a-zA-Z_0-9]*)+"},
    {"EndProcedure", u"^[\t ]*(End Sub|End Function)"},
    {"Declaration",
     u"^[\t ]*(dim|private|const)[\t ]+([a-zA-Z_]+[a-zA-Z_0-9]*)+(,[a-zA-Z_]+[a-zA-Z_0-9]*)*"},
    {"Dim", u"^[\t ]*dim[\t ]+([a-zA-Z_]+[a-zA-Z_0-9]*)+(,[a-zA-Z_]+[a-zA-Z_0-9]*)*"},
    {"Identifier", u"[a-zA-Z_]+[a-zA-Z_0-9]*"},
    {"Class", u"^[\t ]*class[\t ]+([a-zA-Z_]+[a-zA-Z_0-9]*)"},
    {"EndClass", u"^[\t ]*end[\t ]+class($|[\t ]+)"},
    {"ClassMember",
     u"(^|[\t ]+)(Sub|Function|Property[\t ]+Get|Property[\t ]+Set|Property[\t ]+Let)[\t ]+"
     u"([a-zA-Z_]+[a-zA-Z_0-9]*)+"},
};
constexpr size_t kPatternCount = std::size(kPatterns);
constexpr int kLineCount = 120000;

// A deterministic script: procedures and classes around the statements the analysis looks
// for, in the proportions of ordinary administration scripts.
class CScriptGenerator {
 public:
  std::vector<std::u16string> Generate(int lineCount) {
    std::vector<std::u16string> lines;
    lines.reserve(static_cast<size_t>(lineCount) + 16);
    lines.push_back(u"Option Explicit");
    while (static_cast<int>(lines.size()) < lineCount) {
      if (Pick(6) == 0) {
        AddClass(lines);
      } else {
        AddProcedure(lines);
      }
    }
    lines.resize(static_cast<size_t>(lineCount));
    return lines;
  }

 private:
  size_t Pick(size_t n) { return static_cast<size_t>(m_random() % n); }
  template <size_t N>
  std::u16string Any(const char16_t* const (&items)[N]) {
    return items[Pick(N)];
  }
  std::u16string Name() {
    static const char16_t* const kStems[] = {u"objFSO", u"objFile", u"strPath", u"intCount",
                                             u"objShell", u"colItems", u"objItem", u"strLine",
                                             u"objExcel", u"arrNames", u"i", u"objWMI",
                                             u"strComputer", u"objFolder", u"re", u"oMatch"};
    std::u16string name = Any(kStems);
    if (Pick(3) == 0) name += static_cast<char16_t>(u'0' + Pick(10));
    return name;
  }
  std::u16string Indent(int depth) {
    return std::u16string(static_cast<size_t>(depth), m_tabs ? u'\t' : u' ');
  }
  std::u16string Text() {
    static const char16_t* const kTexts[] = {u"C:\\Temp\\log.txt", u"Hello, world", u"",
                                             u"SELECT * FROM Win32_Process", u"done.",
                                             u"\\\\server\\share (backup)"};
    return u"\"" + Any(kTexts) + u"\"";
  }
  std::u16string Statement(int depth) {
    static const char16_t* const kProgIds[] = {u"Scripting.FileSystemObject", u"WScript.Shell",
                                               u"Scripting.Dictionary", u"Excel.Application",
                                               u"ADODB.Connection", u"WScript.Network"};
    static const char16_t* const kMembers[] = {u"GetFolder", u"OpenTextFile", u"Item",
                                               u"ActiveSheet", u"Cells", u"Files", u"Run",
                                               u"ReadLine", u"Environment", u"Execute"};
    const std::u16string in = Indent(depth);
    switch (Pick(16)) {
      case 0:
        return in + u"Dim " + Name() + (Pick(2) ? u", " + Name() + u", " + Name() : u"");
      case 1:
        return in + u"Set " + Name() + u" = CreateObject(\"" + Any(kProgIds) + u"\")";
      case 2:
        return in + u"Set " + Name() + u" = WScript.CreateObject(\"" + Any(kProgIds) + u"\")";
      case 3:
        return in + u"Set " + Name() + u" = " + Name() + u"." + Any(kMembers) + u"(" +
               Text() + u")";
      case 4:
        return in + u"Set " + Name() + u" = New RegExp";
      case 5:
        return in + u"' " + Any(kMembers) + u" the " + Name() + u" before the next run";
      case 6:
        return in + u"WScript.Echo " + Text() + u" & " + Name();
      case 7:
        return in + Name() + u"." + Any(kMembers) + u" " + Name() + u", " + Text();
      case 8:
        return in + u"Call " + Name() + u"(" + Name() + u", " + std::u16string(1, u'1' + Pick(9)) +
               u")";
      case 9:
        return in + u"If " + Name() + u" > " + std::u16string(1, u'0' + Pick(10)) +
               u" Then " + Name() + u" = " + Name() + u" + 1";
      case 10:
        return in + Name() + u" = " + Name() + u"." + Any(kMembers) + u"(" + Name() + u")." +
               Any(kMembers) + u"  ' " + Text();
      case 11:
        return in + u"Const " + Name() + u" = " + std::u16string(1, u'0' + Pick(10));
      case 12:
        return in + u"strLine = Replace(strLine, " + Text() + u", " + Text() + u")";
      case 13:
        return u"";
      case 14:
        return in + u"objFile.WriteLine " + Name() + u" & vbTab & " + Name() + u".Name";
      default:
        return in + Name() + u" = " + Name() + u"." + Any(kMembers);
    }
  }
  void AddBlock(std::vector<std::u16string>& lines, int depth) {
    switch (Pick(5)) {
      case 0:
        lines.push_back(Indent(depth) + u"With " + Name() + u".ActiveSheet");
        for (size_t i = 0, n = 1 + Pick(4); i < n; ++i) {
          lines.push_back(Indent(depth + 1) + u".Cells(" + std::u16string(1, u'1' + Pick(9)) +
                          u", 2).Value = " + Text());
        }
        lines.push_back(Indent(depth) + u"End With");
        break;
      case 1:
        lines.push_back(Indent(depth) + u"For Each " + Name() + u" In " + Name() + u".Files");
        for (size_t i = 0, n = 1 + Pick(4); i < n; ++i) lines.push_back(Statement(depth + 1));
        lines.push_back(Indent(depth) + u"Next");
        break;
      default:
        for (size_t i = 0, n = 1 + Pick(5); i < n; ++i) lines.push_back(Statement(depth));
        break;
    }
  }
  void AddProcedure(std::vector<std::u16string>& lines, int depth = 0) {
    m_tabs = Pick(2) == 0;
    const bool isFunction = Pick(2) == 0;
    const std::u16string kind = isFunction ? u"Function" : u"Sub";
    lines.push_back(Indent(depth) + (Pick(4) == 0 ? u"Private " : u"") + kind + u" " + Name() +
                    u"(" + Name() + u", " + Name() + u")");
    for (size_t i = 0, n = 2 + Pick(6); i < n; ++i) AddBlock(lines, depth + 1);
    lines.push_back(Indent(depth) + u"End " + kind);
    lines.push_back(u"");
  }
  void AddClass(std::vector<std::u16string>& lines) {
    lines.push_back(u"Class C" + Name());
    lines.push_back(u"    Private m_" + Name());
    lines.push_back(u"    Public Property Get Value");
    lines.push_back(u"        Value = m_" + Name());
    lines.push_back(u"    End Property");
    AddProcedure(lines, 1);
    lines.push_back(u"End Class");
  }

  std::mt19937 m_random{20240531};
  bool m_tabs = false;
};

const std::vector<std::u16string>& Lines() {
  static const std::vector<std::u16string> lines = CScriptGenerator().Generate(kLineCount);
  return lines;
}

// The same pattern for ECMAScript: inside brackets a backslash is a member here but an escape
// there, and a leading ] is a member here but closes an empty set there; braces are literal
// here but quantifiers there; the word anchors become look-arounds.
std::wstring ToEcmaScript(const char16_t* pattern) {
  std::wstring out;
  bool inSet = false;
  for (const char16_t* p = pattern; *p != u'\0'; ++p) {
    const wchar_t c = *p;
    if (inSet) {
      if (c == L'\\') {
        out += L"\\\\";
      } else if (c == L']') {
        out += c;
        inSet = false;
      } else {
        out += c;
      }
      continue;
    }
    if (c == L'[') {
      out += c;
      inSet = true;
      if (p[1] == u'^') out += static_cast<wchar_t>(*++p);
      if (p[1] == u']') {
        out += L"\\]";
        ++p;
      }
    } else if (c == L'\\' && p[1] == u'<') {
      out += L"\\b(?=\\w)";
      ++p;
    } else if (c == L'\\' && p[1] == u'>') {
      out += L"(?!\\w)";
      ++p;
    } else if (c == L'\\' && p[1] != u'\0') {
      out += c;
      out += static_cast<wchar_t>(*++p);
    } else if (c == L'{' || c == L'}') {
      out += L'\\';
      out += c;
    } else {
      out += c;
    }
  }
  return out;
}

struct SPatternTiming {
  double regExpNs = 0;
  double stdNs = 0;
  int64_t regExpMatches = 0;
  int64_t stdMatches = 0;
};
SPatternTiming g_timings[kPatternCount];

double NanosecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start)
      .count();
}

void BM_RegExpW(benchmark::State& state) {
  const auto& lines = Lines();
  std::vector<CRegExpW> compiled;
  for (const SPattern& pattern : kPatterns) {
    compiled.emplace_back(pattern.text, ERegCase::Insensitive);
  }
  double totalNs = 0;
  for (auto _ : state) {
    for (size_t p = 0; p < kPatternCount; ++p) {
      const auto start = std::chrono::steady_clock::now();
      int64_t matches = 0;
      int64_t matchedLength = 0;
      for (const std::u16string& line : lines) {
        if (!compiled[p].Match(line.c_str())) continue;
        ++matches;
        matchedLength += compiled[p].SubLength(0);
      }
      benchmark::DoNotOptimize(matchedLength);
      const double ns = NanosecondsSince(start);
      g_timings[p].regExpNs = ns;
      g_timings[p].regExpMatches = matches;
      totalNs += ns;
    }
  }
  const double pairs = static_cast<double>(lines.size() * kPatternCount);
  state.counters["ns_per_line_pattern"] = totalNs / static_cast<double>(state.iterations()) / pairs;
  state.counters["lines"] = static_cast<double>(lines.size());
}

void BM_StdRegex(benchmark::State& state) {
  const auto& narrow = Lines();
  std::vector<std::wstring> lines;
  for (const std::u16string& line : narrow) lines.emplace_back(line.begin(), line.end());
  std::vector<std::wregex> compiled;
  for (const SPattern& pattern : kPatterns) {
    compiled.emplace_back(ToEcmaScript(pattern.text),
                          std::regex::ECMAScript | std::regex::icase);
  }
  double totalNs = 0;
  std::wsmatch match;
  for (auto _ : state) {
    for (size_t p = 0; p < kPatternCount; ++p) {
      const auto start = std::chrono::steady_clock::now();
      int64_t matches = 0;
      for (const std::wstring& line : lines) {
        if (std::regex_search(line, match, compiled[p])) ++matches;
      }
      benchmark::DoNotOptimize(match);
      const double ns = NanosecondsSince(start);
      g_timings[p].stdNs = ns;
      g_timings[p].stdMatches = matches;
      totalNs += ns;
    }
  }
  const double pairs = static_cast<double>(lines.size() * kPatternCount);
  state.counters["ns_per_line_pattern"] = totalNs / static_cast<double>(state.iterations()) / pairs;
  state.counters["lines"] = static_cast<double>(lines.size());
}

BENCHMARK(BM_RegExpW)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_StdRegex)->Unit(benchmark::kMillisecond)->Iterations(1);

void PrintPatternTable() {
  const double lineCount = static_cast<double>(Lines().size());
  std::printf("\n%-18s %14s %14s %8s %10s %10s\n", "pattern", "CRegExpW ns", "std::regex ns",
              "ratio", "matches", "std match");
  for (size_t p = 0; p < kPatternCount; ++p) {
    const SPatternTiming& t = g_timings[p];
    if (t.regExpNs == 0) continue;
    std::printf("%-18s %14.1f %14.1f %7.3fx %10lld %10lld\n", kPatterns[p].name,
                t.regExpNs / lineCount, t.stdNs / lineCount, t.stdNs > 0 ? t.regExpNs / t.stdNs : 0.0,
                static_cast<long long>(t.regExpMatches), static_cast<long long>(t.stdMatches));
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int result = quillet::bench::RunWithRatios(
      argc, argv, {{"BM_RegExpW/iterations:3", "BM_StdRegex/iterations:1", 0.2}});
  PrintPatternTable();
  return result;
}

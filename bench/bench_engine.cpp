// The engine on a set of scripts: each runs once, hands its checksum to the host object, and is
// timed from compilation to the end of its global code, beside a fixed reference time for
// this kind of machine; the target is ten times faster (a ratio of at most 0.1). Also prints
// the memory a script's array of a million Doubles takes per element (at most 24 bytes).
//
// Run: build/bench/bench_engine [name ...]   (no names: every script)
//      build/bench/bench_engine --write-scripts DIR   writes each script as DIR/<name>.vbs for any
//      host, with Bench.Report printing through WScript.Echo, to time another engine alike.

#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/runtime/DispatchObject.h"
#include "engine/vm/ScriptEngine.h"
#include "engine/runtime/ScriptError.h"
#include "engine/vm/VirtualMachine.h"
#include "platform/TextConvert.h"

namespace {

using quillet::engine::CDispatchObject;
using quillet::engine::CScriptEngine;
using quillet::engine::CVariant;
using quillet::engine::EInvokeKind;

struct SScript {
  const char* name;
  double referenceSeconds;  // 0: no reference figure
  const char16_t* source;
};

const SScript kScripts[] = {
    {"loop", 9.0,
     u"Dim i, s : s = 0\n"
     u"For i = 1 To 5000000\n"
     u"  s = s + (i Mod 7)\n"
     u"Next\n"
     u"Bench.Report s\n"},
    {"concat", 8.7,
     u"Dim i, t : t = \"\"\n"
     u"For i = 1 To 200000\n"
     u"  t = t & \"ab\"\n"
     u"Next\n"
     u"Bench.Report Len(t)\n"},
    {"calls", 3.4,
     u"Function Add(a, b)\n"
     u"  Add = a + b\n"
     u"End Function\n"
     u"Dim i, s : s = 0\n"
     u"For i = 1 To 1000000\n"
     u"  s = Add(s, i)\n"
     u"Next\n"
     u"Bench.Report s\n"},
    {"properties", 3.0,
     u"Class Box\n"
     u"  Private m_v\n"
     u"  Public Property Get Value() : Value = m_v : End Property\n"
     u"  Public Property Let Value(v) : m_v = v : End Property\n"
     u"End Class\n"
     u"Dim b, i : Set b = New Box : b.Value = 0\n"
     u"For i = 1 To 1000000\n"
     u"  b.Value = b.Value + 1\n"
     u"Next\n"
     u"Bench.Report b.Value\n"},
    {"array", 4.5,
     u"Dim a(999999), i, s\n"
     u"For i = 0 To 999999\n"
     u"  a(i) = i * 0.5\n"
     u"Next\n"
     u"s = 0\n"
     u"For i = 0 To 999999\n"
     u"  s = s + a(i)\n"
     u"Next\n"
     u"Bench.Report s\n"},
    {"concat3", 0,
     u"Dim i, t : t = \"\"\n"
     u"For i = 1 To 200000\n"
     u"  t = t & i & \",\"\n"
     u"Next\n"
     u"Bench.Report Len(t)\n"},
    {"fibonacci", 0,
     u"Function Fib(n)\n"
     u"  If n < 2 Then Fib = n Else Fib = Fib(n - 1) + Fib(n - 2)\n"
     u"End Function\n"
     u"Bench.Report Fib(27)\n"},
    // The string library on short strings: the per-call cost of a built-in, not of the text.
    {"mid", 0,
     u"Dim i, s, n : s = \"abcdefghij\" : n = 0\n"
     u"For i = 1 To 1000000\n"
     u"  n = n + Len(Mid(s, (i Mod 8) + 1, 3))\n"
     u"Next\n"
     u"Bench.Report n\n"},
    {"instr", 0,
     u"Dim i, s, n : s = \"the quick brown fox\" : n = 0\n"
     u"For i = 1 To 1000000\n"
     u"  n = n + InStr(s, \"fox\")\n"
     u"Next\n"
     u"Bench.Report n\n"},
    {"replace", 0,
     u"Dim i, s, n : s = \"a-b-c-d\" : n = 0\n"
     u"For i = 1 To 1000000\n"
     u"  n = n + Len(Replace(s, \"-\", \"--\"))\n"
     u"Next\n"
     u"Bench.Report n\n"},
    {"split", 0,
     u"Dim i, s, n : s = \"a,b,c,d\" : n = 0\n"
     u"For i = 1 To 1000000\n"
     u"  n = n + UBound(Split(s, \",\"))\n"
     u"Next\n"
     u"Bench.Report n\n"},
    {"formatnumber", 0,
     u"Dim i, n : n = 0\n"
     u"For i = 1 To 100000\n"
     u"  n = n + Len(FormatNumber(i * 1.25, 2))\n"
     u"Next\n"
     u"Bench.Report n\n"},
    {"dictionary", 5.6,
     u"Dim d, i, n : Set d = CreateObject(\"Scripting.Dictionary\")\n"
     u"For i = 1 To 200000\n"
     u"  d.Add \"k\" & i, i\n"
     u"Next\n"
     u"n = 0\n"
     u"For i = 1 To 200000\n"
     u"  If d.Exists(\"k\" & i) Then n = n + d.Item(\"k\" & i)\n"
     u"Next\n"
     u"Bench.Report n & \" \" & d.Count\n"},
    // No reference figure: the task has no measured time to hold it against.
    {"regexp", 0,
     u"Dim i, lines(99999), re, ms, m, n\n"
     u"For i = 0 To 99999\n"
     u"  lines(i) = \"line \" & i & \": value=\" & (i * 7) & \" ok\"\n"
     u"Next\n"
     u"Set re = New RegExp\n"
     u"re.Pattern = \"value=(\\d+)\"\n"
     u"re.Global = True\n"
     u"Set ms = re.Execute(Join(lines, vbLf))\n"
     u"n = 0\n"
     u"For Each m In ms : n = n + Len(m.SubMatches(0)) : Next\n"
     u"Bench.Report ms.Count & \" \" & n\n"},
};

// The script's only way out: Bench.Report value.
class CBenchHost : public CDispatchObject {
 public:
  [[nodiscard]] std::u16string TypeName() const override { return u"Bench"; }
  CVariant Invoke(std::u16string_view name, EInvokeKind, std::span<CVariant> args) override {
    if (quillet::platform::EqualsIgnoringAsciiCase(name, u"report") && args.size() == 1) {
      checksum = args[0].Deref().ToString();
      return {};
    }
    quillet::engine::ThrowNoSuchMember();
  }
  std::u16string checksum;
};

bool Selected(const char* name, int argc, char** argv) {
  if (argc < 2) return true;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], name) == 0) return true;
  }
  return false;
}

bool RunOne(const SScript& script) {
  CScriptEngine engine;
  auto* host = new CBenchHost();
  engine.AddNamedItem(u"Bench", CVariant::Object(host));
  const auto start = std::chrono::steady_clock::now();
  try {
    engine.Run(script.source);
  } catch (const quillet::engine::CScriptError& error) {
    std::printf("%-12s error %d at line %d: %s\n", script.name, error.Number(), error.Line(),
                quillet::platform::Utf16ToUtf8(error.Description()).c_str());
    return false;
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const std::string checksum = quillet::platform::Utf16ToUtf8(host->checksum);
  if (script.referenceSeconds > 0) {
    const double ratio = seconds / script.referenceSeconds;
    std::printf("%-12s %8.3f s   reference %5.1f s   ratio %.3f %s   checksum %s\n", script.name, seconds,
                script.referenceSeconds, ratio, ratio <= 0.1 ? "ok  " : "SLOW", checksum.c_str());
    return ratio <= 0.1;
  }
  std::printf("%-12s %8.3f s   (no reference)                     checksum %s\n", script.name, seconds,
              checksum.c_str());
  return true;
}

// Heap growth across Dim of the array, divided by its elements.
bool ReportArrayMemory() {
  CScriptEngine engine;
  const size_t before = mallinfo2().uordblks;
  engine.Run(u"Dim a(999999), i\nFor i = 0 To 999999 : a(i) = CDbl(i) : Next\n");
  const size_t after = mallinfo2().uordblks;
  const double perElement = static_cast<double>(after - before) / 1000000.0;
  std::printf("memory       %.1f bytes per Double element (target at most 24) %s\n", perElement,
              perElement <= 24 ? "ok" : "TOO MUCH");
  return perElement <= 24;
}

}  // namespace

// Each script as a file any host runs: a small class stands in for the benchmark's host object.
int WriteScripts(const std::string& folder) {
  for (const auto& script : kScripts) {
    const std::string path = folder + "/" + script.name + ".vbs";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      return 1;
    }
    const std::string text =
        "Class BenchHost : Sub Report(v) : WScript.Echo v : End Sub : End Class\r\n"
        "Dim Bench : Set Bench = New BenchHost\r\n" +
        quillet::platform::Utf16ToUtf8(script.source);
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
  }
  return 0;
}

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--write-scripts") == 0) return WriteScripts(argv[2]);
  bool ok = true;
  for (const auto& script : kScripts) {
    if (Selected(script.name, argc, argv)) ok = RunOne(script) && ok;
  }
  if (Selected("memory", argc, argv)) ok = ReportArrayMemory() && ok;
  return ok ? 0 : 1;
}

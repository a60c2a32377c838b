// The object browser on the user-interface thread:
//  1. the outline's refresh of a 100,000-line script with 2,000 procedures in 200 classes when
//     nothing changed (the scan and the reconciliation; no tree item may be touched), against
//     the cheapest pass a scan can make over the same lines, a case-insensitive substring search;
//  2. loading a library of 500 types into the tree (reading and describing it, then its items),
//     against loading the same library into the catalogue alone and reading the file's bytes.
// Prints the 50th and 99th percentiles and the targets.
//
// Run: QT_QPA_PLATFORM=offscreen build-bench/bench/bench_browser

#include <QApplication>
#include <QTreeWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "document/QuilletDoc.h"
#include "editor/DocumentAnalysisSource.h"
#include "editor/SyntaxColorizer.h"
#include "intellisense/AsciiText.h"
#include "intellisense/ScriptOutline.h"
#include "platform/FileBytes.h"
#include "platform/TextConvert.h"
#include "typeinfo/MsftWriter.h"
#include "typeinfo/TypeLib.h"
#include "typeinfo/ui/ObjectBrowserBar.h"

namespace {

using namespace quillet;
using Clock = std::chrono::steady_clock;

constexpr int kClasses = 200;
constexpr int kProceduresPerClass = 10;
constexpr int32_t kScriptLines = 100'000;
constexpr int kTypes = 500;
constexpr int kRuns = 60;

std::u16string Number(int value) { return platform::Utf8ToUtf16(std::to_string(value)); }

// Code of the usual mix: assignments, calls, strings, comments and the words the scan looks at
// (Set, CreateObject, Property, Function) in places where they define nothing.
const std::u16string_view kBody[] = {
    u"    total = total + item.Count * 2",
    u"    Set folder = fso.GetFolder(path) ' find the files first",
    u"    If Len(name) > 0 Then result = result & \"Sub-\" & name",
    u"    Call WScript.Echo(\"processing \" & CStr(index))",
    u"    For Each file In folder.Files: count = count + 1: Next",
    u"    value = FormatNumber(price * 1.2, 2) ' gross price",
    u"    buffer = Replace(buffer, vbCrLf, \" \")",
};

void BuildScript(document::CQuilletDoc& script) {
  script.AppendLine(u"Option Explicit");
  script.AppendLine(u"Set fso = CreateObject(\"Scripting.FileSystemObject\")");
  const int32_t bodyLines = (kScriptLines - 2 - kClasses * 2) / (kClasses * kProceduresPerClass) - 2;
  for (int c = 0; c < kClasses; ++c) {
    script.AppendLine(u"Class Worker" + Number(c));
    for (int p = 0; p < kProceduresPerClass; ++p) {
      const std::u16string name = u"Step" + Number(p);
      const bool property = p % 5 == 4;
      script.AppendLine(property ? u"  Public Property Get " + name : p % 2 == 0 ? u"  Public Sub " + name + u"(a, b)"
                                                                                : u"  Function " + name + u"()");
      for (int32_t l = 0; l < bodyLines; ++l) script.AppendLine(kBody[static_cast<size_t>(l) % std::size(kBody)]);
      script.AppendLine(property ? u"  End Property" : p % 2 == 0 ? u"  End Sub" : u"  End Function");
    }
    script.AppendLine(u"End Class");
  }
  while (script.GetLineCount() < kScriptLines) script.AppendLine(kBody[0]);
}

std::string WriteLibrary() {
  typeinfo::SLibraryDesc library;
  library.name = u"BenchLib";
  for (int t = 0; t < kTypes; ++t) {
    typeinfo::STypeInfoDesc type;
    type.kind = t % 2 == 0 ? typeinfo::ETypeKind::CoClass : typeinfo::ETypeKind::Dispatch;
    type.guid.data1 = static_cast<std::uint32_t>(t + 1);
    type.name = (t % 2 == 0 ? u"Class" : u"IThing") + Number(t / 2);
    if (t % 2 == 0) {
      typeinfo::STypeRef ref;
      ref.typeIndex = t + 1;
      type.implTypes.push_back({ref, typeinfo::flags::kImplDefault});
    }
    for (int f = 0; t % 2 == 1 && f < 20; ++f) {
      typeinfo::SFuncDesc func;
      func.memberId = f;
      func.name = u"Method" + Number(f);
      func.docString = u"Does something useful.";
      func.returnType.vt = f % 3 == 0 ? typeinfo::vt::kVoid : typeinfo::vt::kBstr;
      typeinfo::SParamDesc param{u"argument", {}, typeinfo::flags::kParamIn, {}};
      param.type.vt = typeinfo::vt::kI4;
      func.params.push_back(param);
      type.funcs.push_back(func);
    }
    library.types.push_back(type);
  }
  const std::string file = (std::filesystem::temp_directory_path() / "quillet_bench_browser.tlb").string();
  std::ofstream(file, std::ios::binary) << typeinfo::CMsftWriter::Write(library);
  return file;
}

struct SFigures {
  double p50 = 0;
  double p99 = 0;
};

SFigures Measure(const std::function<void()>& run) {
  std::vector<double> times;
  for (int i = 0; i < kRuns; ++i) {
    const auto start = Clock::now();
    run();
    times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return {times[times.size() / 2], times[std::min(times.size() - 1, times.size() * 99 / 100)]};
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);

  document::CQuilletDoc script;
  BuildScript(script);
  editor::CSyntaxColorizer colorizer(script);
  editor::CDocumentAnalysisSource source(script, colorizer);
  typeinfo::CObjectBrowserBar bar(nullptr, nullptr, {});
  intellisense::CScriptOutline outline([](std::u16string_view) { return std::u16string(); });
  outline.Refresh(source, u"bench.vbs", u"/bench.vbs", bar);
  int touched = 0;
  QAbstractItemModel* model = bar.Tree()->model();
  QObject::connect(model, &QAbstractItemModel::rowsInserted, [&] { ++touched; });
  QObject::connect(model, &QAbstractItemModel::rowsRemoved, [&] { ++touched; });
  QObject::connect(model, &QAbstractItemModel::dataChanged, [&] { ++touched; });
  size_t procedures = 0;
  for (const auto& group : bar.ScriptLibrary().groups) procedures += group->members.size();

  const SFigures refresh = Measure([&] { outline.Refresh(source, u"bench.vbs", u"/bench.vbs", bar); });
  size_t hits = 0;
  const SFigures baseline = Measure([&] {
    for (int32_t line = 0; line < script.GetLineCount(); ++line) {
      hits += intellisense::ContainsNoCase(script.GetLine(line), u"sub") ? 1 : 0;
    }
  });
  std::printf("script: %d lines, %zu classes, %zu procedures\n", script.GetLineCount(),
              bar.ScriptLibrary().groups.size() - 1, procedures);
  std::printf("unchanged refresh        p50 %7.2f ms  p99 %7.2f ms  (target 20)  tree items touched: %d\n",
              refresh.p50, refresh.p99, touched);
  std::printf("baseline substring pass  p50 %7.2f ms; refresh / baseline %.1f (%zu)\n", baseline.p50,
              refresh.p50 / baseline.p50, hits);

  const bool untouched = touched == 0;

  const std::string file = WriteLibrary();
  const std::u16string path = platform::Utf8ToUtf16(file);
  const SFigures intoTree = Measure([&] { bar.RemoveLibrary(bar.AddLibrary(path)); });
  size_t groups = 0;
  const SFigures catalogue = Measure([&] { groups += typeinfo::CTypeLib(path, nullptr).groups.size(); });
  const SFigures bytes = Measure([&] {
    std::string content;
    groups += platform::ReadFileBytes(file, content) ? 1 : 0;
  });
  std::printf("library of %d types into the tree p50 %7.2f ms  p99 %7.2f ms  (target 100)\n", kTypes, intoTree.p50,
              intoTree.p99);
  std::printf("  of which the catalogue alone    p50 %7.2f ms; reading the file p50 %.3f ms; tree / file %.0f (%zu)\n",
              catalogue.p50, bytes.p50, intoTree.p50 / bytes.p50, groups);
  std::filesystem::remove(file);
  // Loading and unloading the library above inserts and removes rows, as it should.
  return untouched && refresh.p50 < 20 && intoTree.p50 < 100 ? 0 : 1;
}

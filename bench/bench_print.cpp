// Printing a 100,000-line script to PDF on the offscreen platform, in pages per second and peak
// memory, against a same-run baseline that writes the same lines to a PDF as plain black text
// at a fixed number of lines a page, without layout, numbers or colours.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include "BenchMain.h"
#include "document/QuilletDoc.h"
#include "editor/ui/QuilletView.h"
#include "editor/ui/ScriptPrinter.h"

namespace {

constexpr int kLines = 100000;

quillet::document::CQuilletDoc& Script() {
  static quillet::document::CQuilletDoc doc;
  static const bool filled = [] {
    doc.FreeAll();
    for (int i = 0; i < kLines; ++i) {
      switch (i % 4) {
        case 0: doc.AppendLine(u"Dim objItem, strName ' the drive being listed"); break;
        case 1: doc.AppendLine(u"\tIf objItem.DriveType = 3 Then WScript.Echo \"Drive \" & objItem.Name"); break;
        case 2: doc.AppendLine(u"\tstrName = strName & 42 & vbCrLf"); break;
        default: doc.AppendLine(u"End If"); break;
      }
    }
    return true;
  }();
  (void)filled;
  return doc;
}

double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void PdfPrinter(QPrinter& printer, const QTemporaryDir& folder, const char* name) {
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(folder.filePath(QString::fromLatin1(name)));
}

void BM_PlainPdf(benchmark::State& state) {
  QTemporaryDir folder;
  quillet::document::CQuilletDoc& doc = Script();
  int pages = 0;
  for (auto _ : state) {
    QPrinter printer(QPrinter::HighResolution);
    PdfPrinter(printer, folder, "plain.pdf");
    QPainter painter(&printer);
    const int height = painter.fontMetrics().height();
    pages = 1;
    for (int line = 0; line < kLines; ++line) {
      if (line > 0 && line % 60 == 0) {
        printer.newPage();
        ++pages;
      }
      const std::u16string_view text = doc.GetLine(line);
      painter.drawText(0, (line % 60 + 1) * height,
                       QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
    }
  }
  state.counters["pages"] = pages;
  state.counters["pages_per_s"] = benchmark::Counter(pages, benchmark::Counter::kIsRate);
  state.counters["peak_MB"] = PeakMegabytes();
}

void BM_PrintScript(benchmark::State& state) {
  QTemporaryDir folder;
  quillet::editor::CQuilletView view(Script());
  int pages = 0;
  for (auto _ : state) {
    QPrinter printer(QPrinter::HighResolution);
    PdfPrinter(printer, folder, "script.pdf");
    quillet::editor::CScriptPrinter scriptPrinter(view.Core(), view.EditorFont(), nullptr);
    if (!scriptPrinter.Print(printer, false)) state.SkipWithError("the printer did not start");
    pages = scriptPrinter.PageCount();
  }
  state.counters["pages"] = pages;
  state.counters["pages_per_s"] = benchmark::Counter(pages, benchmark::Counter::kIsRate);
  state.counters["peak_MB"] = PeakMegabytes();
}

}  // namespace

// The printed script first, so that its peak memory is not the baseline's.
BENCHMARK(BM_PrintScript)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_PlainPdf)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  (void)Script();
  return quillet::bench::RunWithRatios(argc, argv, {{"BM_PrintScript/iterations:1", "BM_PlainPdf/iterations:1", 4.0}});
}

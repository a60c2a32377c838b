// Painting a full editor window of 60 lines by 120 columns with colouring, on the offscreen
// platform, against a same-run baseline that only fills the same window with one colour.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "BenchMain.h"
#include "document/QuilletDoc.h"
#include "editor/ui/QuilletView.h"

namespace {

quillet::editor::CQuilletView& View() {
  static quillet::document::CQuilletDoc doc;
  static quillet::editor::CQuilletView* view = [] {
    doc.FreeAll();
    const std::u16string line =
        u"    If objItem.DriveType = 3 Then WScript.Echo \"Drive \" & objItem.Name & {Name} ' 120 columns of text.....";
    for (int i = 0; i < 1000; ++i) doc.AppendLine(line + u"            ");
    auto* created = new quillet::editor::CQuilletView(doc);
    doc.UpdateViews(nullptr, nullptr, quillet::document::UpdateAll, -1);
    created->resize(created->Core().MarginCellWidth() + 120 * created->CharWidth() + 20,
                    60 * created->LineHeight() + 20);
    created->show();
    return created;
  }();
  return *view;
}

void BM_FillWindow(benchmark::State& state) {
  QImage image(View().viewport()->size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    QPainter painter(&image);
    painter.fillRect(image.rect(), Qt::white);
  }
}

void BM_PaintWindow(benchmark::State& state) {
  QImage image(View().viewport()->size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    View().Core().Colorizer().Invalidate(quillet::document::UpdateAll, -1);
    View().viewport()->render(&image);
  }
}

}  // namespace

BENCHMARK(BM_FillWindow)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintWindow)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  return quillet::bench::RunWithRatios(argc, argv, {{"BM_PaintWindow", "BM_FillWindow", 200.0}});
}

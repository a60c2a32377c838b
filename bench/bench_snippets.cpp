// The snippet library at 5,000 snippets in 200 folders: loading and saving the file, and building
// the Snippets menu from it, each against a same-run baseline (reading or writing the same bytes
// raw, and filling a menu with as many plain items). The absolute figures are to stay under 50 ms.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMenu>

#include <cstdio>
#include <filesystem>

#include "BenchMain.h"
#include "platform/FileBytes.h"
#include "snippets/SnippetFileFormat.h"
#include "snippets/SnippetLibrary.h"
#include "snippets/ui/SnippetMenu.h"

namespace {

using namespace quillet::snippets;

// 200 folders (20 at the top, each with 9 below it), 25 snippets in each, like a real library
// of a few lines per snippet.
CSnippetFolder BigLibrary() {
  CSnippetFolder root;
  int number = 0;
  auto fill = [&number](CSnippetFolder& folder) {
    for (int i = 0; i < 25; ++i, ++number) {
      const std::u16string n = std::u16string(u"Snippet ") + static_cast<char16_t>(u'A' + number % 26);
      folder.AddSnippet({n, u"s" + std::u16string(1, static_cast<char16_t>(u'a' + i)),
                         u"For Each {item} In {collection}\r\n\tWScript.Echo {item}.Name\r\nNext"});
    }
  };
  for (int top = 0; top < 20; ++top) {
    CSnippetFolder& folder = root.AddFolder(u"Folder " + std::u16string(1, static_cast<char16_t>(u'A' + top)));
    fill(folder);
    for (int sub = 0; sub < 9; ++sub) fill(folder.AddFolder(u"Sub " + std::u16string(1, static_cast<char16_t>(u'0' + sub))));
  }
  return root;
}

const std::string& LibraryPath() {
  static const std::string path = [] {
    const std::string file = std::filesystem::temp_directory_path() / "quillet_bench_snippets.dat";
    if (!SaveSnippets(BigLibrary(), file)) std::abort();
    return file;
  }();
  return path;
}

void BM_ReadRaw(benchmark::State& state) {
  std::string bytes;
  for (auto _ : state) benchmark::DoNotOptimize(quillet::platform::ReadFileBytes(LibraryPath(), bytes));
}

void BM_LoadSnippets(benchmark::State& state) {
  CSnippetFolder root;
  for (auto _ : state) benchmark::DoNotOptimize(LoadSnippets(root, LibraryPath()));
  if (root.SnippetCount() != 5000 || root.folders.size() + 20 * 9 != 200) state.SkipWithError("wrong tree");
}

void BM_WriteRaw(benchmark::State& state) {
  std::string bytes;
  (void)quillet::platform::ReadFileBytes(LibraryPath(), bytes);
  const std::string copy = LibraryPath() + ".raw";
  for (auto _ : state) {
    FILE* file = std::fopen(copy.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fflush(file);
    std::fclose(file);
  }
  std::filesystem::remove(copy);
}

void BM_SaveSnippets(benchmark::State& state) {
  CSnippetFolder root;
  (void)LoadSnippets(root, LibraryPath());
  const std::string copy = LibraryPath() + ".saved";
  for (auto _ : state) benchmark::DoNotOptimize(SaveSnippets(root, copy));
  std::filesystem::remove(copy);
}

void BM_PlainMenu(benchmark::State& state) {
  for (auto _ : state) {
    QMenu menu;
    for (int i = 0; i < 5200; ++i) menu.addAction(QStringLiteral("Snippet"));
  }
}

void BM_BuildSnippetMenu(benchmark::State& state) {
  for (auto _ : state) {
    QMenu menu;
    BuildSnippetMenu(&menu, 0, LibraryPath(), [](size_t) {});
  }
}

}  // namespace

BENCHMARK(BM_ReadRaw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadSnippets)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteRaw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveSnippets)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainMenu)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildSnippetMenu)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int result = quillet::bench::RunWithRatios(argc, argv,
                                                   {{"BM_LoadSnippets", "BM_ReadRaw", 40.0},
                                                    {"BM_SaveSnippets", "BM_WriteRaw", 10.0},
                                                    {"BM_BuildSnippetMenu", "BM_PlainMenu", 3.0}});
  std::filesystem::remove(LibraryPath());
  return result;
}

// The editor's side of the management classes: filling the object browser's "WMI Classes" from
// the whole shipped catalogue (read from its files, as the browser's thread does the first time,
// and from a catalogue already read), against reading the same files' bytes in the same run.
// Target: a whole fill, files read included, under 200 ms.
//
// Run: build/bench/bench_wmi_editor [--repeat N]   (default 20; each figure is the median)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "platform/FileBytes.h"
#include "platform/WmiCatalog.h"
#include "typeinfo/WmiClassLibrary.h"

namespace {

using quillet::bench::Median;
using quillet::bench::MillisecondsOf;
using quillet::platform::CWmiCatalog;
using quillet::typeinfo::CTypeLib;

constexpr double kTargetFillMs = 200.0;

size_t ReadCatalogueBytes() {
  size_t total = 0;
  for (const auto& entry : std::filesystem::directory_iterator(QUILLET_WMI_RESOURCES)) {
    std::string bytes;
    if (entry.path().extension() == ".mof" && quillet::platform::ReadFileBytes(entry.path().string(), bytes)) {
      total += bytes.size();
    }
  }
  return total;
}

size_t FillFromFiles() {
  CWmiCatalog catalogue;
  catalogue.AddMofFolder(QUILLET_WMI_RESOURCES);
  CTypeLib library;
  (void)quillet::typeinfo::FillWmiClassLibrary(library, catalogue, {});
  return library.groups.size();
}

}  // namespace

int main(int argc, char** argv) {
  int repeat = 20;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--repeat") == 0) repeat = std::max(1, std::atoi(argv[i + 1]));
  }
  CWmiCatalog loaded;
  loaded.AddMofFolder(QUILLET_WMI_RESOURCES);
  size_t classes = 0;
  size_t members = 0;
  size_t bytes = 0;
  std::vector<double> whole, fillOnly, raw;
  for (int i = 0; i < repeat; ++i) {
    whole.push_back(MillisecondsOf([&] { classes = FillFromFiles(); }));
    fillOnly.push_back(MillisecondsOf([&] {
      CTypeLib library;
      (void)quillet::typeinfo::FillWmiClassLibrary(library, loaded, {});
      members = 0;
      for (const auto& group : library.groups) members += group->members.size();
    }));
    raw.push_back(MillisecondsOf([&] { bytes = ReadCatalogueBytes(); }));
  }
  const double wholeMs = Median(whole);
  std::printf("catalogue: %zu bytes of class files, %zu classes listed with %zu members\n", bytes, classes, members);
  std::printf("WMI Classes filled, files read included: %.2f ms (target under %.0f ms): %s\n", wholeMs,
              kTargetFillMs, wholeMs < kTargetFillMs ? "met" : "MISSED");
  std::printf("WMI Classes filled from a catalogue already read: %.3f ms\n", Median(fillOnly));
  std::printf("baseline, the class files' bytes read: %.3f ms (ratio %.1f)\n", Median(raw),
              Median(raw) > 0 ? wholeMs / Median(raw) : 0.0);
  return wholeMs < kTargetFillMs ? 0 : 1;
}

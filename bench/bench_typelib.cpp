// Loading a library of 500 types and 5,000 functions into the catalogue with every description,
// against reading the same file's bytes. The figure that matters is the time per member.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "BenchMain.h"
#include "platform/FileBytes.h"
#include "platform/TextConvert.h"
#include "typeinfo/MsftWriter.h"
#include "typeinfo/TypeLib.h"

namespace {

using namespace quillet::typeinfo;

constexpr int kTypes = 500;
constexpr int kFunctionsPerType = 10;  // on average: the dispatch half carries twenty each
constexpr int kMembers = kTypes * kFunctionsPerType;

std::string LibraryPath() {
  static const std::string path = [] {
    SLibraryDesc library;
    library.name = u"BenchLib";
    for (int t = 0; t < kTypes; ++t) {
      STypeInfoDesc type;
      type.kind = t % 2 == 0 ? ETypeKind::CoClass : ETypeKind::Dispatch;
      type.name = (t % 2 == 0 ? u"Class" : u"IThing") + quillet::platform::Utf8ToUtf16(std::to_string(t / 2));
      if (t % 2 == 0) {
        STypeRef ref;
        ref.typeIndex = t + 1;
        type.implTypes.push_back({ref, flags::kImplDefault});
      }
      for (int f = 0; t % 2 == 1 && f < 2 * kFunctionsPerType; ++f) {
        SFuncDesc func;
        func.memberId = f;
        func.name = u"Method" + quillet::platform::Utf8ToUtf16(std::to_string(f));
        func.docString = u"Does something useful.";
        func.returnType.vt = f % 3 == 0 ? vt::kVoid : vt::kBstr;
        for (int p = 0; p < 3; ++p) {
          SParamDesc param{u"argument" + quillet::platform::Utf8ToUtf16(std::to_string(p)), {}, flags::kParamIn, {}};
          param.type.vt = vt::kI4;
          if (p == 2) {
            param.flags |= flags::kParamOptional | flags::kParamHasDefault;
            param.defaultValue = SVariant{vt::kI4, 7, 0, {}};
          }
          func.params.push_back(param);
        }
        type.funcs.push_back(func);
      }
      library.types.push_back(type);
    }
    const std::string file = (std::filesystem::temp_directory_path() / "quillet_bench_typelib.tlb").string();
    std::ofstream(file, std::ios::binary) << CMsftWriter::Write(library);
    return file;
  }();
  return path;
}


void BM_LoadCatalogue(benchmark::State& state) {
  const std::u16string path = quillet::platform::Utf8ToUtf16(LibraryPath());
  for (auto _ : state) {
    const CTypeLib library(path, nullptr);
    benchmark::DoNotOptimize(library.groups.size());
  }
  state.counters["us_per_member"] = benchmark::Counter(
      static_cast<double>(kMembers) * 1e-6, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_ReadFileBytes(benchmark::State& state) {
  const std::string path = LibraryPath();
  for (auto _ : state) {
    std::string bytes;
    benchmark::DoNotOptimize(quillet::platform::ReadFileBytes(path, bytes));
  }
}

BENCHMARK(BM_LoadCatalogue)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadFileBytes)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // Loading parses and describes every member; a few hundred raw reads of the file is the bound.
  return quillet::bench::RunWithRatios(argc, argv, {{"BM_LoadCatalogue", "BM_ReadFileBytes", 500.0}});
}

// Loading a library of 500 types and 5,000 functions into the catalogue with every description,
// against reading the same file's bytes. The figure that matters is the time per member.
// Resolving a ProgID through the class registry to the same library is measured beside it: it
// loads the library once to check that it declares the class.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "BenchMain.h"
#include "platform/ClassRegistry.h"
#include "platform/FileBytes.h"
#include "platform/TextConvert.h"
#include "typeinfo/MsftWriter.h"
#include "typeinfo/ProgIdResolver.h"
#include "typeinfo/ReferenceStore.h"
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
      type.guid.data1 = static_cast<std::uint32_t>(t + 1);
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

// The last class of the library, registered with its library in a hive of Quillet's own format.
std::shared_ptr<const quillet::platform::CClassRegistry> Registry() {
  const std::string hive = (std::filesystem::temp_directory_path() / "quillet_bench_classes.reg").string();
  std::ofstream(hive, std::ios::binary)
      << "Windows Registry Editor Version 5.00\r\n\r\n"
      << "[HKEY_CLASSES_ROOT\\Bench.Last\\CLSID]\r\n@=\"{000001F3-0000-0000-0000-000000000000}\"\r\n\r\n"
      << "[HKEY_CLASSES_ROOT\\CLSID\\{000001F3-0000-0000-0000-000000000000}\\TypeLib]\r\n"
      << "@=\"{0000BE0C-0000-0000-0000-000000000000}\"\r\n\r\n"
      << "[HKEY_CLASSES_ROOT\\TypeLib\\{0000BE0C-0000-0000-0000-000000000000}\\1.0\\0\\win32]\r\n"
      << "@=\"" << LibraryPath() << "\"\r\n";
  auto registry = std::make_shared<quillet::platform::CClassRegistry>();
  registry->AddQuilletHive(hive);
  return registry;
}

class CNoReferences final : public IReferenceStore {
 public:
  [[nodiscard]] std::u16string Read(std::u16string_view) const override { return {}; }
  bool Write(std::u16string_view, std::u16string_view) override { return false; }
  [[nodiscard]] std::map<std::u16string, std::u16string> ReadAll() const override { return {}; }
  bool ReplaceAll(const std::map<std::u16string, std::u16string>&) override { return false; }
};

void BM_LoadCatalogue(benchmark::State& state) {
  const std::u16string path = quillet::platform::Utf8ToUtf16(LibraryPath());
  for (auto _ : state) {
    const CTypeLib library(path, nullptr);
    benchmark::DoNotOptimize(library.groups.size());
  }
  state.counters["us_per_member"] = benchmark::Counter(
      static_cast<double>(kMembers) * 1e-6, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_ResolveProgID(benchmark::State& state) {
  CNoReferences references;
  const CProgIdResolver resolver(Registry(), references, nullptr);
  if (resolver.ResolveProgID(u"Bench.Last").path.empty()) state.SkipWithError("the ProgID did not resolve");
  for (auto _ : state) benchmark::DoNotOptimize(resolver.ResolveProgID(u"Bench.Last"));
}

void BM_ReadFileBytes(benchmark::State& state) {
  const std::string path = LibraryPath();
  for (auto _ : state) {
    std::string bytes;
    benchmark::DoNotOptimize(quillet::platform::ReadFileBytes(path, bytes));
  }
}

BENCHMARK(BM_LoadCatalogue)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResolveProgID)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadFileBytes)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // Loading parses and describes every member; a few hundred raw reads of the file is the bound.
  // Resolving reads and parses the file but describes nothing, so it stays well below loading.
  return quillet::bench::RunWithRatios(argc, argv, {{"BM_LoadCatalogue", "BM_ReadFileBytes", 500.0},
                                                    {"BM_ResolveProgID", "BM_ReadFileBytes", 250.0}});
}

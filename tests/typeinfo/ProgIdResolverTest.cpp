#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <thread>

#include "ResolverFixtures.h"
#include "platform/ClassRegistry.h"
#include "typeinfo/ProgIdResolver.h"
#include "typeinfo/TypeLibLocator.h"
#include "typeinfo/TypeLibrarySearch.h"

using namespace quillet::typeinfo;
using quillet::platform::CClassRegistry;
using quillet::test::CTempFolder;

namespace {

using quillet::test::CMemoryReferences;
using quillet::test::kCanvasReg;
using quillet::test::kShapeLibReg;
constexpr const char16_t* kCanvas = quillet::test::kCanvasClsid;

class CFakeLocator final : public ITypeLibLocator {
 public:
  [[nodiscard]] std::u16string LocateTypeLibrary(std::u16string_view clsid) override {
    ++calls;
    lastClsid = clsid;
    return answer;
  }
  std::u16string answer;
  std::u16string lastClsid;
  int calls = 0;
};

class ProgIdResolverTest : public ::testing::Test {
 protected:
  std::shared_ptr<CClassRegistry> Registry(const std::string& keys) { return quillet::test::WritePrefix(folder, keys); }
  [[nodiscard]] std::u16string Linux(const char* relative) const { return quillet::test::PrefixFile(folder, relative); }
  static std::string ProgId(const char* name, const char* clsid) { return quillet::test::ProgIdKey(name, clsid); }
  static std::string TypeLibKey(const char* clsid, const char* guid) {
    return std::string("[CLSID\\") + clsid + "\\TypeLib]\n@=\"" + guid + "\"\n";
  }
  static std::string Version(const char* guid, const char* version, const char* value) {
    return quillet::test::VersionKey(guid, version, value);
  }

  CTempFolder folder;
  CMemoryReferences references;
  CFakeLocator locator;
};

}  // namespace

TEST_F(ProgIdResolverTest, RegisteredVersionsAnswerInOrderWithoutTouchingTheStore) {
  const auto registry = Registry(ProgId("Shapes.Canvas", kCanvasReg) + TypeLibKey(kCanvasReg, kShapeLibReg) +
                                 Version(kShapeLibReg, "1.0", "\"C:\\libs\\other.tlb\"") +
                                 Version(kShapeLibReg, "2.0", "str(2):\"%SHAPES_HOME%\\shapes.tlb\"") +
                                 Version(kShapeLibReg, "3.0", "\"C:\\libs\\copy.tlb\""));
  std::filesystem::copy_file(folder.File("wine/drive_c/libs/shapes.tlb"), folder.File("wine/drive_c/libs/copy.tlb"));
  ::setenv("SHAPES_HOME", "C:\\libs", 1);
  const CProgIdResolver resolver(registry, references, &locator);

  const SResolvedProgId resolved = resolver.ResolveProgID(u"shapes.canvas");
  EXPECT_EQ(resolved.clsid, kCanvas);
  EXPECT_EQ(resolved.path, Linux("libs/shapes.tlb")) << "1.0 does not declare the class; 2.0's path is expanded";
  EXPECT_EQ(FindRegisteredTypeLibPath(*registry, u"{A1000000-1234-5678-9ABC-DEF001020304}", kCanvas),
            Linux("libs/shapes.tlb"));
  EXPECT_EQ(references.writes, 0);
  EXPECT_EQ(locator.calls, 0);
  ::unsetenv("SHAPES_HOME");
}

// The registered versions are the last word for a class that names its library: when none of
// them declares the class the path is empty, never the last candidate that was rejected.
TEST_F(ProgIdResolverTest, NoFittingVersionGivesAnEmptyPathAndNoSearch) {
  const auto registry = Registry(ProgId("Shapes.Canvas", kCanvasReg) + TypeLibKey(kCanvasReg, kShapeLibReg) +
                                 Version(kShapeLibReg, "1.0", "\"C:\\libs\\shapes.tlb\"") +
                                 Version(kShapeLibReg, "2.0", "\"C:\\libs\\other.tlb\"") +
                                 Version(kShapeLibReg, "3.0", "\"C:\\libs\\missing.tlb\""));
  const CProgIdResolver resolver(registry, references, &locator);
  EXPECT_EQ(resolver.ResolveProgID(u"Shapes.Canvas").path, Linux("libs/shapes.tlb"));

  const auto wrongClass = Registry(ProgId("Shapes.Canvas", kCanvasReg) + TypeLibKey(kCanvasReg, kShapeLibReg) +
                                   Version(kShapeLibReg, "1.0", "\"C:\\libs\\other.tlb\"") +
                                   Version(kShapeLibReg, "2.0", "\"C:\\libs\\missing.tlb\""));
  EXPECT_FALSE(FindRegisteredTypeLibPath(*wrongClass, u"{A1000000-1234-5678-9ABC-DEF001020304}", kCanvas));
  const CProgIdResolver strict(wrongClass, references, &locator);
  const SResolvedProgId resolved = strict.ResolveProgID(u"Shapes.Canvas");
  EXPECT_EQ(resolved.clsid, kCanvas);
  EXPECT_EQ(resolved.path, u"");
  EXPECT_EQ(references.writes, 0);
  EXPECT_EQ(locator.calls, 0);
}

TEST_F(ProgIdResolverTest, ServersAreTriedWhenNoLibraryIsNamed) {
  const auto registry = Registry(ProgId("Shapes.Canvas", kCanvasReg) + "[CLSID\\" + kCanvasReg +
                                 "\\InprocServer32]\n@=\"C:\\libs\\other.tlb\"\n[CLSID\\" + kCanvasReg +
                                 "\\LocalServer32]\n@=\"C:\\LIBS\\Shapes.TLB\"\n");
  const CProgIdResolver resolver(registry, references, &locator);
  EXPECT_EQ(resolver.ResolveProgID(u"Shapes.Canvas").path, Linux("libs/shapes.tlb"));
  EXPECT_EQ(references.writes, 0);
}

TEST_F(ProgIdResolverTest, ASearchIsRememberedAlsoWhenItFindsNothing) {
  const auto registry = Registry(ProgId("Shapes.Canvas", kCanvasReg) + ProgId("Shapes.Found", kCanvasReg) +
                                 "[NoClass.Here]\n@=\"x\"\n");
  const CProgIdResolver resolver(registry, references, &locator);

  EXPECT_EQ(resolver.ResolveProgID(u"NoClass.Here").clsid, u"");
  EXPECT_EQ(resolver.ResolveProgID(u"").clsid, u"");
  EXPECT_EQ(references.writes, 0) << "no class: the store is not touched";

  EXPECT_EQ(resolver.ResolveProgID(u"Shapes.Canvas").path, u"");
  EXPECT_EQ(locator.lastClsid, kCanvas);
  EXPECT_EQ(references.entries[u"Shapes.Canvas"], u"unknown");
  EXPECT_EQ(resolver.ResolveProgID(u"Shapes.Canvas").path, u"");
  EXPECT_EQ(locator.calls, 1) << "unknown is not searched again";

  locator.answer = Linux("libs/shapes.tlb");
  EXPECT_EQ(resolver.ResolveProgID(u"Shapes.Found").path, Linux("libs/shapes.tlb"));
  EXPECT_EQ(references.entries[u"Shapes.Found"], Linux("libs/shapes.tlb"));

  // Without a locator the class is still remembered as unknown.
  const CProgIdResolver headless(registry, references, nullptr);
  references.entries.clear();
  EXPECT_EQ(headless.ResolveProgID(u"Shapes.Canvas").path, u"");
  EXPECT_EQ(references.entries[u"Shapes.Canvas"], u"unknown");
}

TEST_F(ProgIdResolverTest, AStoredPathIsFinalEvenWhenItNoLongerFits) {
  const auto registry = Registry(ProgId("Shapes.Canvas", kCanvasReg) + TypeLibKey(kCanvasReg, kShapeLibReg) +
                                 Version(kShapeLibReg, "1.0", "\"C:\\libs\\shapes.tlb\""));
  const CProgIdResolver resolver(registry, references, &locator);
  references.entries[u"Shapes.Canvas"] = Linux("libs/other.tlb");
  EXPECT_EQ(resolver.ResolveProgID(u"Shapes.Canvas").path, u"") << "the registered library is not consulted";
  EXPECT_EQ(references.entries[u"Shapes.Canvas"], Linux("libs/other.tlb"));
  references.entries[u"Shapes.Canvas"] = Linux("libs/shapes.tlb");
  EXPECT_EQ(resolver.ResolveProgID(u"Shapes.Canvas").path, Linux("libs/shapes.tlb"));
  EXPECT_EQ(locator.calls, 0);
  EXPECT_EQ(references.writes, 0);
}

TEST_F(ProgIdResolverTest, LibraryHasCoClassComparesTheRegistryFormIgnoringCase) {
  Registry("[Dummy\\CLSID]\n@=\"x\"\n");
  EXPECT_TRUE(LibraryHasCoClass(u"{a1000005-1234-5678-9abc-def001020304}", Linux("libs/shapes.tlb")));
  EXPECT_FALSE(LibraryHasCoClass(u"A1000005-1234-5678-9ABC-DEF001020304", Linux("libs/shapes.tlb")));
  EXPECT_FALSE(LibraryHasCoClass(u"{A1000002-1234-5678-9ABC-DEF001020304}", Linux("libs/shapes.tlb")))
      << "an interface's GUID is not a class";
  EXPECT_FALSE(LibraryHasCoClass(kCanvas, Linux("libs/other.tlb")));
  EXPECT_FALSE(LibraryHasCoClass(kCanvas, Linux("libs/missing.tlb")));
  EXPECT_FALSE(LibraryHasCoClass(kCanvas, u"unknown"));
}

TEST_F(ProgIdResolverTest, SearchScansEveryRegisteredLibraryAndCanBeStopped) {
  std::string keys = Version("{B0000000-0000-0000-0000-000000000001}", "1.0", "\"C:\\libs\\other.tlb\"") +
                     Version("{B0000000-0000-0000-0000-000000000001}", "1.1", "\"C:\\libs\\missing.tlb\"") +
                     "[TypeLib\\{B0000000-0000-0000-0000-000000000002}\\1.0\\0\\win64]\n@=\"C:\\libs\\shapes.tlb\"\n" +
                     Version("{B0000000-0000-0000-0000-000000000003}", "2.0", "\"C:\\libs\\shapes.tlb\"");
  const auto registry = Registry(keys);

  CTypeLibrarySearch search(registry, kCanvas);
  EXPECT_FALSE(search.Finished());
  std::thread worker([&search] { search.Run(); });
  worker.join();
  EXPECT_TRUE(search.Finished());
  EXPECT_EQ(search.Total(), 3) << "the win64-only version is not counted";
  EXPECT_EQ(search.Examined(), 3);
  EXPECT_EQ(search.FoundPath(), Linux("libs/shapes.tlb"));

  CTypeLibrarySearch missing(registry, u"{00000000-0000-0000-0000-00000000FFFF}");
  missing.Run();
  EXPECT_EQ(missing.Examined(), 3);
  EXPECT_EQ(missing.FoundPath(), u"");

  CTypeLibrarySearch stopped(registry, kCanvas);
  stopped.RequestStop();
  stopped.Run();
  EXPECT_TRUE(stopped.Finished());
  EXPECT_EQ(stopped.Examined(), 0);
  EXPECT_EQ(stopped.FoundPath(), u"");
}

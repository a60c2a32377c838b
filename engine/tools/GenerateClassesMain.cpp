// quillet-classgen FOLDER: writes, from the object model's declarations, one type library per
// declared library (<name>.tlb) and the class registrations (classes.reg) into FOLDER. Run by
// the build; what it writes is installed under share/quillet.

#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <string>

#include "engine/tools/ClassHiveBuilder.h"
#include "engine/tools/DeclaredLibraries.h"
#include "engine/tools/TypeLibraryBuilder.h"
#include "platform/AtomicFileWriter.h"
#include "platform/RegFileWriter.h"
#include "platform/TextConvert.h"
#include "typeinfo/MsftWriter.h"

namespace {

using namespace quillet;

bool WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  platform::CAtomicFileWriter writer(path.string());
  if (writer.Open() && writer.Write(bytes) && writer.Commit()) return true;
  std::fprintf(stderr, "quillet-classgen: cannot write %s: %s\n", path.c_str(), std::strerror(writer.Error()));
  return false;
}

int Generate(const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    std::fprintf(stderr, "quillet-classgen: cannot make %s: %s\n", folder.c_str(), error.message().c_str());
    return 1;
  }
  const auto libraries = engine::tools::DeclaredLibraries();
  for (const engine::om::SLibrary* library : libraries) {
    const std::string bytes = typeinfo::CMsftWriter::Write(engine::tools::BuildTypeLibrary(*library));
    if (!WriteFile(folder / platform::Utf16ToUtf8(engine::tools::TypeLibraryFileName(*library)), bytes)) return 1;
  }
  const auto hive = engine::tools::BuildClassHive(libraries);
  return WriteFile(folder / "classes.reg", platform::CRegFileWriter::Write(*hive)) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: quillet-classgen FOLDER\n", stderr);
    return 2;
  }
  try {
    return Generate(argv[1]);
  } catch (const std::exception& e) {
    // A declaration the format cannot carry: the build stops here rather than install it damaged.
    std::fprintf(stderr, "quillet-classgen: %s\n", e.what());
    return 1;
  }
}

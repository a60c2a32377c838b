// Every real-world script compiles, or fails with a compilation error at a position; none may
// crash the engine.

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/vm/ScriptEngine.h"
#include "engine/runtime/ScriptError.h"
#include "engine/host/ScriptSource.h"
#include "platform/FileBytes.h"

namespace quillet::engine {
namespace {

TEST(Corpus, EveryScriptCompilesOrGivesACompilationError) {
  const std::filesystem::path folder(QUILLET_CORPUS_DIR);
  if (!std::filesystem::is_directory(folder)) GTEST_SKIP() << "no corpus at " << folder;
  int compiled = 0;
  int refused = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    std::string bytes;
    ASSERT_TRUE(platform::ReadFileBytes(entry.path().string(), bytes));
    CScriptEngine engine;
    try {
      engine.CompileOnly(host::DecodeScript(bytes));
      ++compiled;
    } catch (const CScriptError& e) {
      EXPECT_EQ(e.Kind(), EErrorKind::Compilation) << entry.path();
      EXPECT_GT(e.Line(), 0) << entry.path();
      ++refused;
    }
  }
  EXPECT_GT(compiled, 1000);
  std::cout << compiled << " compiled, " << refused << " refused\n";
}

}  // namespace
}  // namespace quillet::engine

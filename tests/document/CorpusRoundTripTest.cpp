// Every real-world script of the shared corpus loads and saves back byte for byte, in its own
// line-end style. Skipped where the corpus is not beside the checkout.

#include <gtest/gtest.h>

#include <filesystem>

#include "DocumentFixture.h"

using quillet::test::CDocumentTest;
using quillet::test::ReadFile;

class Corpus : public CDocumentTest {};

TEST_F(Corpus, EveryScriptRoundTrips) {
  const std::filesystem::path corpus = QUILLET_CORPUS_DIR;
  if (!std::filesystem::is_directory(corpus)) GTEST_SKIP() << "no corpus at " << corpus;
  size_t count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    if (!entry.is_regular_file()) continue;
    const std::string bytes = ReadFile(entry.path().string());
    ASSERT_TRUE(doc.LoadFromFile(entry.path().string(), quillet::document::EolDetect));
    ASSERT_TRUE(doc.SaveToFile(Path("out.vbs"), -1, true));
    EXPECT_EQ(ReadFile(Path("out.vbs")), bytes) << entry.path();
    ++count;
  }
  EXPECT_GT(count, 1000u);
}

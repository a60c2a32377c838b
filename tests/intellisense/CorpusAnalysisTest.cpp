// Every script of the shared corpus, a caret at sampled places, both kinds of request: analysis
// never faults and every request stays bounded. The slowest request is printed.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>

#include "AnalysisFixtures.h"
#include "document/QuilletDoc.h"
#include "editor/DocumentAnalysisSource.h"
#include "intellisense/SourceAnalysis.h"
#include "platform/AnsiCodePage.h"

namespace quillet::intellisense {
namespace {

using Clock = std::chrono::steady_clock;

// Far above any real request: only a runaway scan comes near it.
constexpr auto kRunawayBound = std::chrono::seconds(2);
constexpr int32_t kSampledLines = 12;

TEST(CorpusAnalysis, ACaretAnywhereInEveryScriptEndsQuietly) {
  const std::filesystem::path corpus = QUILLET_CORPUS_DIR;
  if (!std::filesystem::is_directory(corpus)) GTEST_SKIP() << "no corpus at " << corpus;
  test::SGeneratedClasses classes;
  const auto codePage = platform::CAnsiCodePage::ForCodePage(1252);
  size_t scripts = 0, requests = 0;
  Clock::duration slowest{};
  std::string slowestWhere;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    document::CQuilletDoc doc;
    doc.SetCodePage(codePage.get());
    ASSERT_TRUE(doc.LoadFromFile(entry.path().string(), document::EolDetect)) << entry.path();
    editor::CSyntaxColorizer colorizer(doc);
    editor::CDocumentAnalysisSource source(doc, colorizer);
    const int32_t lines = doc.GetLineCount();
    const int32_t step = std::max(1, lines / kSampledLines);
    for (int32_t line = 0; line < lines; line += step) {
      const auto length = static_cast<int32_t>(doc.GetLine(line).size());
      for (int32_t column : {length, length / 2, length + 5}) {
        const auto start = Clock::now();
        CSourceAnalysis memberList(source, *classes.resolver, classes.registry);
        (void)memberList.AnalyseForMemberList(column, line);
        CSourceAnalysis tip(source, *classes.resolver, classes.registry);
        (void)tip.AnalyseForParameterTip(column, line);
        const auto took = (Clock::now() - start) / 2;
        requests += 2;
        ASSERT_LT(took, kRunawayBound) << entry.path() << " line " << line << " column " << column;
        if (took > slowest) {
          slowest = took;
          slowestWhere = entry.path().filename().string() + ":" + std::to_string(line + 1);
        }
      }
    }
    ++scripts;
  }
  EXPECT_GT(scripts, 1000u);
  std::printf("%zu scripts, %zu requests, slowest request %.2f ms (%s)\n", scripts, requests,
              std::chrono::duration<double, std::milli>(slowest).count(), slowestWhere.c_str());
}

}  // namespace
}  // namespace quillet::intellisense

// A pattern with nested repetition against a long subject must end in a failed match, never in
// a stack overflow or a search that runs for years.

#include <gtest/gtest.h>
#include <pthread.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "regex/RegExecutorW.h"
#include "regex/RegExpW.h"

namespace quillet::regex {
namespace {

constexpr char16_t kTooDeep[] = u"match abandoned: recursion too deep";
constexpr char16_t kTooMuch[] = u"match abandoned: too much backtracking";

struct SDeepRun {
  const char16_t* pattern;
  const std::u16string* subject;
  bool matched = true;
  std::u16string error;
};

void* RunDeep(void* arg) {
  auto* run = static_cast<SDeepRun*>(arg);
  CRegExpW re(run->pattern, ERegCase::Insensitive);
  run->matched = re.Match(run->subject->c_str());
  run->error = re.Program()->ErrorText();
  return nullptr;
}

// Runs the match on a thread whose stack is a painted buffer of our own and returns how many
// bytes of it the match used, or 0 when the thread could not be started.
size_t StackUsedBy(SDeepRun& run, size_t stackSize) {
  void* stack = std::aligned_alloc(4096, stackSize);
  std::memset(stack, 0xA5, stackSize);
  pthread_attr_t attr;
  pthread_attr_init(&attr);
  pthread_attr_setstack(&attr, stack, stackSize);
  pthread_t thread;
  size_t used = 0;
  if (pthread_create(&thread, &attr, RunDeep, &run) == 0) {
    pthread_join(thread, nullptr);
    const auto* bytes = static_cast<const unsigned char*>(stack);
    size_t untouched = 0;
    while (untouched < stackSize && bytes[untouched] == 0xA5) ++untouched;
    used = stackSize - untouched;
  }
  pthread_attr_destroy(&attr);
  std::free(stack);
  return used;
}

TEST(RegBounds, DeepRecursionFailsTheMatchInsteadOfOverflowingTheStack) {
  // Every character passes a loop, a group and an alternative: several frames per character.
  const std::u16string subject = std::u16string(200000, u'a') + u"c";
  SDeepRun run{u"(a|b)*c", &subject, true, {}};
  constexpr size_t kStack = 8u << 20;
  const size_t used = StackUsedBy(run, kStack);
  ASSERT_GT(used, 0u);
  EXPECT_FALSE(run.matched);
  EXPECT_EQ(run.error, kTooDeep);
  std::printf("stack used at the depth bound of %d: %zu KiB (%zu bytes per level)\n",
              CRegExecutorW::kMaxDepth, used >> 10, used / CRegExecutorW::kMaxDepth);
  // The bound leaves most of a default 8 MiB stack to the caller, even with sanitizers.
  EXPECT_LT(used, size_t{3} << 20);
}

TEST(RegBounds, LongSubjectsWithinTheBoundStillMatch) {
  const std::u16string subject = std::u16string(800, u'a') + u"c";
  CRegExpW re(u"(a|b)*c", ERegCase::Sensitive);
  ASSERT_TRUE(re.Match(subject.c_str()));
  EXPECT_EQ(re.SubLength(0), 801);
  EXPECT_EQ(re.SubStart(1), 799);

  // Simple repetitions iterate instead of recursing, whatever the length.
  const std::u16string blanks = std::u16string(100000, u' ') + u"Sub Foo";
  CRegExpW procedure(u"(^|[\t ]+)(Sub|Function)[\t ]+([a-zA-Z_]+[a-zA-Z_0-9]*)+",
                     ERegCase::Insensitive);
  ASSERT_TRUE(procedure.Match(blanks.c_str()));
  EXPECT_EQ(procedure.SubStart(3), 100004);
}

TEST(RegBounds, BacktrackingNeverRunsAway) {
  // A member-list request on a line like this one would explore every way of splitting each
  // identifier between the two repetitions, 2^60 paths, if failures were not remembered.
  std::u16string line = u"x = ";
  for (int i = 0; i < 60; ++i) line += u"ab.";
  line += u"c d";
  CRegExpW chain(u"(([\t ]*[a-zA-Z_]+[a-zA-Z_0-9]*)([\t ]*\\([^\\)]*\\))*\\.)+$",
                 ERegCase::Insensitive);
  const auto started = std::chrono::steady_clock::now();
  EXPECT_FALSE(chain.Match(line.c_str()));
  EXPECT_TRUE(chain.Program()->ErrorText().empty());
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
  line.resize(line.size() - 3);
  ASSERT_TRUE(chain.Match(line.c_str()));
  EXPECT_EQ(chain.SubStart(0), 3);
  EXPECT_EQ(chain.SubStart(2), 4 + 59 * 3);  // the last pass of the group

  // Where remembering failures does not help, the work bound ends the search: repetitions that
  // rescan the rest of the line for every character given back, and more repetitions in a row
  // than the table of failures can hold.
  const std::u16string flat(5000, u'a');
  for (const char16_t* pattern :
       {u".*.*.*.*[x]", u"[a-z]*[a-z]*[a-z]*[a-z]*[a-z]*[a-z]*[a-z]*[a-z]*[0-9]"}) {
    CRegExpW re(pattern, ERegCase::Sensitive);
    EXPECT_FALSE(re.Match(flat.c_str()));
    EXPECT_EQ(re.Program()->ErrorText(), kTooMuch);
    EXPECT_EQ(re.SubStrings(), -1);
    // The object stays usable.
    EXPECT_TRUE(re.Match(u"ax1"));
  }
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
}

TEST(RegBounds, AnAbandonedMatchIsReportedByThatMatchAlone) {
  const std::u16string flat(5000, u'a');
  CRegExpW re(u".*.*.*.*[x]", ERegCase::Sensitive);
  ASSERT_FALSE(re.Match(flat.c_str()));
  ASSERT_EQ(re.Program()->ErrorText(), kTooMuch);

  // A later match that simply fails, or succeeds, was not abandoned.
  EXPECT_FALSE(re.Match(u"abc"));
  EXPECT_TRUE(re.Program()->ErrorText().empty());
  ASSERT_FALSE(re.Match(flat.c_str()));
  EXPECT_TRUE(re.Match(u"ax"));
  EXPECT_TRUE(re.Program()->ErrorText().empty());

  // Running away again is reported again, and the other errors of a match are still its own.
  EXPECT_FALSE(re.Match(flat.c_str()));
  EXPECT_EQ(re.Program()->ErrorText(), kTooMuch);
  EXPECT_FALSE(re.Match(nullptr));
  EXPECT_EQ(re.Program()->ErrorText(), u"NULL argument to regexec");
}

}  // namespace
}  // namespace quillet::regex

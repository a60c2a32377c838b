// A child's output as the drain keeps it: the same text and line count however the bytes
// arrive and are taken, and a stream that outgrows its limit stops with the script's error.

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <string>

#include "engine/objects/wsh/DrainedText.h"
#include "engine/objects/wsh/PipeDrain.h"
#include "engine/runtime/ScriptError.h"
#include "platform/TextConvert.h"

namespace quillet::engine::wsh {
namespace {

std::string LongAsciiThenOther() {
  std::string text;
  for (int i = 0; i < 9000; ++i) text += "line " + std::to_string(i) + "\r\n";
  return text + "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80\nend";
}

TEST(DrainedText, SameTextHoweverTheBytesArriveAndAreTaken) {
  const std::string bytes = LongAsciiThenOther();
  const std::u16string expected = platform::Utf8ToUtf16(bytes);
  // Pieces of every size from one byte up cut the multi-byte sequences in every place.
  for (const size_t piece : {size_t{1}, size_t{2}, size_t{3}, size_t{7}, size_t{4096}, bytes.size()}) {
    CDrainedText drained;
    std::u16string got;
    size_t lineBreaks = 0;
    for (size_t at = 0; at < bytes.size(); at += piece) {
      drained.Append(bytes.data() + at, std::min(piece, bytes.size() - at));
      // Part of the ASCII is taken while more is still to come, as ReadLine would.
      if (at > 50000 && got.empty()) {
        const auto taken = drained.Take(drained.FindLineFeed(0) + 1);
        got = taken.text;
        lineBreaks = taken.lineBreaks;
      }
    }
    const auto rest = drained.Take(drained.Size());
    EXPECT_EQ(drained.Size(), 0u);
    EXPECT_EQ(got + rest.text, expected) << "pieces of " << piece;
    EXPECT_EQ(lineBreaks + rest.lineBreaks, 9001u) << "pieces of " << piece;
    EXPECT_EQ(rest.lastBreak, rest.text.size() - 4) << "pieces of " << piece;
  }
}

TEST(DrainedText, LineBreaksOfAsciiTakenWholeOrInParts) {
  CDrainedText drained;
  std::string bytes;
  for (int i = 0; i < 100000; ++i) bytes += i % 10 == 9 ? '\n' : 'a';
  for (size_t at = 0; at < bytes.size(); at += 7001) drained.Append(bytes.data() + at, std::min<size_t>(7001, bytes.size() - at));
  auto first = drained.Take(95);
  EXPECT_EQ(first.lineBreaks, 9u);
  EXPECT_EQ(first.lastBreak, 89u);
  // More than the room left: the text moves, without what was taken.
  const std::string more(600000, 'b');
  drained.Append(more.data(), more.size());
  auto all = drained.Take(drained.Size());
  EXPECT_EQ(all.text.size(), 100000u - 95u + more.size());
  EXPECT_EQ(all.lineBreaks, 10000u - 9u);
  EXPECT_EQ(all.lastBreak, 100000u - 95u - 1u);
  EXPECT_EQ(all.text.substr(all.lastBreak - 1, 3), u"a\nb");

  // Taken whole from the start, the counts kept on the way are handed over.
  CDrainedText whole;
  whole.Append(bytes.data(), bytes.size());
  const auto taken = whole.Take(whole.Size());
  EXPECT_EQ(taken.lineBreaks, 10000u);
  EXPECT_EQ(taken.lastBreak, bytes.size() - 1);
  whole.Append("x", 1);
  EXPECT_EQ(whole.Take(1).text, u"x");
}

TEST(PipeDrain, StreamPastItsLimitStopsWithTheScriptsError) {
  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  ASSERT_EQ(::write(fds[1], "0123456789", 10), 10);
  ::close(fds[1]);
  CPipeDrain drain(fds[0], -1, 4);
  try {
    (void)drain.TakeAll(CPipeDrain::Output);
    ADD_FAILURE() << "no error";
  } catch (const CScriptError& error) {
    EXPECT_EQ(error.Number(), err::OutOfStringSpace);
  }
  EXPECT_THROW((void)drain.PeekByte(CPipeDrain::Output), CScriptError);
  EXPECT_EQ(drain.PeekByte(CPipeDrain::Error), -1);
}

}  // namespace
}  // namespace quillet::engine::wsh

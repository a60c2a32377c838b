#include "debug/ErrorLocation.h"

#include <limits>

#include "platform/TextConvert.h"

namespace quillet::debug {
namespace {

constexpr auto npos = std::u16string_view::npos;

// '(' then ',' then ')' after from, all before end; the numbers between them.
std::optional<SErrorLocation> ReadParenthesised(std::u16string_view text, size_t from, size_t end) {
  const size_t open = text.find(u'(', from);
  if (open == npos || open >= end) return std::nullopt;
  const size_t comma = text.find(u',', open + 1);
  if (comma == npos || comma >= end) return std::nullopt;
  const size_t close = text.find(u')', comma + 1);
  if (close == npos || close >= end) return std::nullopt;
  SErrorLocation location;
  location.line = ReadDecimal(text.substr(open + 1, comma - open - 1));
  location.column = ReadDecimal(text.substr(comma + 1, close - comma - 1));
  return location;
}

}  // namespace

int32_t ReadDecimal(std::u16string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == u' ' || (text[i] >= u'\t' && text[i] <= u'\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  int64_t value = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    value = value * 10 + (text[i] - u'0');
    // Saturate rather than wrap: a huge number must not come out as a valid small position.
    if (value > std::numeric_limits<int32_t>::max()) value = std::numeric_limits<int32_t>::max();
  }
  return static_cast<int32_t>(negative ? -value : value);
}

std::optional<SErrorLocation> FindErrorLocation(std::u16string_view output, std::u16string_view runPath,
                                                const PositionCheck& isValid) {
  if (runPath.empty()) return std::nullopt;
  for (size_t p = output.find(runPath); p != npos; p = output.find(runPath, p + 1)) {
    if (p != 0 && output[p - 1] != u'\n') continue;
    const size_t crlf = output.find(u"\r\n", p);
    const size_t end = crlf == npos ? output.size() : crlf;
    auto location = ReadParenthesised(output, p + runPath.size(), end);
    if (location && isValid(location->line, location->column)) {
      location->lineStart = p;
      location->lineEnd = end;
      return location;
    }
  }
  return std::nullopt;
}

bool LooksLikeLocation(std::u16string_view line) {
  const size_t open = line.find(u'(');
  const size_t close = line.find(u')');
  return open != npos && open != 0 && close != npos && close != 0;
}

std::optional<SErrorLocation> ParseLocationLine(std::u16string_view line, std::u16string_view runPath) {
  const size_t open = line.find(u'(');
  if (open == npos || runPath.empty()) return std::nullopt;
  if (!platform::EqualsIgnoringAsciiCase(line.substr(0, open), runPath)) return std::nullopt;
  auto location = ReadParenthesised(line, open, line.size());
  if (location) location->lineEnd = line.size();
  return location;
}

}  // namespace quillet::debug

#include "editor/LineText.h"

#include "editor/SyntaxScanner.h"

namespace quillet::editor {
namespace {

[[nodiscard]] int32_t Length(std::u16string_view line) { return static_cast<int32_t>(line.size()); }
[[nodiscard]] bool IsOther(char16_t c) { return !IsWordChar(c) && !IsBlank(c); }
[[nodiscard]] bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
[[nodiscard]] bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

template <typename Pred>
int32_t SkipLeft(std::u16string_view line, int32_t x, Pred pred) {
  while (x > 0 && pred(line[x - 1])) --x;
  return x;
}

template <typename Pred>
int32_t SkipRight(std::u16string_view line, int32_t x, Pred pred) {
  while (x < Length(line) && pred(line[x])) ++x;
  return x;
}

}  // namespace

bool IsWordChar(char16_t c) { return IsAsciiLetter(c) || IsAsciiDigit(c) || c == u'_'; }

bool IsBlank(char16_t c) { return c == u' ' || (c >= 9 && c <= 13); }

int32_t DisplayColumn(std::u16string_view line, int32_t ch, int32_t tabSize) {
  int32_t column = 0;
  const int32_t end = ch < Length(line) ? ch : Length(line);
  for (int32_t i = 0; i < end; ++i) {
    column = line[i] == u'\t' ? (column / tabSize + 1) * tabSize : column + 1;
  }
  return column;
}

int32_t WordLeftIn(std::u16string_view line, int32_t x) {
  x = SkipLeft(line, x, IsBlank);
  if (x > 0 && IsWordChar(line[x - 1])) return SkipLeft(line, x, IsWordChar);
  return SkipLeft(line, x, IsOther);
}

int32_t WordRightIn(std::u16string_view line, int32_t x) {
  if (x < Length(line) && IsWordChar(line[x])) {
    x = SkipRight(line, x, IsWordChar);
  } else {
    x = SkipRight(line, x, IsOther);
  }
  return SkipRight(line, x, IsBlank);
}

int32_t WordStartAt(std::u16string_view line, int32_t x) { return SkipLeft(line, x, IsWordChar); }

int32_t WordEndAt(std::u16string_view line, int32_t x) { return SkipRight(line, x, IsWordChar); }

int32_t FirstNonBlank(std::u16string_view line) {
  const int32_t x = SkipRight(line, 0, [](char16_t c) { return c == u' ' || c == u'\t'; });
  return x < Length(line) ? x : -1;
}

int32_t PreviousCharStart(std::u16string_view line, int32_t x) {
  if (x <= 0) return 0;
  if (x >= 2 && IsLowSurrogate(line[x - 1]) && IsHighSurrogate(line[x - 2])) return x - 2;
  return x - 1;
}

int32_t NextCharEnd(std::u16string_view line, int32_t x) {
  if (x >= Length(line)) return Length(line);
  if (x + 1 < Length(line) && IsHighSurrogate(line[x]) && IsLowSurrogate(line[x + 1])) return x + 2;
  return x + 1;
}

}  // namespace quillet::editor

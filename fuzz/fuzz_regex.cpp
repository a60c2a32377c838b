// Arbitrary patterns against arbitrary subjects. Input: one byte of mode, then the text; mode
// bit 0 set means the text is UTF-16LE, clear means one byte per code unit (easier seeds). The
// first NUL unit of the text separates pattern and subject. Both are copied into buffers that
// end exactly at their NUL, so any read past it is caught by AddressSanitizer.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "regex/RegExpW.h"

namespace {

using quillet::regex::CRegExpW;
using quillet::regex::ERegCase;

std::unique_ptr<char16_t[]> Terminated(const std::vector<char16_t>& units, size_t from, size_t to) {
  auto text = std::make_unique<char16_t[]>(to - from + 1);
  for (size_t i = from; i < to; ++i) text[i - from] = units[i];
  text[to - from] = u'\0';
  return text;
}

size_t Length(const char16_t* text) {
  size_t length = 0;
  while (text[length] != u'\0') ++length;
  return length;
}

void MatchAndCheck(const char16_t* pattern, const char16_t* subject, ERegCase caseMode) {
  CRegExpW re(pattern, caseMode);
  const bool matched = re.Match(subject);
  const int count = re.SubStrings();
  if (!matched) {
    if (count != -1 || re.SubStart(0) != -1) std::abort();
    return;
  }
  const int length = static_cast<int>(Length(subject));
  if (count < 0 || count > 9) std::abort();
  for (int i = 0; i <= 9; ++i) {
    const int start = re.SubStart(i);
    const int size = re.SubLength(i);
    if (i <= count && (start < 0 || size < 0)) std::abort();
    if (start >= 0 && (start > length || size < 0 || start + size > length)) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const bool wide = (data[0] & 1) != 0;
  std::vector<char16_t> units;
  if (wide) {
    for (size_t i = 1; i + 1 < size; i += 2) {
      units.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    }
  } else {
    for (size_t i = 1; i < size; ++i) units.push_back(data[i]);
  }
  size_t split = 0;
  while (split < units.size() && units[split] != u'\0') ++split;
  size_t end = split + 1;
  while (end < units.size() && units[end] != u'\0') ++end;
  end = std::min(end, units.size());
  const auto pattern = Terminated(units, 0, split);
  const auto subject = Terminated(units, std::min(split + 1, units.size()), end);
  MatchAndCheck(pattern.get(), subject.get(), ERegCase::Sensitive);
  MatchAndCheck(pattern.get(), subject.get(), ERegCase::Insensitive);
  return 0;
}

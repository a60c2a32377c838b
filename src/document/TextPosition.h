#pragma once
// A place in the text: character index within the line (UTF-16 code units, a tab counts as one)
// and line index, both from 0. Ranges run from a start to an exclusive end.

#include <cstdint>

namespace quillet::document {

struct CTextPosition {
  int32_t x = 0;  // character
  int32_t y = 0;  // line

  friend bool operator==(const CTextPosition&, const CTextPosition&) = default;
  friend bool operator<(const CTextPosition& a, const CTextPosition& b) {
    return a.y != b.y ? a.y < b.y : a.x < b.x;
  }
};

}  // namespace quillet::document

#include "regex/RegErrorHandlerW.h"

namespace quillet::regex {
namespace {

struct SErrorEntry {
  int code;
  std::u16string_view message;
};

// Codes 6 to 9 and 23 are never raised; they keep their place so that codes stay stable.
constexpr SErrorEntry kErrorTable[] = {
    {1, u"NULL argument to regexec"},
    {2, u"corrupted regexp"},
    {3, u"regexp corruption"},
    {4, u"corrupted pointers"},
    {5, u"internal error: bad call of regrepeat"},
    {6, u"corrupted opcode"},
    {7, u"NULL parm to regsub"},
    {8, u"damaged regexp fed to regsub"},
    {9, u"damaged match string"},
    {10, u"NULL argument to regcomp"},
    {11, u"regexp too big"},
    {12, u"too many ()"},
    {13, u"unterminated ()"},
    {14, u"unmatched ()"},
    {15, u"internal error: junk on end"},
    {16, u"*+ operand could be empty"},
    {17, u"nested *?+"},
    {18, u"invalid [] range"},
    {19, u"unmatched []"},
    {20, u"internal error: \\\\0|) unexpected"},
    {21, u"?+* follows nothing"},
    {22, u"trailing \\\\"},
    {23, u"internal error: strcspn 0"},
    {24, u"NULL regexp"},
    {25, u"match abandoned: recursion too deep"},
    {26, u"match abandoned: too much backtracking"},
    {0, u"Unknown error"},
};

}  // namespace

std::u16string_view RegErrorText(int code) {
  for (const SErrorEntry& entry : kErrorTable) {
    if (entry.code == code || entry.code == 0) return entry.message;
  }
  return {};
}

}  // namespace quillet::regex

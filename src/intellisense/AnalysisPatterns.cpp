#include "intellisense/AnalysisPatterns.h"

#include <string>
#include <string_view>

namespace quillet::intellisense {
namespace {

// The patterns are kept as written, with \t for a tab; the engine wants the tab itself.
regex::CRegExpW Compile(std::u16string_view written) {
  std::u16string pattern;
  for (size_t i = 0; i < written.size(); ++i) {
    if (written[i] == u'\\' && i + 1 < written.size() && written[i + 1] == u't') {
      pattern += u'\t';
      ++i;
    } else {
      pattern += written[i];
    }
  }
  return regex::CRegExpW(pattern, regex::ERegCase::Insensitive);
}

constexpr std::u16string_view kIdentifier = uR"(([a-zA-Z_]+[a-zA-Z_0-9]*))";
constexpr std::u16string_view kChainTail = uR"(([\t ]*\([^\)]*\))*\.)+$)";
constexpr std::u16string_view kAssignedChain =
    uR"((([\t ]*[a-zA-Z_]+[a-zA-Z_0-9]*(\.|[\t ]*\([^\)]*\)[\.]*)*)+))";

std::u16string Join(std::initializer_list<std::u16string_view> pieces) {
  std::u16string joined;
  for (std::u16string_view piece : pieces) joined += piece;
  return joined;
}

}  // namespace

SAnalysisPatterns::SAnalysisPatterns()
    : firstIdentifier(Compile(uR"(^([a-zA-Z_]+[a-zA-Z_0-9]*)[\t \(\.])")),
      chain(Compile(Join({uR"((([\t ]*[a-zA-Z_]+[a-zA-Z_0-9]*))", kChainTail}))),
      leadingDotChain(Compile(Join({uR"((([\t ]+|^)\.([\t ]*[a-zA-Z_]+[a-zA-Z_0-9]*))", kChainTail}))),
      bareDot(Compile(uR"([\t ]+\.$|^\.$)")),
      callChain(Compile(uR"(([a-zA-Z_]+[a-zA-Z_0-9]*([ ]*\([^\)]*\))*\. *)*[a-zA-Z_]+[a-zA-Z_0-9]*( |\()$)")),
      callLeadingDot(Compile(
          uR"(([\t ]+|^)\.([a-zA-Z_]+[a-zA-Z_0-9]*([ ]*\([^\)]*\))*\. *)*[a-zA-Z_]+[a-zA-Z_0-9]*( |\()$)")),
      with(Compile(Join({uR"(^[\t ]*With)", kAssignedChain}))),
      endWith(Compile(uR"([\t ]*End[\t ]*With[\t ]*)")),
      setCreateObject(Compile(Join({uR"((Set[\t ]+))", kIdentifier, uR"([\t ]*=[\t ]*)",
                                    uR"((wscript\.createobject|createobject))", uR"([\t ]*\(([^\)]*)\))"}))),
      setNew(Compile(Join({uR"(Set[\t ]+)", kIdentifier, uR"([\t ]*=[\t ]*)", uR"(new[\t ]+)", kIdentifier}))),
      setAssign(Compile(Join({uR"(^([\t ]*set[\t ]+))", kIdentifier, uR"([\t ]*=)", kAssignedChain}))),
      forEach(Compile(Join({uR"(^[\t ]*for[\t ]+each[\t ]+)", kIdentifier, uR"([\t ]+in[\t ]+)", kAssignedChain}))),
      parenArguments(Compile(uR"(\(([^\)]*)\))")),
      procedure(Compile(uR"((^|[\t ]+)(Sub|Function)[\t ]+([a-zA-Z_]+[a-zA-Z_0-9]*)+)")),
      endProcedure(Compile(uR"(^[\t ]*(End Sub|End Function))")),
      declaration(Compile(
          uR"(^[\t ]*(dim|private|const)[\t ]+([a-zA-Z_]+[a-zA-Z_0-9]*)+(,[a-zA-Z_]+[a-zA-Z_0-9]*)*)")),
      dim(Compile(uR"(^[\t ]*dim[\t ]+([a-zA-Z_]+[a-zA-Z_0-9]*)+(,[a-zA-Z_]+[a-zA-Z_0-9]*)*)")),
      identifier(Compile(uR"([a-zA-Z_]+[a-zA-Z_0-9]*)")),
      classStart(Compile(uR"(^[\t ]*class[\t ]+([a-zA-Z_]+[a-zA-Z_0-9]*))")),
      endClass(Compile(uR"(^[\t ]*end[\t ]+class($|[\t ]+))")),
      classMember(Compile(
          uR"((^|[\t ]+)(Sub|Function|Property[\t ]+Get|Property[\t ]+Set|Property[\t ]+Let)[\t ]+([a-zA-Z_]+[a-zA-Z_0-9]*)+)")) {}

}  // namespace quillet::intellisense

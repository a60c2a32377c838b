#pragma once
// The regular expressions of source analysis, compiled afresh for every request (case
// insensitive). Group numbers are those the members' comments give.

#include "regex/RegExpW.h"

namespace quillet::intellisense {

struct SAnalysisPatterns {
  SAnalysisPatterns();

  regex::CRegExpW firstIdentifier;   // 1: the chain's first identifier
  regex::CRegExpW chain;             // 0: a chain ending in a dot
  regex::CRegExpW leadingDotChain;   // 0: a chain that starts with a dot (inside With)
  regex::CRegExpW bareDot;
  regex::CRegExpW callChain;         // 0: a chain ending in a blank or "("
  regex::CRegExpW callLeadingDot;    // 0
  regex::CRegExpW with;              // 1: the With expression
  regex::CRegExpW endWith;
  regex::CRegExpW setCreateObject;   // 2: variable, 4: argument text
  regex::CRegExpW setNew;            // 1: variable, 2: class name
  regex::CRegExpW setAssign;         // 2: variable, 3: assigned chain
  regex::CRegExpW forEach;           // 1: variable, 2: collection chain
  regex::CRegExpW parenArguments;    // 1: text inside the first parentheses
  regex::CRegExpW procedure;         // 3: name
  regex::CRegExpW endProcedure;
  regex::CRegExpW declaration;       // start of 2
  regex::CRegExpW dim;               // start of 1
  regex::CRegExpW identifier;        // 0
  regex::CRegExpW classStart;        // 1: class name
  regex::CRegExpW endClass;
  regex::CRegExpW classMember;       // 3: name
};

}  // namespace quillet::intellisense

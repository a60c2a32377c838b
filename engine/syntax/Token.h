#pragma once

#include <cstdint>
#include <string>

#include "engine/runtime/Variant.h"

namespace quillet::engine {

enum class ETok : uint8_t {
  End,
  NewLine,
  Colon,
  Identifier,  // also the soft keywords (Error, Explicit, Step, Property, Default, Get, Preserve)
  Literal,     // number, string or date; the value is in STok::value
  LParen, RParen, Comma, Dot, Eq, Ne, Lt, Gt, Le, Ge, Plus, Minus, Star, Slash, Backslash,
  Caret, Amp,
  // keywords
  And, ByRef, ByVal, Call, Case, Class, Const, Dim, Do, Each, Else, ElseIf, Empty, EndKw, Eqv,
  Erase, Exit, False, For, Function, GoTo, If, Imp, In, Is, Let, Loop, Me, Mod, New, Next, Not,
  Nothing, Null, On, Option, Or, Private, Public, ReDim, Resume, Select, Set, Stop, Sub, Then,
  To, True, Until, Wend, While, With, Xor,
};

struct STok {
  ETok kind = ETok::End;
  int line = 1;    // from 1
  int column = 1;  // from 1
  // Identifiers: the name as written; keywords: their spelling.
  std::u16string text;
  CVariant value;
  // A blank came right before it; tells "a (b)" from "a(b)" only for diagnostics.
  bool spaceBefore = false;
};

}  // namespace quillet::engine

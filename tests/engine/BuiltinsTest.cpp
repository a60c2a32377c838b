// The built-in functions called directly: the rules that are easy to get subtly wrong, and a
// walk of the whole table with hostile arguments that must end in a value or a script error.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/library/Builtins.h"
#include "engine/vm/RuntimeState.h"
#include "engine/runtime/SafeArray.h"
#include "engine/runtime/ScriptError.h"

namespace quillet::engine {
namespace {

CVariant Call(std::u16string_view name, std::vector<CVariant> args) {
  const int index = FindBuiltin(name);
  EXPECT_GE(index, 0);
  return CallBuiltin(index, args);
}

int ErrorOf(std::u16string_view name, std::vector<CVariant> args) {
  try {
    (void)Call(name, std::move(args));
  } catch (const CScriptError& e) {
    return e.Number();
  }
  return 0;
}

CVariant S(std::u16string_view text) { return CVariant::String(text); }
CVariant L(int32_t value) { return CVariant::Long(value); }
CVariant D(double value) { return CVariant::Double(value); }

TEST(Builtins, NamesAreFoundInAnyCase) {
  EXPECT_GE(FindBuiltin(u"InStrRev"), 0);
  EXPECT_EQ(FindBuiltin(u"MID"), FindBuiltin(u"mid"));
  EXPECT_EQ(FindBuiltin(u"NoSuchFunction"), -1);
}

TEST(Builtins, RoundIsBankersRounding) {
  EXPECT_EQ(Call(u"round", {D(0.5)}).AsDouble(), 0.0);
  EXPECT_EQ(Call(u"round", {D(1.5)}).AsDouble(), 2.0);
  EXPECT_EQ(Call(u"round", {D(2.5)}).AsDouble(), 2.0);
  EXPECT_EQ(Call(u"round", {D(-3.5)}).AsDouble(), -4.0);
  EXPECT_EQ(Call(u"round", {D(0.375), L(2)}).AsDouble(), 0.38);
  EXPECT_EQ(Call(u"round", {D(0.125), L(2)}).AsDouble(), 0.12);
  EXPECT_EQ(Call(u"round", {CVariant::CurrencyScaled(25), L(3)}).AsCurrencyScaled(), 20);
  EXPECT_EQ(Call(u"round", {CVariant::CurrencyScaled(-35), L(3)}).AsCurrencyScaled(), -40);
  // Too large to hold a fraction: nothing to round, and no overflow either.
  EXPECT_EQ(Call(u"round", {D(1e300), L(5)}).AsDouble(), 1e300);
  EXPECT_EQ(ErrorOf(u"round", {D(1), L(-1)}), 5);
}

TEST(Builtins, InStrEdges) {
  EXPECT_TRUE(Call(u"instr", {CVariant::Null(), S(u"a")}).IsNull());
  EXPECT_TRUE(Call(u"instr", {L(1), S(u"a"), CVariant::Null()}).IsNull());
  EXPECT_EQ(ErrorOf(u"instr", {CVariant::Null(), S(u"a"), S(u"a")}), 94);
  EXPECT_EQ(Call(u"instr", {S(u""), S(u"")}).AsLong(), 0);
  EXPECT_EQ(Call(u"instr", {L(3), S(u"abc"), S(u"")}).AsLong(), 3);
  EXPECT_EQ(Call(u"instr", {L(4), S(u"abc"), S(u"c")}).AsLong(), 0);
  EXPECT_EQ(Call(u"instr", {L(2000000000), S(u"abc"), S(u"c")}).AsLong(), 0);
  EXPECT_EQ(Call(u"instr", {L(1), S(u"aXa"), S(u"x"), L(1)}).AsLong(), 2);
  EXPECT_EQ(ErrorOf(u"instr", {L(1), S(u"a"), S(u"a"), L(-1)}), 5);
  EXPECT_EQ(ErrorOf(u"instr", {L(1), S(u"a"), CVariant::Missing()}), 449);
  EXPECT_EQ(Call(u"instrrev", {S(u"abab"), S(u"ab"), L(3)}).AsLong(), 1);
  EXPECT_EQ(Call(u"instrrev", {S(u"abab"), S(u"ab"), L(9)}).AsLong(), 0);
}

std::vector<std::u16string> Texts(const CVariant& array) {
  std::vector<std::u16string> out;
  for (size_t i = 0; i < array.AsArray()->Size(); ++i) out.emplace_back(array.AsArray()->At(i).AsString());
  return out;
}

TEST(Builtins, SplitLimits) {
  using V = std::vector<std::u16string>;
  EXPECT_EQ(Texts(Call(u"split", {S(u"a,b,c"), S(u","), L(1)})), V{u"a,b,c"});
  EXPECT_EQ(Texts(Call(u"split", {S(u"a,b,c"), S(u","), L(2)})), (V{u"a", u"b,c"}));
  EXPECT_EQ(Texts(Call(u"split", {S(u"a,b,c"), S(u","), L(9)})), (V{u"a", u"b", u"c"}));
  EXPECT_EQ(Texts(Call(u"split", {S(u"a,b"), S(u","), L(0)})), V{});
  EXPECT_EQ(Texts(Call(u"split", {S(u",a,"), S(u",")})), (V{u"", u"a", u""}));
  EXPECT_EQ(Texts(Call(u"split", {S(u"aSEPbsepc"), S(u"sep"), L(-1), L(1)})), (V{u"a", u"b", u"c"}));
  EXPECT_EQ(Call(u"split", {S(u"")}).AsArray()->UBound(1), -1);
}

TEST(Builtins, ReplaceStartAndCount) {
  EXPECT_EQ(Call(u"replace", {S(u"aaaa"), S(u"a"), S(u"b"), L(2), L(2)}).AsString(), u"bba");
  EXPECT_EQ(Call(u"replace", {S(u"aaaa"), S(u"aa"), S(u"b")}).AsString(), u"bb");
  EXPECT_EQ(Call(u"replace", {S(u"abc"), S(u"c"), S(u"x"), L(3)}).AsString(), u"x");
  EXPECT_EQ(Call(u"replace", {S(u"abc"), S(u"c"), S(u"x"), L(4)}).AsString(), u"");
  EXPECT_EQ(Call(u"replace", {S(u"ABab"), S(u"b"), S(u"-"), L(1), L(-1), L(1)}).AsString(), u"A-a-");
  EXPECT_EQ(ErrorOf(u"replace", {S(u"abc"), S(u"c"), S(u"x"), L(1), L(-2)}), 5);
  EXPECT_EQ(ErrorOf(u"replace", {S(u"abc"), CVariant::Null(), S(u"x")}), 94);
}

TEST(Builtins, ByteFormsCountBytes) {
  EXPECT_EQ(Call(u"lenb", {S(u"ab")}).AsLong(), 4);
  EXPECT_EQ(Call(u"midb", {S(u"abc"), L(3)}).AsString(), u"bc");
  // A cut through the middle of a unit reads the bytes across the unit boundary.
  EXPECT_EQ(Call(u"midb", {S(u"AB"), L(2), L(2)}).AsString(), std::u16string(1, u'B' << 8));
  EXPECT_EQ(Call(u"instrb", {S(u"\u4100"), S(u"A")}).AsLong(), 0);
  EXPECT_EQ(Call(u"ascb", {S(u"\u4142")}).AsByte(), 0x42);
}

// Before 1899-12-30 the fraction still counts forward from midnight: -1.25 is 12/29 6:00 AM.
TEST(Builtins, DatesBeforeDayZeroKeepTheirTimeForward) {
  EXPECT_NEAR(Call(u"dateadd", {S(u"h"), L(1), CVariant::Date(-1.25)}).AsDouble(), -1.0 - 7.0 / 24, 1e-9);
  EXPECT_EQ(Call(u"dateadd", {S(u"h"), L(-30), CVariant::Date(0.25)}).AsDouble(), -1.0);
  EXPECT_EQ(Call(u"hour", {CVariant::Date(-1.25)}).AsInteger(), 6);
  EXPECT_EQ(Call(u"day", {CVariant::Date(-1.25)}).AsInteger(), 29);
  EXPECT_EQ(Call(u"datediff", {S(u"d"), CVariant::Date(-1.75), CVariant::Date(0.25)}).AsLong(), 1);
  EXPECT_EQ(Call(u"timeserial", {L(0), L(0), L(-1)}).AsDouble(), -1.0 - 86399.0 / 86400);
  EXPECT_EQ(ErrorOf(u"dateadd", {S(u"yyyy"), L(8101), CVariant::Date(0)}), 5);
}

// Every function with every kind of hostile argument: a value or a script error, nothing else.
TEST(Builtins, HostileArgumentsNeverEscapeAsAnythingButScriptErrors) {
  const std::vector<CVariant> samples{
      CVariant(),          CVariant::Null(),       CVariant::Missing(),        CVariant::Object(nullptr),
      D(1e308),            D(-1e308),              L(-2147483647 - 1),         S(u""),
      S(u"x"),             CVariant::Boolean(true), CVariant::Array(CSafeArray::FromValues({S(u"a"), L(1)})),
      D(0.5),              L(-1),                  L(2000000000),              CVariant::Date(-657434),
      CVariant::CurrencyScaled(INT64_MIN), S(std::u16string(size_t{1} << 20, u'%')),
      S(u"($1,0)"),        S(u"de-de"),            D(-1e-300),                 L(-2)};
  // SetLocale and Randomize change the runtime state: keep that away from other tests.
  SRuntimeState state;
  const CRuntimeScope scope(state);
  for (int index = 0; index < BuiltinCount(); ++index) {
    const SBuiltin& builtin = BuiltinAt(index);
    for (const CVariant& first : samples) {
      for (const CVariant& second : samples) {
        std::vector<CVariant> args{first, second, L(1), L(1)};
        args.resize(std::min<size_t>(args.size(), builtin.maxArgs));
        if (args.size() < builtin.minArgs) continue;
        try {
          (void)CallBuiltin(index, args);
        } catch (const CScriptError&) {
        }
      }
    }
  }
}

}  // namespace
}  // namespace quillet::engine
